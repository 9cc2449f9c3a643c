// Main of the widget-free tests: the system's texts in Japanese, as the program has them.
#include <gtest/gtest.h>

#include "platform/SystemText.h"

int main(int argc, char** argv)
{
    platform::UseJapaneseSystemTexts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
