#include <QApplication>
#include <memory>

#include "link/PcCom.h"
#include "platform/Exceptions.h"
#include "platform/Fonts.h"
#include "platform/WidgetMessageBox.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("ZOLT Tool"));
    platform::InstallFontSubstitutes();
    platform::InstallWidgetMessageBoxes();

    // Until the main window stands, the program is the communication panel alone.
    const auto panel = std::make_unique<TPCom>(nullptr);
    PCom = panel.get();
    PCom->show();
    platform::Guarded([] { PCom->SetPortOpen(true); });
    const int result = application.exec();
    platform::Guarded([] { PCom->SetPortOpen(false); });
    return result;
}
