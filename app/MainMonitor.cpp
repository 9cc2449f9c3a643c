// What the monitor loop reaches through the main window: the communication panel, the settings
// window, the status bar and the registered indicators.
#include <QLabel>

#include "app/Main.h"
#include "app/ProjectOption.h"
#include "indicators/Indicator.h"
#include "link/PcCom.h"
#include "platform/Cp932.h"

int TMainForm::ReceiveLine(char* buffer)
{
    return PCom->GetReceivedLine(buffer);
}

bool TMainForm::LineWaiting() const
{
    return !PCom->Rx.Empty();
}

void TMainForm::SendRequest(const char* text)
{
    PCom->SendCommand(text);
}

bool TMainForm::LinkOpen() const
{
    return PCom->Comm && PCom->Comm->HandleCheck(false);
}

bool TMainForm::SettingsShown() const
{
    return FProjectOption->isVisible();
}

std::uint8_t* TMainForm::Context()
{
    return FProjectOption->Context;
}

void TMainForm::ContextToControls()
{
    FProjectOption->ContextToControls();
}

void TMainForm::AppendSetDateTimeRequest(char*& writePos)
{
    BuildSetDateTimeRequest(writePos);
}

void TMainForm::ShowMeterClock(const std::string& text)
{
    StatusText->setText(platform::FromCp932(text));
}

void TMainForm::SetIndicatorValues()
{
    for (int i = 0; i < IndicatorCount; ++i)
        IndicatorArry[i]->SetValue();
}
