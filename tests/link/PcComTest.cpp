// The communication panel over a real pseudo-terminal, with the meter stand-in at the other end.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <termios.h>

#include "link/PcCom.h"
#include "tests/link/SerialTesting.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ComboChoice.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/QStringPrinter.h"

using namespace testing_support;

namespace {

std::unique_ptr<TPCom> PanelOn(std::vector<QString> ports)
{
    return std::make_unique<TPCom>(nullptr, [ports] { return ports; });
}

// Waits for the next line out of the ring; "(none)" when none came.
std::string NextLine(TPCom& panel)
{
    char buffer[1024];
    int n = 0;
    if (!WaitFor([&] { return (n = panel.GetReceivedLine(buffer)) != 0; }))
        return "(none)";
    return n < 0 ? "(overflow)" : std::string(buffer);
}

QStringList LogLines(TPCom& panel)
{
    return panel.Memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

TEST(PcCom, TheListOffersThePortsWithTheFirstInTheBoxOrReportsNoneAndGrowsWhenDroppedDown)
{
    BoxRecorder boxes;
    MeterStandIn first;
    auto offered = std::make_shared<std::vector<QString>>(
        std::vector<QString>{QStringLiteral("/dev/null"), first.PortName()});
    auto panel = std::make_unique<TPCom>(nullptr, [offered] { return *offered; });
    ASSERT_EQ(panel->Port->count(), 2);
    EXPECT_EQ(panel->Port->currentText(), QStringLiteral("/dev/null"));
    EXPECT_FALSE(panel->Comm->HandleCheck(false));  // opening it is the main window's business
    // The log fills the panel and the buttons keep to the bottom right.
    panel->show();
    for (const QSize size : {QSize(632, 357), QSize(800, 500)}) {
        panel->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(panel->Memo->geometry(), QRect(-2, -2, size.width() + 2, size.height() - 35));
        EXPECT_EQ(panel->Port->geometry().topLeft(), QPoint(8, size.height() - 29));
        EXPECT_LT(panel->Port->geometry().right(), panel->Button2->x());
        EXPECT_EQ(panel->Button2->geometry(),
                  QRect(size.width() - 162, size.height() - 31, 75, 25));
        EXPECT_EQ(panel->Button1->geometry(), QRect(size.width() - 81, size.height() - 31, 75, 25));
    }

    panel->Port->setCurrentIndex(1);
    panel->SetPortOpen(true);
    EXPECT_EQ(panel->Comm->CommName(), first.PortName());
    // Raw, 115200 baud, eight bits, no parity, one stop bit, no flow control, DTR and RTS held on,
    // as asked of the line (a pseudo-terminal keeps eight bits without parity whatever it is
    // asked).
    const platform::SerialLineRequest line = panel->Comm->Device().LastLineRequest();
    EXPECT_EQ(line.baudRate, 115200u);
    EXPECT_EQ(line.controlFlags & (CBAUD | CSIZE | PARENB | CSTOPB | CRTSCTS), B115200 | CS8);
    EXPECT_FALSE(line.inputFlags & (IXON | IXOFF | ICRNL) || line.outputFlags & OPOST);
    EXPECT_FALSE(line.localFlags & (ICANON | ECHO | ISIG));
    EXPECT_TRUE(line.dtrOn && line.rtsOn);
    EXPECT_GE(panel->Comm->QueueOut(), 1040u);  // a firmware block reply goes in one write
    panel->SetPortOpen(false);
    EXPECT_FALSE(panel->Comm->HandleCheck(false));

    // No port at all is reported once; then nothing opens, goes out or is reported again.
    offered->clear();
    panel = std::make_unique<TPCom>(nullptr, [offered] { return *offered; });
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("使用可能なCOMポートが見つかりません"));
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
    EXPECT_EQ(panel->Comm, nullptr);

    panel->SetPortOpen(true);
    panel->SendCommand("@GET_KIND");
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), 0);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Beeps(), 1);

    // A port that comes later shows once the list drops down, and opens when chosen.
    offered->push_back(first.PortName());
    panel->show();
    testing_support::ChooseFromList(*panel->Port, 0);
    ASSERT_TRUE(panel->Comm && panel->Comm->HandleCheck(false));
    EXPECT_EQ(panel->Comm->CommName(), first.PortName());
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
    // Clears the box and types the text, calling afterEachKey after every key.
    void Type(
        const std::string& text, const std::function<void()>& afterEachKey = [] {})
    {
        QTest::keyClick(panel->Port, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(panel->Port, Qt::Key_Delete);
        for (const char c : text) {
            QTest::keyClick(panel->Port, c);
            afterEachKey();
        }
    }

    BoxRecorder boxes;
    MeterStandIn listed;
    MeterStandIn typed;  // a terminal not in the list, reached only by typing its path
    std::unique_ptr<TPCom> panel;
};

TEST_F(PcComPortBox, ShowsWholePathsAndATypedPathOpensOnEnterOrLeavingABadOneReportedOnce)
{
    // The list opens as wide as its longest name.
    QTemporaryDir folder;
    const QString longName = folder.filePath(QStringLiteral("usb-FTDI_FT232R_A50285BI-ttyUSB0"));
    ASSERT_TRUE(QFile::link(listed.PortName(), longName));
    Show({listed.PortName(), longName});
    panel->Port->showPopup();
    QAbstractItemView* list = panel->Port->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    EXPECT_GE(list->visualRect(list->model()->index(1, 0)).width(),
              list->fontMetrics().horizontalAdvance(longName));
    panel->Port->hidePopup();
    // A whole device path shows in the box: unscrolled, the text's end lies the text's width
    // right of its start, inside the box.
    const QString path = QStringLiteral("/dev/ttyUSB0");
    QLineEdit* edit = panel->Port->lineEdit();
    const auto cursorRect = [edit] {
        return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    };
    panel->Port->setEditText(path);
    edit->setCursorPosition(0);
    const int start = cursorRect().center().x();
    edit->setCursorPosition(static_cast<int>(path.size()));
    EXPECT_EQ(cursorRect().center().x() - start, edit->fontMetrics().horizontalAdvance(path));
    EXPECT_LT(cursorRect().right(), edit->width());

    // Choosing the entry shown opens it, also over a text typed meanwhile; choosing another one
    // while it is open switches to it (here the same line under another name, which opens only
    // once the first is closed).
    Type("/dev/zolt-half");
    Choose(0);
    ASSERT_TRUE(Open());
    EXPECT_EQ(panel->Comm->CommName(), listed.PortName());
    Choose(1);
    ASSERT_TRUE(Open());
    EXPECT_EQ(panel->Comm->CommName(), longName);
    const termios before = typed.LineSettings();
    // Every prefix of the path names some other device: none of them is opened or touched, and
    // the open port stays open until the name is confirmed.
    Type(typed.SlavePath(), [&] {
        ASSERT_EQ(panel->Comm->CommName(), longName);
        ASSERT_EQ(typed.LineSettings().c_lflag, before.c_lflag);
    });
    QTest::keyClick(panel->Port, Qt::Key_Return);
    ASSERT_TRUE(Open());
    EXPECT_EQ(panel->Comm->CommName(), typed.PortName());

    Type("/dev/zolt-no-such-port");
    QTest::keyClick(panel->Port, Qt::Key_Enter);
    EXPECT_FALSE(Open());
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{
                                 QStringLiteral("通信ポート /dev/zolt-no-such-port を開けません\n\r"
                                                "そのようなファイルやディレクトリはありません")});
    // Leaving the box without a new name tries nothing again; Enter tries the same name again.
    panel->Button2->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    panel->Port->setFocus();
    QTest::keyClick(panel->Port, Qt::Key_Return);
    EXPECT_EQ(boxes.Boxes().size(), 2u);

    Type(typed.SlavePath());
    EXPECT_FALSE(Open());
    panel->Button2->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Open(); }));
    EXPECT_EQ(panel->Comm->CommName(), typed.PortName());
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    panel->Port->showPopup();  // made again, the list keeps the name of the port open under it
    EXPECT_EQ(panel->Port->currentText(), typed.PortName());
}

TEST(PcCom, RequestsAreFramedUpToTheFirstByteOutside20To7FAndLoggedWhileThePanelIsShown)
{
    MeterStandIn meter;
    auto panel = PanelOn({meter.PortName()});
    panel->SetPortOpen(true);
    const auto sent = [&](const std::string& text) {
        meter.ClearReceived();
        panel->SendCommand(text.c_str());
        if (!meter.WaitForRequests(1))
            return std::string("(nothing)");
        WaitFor([&] { return !panel->Comm->Sending(); });
        return meter.ReceivedBytes();
    };
    EXPECT_EQ(sent("\x01@GET_PORT"), "\x02\x03");
    EXPECT_EQ(sent("AB\200CD"), "\002AB\003");
    EXPECT_EQ(sent("~\x7F!"), "\x02~\x7F!\x03");
    // An over-long text is cut where the frame buffer ends, not written past it.
    EXPECT_EQ(sent(std::string(1500, 'L')), "\x02" + std::string(1021, 'L') + "\x03");

    panel->show();
    EXPECT_EQ(sent("@GET_KIND\r\n"), "\x02@GET_KIND\x03");
    meter.Send(MeterStandIn::Ack("@A\xA5\x01") + MeterStandIn::Nak("@B"));
    EXPECT_EQ(NextLine(*panel), "\x06@A\xA5\x01\x03");
    EXPECT_EQ(NextLine(*panel), "\x15@B\x03");
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), 0);
    EXPECT_EQ(LogLines(*panel), (QStringList{QStringLiteral("Tx:<STX>@GET_KIND<ETX>"),
                                             QStringLiteral("Rx:<ACK>@A<\?\?\?><\?\?\?><ETX>"),
                                             QStringLiteral("Rx:<NAK>@B<ETX>")}));
    // Cleared, the log keeps only its latest entries.
    panel->Button2->click();
    EXPECT_TRUE(panel->Memo->toPlainText().isEmpty());
    for (int i = 0; i < TPCom::LogLines + 10; ++i)
        panel->LogTx(("\x02@F" + std::to_string(i) + "\x03").c_str());
    const QStringList lines = LogLines(*panel);
    EXPECT_EQ(lines.size(), TPCom::LogLines);
    EXPECT_EQ(lines.front(), QStringLiteral("Tx:<STX>@F10<ETX>"));
    panel->Button1->click();  // hides the panel
    EXPECT_FALSE(panel->isVisible());
}

TEST(PcCom, AnOverflowIsReportedOnceEvenToTicksDuringItsBoxAndClosesThePort)
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
    // The monitor timer keeps running while the box is open: a tick then must not report the
    // overflow again nor take stale lines.
    int nested = -2;
    platform::BoxPresenter recorder;
    recorder = platform::SetBoxPresenter([&](const platform::BoxRequest& box) {
        char inner[1024];
        nested = panel->GetReceivedLine(inner);
        return recorder(box);
    });
    char buffer[1024];
    EXPECT_EQ(panel->GetReceivedLine(buffer), -1);
    platform::SetBoxPresenter(recorder);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("受信バッファオーバーフロー")});
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
