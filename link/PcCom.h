#pragma once
// The communication panel: the only way the rest of the tool reaches the serial link. It lists
// and opens the port, frames requests as STX text ETX, collects the meter's replies as lines of
// the receive ring (filled on the port's event thread) and logs the traffic while it is shown.
// Firmware programming runs on its timer; the exchange itself is TFirmwareExchange.
#include <cstdint>
#include <functional>
#include <memory>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <string_view>
#include <vector>

#include "link/FirmwareExchange.h"
#include "link/ReceiveRing.h"
#include "link/UnCom.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

class TPCom : public QWidget {
    Q_OBJECT

public:
    // The ports the port list offers, in order; asked again each time the list drops down.
    using PortLister = std::function<std::vector<QString>()>;
    static std::vector<QString> SystemPorts();

    explicit TPCom(QWidget* Owner, PortLister ListPorts = SystemPorts);
    ~TPCom() override;

    // The traffic log keeps this many of its most recent entries: a day's polling would
    // otherwise grow it without bound.
    static constexpr int LogLines = 2000;

    // Controls.
    QPlainTextEdit* Memo;  // the traffic log, its oldest entries dropped beyond LogLines
    // The port list, made again each time it drops down; its text names the port
    // SetPortOpen(true) opens. Locked only while firmware is programmed.
    QComboBox* Port;
    QPushButton* Button2;  // "クリア"
    QPushButton* Button1;  // "閉じる"
    QTimer* Timer;         // 10 ms, off; runs the firmware exchange

    // Opening a port that does not open raises ECommError naming the port and why.
    void SetPortOpen(bool Open);
    // Frames Text (up to its first byte outside 0x20..0x7F) and hands it to the port.
    void SendCommand(const char* Text);
    // Takes the oldest line into Buffer (at least 1024 bytes): -1 after a receive overflow, 0
    // when none waits, else the length of the reply text at Buffer + 1.
    int GetReceivedLine(char* Buffer);
    // The port's receive handler; runs on its event thread and only fills the ring.
    void CommReceive(TComm* Sender, char* Buffer, unsigned Size);
    // The line of the Opening-th opening went away (device pulled): closes the port, frees the
    // port list, ends a running firmware exchange and says so once, naming the device. Nothing
    // reconnects by itself.
    void CommLost(std::uint32_t Opening);
    void LogRx(const char* Line);
    void LogTx(const char* Frame);

    void Button1Click();
    void Button2Click();
    // Closes the port and opens it again under the port box's text.
    void PortChange();
    // Makes the port list again from the system's ports, keeping the name in the box.
    void RefreshPortList();
    // The user confirmed the typed name: Enter (Always) or leaving the box, which tries it
    // only when it differs from the name tried last.
    void ConfirmTypedPort(bool Always);
    void FormDestroy();

    // Firmware programming (link/PcComFirmware.cpp), run by Firmware. Starts the exchange with
    // the file; false (after telling the user) when the file cannot be read or is damaged.
    bool StartFirmwareUpdate(const QString& FileName);
    // One tick of Timer while the exchange runs: answers at most one of the meter's lines.
    void TimerTimer();
    // Sends the image's Count bytes from Address as a block reply.
    void SendBlock(int Address, int Count);
    // The next line of the file from Ptr into Dest (see link/FirmwareLines.h); -1 for a bad line.
    int ReadFileLine(char* Dest, char*& Ptr, int Max);
    static bool StartsWith(const char* Text, const char* Keyword);
    // Ends a running exchange with an error box of Message: the line failed under it.
    void EndFirmwareUpdate(const QString& Message);
    // Stops the exchange and switches the main window's monitor timer on: the monitor loop takes
    // the meter's lines again.
    void HandBackToMonitor();
    // The main window's monitor timer, off while firmware is programmed.
    QPointer<QTimer> TimerMonitor;

    // Payload helpers of the firmware exchange (see link/Codecs.h).
    static void PutHex(char*& Out, std::uint32_t Value, int Count);
    static bool ParseHex(std::uint32_t& Value, std::string_view Text, int Count);

    TCommCntrlRec CommCntrl{};
    // Null until there is a port to open: none was listed at start and none chosen or typed since.
    std::unique_ptr<TComm> Comm;
    TReceiveRing Rx;  // the ring with its indexes and ErrorFlags (bit 0: overflow)

    TFirmwareExchange Firmware;

signals:
    // A port was opened: whatever was learnt of the meter on the line before may not hold.
    void PortOpened();
    // The open port was closed, by the user or by the tool itself (the device went away, the
    // receive ring overflowed): nothing on the line answers any more.
    void PortClosed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    static int PortBoxWidth(const QComboBox& box);
    void ScanPorts();
    // The serial port object, with its settings and handlers.
    void MakeComm();
    void Log(const char* Prefix, const char* Bytes);
    // Carries out one step of the firmware exchange.
    void Carry(const FirmwareStep& Step);

    PortLister listPorts_;
    QString triedName_;  // the name the port was last opened (or tried) under
    // Openings so far; written only while the port is closed, read by its event thread.
    std::uint32_t openings_ = 0;
};

// The panel, created once at start-up.
extern TPCom* PCom;
