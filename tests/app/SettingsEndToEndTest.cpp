// The settings window in the real application (offscreen) against a meter stand-in over a
// pseudo-terminal, and the application configuration file through start and close. Ticks are
// driven by hand: the monitor timer is stopped after start-up and, while the settings window is
// open, the test runs the timer's handler from inside the window's modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

#include "app/ApplicationForms.h"
#include "app/Main.h"
#include "app/ProjectOption.h"
#include "link/PcCom.h"
#include "platform/Cp932.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "tests/support/ApplicationOnMeter.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/WindowSystem.h"

using testing_support::MeterStandIn;
using testing_support::ReadAll;
using testing_support::WriteAll;

using testing_support::SettledOuterGeometry;

namespace {

// The meter's context: word i holds 100 * i (words 0, 2, 30 and 70 included).
std::string MeterContextDigits()
{
    std::string digits;
    for (int word = 0; word < 36; ++word)
        digits += QByteArray::number(100 * word, 16).toUpper().rightJustified(4, '0').toStdString();
    return digits;
}

std::vector<std::string> Meter(const std::string& request)
{
    if (request == "@GET_KIND")
        return {MeterStandIn::Ack("@GET_KIND=TACHO,SPEED")};
    if (request == "@GET_PORT")
        return {MeterStandIn::Ack("@GET_PORT=0BB8FF38")};
    if (request == "@GET_DATETIME")
        return {MeterStandIn::Ack("@GET_DATETIME=07451306170936")};
    if (request == "@GET_SYS")
        return {MeterStandIn::Ack("@GET_SYS=" + MeterContextDigits())};
    if (request.rfind("@SET_SYS(", 0) == 0)
        return {MeterStandIn::Ack("@SET_SYS")};
    if (request.rfind("@SET_DATETIME(", 0) == 0)
        return {MeterStandIn::Ack("@SET_DATETIME")};
    return {};
}

class Application : public testing_support::ApplicationOnMeter {
protected:
    void TearDown() override
    {
        ApplicationOnMeter::TearDown();
        platform::SetFileDialogPresenter(previousDialogs_);
    }

    using ApplicationOnMeter::Start;
    void Start() { Start(Meter); }

    void Close()
    {
        MainForm->close();
        forms.reset();
    }

    // Opens the settings window with the main window's button and runs the scenario inside its
    // modal loop; the scenario must close the window. Answers Execute's result through the
    // window's result code.
    void WithSettingsOpen(const std::function<void()>& scenario)
    {
        QTimer::singleShot(0, FProjectOption, [scenario] {
            scenario();
            if (FProjectOption->isVisible())
                FProjectOption->done(1);
        });
        QTest::mouseClick(MainForm->ToolButtonSetting, Qt::LeftButton);
        ASSERT_FALSE(FProjectOption->isVisible());
    }

    void ChooseFiles(std::vector<QString> names)
    {
        auto queue = std::make_shared<std::vector<QString>>(std::move(names));
        previousDialogs_ = platform::SetFileDialogPresenter(
            [queue](const platform::FileDialogRequest&) -> std::optional<QString> {
                if (queue->empty())
                    return std::nullopt;
                const QString name = queue->front();
                queue->erase(queue->begin());
                return name;
            });
    }

    QString ConfigFile() const { return folder.filePath(QStringLiteral("ZOLT.ZLC")); }

private:
    platform::FileDialogPresenter previousDialogs_;
};

}  // namespace

TEST_F(Application, TheSettingsWindowReadsWritesAndSetsTheClockThroughTheMonitorLoop)
{
    const platform::LocalClock systemClock =
        platform::SetLocalClock([] { return platform::LocalTime{2016, 9, 6, 17, 13, 45, 7, 250}; });
    Start();
    Tick();  // "@GET_KIND", answered
    ASSERT_EQ(meter.Requests(), std::vector<std::string>{"@GET_KIND"});

    std::vector<std::string> whileShown;
    WithSettingsOpen([&] {
        const QPoint offset = SettledOuterGeometry(*FProjectOption).center() -
                              SettledOuterGeometry(*MainForm).center();
        EXPECT_LE(offset.manhattanLength(), 8);  // centred on the main window, give or take a frame

        // The reply that was waiting is taken; after it the loop sends nothing of its own.
        Ticks(25);
        EXPECT_EQ(meter.Requests().size(), 1u);

        QTest::mouseClick(FProjectOption->ToolButtonRead, Qt::LeftButton);
        Ticks(2);  // "@GET_SYS" out, its reply in
        EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("300"));   // word 3
        EXPECT_EQ(FProjectOption->EditAlarmTacho->text(), QStringLiteral("3100"));  // word 31
        EXPECT_EQ(FProjectOption->EditIntval[11]->text(), QStringLiteral("3000"));  // word 30

        FProjectOption->EditTireLength->setText(QStringLiteral("-1"));
        QTest::mouseClick(FProjectOption->ToolButtonWrite, Qt::LeftButton);
        Ticks(2);
        QTest::mouseClick(FProjectOption->ToolButtonDatetime, Qt::LeftButton);
        Ticks(2);
        Ticks(15);
        whileShown = meter.Requests();

        // F2 belongs to the main window's hook, which is not in force now.
        QTest::keyClick(FProjectOption->EditSector, Qt::Key_F2);
        EXPECT_FALSE(PCom->isVisible());
        QTest::keyClick(FProjectOption->EditSector, Qt::Key_Escape);
    });
    platform::SetLocalClock(systemClock);

    ASSERT_EQ(whileShown.size(), 4u);
    EXPECT_EQ(whileShown[1], "@GET_SYS");
    const std::string& write = whileShown[2];
    ASSERT_EQ(write.substr(0, 9), "@SET_SYS(");
    const std::string digits = write.substr(9);
    ASSERT_EQ(digits.size(), 144u);
    EXPECT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(digits.substr(0, 12), MeterContextDigits().substr(0, 12));  // words 0, 2, 4 as read
    EXPECT_EQ(digits.substr(12, 4), "FFFF");                              // word 6 edited
    EXPECT_EQ(digits.substr(120), MeterContextDigits().substr(120));
    EXPECT_EQ(whileShown[3], "@SET_DATETIME(07451306170936)");
    EXPECT_EQ(boxes.Beeps(), 2);  // the write's and the clock's acknowledgements
    EXPECT_TRUE(boxes.Boxes().empty());

    // Closed: the main window's hook is back and the loop asks for the channel list again.
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    EXPECT_TRUE(PCom->isVisible());
    Ticks(10);
    ASSERT_GT(meter.Requests().size(), 5u);
    EXPECT_EQ(meter.Requests()[4], "@GET_KIND");
}

TEST_F(Application, ABadContextReplyIsReportedAndTheEditsKeepTheirTexts)
{
    Start();
    Tick();
    WithSettingsOpen([&] {
        Tick();
        FProjectOption->EditSector->setText(QStringLiteral("12"));
        std::string reply = MeterContextDigits();
        reply[40] = 'a';  // a lower-case digit is no digit here
        UseScript([reply](const std::string& request) -> std::vector<std::string> {
            if (request == "@GET_SYS")
                return {MeterStandIn::Ack("@GET_SYS=" + reply)};
            return Meter(request);
        });
        QTest::mouseClick(FProjectOption->ToolButtonRead, Qt::LeftButton);
        Ticks(2);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<QString>{QStringLiteral("受信データエラー\n\r中断しました")});
        EXPECT_EQ(boxes.Beeps(), 1);
        EXPECT_EQ(FProjectOption->EditSector->text(), QStringLiteral("12"));
        EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("500"));
        EXPECT_TRUE(FProjectOption->isVisible());
    });
}

TEST_F(Application, AnEditThatIsNoIntegerStopsWriteAndTheWindowStaysOpen)
{
    Start();
    Tick();
    WithSettingsOpen([&] {
        Tick();
        FProjectOption->EditAlarmOilTemp->setText(QStringLiteral("12x"));
        QTest::mouseClick(FProjectOption->ToolButtonWrite, Qt::LeftButton);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<QString>{QStringLiteral("''12x'' は整数ではありません")});
        EXPECT_TRUE(FProjectOption->isVisible());
        EXPECT_EQ(MainForm->RequestState, eReqIdle);
        Ticks(12);
        EXPECT_EQ(meter.Requests().size(), 1u);  // no "@SET_SYS("
    });
}

TEST_F(Application, AFirstRunWritesAZeroContextThatTheNextStartShows)
{
    Start();
    EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("500"));
    Close();

    const QByteArray bytes = ReadAll(ConfigFile());
    ASSERT_EQ(bytes.size(), 328);
    EXPECT_EQ(bytes.left(72), QByteArray(72, '\0'));
    const QByteArray folderText = QFile::encodeName(folder.path() + QLatin1Char('/'));
    EXPECT_EQ(bytes.mid(72, folderText.size()), folderText);
    EXPECT_EQ(bytes[72 + folderText.size()], '\0');

    Start();
    for (const TContextField& field : ContextFieldsInConversionOrder)
        EXPECT_EQ(FProjectOption->EditOf(field)->text(), QStringLiteral("0")) << field.EditName;
}

TEST_F(Application, TheConfigurationFileComesBackUnchangedThroughStartAndClose)
{
    QByteArray original(328, '\0');
    for (int i = 0; i < 72; ++i)
        original[i] = char(i * 3 + 1);
    const QByteArray firmwareFolder =
        QByteArray::fromStdString(platform::ToCp932(QStringLiteral("/ファーム/v2.mot")));
    original.replace(72, firmwareFolder.size(), firmwareFolder);
    for (int i = 72 + int(firmwareFolder.size()) + 1; i < 328; ++i)
        original[i] = char(i);
    WriteAll(ConfigFile(), original);

    Start();
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, QStringLiteral("/ファーム/v2.mot"));
    EXPECT_EQ(FProjectOption->EditTireLength->text(), QString::number(qint16(0x1316)));
    Close();
    EXPECT_EQ(ReadAll(ConfigFile()), original);
}

TEST_F(Application, AShortConfigurationFileFillsOnlyTheBytesItHas)
{
    WriteAll(ConfigFile(), QByteArray("\x00\x01\x00\x02\x00\x03\x00\x04", 8));
    Start();
    EXPECT_EQ(FProjectOption->EditNewFileIntval->text(), QStringLiteral("3"));
    EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("4"));
    EXPECT_EQ(FProjectOption->EditTachoPulse->text(), QStringLiteral("0"));
    // The folder field was empty: the dialog starts nowhere in particular.
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, QString());
    Close();
    const QByteArray bytes = ReadAll(ConfigFile());
    ASSERT_EQ(bytes.size(), 328);
    EXPECT_EQ(bytes.left(8), QByteArray("\x00\x01\x00\x02\x00\x03\x00\x04", 8));
    EXPECT_EQ(bytes.mid(8), QByteArray(320, '\0'));
}

TEST_F(Application, TheChosenFirmwareFileIsKeptAtByteSeventyTwo)
{
    // A file that is not there: the exchange reports it and does not start, but the choice is
    // made and kept.
    const QString firmware = folder.filePath(QStringLiteral("新版/zolt.mot"));
    ChooseFiles({firmware});
    Start();
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, firmware);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    Close();

    const QByteArray bytes = ReadAll(ConfigFile());
    const QByteArray name = QByteArray::fromStdString(platform::ToCp932(firmware));
    EXPECT_EQ(bytes.mid(72, name.size()), name);
    EXPECT_EQ(bytes[72 + name.size()], '\0');
}

TEST_F(Application, AContextSavedFromTheSettingsWindowOpensAgain)
{
    ChooseFiles({folder.filePath(QStringLiteral("meter.txt")),
                 folder.filePath(QStringLiteral("meter.ZLC")), ConfigFile()});
    Start();
    WithSettingsOpen([&] {
        FProjectOption->EditSector->setText(QStringLiteral("40000"));
        QTest::mouseClick(FProjectOption->ToolButtonSave, Qt::LeftButton);
        EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("meter.ZLC"))));
        EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("meter.txt"))));
        FProjectOption->EditSector->setText(QStringLiteral("1"));
        QTest::mouseClick(FProjectOption->ToolButtonOpen, Qt::LeftButton);
        EXPECT_EQ(FProjectOption->EditSector->text(), QStringLiteral("-25536"));
    });
    Close();
    // The configuration file opens as a context file too.
    Start();
    WithSettingsOpen([&] {
        FProjectOption->EditSector->setText(QStringLiteral("1"));
        QTest::mouseClick(FProjectOption->ToolButtonOpen, Qt::LeftButton);
        EXPECT_EQ(FProjectOption->EditSector->text(), QStringLiteral("-25536"));
    });
}
