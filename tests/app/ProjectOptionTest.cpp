#include <gtest/gtest.h>

#include <deque>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <string>

#include "app/MonitorLoop.h"
#include "app/ProjectOption.h"
#include "app/SetClockRequest.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/FileBytes.h"

using testing_support::ReadAll;

namespace {

// The monitor loop wired to the settings window, with the meter's side played by the test: it
// queues reply lines and reads the requests sent.
class LoopOverWindow : public TMonitorLoop {
public:
    explicit LoopOverWindow(TFProjectOption& window) : window_(window) {}

    std::deque<std::string> replies;  // text after ACK
    std::vector<std::string> sent;

protected:
    int ReceiveLine(char* buffer) override
    {
        if (replies.empty())
            return 0;
        const std::string line = "\x06" + replies.front() + "\x03";
        replies.pop_front();
        std::copy(line.begin(), line.end(), buffer);
        buffer[line.size()] = '\0';
        return int(line.size()) - 2;
    }
    void SendRequest(const char* text) override { sent.emplace_back(text); }
    bool LinkOpen() const override { return true; }
    bool SettingsShown() const override { return window_.isVisible(); }
    std::uint8_t* Context() override { return window_.Context; }
    void ContextToControls() override { window_.ContextToControls(); }
    void AppendSetDateTimeRequest(char*& writePos) override { BuildSetDateTimeRequest(writePos); }
    void ShowMeterClock(const std::string&) override {}
    void SetIndicatorValues() override {}

private:
    TFProjectOption& window_;
};

int Word(const TFProjectOption& window, int offset)
{
    return window.Context[offset] << 8 | window.Context[offset + 1];
}

class SettingsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.Monitor = &loop;
        previousDialogs_ = platform::SetFileDialogPresenter(
            [this](const platform::FileDialogRequest& request) -> std::optional<QString> {
                dialogs.push_back(request);
                if (chosenFiles.empty())
                    return std::nullopt;
                const QString name = chosenFiles.front();
                chosenFiles.pop_front();
                return name;
            });
    }
    void TearDown() override { platform::SetFileDialogPresenter(previousDialogs_); }

    testing_support::BoxRecorder boxes;
    TFProjectOption window;
    LoopOverWindow loop{window};
    QTemporaryDir folder;
    std::deque<QString> chosenFiles;
    std::vector<platform::FileDialogRequest> dialogs;

private:
    platform::FileDialogPresenter previousDialogs_;
};

}  // namespace

TEST_F(SettingsWindow, IsLaidOutWithItsToolBarSheetsAndFormDefaults)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(window.size(), QSize(451, 358));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    const std::vector<std::pair<QToolButton*, std::pair<const char*, const char*>>> buttons = {
        {window.ToolButtonClose, {"Close", "設定を終了"}},
        {window.ToolButtonOpen, {"Open", "設定ファイルを開く"}},
        {window.ToolButtonSave, {"Save", "現在の設定をファイルに保存"}},
        {window.ToolButtonRead, {"Read", "メーターからコンテキストを読み出す"}},
        {window.ToolButtonWrite, {"Write", "メーターに現在のコンテキストを書き込む"}},
        {window.ToolButtonDatetime, {"Set Datetime", "デバイスに日付を設定"}},
    };
    EXPECT_EQ(window.ToolBar->geometry(), QRect(0, 0, 451, 25));
    window.show();  // the tool bar places its buttons when it is first shown
    int lastX = -1;
    for (const auto& [button, texts] : buttons) {
        EXPECT_EQ(button->text(), QString::fromUtf8(texts.first));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(texts.second));
        EXPECT_EQ(button->size(), QSize(69, 21));
        const int x = button->mapTo(&window, QPoint()).x();
        EXPECT_GT(x, lastX) << texts.first;  // left to right in this order
        lastX = x;
    }
    EXPECT_EQ(window.PageControl->tabText(0), QStringLiteral("メーター設定"));
    EXPECT_EQ(window.PageControl->tabText(1), QStringLiteral("ロガー設定"));

    const std::map<std::string, QString> defaults = {{"EditTireLength", "500"},
                                                     {"EditTachoPulse", "1"},
                                                     {"EditSpeedPulse", "1"},
                                                     {"EditAlarmTacho", "3000"}};
    for (const TContextField& field : ContextFieldsInConversionOrder) {
        QLineEdit* edit = window.EditOf(field);
        ASSERT_NE(edit, nullptr) << field.EditName;
        const auto known = defaults.find(field.EditName);
        EXPECT_EQ(edit->text(), known == defaults.end() ? QStringLiteral("0") : known->second);
        EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    }
    // Labelled edits carry their label; the lamp thresholds stand in a row without any.
    const auto labelOf = [](QLineEdit* edit) -> QString {
        for (QLabel* label : edit->parentWidget()->findChildren<QLabel*>())
            if (label->buddy() == edit)
                return label->text();
        return QString();
    };
    EXPECT_EQ(labelOf(window.EditTireLength), QStringLiteral("タイヤ周囲長[mm]"));
    EXPECT_EQ(labelOf(window.EditLightOnTime), QStringLiteral("ON時間[10ms単位]"));
    EXPECT_EQ(labelOf(window.EditIntval[8]), QStringLiteral("OIL PRES"));
    EXPECT_EQ(labelOf(window.EditNewFileIntval), QStringLiteral("ログファイル新規作成間隔[min]"));
    EXPECT_EQ(labelOf(window.EditRevLimit[0]), QString());
    EXPECT_EQ(qobject_cast<QGroupBox*>(window.EditRevLimit[7]->parentWidget())->title(),
              QStringLiteral("シフトアップLED"));
    EXPECT_EQ(window.EditRevLimit[7]->y(), window.EditRevLimit[0]->y());
}

TEST_F(SettingsWindow, WriteTakesTheDefaultsIntoTheContextAndAsksForTheWrite)
{
    window.Context[0] = 0x12;
    window.Context[3] = 0x34;
    window.Context[30] = 0x56;
    window.Context[71] = 0x78;
    window.ToolButtonWrite->click();
    EXPECT_EQ(loop.RequestState, eReqWriteContext);
    EXPECT_EQ(Word(window, 6), 0x01F4);
    EXPECT_EQ(Word(window, 8), 1);
    EXPECT_EQ(Word(window, 10), 1);
    EXPECT_EQ(Word(window, 62), 0x0BB8);
    EXPECT_EQ(Word(window, 0), 0x1200);
    EXPECT_EQ(Word(window, 2), 0x0034);
    EXPECT_EQ(Word(window, 30), 0x5600);
    EXPECT_EQ(Word(window, 70), 0x0078);
    EXPECT_TRUE(boxes.Boxes().empty());

    // What goes out: the 72 bytes in memory order, two upper-case digits each.
    loop.RunMonitorTick();
    ASSERT_EQ(loop.sent.size(), 1u);
    const QByteArray expected =
        "@SET_SYS(" +
        QByteArray(reinterpret_cast<const char*>(window.Context), 72).toHex().toUpper();
    EXPECT_EQ(loop.sent[0], expected.toStdString());
    EXPECT_EQ(loop.sent[0].substr(9 + 12, 12), "01F400010001");
}

TEST_F(SettingsWindow, EditsRoundTripThroughTheContextInTheirSixteenBitForm)
{
    window.EditTireLength->setText(QStringLiteral("-1"));
    window.EditSector->setText(QStringLiteral("70000"));
    window.EditIntval[11]->setText(QStringLiteral("40000"));
    window.ControlsToContext();
    EXPECT_EQ(Word(window, 6), 0xFFFF);
    EXPECT_EQ(Word(window, 32), 4464);
    EXPECT_EQ(Word(window, 60), 0x9C40);
    window.ContextToControls();
    EXPECT_EQ(window.EditTireLength->text(), QStringLiteral("-1"));
    EXPECT_EQ(window.EditSector->text(), QStringLiteral("4464"));
    EXPECT_EQ(window.EditIntval[11]->text(), QStringLiteral("-25536"));
}

TEST_F(SettingsWindow, ANonNumberStopsWriteWithTheConversionErrorAndTheWordsBeforeItStored)
{
    loop.RequestState = eReqPoll;
    window.EditTireLength->setText(QStringLiteral("600"));
    window.EditAlarmTacho->setText(QStringLiteral("4000"));
    // EditTachoPulse comes fifth; EditAlarmTacho after it.
    window.EditTachoPulse->setText(QStringLiteral("abc"));
    window.ToolButtonWrite->click();
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("''abc'' は整数ではありません")});
    EXPECT_EQ(loop.RequestState, eReqPoll);
    EXPECT_EQ(Word(window, 6), 600);
    EXPECT_EQ(Word(window, 10), 1);  // EditSpeedPulse, before it
    EXPECT_EQ(Word(window, 8), 0);
    EXPECT_EQ(Word(window, 62), 0);
}

TEST_F(SettingsWindow, ReadAndSetDatetimeSetTheRequestStateAndNothingElse)
{
    const std::vector<std::uint8_t> before(window.Context, window.Context + 72);
    window.EditTireLength->setText(QStringLiteral("not read"));
    window.ToolButtonRead->click();
    EXPECT_EQ(loop.RequestState, eReqReadContext);
    window.ToolButtonDatetime->click();
    EXPECT_EQ(loop.RequestState, eReqSetClock);
    EXPECT_EQ(std::vector<std::uint8_t>(window.Context, window.Context + 72), before);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SettingsWindow, EnterInAnEditClosesWithOneEscWithMinusOneAndTheHookInForceComesBack)
{
    int mainHookCalls = 0;
    const platform::MessageHook before =
        platform::SetApplicationMessageHook([&](platform::TMessage& message, bool&) {
            mainHookCalls += message.Kind == platform::MessageKind::KeyDown;
        });

    QTimer::singleShot(0, &window, [&] {
        QTest::keyClick(window.EditSector, Qt::Key_5);
        QTest::keyClick(window.EditSector, Qt::Key_Return);
    });
    EXPECT_EQ(window.Execute(), 1);
    EXPECT_FALSE(window.isVisible());
    // While the window was open the previous hook saw no key, not even the digit.
    EXPECT_EQ(mainHookCalls, 0);
    EXPECT_EQ(window.EditSector->text(), QStringLiteral("05"));

    QTimer::singleShot(0, &window, [&] { QTest::keyClick(window.EditIntval[3], Qt::Key_Escape); });
    EXPECT_EQ(window.Execute(), -1);

    QTimer::singleShot(0, &window, [&] { window.ToolButtonClose->click(); });
    EXPECT_EQ(window.Execute(), 1);

    // Closing from the title bar counts as Cancel.
    QTimer::singleShot(0, &window, [&] { window.close(); });
    EXPECT_EQ(window.Execute(), -1);
    EXPECT_EQ(mainHookCalls, 0);

    // The hook that was in force is back.
    QWidget other;
    QTest::keyClick(&other, Qt::Key_F2);
    EXPECT_EQ(mainHookCalls, 1);
    platform::SetApplicationMessageHook(before);
}

TEST_F(SettingsWindow, KeysComingThroughTheWindowSystemCloseItKeysForOtherWindowsDoNot)
{
    // Enter typed into the focused edit, delivered as the platform delivers it: to the window
    // first, then to the control with the focus.
    QTimer::singleShot(0, &window, [&] {
        window.activateWindow();
        window.EditAlarmCoolant->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.EditAlarmCoolant->hasFocus(); }, 10000));
        // A window opened on top of this one (a message box, a file dialog) gets its own Enter.
        QWidget other;
        other.show();
        QTest::keyClick(&other, Qt::Key_Return);
        QTest::keyClick(&other, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        other.close();
        QTest::keyClick(window.windowHandle(), Qt::Key_7);
        QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    });
    EXPECT_EQ(window.Execute(), 1);
    EXPECT_EQ(window.EditAlarmCoolant->text(), QStringLiteral("07"));
}

TEST_F(SettingsWindow, TheLoopCarriesOutReadWriteAndSetDatetimeWhileTheWindowIsShown)
{
    const platform::LocalClock clock =
        platform::SetLocalClock([] { return platform::LocalTime{2016, 9, 6, 17, 13, 45, 7, 0}; });
    // Every word of the meter's context is 200.
    std::string meterContext;
    for (int word = 0; word < 36; ++word)
        meterContext += "00C8";
    int step = 0;
    std::function<void()> drive;
    drive = [&] {
        loop.RunMonitorTick();
        switch (step++) {
        case 0: window.ToolButtonRead->click(); break;
        case 1: loop.replies.push_back("@GET_SYS=" + meterContext); break;
        case 3:
            window.EditTireLength->setText(QStringLiteral("1234"));
            window.ToolButtonWrite->click();
            break;
        case 4: loop.replies.push_back("@SET_SYS"); break;
        case 6: window.ToolButtonDatetime->click(); break;
        case 7: loop.replies.push_back("@SET_DATETIME"); break;
        case 20: window.done(1); return;
        }
        QTimer::singleShot(0, &window, drive);
    };
    QTimer::singleShot(0, &window, drive);
    window.Execute();
    platform::SetLocalClock(clock);

    ASSERT_EQ(loop.sent.size(), 3u);
    EXPECT_EQ(loop.sent[0], "@GET_SYS");
    EXPECT_EQ(loop.sent[1].substr(0, 9), "@SET_SYS(");
    EXPECT_EQ(loop.sent[1].size(), 9u + 144u);
    EXPECT_EQ(loop.sent[1].substr(9, 12), "00C800C800C8");  // the hidden words 0 and 2 as read
    EXPECT_EQ(loop.sent[1].substr(21, 8), "04D200C8");      // 1234 at offset 6, then 8 as read
    EXPECT_EQ(loop.sent[2], "@SET_DATETIME(07451306170936)");
    EXPECT_EQ(window.EditTachoPulse->text(), QStringLiteral("200"));
    EXPECT_EQ(boxes.Beeps(), 2);
}

TEST_F(SettingsWindow, OpenReadsTheChosenNameWithTheConfigExtension)
{
    window.SaveDialog.InitialDir = folder.path();
    QFile file(folder.filePath(QStringLiteral("meter.ZLC")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x00\x00\x00\x00\x00\x0A\x01\xF4", 8));  // shorter than 72 bytes
    file.close();
    window.Context[20] = 0x01;

    chosenFiles.push_back(folder.filePath(QStringLiteral("meter.txt")));
    window.ToolButtonOpen->click();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Kind, platform::FileDialogKind::Open);
    EXPECT_EQ(dialogs[0].InitialDir, folder.path());
    EXPECT_EQ(dialogs[0].Filter, QStringLiteral("コンフィグレーションファイル(*.ZLC)|*.ZLC"));
    EXPECT_EQ(window.EditNewFileIntval->text(), QStringLiteral("10"));
    EXPECT_EQ(window.EditTireLength->text(), QStringLiteral("500"));
    EXPECT_EQ(window.EditTachoPulse->text(), QStringLiteral("0"));  // the context's old bytes
    EXPECT_EQ(window.EditRevLimit[3]->text(), QStringLiteral("256"));

    // A file that is not there, and a cancelled dialog: nothing changes, nothing is shown.
    window.EditSector->setText(QStringLiteral("edited"));
    chosenFiles.push_back(folder.filePath(QStringLiteral("none")));
    window.ToolButtonOpen->click();
    window.ToolButtonOpen->click();
    EXPECT_EQ(window.EditSector->text(), QStringLiteral("edited"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SettingsWindow, SaveWritesTheEditsAsSeventyTwoBytesUnderTheConfigExtension)
{
    window.OpenDialog.InitialDir = folder.path();
    window.Context[70] = 0xAB;
    window.EditSector->setText(QStringLiteral("-2"));
    chosenFiles.push_back(folder.filePath(QStringLiteral("saved.txt")));
    window.ToolButtonSave->click();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Kind, platform::FileDialogKind::Save);
    EXPECT_EQ(dialogs[0].InitialDir, folder.path());
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("saved.txt"))));
    const QByteArray bytes = ReadAll(folder.filePath(QStringLiteral("saved.ZLC")));
    ASSERT_EQ(bytes.size(), 72);
    EXPECT_EQ(bytes.mid(6, 2), QByteArray("\x01\xF4"));
    EXPECT_EQ(bytes.mid(32, 2), QByteArray("\xFF\xFE"));
    EXPECT_EQ(bytes[70], '\xAB');
    EXPECT_EQ(Word(window, 32), 0xFFFE);

    chosenFiles.push_back(folder.filePath(QStringLiteral("plain")));
    window.ToolButtonSave->click();
    EXPECT_EQ(ReadAll(folder.filePath(QStringLiteral("plain.ZLC"))), bytes);
}

TEST_F(SettingsWindow, SaveWithABadEditKeepsTheChosenFileAsItWas)
{
    const QString name = folder.filePath(QStringLiteral("keep.ZLC"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(72, '\x5A'));
    file.close();

    window.EditTireLength->setText(QStringLiteral("700"));
    window.EditSpeedPulse->setText(QStringLiteral("1.5"));
    chosenFiles.push_back(name);
    window.ToolButtonSave->click();
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("''1.5'' は整数ではありません")});
    EXPECT_EQ(ReadAll(name), QByteArray(72, '\x5A'));
    // As with Write, the words before the bad edit have reached the context.
    EXPECT_EQ(Word(window, 6), 700);
    EXPECT_EQ(Word(window, 10), 0);

    // A file that cannot be created: nothing is written, and the box names it.
    boxes.Clear();
    window.EditSpeedPulse->setText(QStringLiteral("3"));
    const QString missing = folder.filePath(QStringLiteral("missing folder/x.ZLC"));
    chosenFiles.push_back(missing);
    window.ToolButtonSave->click();
    EXPECT_EQ(
        boxes.Texts(),
        std::vector<QString>{
            QStringLiteral("ファイル %1 を作成できません\n\rファイルまたはフォルダがありません")
                .arg(missing)});
}
