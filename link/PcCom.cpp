#include "link/PcCom.h"

#include <cstring>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <string>

#include "link/Codecs.h"
#include "link/FrameBytes.h"
#include "link/PortOpenFailure.h"
#include "platform/Exceptions.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"

TPCom* PCom = nullptr;

namespace {

constexpr int ClientWidth = 632;
constexpr int ClientHeight = 357;
constexpr int FrameBufferSize = 1024;

void ShowAbortBox(const QString& text)
{
    platform::ShowMessageBox(text, QString(), platform::BoxIcon::Error,
                             platform::BoxButtons::Abort);
}

// A combo box that hears of its list dropping down before it shows.
class TPortBox : public QComboBox {
public:
    TPortBox(QWidget* parent, std::function<void()> beforePopup)
        : QComboBox(parent), beforePopup_(std::move(beforePopup))
    {}
    void showPopup() override
    {
        beforePopup_();
        QComboBox::showPopup();
    }

private:
    std::function<void()> beforePopup_;
};

}  // namespace

std::vector<QString> TPCom::SystemPorts()
{
    return platform::SerialPortCandidates(platform::SystemSerialPortSources(), 32);
}

TPCom::TPCom(QWidget* Owner, PortLister ListPorts)
    : QWidget(Owner, Qt::Window), listPorts_(std::move(ListPorts))
{
    setWindowTitle(QStringLiteral("シリアル通信パネル"));
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(platform::PixelSizeForCellHeight(font, 12));
    setFont(font);
    resize(ClientWidth, ClientHeight);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setMaximumBlockCount(LogLines);
    Memo->setGeometry(-2, -2, 634, 322);

    // An adapter plugged in since the list was last made shows when it drops down.
    Port = new TPortBox(this, [this] { RefreshPortList(); });
    Port->setObjectName(QStringLiteral("Port"));
    Port->setEditable(true);
    Port->setInsertPolicy(QComboBox::NoInsert);
    Port->setGeometry(8, 328, PortBoxWidth(*Port), 20);
    Port->setEditText(QStringLiteral("Port"));

    Button2 = new QPushButton(QStringLiteral("クリア"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(470, 326, 75, 25);

    Button1 = new QPushButton(QStringLiteral("閉じる"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(551, 326, 75, 25);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(10);
    connect(Timer, &QTimer::timeout, this, [this] { platform::Guarded([this] { TimerTimer(); }); });

    connect(Button1, &QPushButton::clicked, this,
            [this] { platform::Guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { platform::Guarded([this] { Button2Click(); }); });
    // A choice from the list opens that port at once, the entry already shown too. A typed
    // name is tried only once the user confirms it, with Enter or by leaving the box: on the
    // way each keystroke names some other device (/dev/tty on the way to /dev/ttyUSB0).
    // (The box puts the entry's own text back when the entry shown is chosen again.)
    connect(Port, &QComboBox::activated, this,
            [this] { platform::Guarded([this] { PortChange(); }); });
    connect(Port->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { platform::Guarded([this] { ConfirmTypedPort(true); }); });
    Port->installEventFilter(this);

    ScanPorts();
}

TPCom::~TPCom()
{
    FormDestroy();
    // The port's event thread calls into this panel: it must stop before the panel goes.
    Comm.reset();
}

int TPCom::PortBoxWidth(const QComboBox& box)
{
    // Wide enough for a whole device path, with the frame and the arrow around it.
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = true;
    const QFontMetrics metrics = box.fontMetrics();
    const QSize text(metrics.horizontalAdvance(QStringLiteral("/dev/ttyUSB00")), metrics.height());
    return box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, &box).width();
}

void TPCom::ScanPorts()
{
    CommCntrl = {};
    Comm.reset();
    Rx.Reset();

    Port->setEditText(QString());
    RefreshPortList();
    if (Port->count() > 0) {
        const QSignalBlocker quiet(Port);  // no choice of the user's
        Port->setCurrentIndex(0);
        MakeComm();
        SetPortOpen(false);
    } else {
        platform::MessageBeep();
        ShowAbortBox(QStringLiteral("使用可能なCOMポートが見つかりません"));
    }
    triedName_ = Port->currentText();  // the name the port opens under, not a typed one
}

void TPCom::RefreshPortList()
{
    // Filling the list is no choice of the user's, and the name in the box stays: the port
    // open under it, or one being typed.
    const QSignalBlocker quiet(Port);
    const QString shown = Port->currentText();
    Port->clear();
    for (const QString& name : listPorts_())
        Port->addItem(name);
    Port->setCurrentIndex(Port->findText(shown));
    Port->setEditText(shown);
    // The box holds a device path; its list opens as wide as the longest name it offers.
    QAbstractItemView* list = Port->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void TPCom::MakeComm()
{
    Comm = std::make_unique<TComm>();
    CommCntrl.nBoudRate = 115200;
    CommCntrl.mByteSize = eCmmBySz8;
    CommCntrl.mParity = eCmmPrtyNone;
    CommCntrl.mStopBits = eCmmStpB1;
    CommCntrl.mFlowCntrls = {};
    CommCntrl.nQueueIn = 8192;
    CommCntrl.nQueueOut = 8192;
    CommCntrl.nQueXonLim = Comm->QueXonLim();
    CommCntrl.nQueXoffLim = Comm->QueXoffLim();
    CommCntrl.Events = Comm->Events();
    Comm->OnCommReceive = [this](TComm* Sender, char* Buffer, unsigned Size) {
        CommReceive(Sender, Buffer, Size);
    };
    Comm->OnCommLost = [this](TComm*) {
        // On the event thread: the panel hears of it on its own, for this opening.
        const std::uint32_t opening = openings_;
        QMetaObject::invokeMethod(
            this, [this, opening] { platform::Guarded([this, opening] { CommLost(opening); }); },
            Qt::QueuedConnection);
    };
}

void TPCom::SetPortOpen(bool Open)
{
    // A box without a name opens nothing: a machine without ports, until one is listed or typed.
    const QString name = Port->currentText();
    if (Open && !Comm && !name.isEmpty())
        MakeComm();
    if (!Comm || Comm->HandleCheck(false) == Open || (Open && name.isEmpty()))
        return;
    if (Open) {
        Rx.Reset();  // no event thread runs while the port is closed
        triedName_ = name;
        ++openings_;  // before the event thread that reads it starts
        try {
            Comm->Open(&CommCntrl, triedName_);
        } catch (const ECommError& error) {
            // Busy, refused or gone: the user hears which port and why; nothing else is tried.
            throw ECommError(PortOpenFailureText(triedName_, error), error.SystemError());
        }
        emit PortOpened();
    } else {
        Comm->Close();
        // Lines that came before the close belong to a line that is gone.
        Rx.Reset();
        emit PortClosed();
    }
}

void TPCom::SendCommand(const char* Text)
{
    if (!Comm || Rx.ErrorFlags() != 0)
        return;
    // An over-long text is cut where the frame and its NUL fill the buffer.
    const std::size_t length = FrameTextLength(Text, FrameBufferSize - 3);
    char frame[FrameBufferSize];
    frame[0] = Stx;
    std::memcpy(frame + 1, Text, length);
    frame[length + 1] = Etx;
    frame[length + 2] = '\0';
    // A frame refused because the previous one is still going out is dropped without notice.
    Comm->Write(frame, static_cast<unsigned>(length + 2));
    LogTx(frame);
}

int TPCom::GetReceivedLine(char* Buffer)
{
    if (Rx.ErrorFlags() != 0) {
        platform::MessageBeep();
        if (Rx.ErrorFlags() & TReceiveRing::Overflow) {
            // Cleared before the box, so that ticks running while it is open find no flag.
            Rx.ClearErrorFlags();
            ShowAbortBox(QStringLiteral("受信バッファオーバーフロー"));
        }
        SetPortOpen(false);
        return -1;
    }
    const int length = Rx.TakeLine(Buffer);
    if (length < 0)
        return 0;
    LogRx(Buffer);
    return length;
}

void TPCom::CommReceive(TComm*, char* Buffer, unsigned Size)
{
    Rx.Receive(Buffer, Size);
}

void TPCom::CommLost(std::uint32_t Opening)
{
    // A report from an opening that has been closed (or replaced) since is no news.
    if (Opening != openings_ || !Comm || !Comm->HandleCheck(false))
        return;
    const QString message = QStringLiteral("通信ポートが切断されました\n\r") + Comm->CommName();
    // Closed, and the port list free again: the user chooses the device when it is back.
    SetPortOpen(false);
    // A firmware exchange running on the line ends with it, and its error box is the one report.
    if (Firmware.Running()) {
        EndFirmwareUpdate(message);
        return;
    }
    platform::MessageBeep();
    ShowAbortBox(message);
}

void TPCom::LogRx(const char* Line)
{
    Log("Rx:", Line);
}

void TPCom::LogTx(const char* Frame)
{
    Log("Tx:", Frame);
}

void TPCom::Log(const char* Prefix, const char* Bytes)
{
    if (!isVisible())
        return;
    std::string entry(Prefix);
    for (const char* p = Bytes; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte <= 0x7F)
            entry += static_cast<char>(byte);
        else if (byte == Stx)
            entry += "<STX>";
        else if (byte == Etx)
            entry += "<ETX>";
        else if (byte == Ack)
            entry += "<ACK>";
        else if (byte == Nak)
            entry += "<NAK>";
        else
            entry += "<\?\?\?>";
    }
    Memo->appendPlainText(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
}

void TPCom::Button1Click()
{
    hide();
}

void TPCom::Button2Click()
{
    Memo->clear();
}

void TPCom::PortChange()
{
    SetPortOpen(false);
    SetPortOpen(true);
}

void TPCom::ConfirmTypedPort(bool Always)
{
    if (!Port->isEnabled())
        return;
    // Leaving the box tries a name only once: after a failed try (whose box takes the focus
    // away) or without an edit it is no new confirmation.
    if (!Always && Port->currentText() == triedName_)
        return;
    PortChange();
}

bool TPCom::eventFilter(QObject* Watched, QEvent* Event)
{
    // Opening the box's own list, or its edit menu, takes the focus too: only a real
    // departure confirms.
    if (Watched == Port && Event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(Event)->reason() != Qt::PopupFocusReason &&
        !Port->view()->isVisible())
        platform::Guarded([this] { ConfirmTypedPort(false); });
    return QWidget::eventFilter(Watched, Event);
}

void TPCom::FormDestroy()
{
    Firmware.ReleaseFileBuffer();
}

void TPCom::PutHex(char*& Out, std::uint32_t Value, int Count)
{
    ::PutHex(Out, Value, Count);
}

bool TPCom::ParseHex(std::uint32_t& Value, std::string_view Text, int Count)
{
    return ::ParseHex(Value, Text, Count);
}

void TPCom::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Anchors: the log follows all four sides, the port list the left and bottom, the buttons
    // the right and bottom.
    const int w = width();
    const int h = height();
    Memo->setGeometry(-2, -2, w + 2, h - 35);
    Port->move(8, h - (ClientHeight - 328));
    Button2->move(w - (ClientWidth - 470), h - (ClientHeight - 326));
    Button1->move(w - (ClientWidth - 551), h - (ClientHeight - 326));
}
