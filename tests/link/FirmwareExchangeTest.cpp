// The firmware exchange driven directly: the meter's lines go in, the steps it gives back are
// checked. Its files are real files made by srec_cat and objcopy in a temporary folder.
#include "link/FirmwareExchange.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "link/SRecordImage.h"
#include "platform/RegularFile.h"
#include "tests/support/FileNodes.h"
#include "tests/support/SRecordFiles.h"
#include "tests/support/Xmodem.h"

using testing_support::LinesOf;
using testing_support::ReadText;
using testing_support::SrecCat;
using testing_support::WriteText;

namespace {

const QString Done = QStringLiteral("プログラミング完了！\n\r");

std::string HexText(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// A block reply taken apart: STX, address, count, data and CRC, each checked on its own.
void ExpectBlockReply(const FirmwareStep& step, std::uint32_t address,
                      const std::vector<std::uint8_t>& data)
{
    const std::string& frame = step.blockReply;
    ASSERT_EQ(frame.size(), 1 + 6 + 4 + 2 * data.size() + 4 + 1) << frame;
    EXPECT_EQ(frame.front(), '\x02');
    EXPECT_EQ(frame.back(), '\x03');
    const std::string reply = frame.substr(1, frame.size() - 2);
    EXPECT_EQ(reply.substr(0, 6), HexText(address, 6));
    EXPECT_EQ(reply.substr(6, 4), HexText(static_cast<std::uint32_t>(data.size()), 4));
    std::string digits;
    for (const std::uint8_t byte : data)
        digits += HexText(byte, 2);
    EXPECT_EQ(reply.substr(10, 2 * data.size()), digits);
    EXPECT_EQ(reply.substr(reply.size() - 4),
              testing_support::XmodemCrcDigits(reply.substr(0, reply.size() - 4)));
    EXPECT_FALSE(step.command);
}

class FirmwareExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_NO_FATAL_FAILURE(
            testing_support::MakeWholeFirmwareFiles(dir.path().toStdString(), wholeFiles));
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    // Loads and starts; the start announces itself.
    void Start(const std::string& path)
    {
        const std::optional<FirmwareReport> refusal = exchange.Load(QString::fromStdString(path));
        ASSERT_FALSE(refusal) << refusal->text.toStdString();
        const FirmwareStep start = exchange.Start();
        ASSERT_EQ(start.command, "@START_RTSP");
        EXPECT_EQ(start.progress, 0);
        EXPECT_TRUE(exchange.Running());
    }
    FirmwareStep Meter(std::string_view text) { return exchange.HandleLine(text); }
    // The meter asks for every line; answers what it was sent.
    std::vector<std::string> AskForEveryLine()
    {
        std::vector<std::string> sent;
        for (FirmwareStep step = Meter("@READY"); step.command; step = Meter("@READY")) {
            EXPECT_EQ(step.progress, exchange.BytesSent);
            sent.push_back(*step.command);
        }
        return sent;
    }
    void ExpectEndedWith(const FirmwareStep& step, const QString& text)
    {
        EXPECT_TRUE(step.ended);
        EXPECT_FALSE(step.command);
        ASSERT_TRUE(step.report);
        EXPECT_EQ(step.report->text, text);
        EXPECT_EQ(step.report->icon, platform::BoxIcon::Error);
        EXPECT_EQ(step.report->buttons, platform::BoxButtons::Abort);
        EXPECT_FALSE(exchange.Running());
        EXPECT_FALSE(exchange.Programming);
    }

    QTemporaryDir dir;
    std::vector<std::string> wholeFiles;
    TFirmwareExchange exchange;
};

}  // namespace

TEST_F(FirmwareExchange, WholeFilesGoLineByLineAsTheMeterAsksToSuccess)
{
    for (const std::string& file : wholeFiles) {
        SCOPED_TRACE(file);
        const std::vector<std::string> lines = LinesOf(file);
        ASSERT_GT(lines.size(), 5u);
        ASSERT_NO_FATAL_FAILURE(Start(file));
        EXPECT_EQ(exchange.FileBytesLeft, static_cast<std::int32_t>(ReadText(file).size()));

        EXPECT_EQ(Meter("@PROJECT_NAME").command, "@PROJECT_ZOLT");
        EXPECT_TRUE(exchange.Programming);
        // Asked again at any time; other keywords are not for this exchange.
        std::vector<std::string> sent{*Meter("@READY").command, *Meter("@READY").command};
        EXPECT_EQ(Meter("@PROJECT_NAME").command, "@PROJECT_ZOLT");
        const FirmwareStep other = Meter("@VERSION=1.2");
        EXPECT_FALSE(other.command || other.ended || other.progress);
        const std::vector<std::string> rest = AskForEveryLine();
        sent.insert(sent.end(), rest.begin(), rest.end());
        EXPECT_EQ(sent, lines);
        EXPECT_EQ(exchange.LineNumber, static_cast<std::int32_t>(lines.size()));
        EXPECT_EQ(exchange.BytesSent, static_cast<std::int32_t>(ReadText(file).size()));
        EXPECT_TRUE(exchange.Running());  // the meter still has to report

        const FirmwareStep done = Meter("@SUCCESS");
        EXPECT_TRUE(done.ended);
        ASSERT_TRUE(done.report);
        EXPECT_EQ(done.report->text, Done);
        EXPECT_EQ(done.report->icon, platform::BoxIcon::Information);
        EXPECT_EQ(done.report->buttons, platform::BoxButtons::Ok);
        EXPECT_FALSE(exchange.Running());
    }
}

namespace {

// The text with an edit at the offset into a line (lines from 1).
std::string Edited(std::string text, int line, std::size_t offset,
                   const std::function<void(std::string&, std::size_t)>& edit)
{
    std::size_t at = 0;
    for (int i = 1; i < line; ++i)
        at = text.find('\n', at) + 1;
    edit(text, at + offset);
    return text;
}

std::function<void(std::string&, std::size_t)> Put(char c)
{
    return [c](std::string& text, std::size_t at) { text[at] = c; };
}

void ChangeChecksum(std::string& text, std::size_t at)
{
    char& digit = text[text.find_first_of("\r\n", at) - 1];
    digit = digit == '0' ? '1' : '0';
}

}  // namespace

TEST_F(FirmwareExchange, DamagedFilesAreRefusedWithTheirFirstBadLineAndChangeNothing)
{
    const std::string s1 = ReadText(wholeFiles[0]);  // 40 lines, CR LF
    const std::string s2 = ReadText(wholeFiles[1]);  // 21 lines, LF
    const std::string s3 = ReadText(wholeFiles[2]);  // lines of 256 bytes with CR LF
    ASSERT_FALSE(s1.empty() || s2.empty() || s3.empty());
    std::string crOnly = s2;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    std::string binary(300, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i % 9 == 0 ? 0x7F : 0x80 + i % 100);
    const std::string data = Path("firmware.bin");
    // Records from 0x53FF0: the first ends at the image's end, the second lies beyond it.
    SrecCat("'" + data + "' -binary -offset 0x53FF0 -o '" + Path("past.mot") +
            "' -motorola -address-length=3");
    // Lines of 300 characters.
    SrecCat("'" + data + "' -binary -o '" + Path("long.mot") + "' -motorola -line-length=304");

    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"checksum", Edited(s1, 6, 0, ChangeChecksum), "チェックサムエラー！\n\rLINE=6"},
        {"hex digit", Edited(s2, 3, 12, Put('G')), "不正文字！\n\rLINE=3"},
        {"count", Edited(s1, 7, 3, Put('2')), "不正バイト数！\n\rLINE=7"},
        {"odd digits", Edited(s2, 4, 20, [](std::string& t, std::size_t at) { t.erase(at, 1); }),
         "不正バイト数！\n\rLINE=4"},
        {"past the image", ReadText(Path("past.mot")), "アドレス範囲外！\n\rLINE=3"},
        {"300-byte line", ReadText(Path("long.mot")), "不正ライン長！\n\rLINE=2"},
        {"257-byte line",
         Edited(s3, 3, 10, [](std::string& t, std::size_t at) { t.insert(at, "0"); }),
         "不正ライン長！\n\rLINE=3"},
        {"CR-only line ends", crOnly, "不正改行コード！\n\rLINE=1"},
        {"CR inside a line", Edited(s2, 4, 30, Put('\r')), "不正改行コード！\n\rLINE=4"},
        {"empty line",
         Edited(s1, 11, 0, [](std::string& t, std::size_t at) { t.insert(at, "\r\n"); }),
         "不正レコード！\n\rLINE=11"},
        {"no record type", Edited(s1, 2, 1, Put('4')), "不正レコード！\n\rLINE=2"},
        {"no LF at the end", s2.substr(0, s2.size() - 1), "不正ライン長！\n\rLINE=21"},
        {"no LF at all", binary, "不正ライン長！\n\rLINE=1"},
    };
    // A refusal leaves a running exchange as it was.
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[0]));
    const std::vector<std::string> lines = LinesOf(wholeFiles[0]);
    EXPECT_EQ(Meter("@READY").command, lines[0]);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Path("damaged.mot");
        WriteText(path, c.bytes);
        const std::optional<FirmwareReport> refusal = exchange.Load(QString::fromStdString(path));
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, QString::fromUtf8(c.message));
        EXPECT_EQ(refusal->icon, platform::BoxIcon::Error);
        EXPECT_EQ(refusal->buttons, platform::BoxButtons::Abort);
    }
    EXPECT_TRUE(exchange.Running());
    EXPECT_EQ(Meter("@READY").command, lines[1]);
}

TEST_F(FirmwareExchange, ErrFromTheMeterEndsTheExchange)
{
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[1]));
    Meter("@READY");
    ExpectEndedWith(Meter("@ERR_CODE=5"), QStringLiteral("エラー\n\r中断しました"));
}

TEST_F(FirmwareExchange, OnlyRegularFilesOfAtMost16MBAreRead)
{
    const QString missing = dir.filePath(QStringLiteral("ファーム.mot"));
    const std::optional<FirmwareReport> notFound = exchange.Load(missing);
    ASSERT_TRUE(notFound);
    EXPECT_EQ(notFound->text, QStringLiteral("ファイルが見つかりません\n\r") + missing);

    // A FIFO or a device would block in open(), or never end: refused without a wait.
    const QString fifo = dir.filePath(QStringLiteral("fifo.mot"));
    const QString toFifo = dir.filePath(QStringLiteral("to-fifo.mot"));
    const QString toDevice = dir.filePath(QStringLiteral("to-null.mot"));
    const QString folder = dir.filePath(QStringLiteral("folder.mot"));
    const QString large = dir.filePath(QStringLiteral("large.mot"));
    ASSERT_TRUE(testing_support::MakeNode(fifo, testing_support::Node::Fifo));
    ASSERT_TRUE(testing_support::MakeNode(folder, testing_support::Node::Folder));
    ASSERT_TRUE(QFile::link(fifo, toFifo));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), toDevice));
    QFile largeFile(large);
    ASSERT_TRUE(largeFile.open(QIODevice::WriteOnly) && largeFile.resize(16 * 1024 * 1024 + 1));
    const auto notRegular = [](const char* kind) {
        return QStringLiteral("通常のファイルではありません（%1）").arg(QString::fromUtf8(kind));
    };
    const struct {
        QString name;
        QString reason;
    } cases[] = {
        {fifo, notRegular("FIFO")},
        {toFifo, notRegular("FIFO")},
        {toDevice, notRegular("デバイス")},
        {folder, notRegular("フォルダ")},
        {large, QStringLiteral("ファイルが大きすぎます（16777217 バイト、上限 16777216 バイト）")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const std::uint64_t identity = testing_support::NodeIdentity(c.name);
        const std::optional<FirmwareReport> refusal = exchange.Load(c.name);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, platform::CannotReadMessage(c.name, c.reason));
        EXPECT_EQ(refusal->buttons, platform::BoxButtons::Abort);
        EXPECT_EQ(testing_support::NodeIdentity(c.name), identity);
    }
    EXPECT_EQ(testing_support::NodeIdentity(fifo) >> 32, std::uint64_t{S_IFIFO});
}

TEST_F(FirmwareExchange, AnEmptyFileHasNothingToSend)
{
    const std::string path = Path("empty.mot");
    WriteText(path, "");
    ASSERT_NO_FATAL_FAILURE(Start(path));
    EXPECT_EQ(exchange.FileBytesLeft, 0);
    const FirmwareStep step = Meter("@READY");
    EXPECT_FALSE(step.command || step.ended);
    EXPECT_TRUE(exchange.Running());
}

TEST_F(FirmwareExchange, BlockRequestsAreAnsweredFromTheFilesImageUntilItsEnd)
{
    // The image as srec_cat sees the S2 file, 0xFF in the gaps; its data are 600 bytes from
    // 0x30000.
    const std::string bin = Path("image.bin");
    SrecCat("'" + wholeFiles[1] + "' -fill 0xFF 0 0x54000 -o '" + bin + "' -binary");
    const std::vector<std::uint8_t> image = testing_support::ReadBytes(bin);
    ASSERT_EQ(image.size(), static_cast<std::size_t>(FirmwareImageSize));
    const auto bytes = [&](std::size_t from, std::size_t to) {
        return std::vector<std::uint8_t>(image.begin() + from, image.begin() + to);
    };
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[1]));
    EXPECT_EQ(exchange.ImageEnd, 0x30000 + 600);

    FirmwareStep step = Meter("0300000010");
    ExpectBlockReply(step, 0x30000, bytes(0x30000, 0x30010));
    EXPECT_EQ(step.progress, 0x30010);
    // Lower-case digits and whatever follows the ten digits.
    ExpectBlockReply(Meter("03010a0070;x"), 0x3010A, bytes(0x3010A, 0x3017A));
    // The largest block runs past the end of the data into erased bytes.
    ExpectBlockReply(Meter("0301000200"), 0x30100, bytes(0x30100, 0x30300));
    // A block of nothing but erased bytes carries no data.
    ExpectBlockReply(Meter("000100000C"), 0x100, {});
    EXPECT_TRUE(exchange.Running());

    // At the end of the data the meter is told so, and the exchange is over without a word.
    step = Meter("0302580010");
    EXPECT_TRUE(step.ended);
    EXPECT_EQ(step.command, "@END");
    EXPECT_FALSE(step.report);
    EXPECT_FALSE(exchange.Running());
}

TEST_F(FirmwareExchange, MalformedBlockRequestsEndTheExchangeWithTheirMessage)
{
    struct Case {
        const char* request;
        const char* message;
    };
    const Case cases[] = {
        {"00010G0010", "キャラクタエラー\n\r"},
        {"00010", "キャラクタエラー\n\r"},
        {"053FFF0002", "転送アドレスエラー\n\r053FFF"},
        {"0000000201", "転送サイズエラー\n\r0201"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[1]));
        ExpectEndedWith(Meter(c.request), QString::fromUtf8(c.message));
    }
}

TEST_F(FirmwareExchange, AnErrorOfTheLineEndsARunningExchangeWithItsMessage)
{
    const QString message = QStringLiteral("/dev/ttyUSB0: 入出力エラー");
    EXPECT_FALSE(exchange.EndWithError(message).ended);  // nothing runs yet
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[0]));
    Meter("@READY");
    ExpectEndedWith(exchange.EndWithError(message), message);
    EXPECT_FALSE(exchange.EndWithError(message).report);  // only once

    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[0]));
    exchange.Abort();  // the user closed the progress window
    EXPECT_FALSE(exchange.Running());
    EXPECT_FALSE(exchange.EndWithError(message).report);
}
