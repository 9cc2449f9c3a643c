// The communication panel over a real pseudo-terminal, with the meter stand-in at the other end.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <termios.h>
#include <thread>

#include "link/PcCom.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ComboChoice.h"
#include "tests/support/MeterStandIn.h"

using testing_support::BoxRecorder;
using testing_support::MeterStandIn;
using namespace std::chrono_literals;

namespace {

bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::unique_ptr<TPCom> PanelOn(std::vector<QString> ports)
{
    return std::make_unique<TPCom>(nullptr, [ports] { return ports; });
}

// Waits for the next line out of the ring; "(none)" when none came.
std::string NextLine(TPCom& panel, int* length = nullptr)
{
    char buffer[1024];
    int n = 0;
    if (!WaitFor([&] { return (n = panel.GetReceivedLine(buffer)) != 0; }))
        return "(none)";
    if (length)
        *length = n;
    return n < 0 ? "(overflow)" : std::string(buffer);
}

QStringList LogLines(TPCom& panel)
{
    return panel.Memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

TEST(PcComPanel, LayoutCaptionsAndFont)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("シリアル通信パネル"));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->size(), QSize(632, 357));
    EXPECT_EQ(panel->Memo->geometry(), QRect(-2, -2, 634, 322));
    EXPECT_TRUE(panel->Memo->isReadOnly());
    // As designed, but wide enough for a device path (checked by the port box's own test).
    const int portWidth = panel->Port->width();
    EXPECT_EQ(panel->Port->geometry(), QRect(8, 328, portWidth, 20));
    EXPECT_GT(portWidth, 73);
    EXPECT_LT(panel->Port->geometry().right(), panel->Button2->x());
    EXPECT_TRUE(panel->Port->isEditable());
    EXPECT_EQ(panel->Button2->geometry(), QRect(470, 326, 75, 25));
    EXPECT_EQ(panel->Button2->text(), QStringLiteral("クリア"));
    EXPECT_EQ(panel->Button1->geometry(), QRect(551, 326, 75, 25));
    EXPECT_EQ(panel->Button1->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(panel->Timer->interval(), 10);
    EXPECT_FALSE(panel->Timer->isActive());
    // The fixed-width Japanese face stands in for the Windows one, at a 12-pixel cell.
    EXPECT_EQ(QFontInfo(panel->font()).family(), QStringLiteral("IPAGothic"));
    EXPECT_LE(QFontMetrics(panel->font()).height(), 12);
    EXPECT_GE(QFontMetrics(panel->font()).height(), 11);

    panel->show();
    panel->resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->Memo->geometry(), QRect(-2, -2, 802, 465));
    EXPECT_EQ(panel->Port->geometry(), QRect(8, 471, portWidth, 20));
    EXPECT_EQ(panel->Button2->geometry(), QRect(638, 469, 75, 25));
    EXPECT_EQ(panel->Button1->geometry(), QRect(719, 469, 75, 25));
}

TEST(PcComScan, ListsThePortsThatOpenAndLeavesTheFirstClosedButChosen)
{
    BoxRecorder boxes;
    MeterStandIn first;
    MeterStandIn second;
    auto panel = PanelOn({QStringLiteral("/dev/zolt-no-such-port"), QStringLiteral("/dev/null"),
                          first.PortName(), second.PortName()});
    ASSERT_EQ(panel->Port->count(), 3);
    EXPECT_EQ(panel->Port->itemText(1), first.PortName());
    EXPECT_EQ(panel->Port->itemText(2), second.PortName());
    // /dev/null opens, and is then refused when the port is opened on it: it is first here.
    EXPECT_EQ(panel->Port->currentText(), QStringLiteral("/dev/null"));
    ASSERT_NE(panel->Comm, nullptr);
    EXPECT_FALSE(panel->Comm->HandleCheck(false));
    EXPECT_TRUE(panel->Port->isEnabled());
    EXPECT_TRUE(boxes.Boxes().empty());

    EXPECT_EQ(panel->CommCntrl.nBoudRate, 115200u);
    EXPECT_EQ(panel->CommCntrl.mByteSize, eCmmBySz8);
    EXPECT_EQ(panel->CommCntrl.mParity, eCmmPrtyNone);
    EXPECT_EQ(panel->CommCntrl.mStopBits, eCmmStpB1);
    EXPECT_TRUE(panel->CommCntrl.mFlowCntrls.Empty());
    EXPECT_EQ(panel->CommCntrl.nQueueIn, 8192u);
    EXPECT_EQ(panel->CommCntrl.nQueueOut, 8192u);
    EXPECT_EQ(panel->CommCntrl.nQueXonLim, 1027);
    EXPECT_EQ(panel->CommCntrl.nQueXoffLim, 3072);
    EXPECT_TRUE(panel->CommCntrl.Events.Empty());
}

TEST(PcComScan, NoPortAtAllIsReportedOnceThenEverythingIsQuiet)
{
    BoxRecorder boxes;
    auto panel = PanelOn({QStringLiteral("/dev/zolt-no-such-port")});
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("使用可能なCOMポートが見つかりません"));
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(panel->Port->count(), 0);
    EXPECT_EQ(panel->Comm, nullptr);

    panel->SetPortOpen(true);
    panel->SendCommand("@GET_KIND");
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), 0);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Beeps(), 1);
}

TEST(PcComPort, OpensUnderTheComboTextAndLocksTheComboMeanwhile)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    EXPECT_TRUE(panel->Comm->HandleCheck(false));
    EXPECT_EQ(panel->Comm->CommName(), meter.PortName());
    EXPECT_FALSE(panel->Port->isEnabled());
    panel->SetPortOpen(true);  // already open: nothing
    panel->SetPortOpen(false);
    EXPECT_FALSE(panel->Comm->HandleCheck(false));
    EXPECT_TRUE(panel->Port->isEnabled());
}

TEST(PcComPort, FailedOpenPassesTheErrorAndLeavesTheComboEnabled)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    {
        const QSignalBlocker quiet(panel->Port);
        panel->Port->setEditText(QStringLiteral("/dev/zolt-no-such-port"));
    }
    try {
        panel->SetPortOpen(true);
        FAIL() << "no error";
    } catch (const ECommError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("No such file or directory"));
    }
    EXPECT_FALSE(panel->Comm->HandleCheck(false));
    EXPECT_TRUE(panel->Port->isEnabled());
}

// The port box as the user works it: the panel shown and active, the box focused.
class PcComPortBox : public ::testing::Test {
protected:
    void Show(std::vector<QString> ports)
    {
        panel = PanelOn(std::move(ports));
        panel->show();
        panel->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        panel->Port->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return panel->Port->hasFocus(); }));
    }
    bool Open() const { return panel->Comm->HandleCheck(false); }
    void Choose(int index) { testing_support::ChooseFromList(*panel->Port, index); }
    void Type(const std::string& text, const std::function<void()>& afterEachKey = {})
    {
        for (const char c : text) {
            QTest::keyClick(panel->Port, c);
            if (afterEachKey)
                afterEachKey();
        }
    }
    void ClearBox()
    {
        QTest::keyClick(panel->Port, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(panel->Port, Qt::Key_Delete);
    }

    BoxRecorder boxes;
    MeterStandIn listed;
    MeterStandIn typed;  // a terminal not in the list, reached only by typing its path
    std::unique_ptr<TPCom> panel;
};

TEST_F(PcComPortBox, ATypedPathOpensNothingUntilEnter)
{
    Show({listed.PortName()});
    const termios before = typed.LineSettings();
    ClearBox();
    // Every prefix of the path names some other device: none of them is opened or touched.
    Type(typed.SlavePath(), [&] {
        ASSERT_FALSE(Open()) << panel->Comm->CommName().toStdString();
        ASSERT_EQ(typed.LineSettings().c_lflag, before.c_lflag);
    });
    EXPECT_TRUE(boxes.Boxes().empty());
    QTest::keyClick(panel->Port, Qt::Key_Return);
    ASSERT_TRUE(Open());
    EXPECT_EQ(panel->Comm->CommName(), typed.PortName());
    EXPECT_FALSE(panel->Port->isEnabled());
    panel->SendCommand("@TYPED");
    EXPECT_TRUE(typed.WaitForRequests(1));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(PcComPortBox, ATypedPathOpensWhenTheFocusLeavesTheBoxAndABadOneIsReportedOnce)
{
    Show({listed.PortName()});
    ClearBox();
    Type("/dev/zolt-no-such-port");
    QTest::keyClick(panel->Port, Qt::Key_Enter);
    EXPECT_FALSE(Open());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("No such file or directory"));
    // Leaving the box without a new name tries nothing again.
    panel->Button2->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    // Enter is a confirmation of its own: the same name is tried again.
    panel->Port->setFocus();
    QTest::keyClick(panel->Port, Qt::Key_Return);
    EXPECT_EQ(boxes.Boxes().size(), 2u);

    ClearBox();
    Type(typed.SlavePath());
    EXPECT_FALSE(Open());
    panel->Button2->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Open(); }));
    EXPECT_EQ(panel->Comm->CommName(), typed.PortName());
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(PcComPortBox, ChoosingAnEntryOpensItAtOnceAlsoTheOneShown)
{
    Show({listed.PortName(), typed.PortName()});
    Choose(1);
    ASSERT_TRUE(Open());
    EXPECT_EQ(panel->Comm->CommName(), typed.PortName());

    // Closed behind the user's back, as a receive overflow closes it, with a typed text shown:
    // the entry already current opens again, under its own name.
    panel->SetPortOpen(false);
    panel->Port->setFocus();
    ClearBox();
    Type("/dev/zolt-half");
    Choose(1);
    ASSERT_TRUE(Open());
    EXPECT_EQ(panel->Comm->CommName(), typed.PortName());
    EXPECT_EQ(panel->Port->currentText(), typed.PortName());
    panel->SendCommand("@AGAIN");
    EXPECT_TRUE(typed.WaitForRequests(1));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(PcComPortBox, APulledDeviceIsReportedOnceAndItsEntryReopensItOnceBack)
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile::link(typed.PortName(), name));
    Show({listed.PortName(), name});
    Choose(1);
    ASSERT_TRUE(Open());
    typed.Send(MeterStandIn::Ack("@BEFORE"));
    EXPECT_EQ(NextLine(*panel), "\x06@BEFORE\x03");

    typed.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Open(); }));
    EXPECT_TRUE(panel->Port->isEnabled());
    EXPECT_EQ(boxes.Texts(),
              std::vector<QString>{QStringLiteral("通信ポートが切断されました\n\r") + name});
    EXPECT_EQ(boxes.Beeps(), 1);

    // The device comes back under the same name: nothing happens until the user chooses it.
    MeterStandIn back;
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QFile::link(back.PortName(), name));
    QCoreApplication::processEvents();
    EXPECT_FALSE(Open());
    Choose(1);
    ASSERT_TRUE(Open());
    panel->SendCommand("@AGAIN");
    ASSERT_TRUE(back.WaitForRequests(1));
    back.Send(MeterStandIn::Ack("@AFTER"));
    EXPECT_EQ(NextLine(*panel), "\x06@AFTER\x03");
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(PcComPortBox, AWholeDevicePathShowsClosedAndInTheOpenList)
{
    // A port listed under a long name, as ZOLT_PORTS may give one.
    QTemporaryDir folder;
    const QString longName = folder.filePath(QStringLiteral("usb-FTDI_FT232R_A50285BI-ttyUSB0"));
    ASSERT_TRUE(QFile::link(typed.PortName(), longName));
    Show({listed.PortName(), longName});

    const QString path = QStringLiteral("/dev/ttyUSB0");
    QLineEdit* edit = panel->Port->lineEdit();
    const auto cursorRect = [edit] {
        return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    };
    panel->Port->setEditText(path);
    // Unscrolled, the text's end lies the text's width right of its start, inside the box.
    edit->setCursorPosition(0);
    const int start = cursorRect().center().x();
    edit->setCursorPosition(static_cast<int>(path.size()));
    const int end = cursorRect().center().x();
    EXPECT_EQ(end - start, edit->fontMetrics().horizontalAdvance(path));
    EXPECT_LT(cursorRect().right(), edit->width());

    panel->Port->showPopup();
    QAbstractItemView* list = panel->Port->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    EXPECT_GE(list->viewport()->width(), list->sizeHintForColumn(0));
    EXPECT_GE(list->visualRect(list->model()->index(1, 0)).width(),
              list->fontMetrics().horizontalAdvance(longName));
    panel->Port->hidePopup();
}

TEST(PcComSend, FramesTheTextUpToItsFirstByteOutside20To7F)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    const auto sent = [&](const char* text) {
        meter.ClearReceived();
        panel->SendCommand(text);
        if (!meter.WaitForRequests(1))
            return std::string("(nothing)");
        WaitFor([&] { return !panel->Comm->Sending(); });
        return meter.ReceivedBytes();
    };
    EXPECT_EQ(sent("@GET_KIND\r\n"), "\x02@GET_KIND\x03");
    EXPECT_EQ(sent("\x01@GET_PORT"), "\x02\x03");
    EXPECT_EQ(sent("AB\x80"
                   "CD"),
              "\x02"
              "AB\x03");
    EXPECT_EQ(sent("~\x7F!"), "\x02~\x7F!\x03");
    // An over-long text is cut where the frame buffer ends, not written past it.
    const std::string longText(1500, 'L');
    EXPECT_EQ(sent(longText.c_str()), "\x02" + std::string(1021, 'L') + "\x03");
}

TEST(PcComSend, OnAClosedPortTheErrorPassesToTheCaller)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    try {
        panel->SendCommand("@GET_KIND");
        FAIL() << "no error";
    } catch (const ECommError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("COM1 is not Open."));
    }
}

TEST(PcComReceive, SplitAndJoinedRepliesGiveOneLinePerEtx)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    meter.SendSeparately({"\x06@GET_PO", "RT=0012\x03"});
    int length = 0;
    EXPECT_EQ(NextLine(*panel, &length), "\x06@GET_PORT=0012\x03");
    EXPECT_EQ(length, 14);

    meter.Send(MeterStandIn::Ack("@ONE") + MeterStandIn::Nak("@TWO"));
    EXPECT_EQ(NextLine(*panel), "\x06@ONE\x03");
    EXPECT_EQ(NextLine(*panel), "\x15@TWO\x03");
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), 0);
}

TEST(PcComReceive, ScriptedMeterAnswersEachRequest)
{
    MeterStandIn meter;
    meter.SetScript([](const std::string& request) -> std::vector<std::string> {
        if (request == "@GET_KIND")
            return {MeterStandIn::Ack("@GET_KIND=TACHO,SPEED")};
        if (request == "@SILENT")
            return {};
        return {MeterStandIn::Nak(request)};
    });
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    panel->SendCommand("@GET_KIND");
    EXPECT_EQ(NextLine(*panel), "\x06@GET_KIND=TACHO,SPEED\x03");
    WaitFor([&] { return !panel->Comm->Sending(); });
    panel->SendCommand("@SILENT");
    ASSERT_TRUE(meter.WaitForRequests(2));
    WaitFor([&] { return !panel->Comm->Sending(); });
    panel->SendCommand("@OTHER");
    EXPECT_EQ(NextLine(*panel), "\x15@OTHER\x03");
}

TEST(PcComReceive, LongReplyIsCutTo1021Bytes)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    std::string reply = "\x06";
    while (reply.size() < 1500)
        reply += static_cast<char>('0' + reply.size() % 10);
    meter.Send(reply + "\x03");
    int length = 0;
    EXPECT_EQ(NextLine(*panel, &length), reply.substr(0, 1021) + "\x03");
    EXPECT_EQ(length, 1020);
}

TEST(PcComReceive, OverflowAtTheThirtySecondLineIsReportedOnceAndClosesThePort)
{
    BoxRecorder boxes;
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    std::string burst;
    for (int i = 0; i < 32; ++i)
        burst += MeterStandIn::Ack("@LINE" + std::to_string(i));
    meter.Send(burst);
    ASSERT_TRUE(WaitFor([&] { return panel->Rx.ErrorFlags() != 0; }));

    panel->SendCommand("@NOT_SENT");  // nothing goes out until the overflow is reported
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), -1);
    EXPECT_EQ(boxes.Beeps(), 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("受信バッファオーバーフロー"));
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
    EXPECT_FALSE(panel->Comm->HandleCheck(false));
    EXPECT_TRUE(panel->Port->isEnabled());
    EXPECT_EQ(panel->GetReceivedLine(buffer), 0);
    EXPECT_EQ(boxes.Boxes().size(), 1u);

    panel->SetPortOpen(true);
    panel->SendCommand("@AFTER");
    ASSERT_TRUE(meter.WaitForRequests(1));
    EXPECT_EQ(meter.Requests().front(), "@AFTER");
    meter.Send(MeterStandIn::Ack("@FRESH"));
    EXPECT_EQ(NextLine(*panel), "\x06@FRESH\x03");
}

TEST(PcComReceive, TicksDuringTheOverflowBoxFindAnEmptyRing)
{
    // The monitor timer keeps running while the box is open: a tick then must not report the
    // overflow again nor take stale lines.
    BoxRecorder boxes;
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    std::string burst;
    for (int i = 0; i < 40; ++i)
        burst += MeterStandIn::Ack("@L" + std::to_string(i));
    meter.Send(burst);
    ASSERT_TRUE(WaitFor([&] { return panel->Rx.ErrorFlags() != 0; }));
    int nested = -2;
    auto previous = platform::SetBoxPresenter([&](const platform::BoxRequest&) {
        char inner[1024];
        nested = panel->GetReceivedLine(inner);
        return platform::BoxResult::Abort;
    });
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), -1);
    platform::SetBoxPresenter(previous);
    EXPECT_EQ(nested, 0);
}

TEST(PcComLog, EntriesNameTheControlBytesAndOnlyWhileShown)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    panel->show();
    panel->SendCommand("@GET_KIND");
    meter.Send(MeterStandIn::Ack("@A\xA5\x01") + MeterStandIn::Nak("@B"));
    NextLine(*panel);
    NextLine(*panel);
    EXPECT_EQ(LogLines(*panel), (QStringList{QStringLiteral("Tx:<STX>@GET_KIND<ETX>"),
                                             QStringLiteral("Rx:<ACK>@A<\?\?\?><\?\?\?><ETX>"),
                                             QStringLiteral("Rx:<NAK>@B<ETX>")}));

    panel->Button1->click();  // hides the panel
    EXPECT_FALSE(panel->isVisible());
    WaitFor([&] { return !panel->Comm->Sending(); });
    panel->SendCommand("@HIDDEN");
    meter.Send(MeterStandIn::Ack("@UNSEEN"));
    NextLine(*panel);
    EXPECT_EQ(LogLines(*panel).size(), 3);

    panel->show();
    meter.Send(MeterStandIn::Ack("@SEEN"));
    NextLine(*panel);
    EXPECT_EQ(LogLines(*panel).size(), 4);
    EXPECT_EQ(LogLines(*panel).back(), QStringLiteral("Rx:<ACK>@SEEN<ETX>"));

    panel->Button2->click();
    EXPECT_TRUE(panel->Memo->toPlainText().isEmpty());
    EXPECT_TRUE(panel->isVisible());
}

TEST(PcComLog, KeepsOnlyTheMostRecentEntriesInOrder)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->show();
    constexpr int Frames = 10000;
    for (int i = 0; i < Frames; ++i)
        panel->LogTx(("\x02@F" + std::to_string(i) + "\x03").c_str());
    const QStringList lines = LogLines(*panel);
    ASSERT_EQ(lines.size(), TPCom::LogLines);
    for (int i = 0; i < TPCom::LogLines; ++i) {
        const int frame = Frames - TPCom::LogLines + i;
        ASSERT_EQ(lines[i], QStringLiteral("Tx:<STX>@F%1<ETX>").arg(frame)) << i;
    }
}

TEST(PcComCodecs, HexHelpersOfTheFirmwareExchange)
{
    char text[8] = {};
    char* out = text;
    TPCom::PutHex(out, 0x12345, 3);
    EXPECT_EQ(std::string(text, out), "012345");
    std::uint32_t value = 0;
    EXPECT_TRUE(TPCom::ParseHex(value, "00ff", 2));
    EXPECT_EQ(value, 0xFFu);
}
