// Main of the widget tests: one QApplication for the whole run (offscreen unless told
// otherwise), with the program's fonts, and Qt's own texts and the system's in Japanese.
#include <gtest/gtest.h>
#include <QApplication>

#include "platform/Fonts.h"
#include "platform/QtJapanese.h"
#include "platform/SystemText.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::UseJapaneseSystemTexts();
    QApplication application(argc, argv);
    platform::InstallFontSubstitutes();
    platform::InstallQtJapanese();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
