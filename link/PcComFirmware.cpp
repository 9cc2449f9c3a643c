// The communication panel's side of firmware programming: it reopens the port, shows the
// progress window, runs the exchange on its 10 ms timer and carries out what each step of the
// exchange (link/FirmwareExchange.h) gives back.
#include <QComboBox>
#include <QProgressBar>
#include <QTimer>
#include <string_view>

#include "link/FirmwareLines.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/MessageBox.h"

namespace {

void ShowReport(const FirmwareReport& report)
{
    platform::MessageBeep();
    platform::ShowMessageBox(report.text, QString(), report.icon, report.buttons);
}

}  // namespace

bool TPCom::StartFirmwareUpdate(const QString& FileName)
{
    // A file that cannot be read or is damaged is refused before the meter hears of it.
    if (const std::optional<FirmwareReport> refusal = Firmware.Load(FileName)) {
        ShowReport(*refusal);
        return false;
    }

    SetPortOpen(false);
    SetPortOpen(true);
    // The line is the exchange's until it ends: no other port is chosen meanwhile.
    Port->setEnabled(false);

    ProgressForm->setWindowTitle(FileName);
    ProgressForm->ProgressBar->setMaximum(Firmware.FileBytesLeft);
    ProgressForm->show();
    ProgressForm->raise();

    Timer->start();
    Carry(Firmware.Start());
    return true;
}

void TPCom::TimerTimer()
{
    if (Rx.ErrorFlags() & TReceiveRing::Overflow) {
        // The meter sent more than the ring holds and its lines are lost: the exchange cannot go
        // on. The port is closed while the box is shown, so that nothing piles up behind it, and
        // opened again afterwards, as every other end of the exchange leaves it: monitoring
        // resumes on an empty ring.
        SetPortOpen(false);
        Rx.ClearErrorFlags();
        EndFirmwareUpdate(QStringLiteral("受信バッファオーバーフロー"));
        SetPortOpen(true);
        return;
    }
    // While the previous frame is still going out, a new one would be refused and lost, and the
    // exchange would stall with the meter waiting for it: the meter's line waits for a later tick.
    if (Comm && Comm->Sending())
        return;
    char line[TReceiveRing::LineSize];
    const int length = Rx.TakeLine(line);
    if (length < 0)
        return;
    LogRx(line);
    Carry(Firmware.HandleLine(std::string_view(line + 1, static_cast<std::size_t>(length))));
}

void TPCom::Carry(const FirmwareStep& Step)
{
    // The exchange is over before its report: while the box is open no tick answers the meter,
    // and what it still sends waits in the ring for the monitor loop.
    if (Step.ended)
        Timer->stop();
    if (Step.command)
        SendCommand(Step.command->c_str());
    if (!Step.blockReply.empty()) {
        if (Comm)
            Comm->Write(Step.blockReply.data(), static_cast<unsigned>(Step.blockReply.size()));
        LogTx(Step.blockReply.c_str());
    }
    if (Step.progress)
        ProgressForm->SetPosition(*Step.progress);
    if (Step.report)
        ShowReport(*Step.report);
    if (Step.ended) {
        ProgressForm->hide();
        HandBackToMonitor();
    }
}

void TPCom::EndFirmwareUpdate(const QString& Message)
{
    Carry(Firmware.EndWithError(Message));
}

void TPCom::SendBlock(int Address, int Count)
{
    Carry(Firmware.SendBlock(Address, Count));
}

int TPCom::ReadFileLine(char* Dest, char*& Ptr, int Max)
{
    return Firmware.ReadFileLine(Dest, Ptr, Max);
}

bool TPCom::StartsWith(const char* Text, const char* Keyword)
{
    return ::StartsWith(Text, Keyword);
}

void TPCom::HandBackToMonitor()
{
    Firmware.Abort();
    Timer->stop();
    Port->setEnabled(true);
    if (TimerMonitor)
        TimerMonitor->start();
}
