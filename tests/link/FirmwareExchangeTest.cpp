// The firmware exchange driven directly: the meter's lines go in, the steps it gives back are
// checked, and the image the file fills is compared with what srec_cat makes of the same file.
// Its files are real files made by srec_cat and objcopy in a temporary folder.
#include "link/FirmwareExchange.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <QByteArray>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "link/SRecordImage.h"
#include "tests/support/SRecordFiles.h"
#include "tests/support/Xmodem.h"

using testing_support::LinesOf;
using testing_support::ReadText;
using testing_support::SrecCat;
using testing_support::WriteText;

// Reports compared whole in the expectations below.
bool operator==(const FirmwareReport& a, const FirmwareReport& b)
{
    return a.text == b.text && a.icon == b.icon && a.buttons == b.buttons;
}

namespace {

FirmwareReport Refusal(const QString& text)
{
    return {text, platform::BoxIcon::Error, platform::BoxButtons::Abort};
}

// The block reply frame, its CRC reckoned apart from the tool's.
std::string BlockReply(std::uint32_t address, const std::vector<std::uint8_t>& data)
{
    char head[11];
    std::snprintf(head, sizeof head, "%06X%04zX", address, data.size());
    const QByteArray bytes(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    const std::string text = head + bytes.toHex().toUpper().toStdString();
    return "\x02" + text + testing_support::XmodemCrcDigits(text) + "\x03";
}

class FirmwareExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_NO_FATAL_FAILURE(
            testing_support::MakeWholeFirmwareFiles(dir.path().toStdString(), wholeFiles));
        // Records from 0x53FF8: the first runs past the image's end, the others lie beyond it.
        SrecCat("'" + Path("firmware.bin") + "' -binary -offset 0x53FF8 -o '" + Path("past.mot") +
                "' -motorola -address-length=3 -output_block_packing");
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
    void ExpectEndedWith(const FirmwareStep& step, const QString& text)
    {
        EXPECT_TRUE(step.ended && !step.command);
        EXPECT_EQ(step.report, Refusal(text));
        EXPECT_FALSE(exchange.Running() || exchange.Programming);
    }

    QTemporaryDir dir;
    std::vector<std::string> wholeFiles;
    TFirmwareExchange exchange;
};

}  // namespace

TEST_F(FirmwareExchange, WholeFilesFillWhatSrecCatFillsAndGoLineByLineAsTheMeterAsks)
{
    // Besides the three kinds: S3 records whose last byte is the image's last, and records
    // beyond the image, which only the meter knows.
    wholeFiles.push_back(Path("end.mot"));
    SrecCat("'" + Path("firmware.bin") + "' -binary -offset 0x53DA8 -o '" + wholeFiles.back() +
            "' -motorola -address-length=4 -crlf -line-length=200");
    wholeFiles.push_back(Path("past.mot"));
    const std::int32_t ends[] = {600, 0x30000 + 600, 0x40000 + 600, FirmwareImageSize,
                                 FirmwareImageSize};
    for (std::size_t i = 0; i < wholeFiles.size(); ++i) {
        const std::string& file = wholeFiles[i];
        SCOPED_TRACE(file);
        const std::vector<std::string> lines = LinesOf(file);
        const auto size = static_cast<std::int32_t>(ReadText(file).size());
        ASSERT_NO_FATAL_FAILURE(Start(file));
        EXPECT_EQ(exchange.ImageEnd, ends[i]);
        SrecCat("'" + file + "' -crop 0 0x54000 -fill 0xFF 0 0x54000 -o '" + Path("filled.bin") +
                "' -binary");
        const std::uint8_t* image = exchange.Image.get();
        EXPECT_TRUE(ReadText(Path("filled.bin")) ==
                    std::string(reinterpret_cast<const char*>(image), FirmwareImageSize));

        EXPECT_EQ(Meter("@PROJECT_NAME").command, "@PROJECT_ZOLT");
        EXPECT_TRUE(exchange.Programming);
        std::vector<std::string> sent{*Meter("@READY").command};
        // Asked again at any time; other keywords are not for this exchange.
        EXPECT_EQ(Meter("@PROJECT_NAME").command, "@PROJECT_ZOLT");
        for (const char* other : {"@VERSION=1.2", "@REA", "@ready"}) {
            const FirmwareStep step = Meter(other);
            EXPECT_FALSE(step.command || step.ended || step.progress) << other;
        }
        for (FirmwareStep step = Meter("@READY"); step.command; step = Meter("@READY")) {
            sent.push_back(*step.command);
            EXPECT_EQ(step.progress, exchange.BytesSent);
        }
        EXPECT_EQ(sent, lines);
        EXPECT_EQ(exchange.LineNumber, static_cast<std::int32_t>(lines.size()));
        EXPECT_EQ(exchange.BytesSent, size);
        EXPECT_TRUE(exchange.Running());  // the meter still has to report

        const FirmwareStep done = Meter("@SUCCESS");
        EXPECT_TRUE(done.ended);
        EXPECT_EQ(done.report,
                  (FirmwareReport{QStringLiteral("プログラミング完了！\n\r"),
                                  platform::BoxIcon::Information, platform::BoxButtons::Ok}));
        EXPECT_FALSE(exchange.Running());
    }
}

namespace {

// The text with erase bytes from the offset into a line (lines from 1) replaced by insert.
std::string Edited(std::string text, int line, std::size_t offset, std::size_t erase,
                   const char* insert)
{
    std::size_t at = 0;
    for (int i = 1; i < line; ++i)
        at = text.find('\n', at) + 1;
    return text.replace(at + offset, erase, insert);
}

}  // namespace

TEST_F(FirmwareExchange, EachLineGoesAsAFrameCarriesItOrTheFileIsRefusedAtItsFirstBadLine)
{
    const std::string s1 = ReadText(wholeFiles[0]);  // 40 lines, CR LF
    const std::string s2 = ReadText(wholeFiles[1]);  // 21 lines, LF
    const std::string s3 = ReadText(wholeFiles[2]);  // lines of 256 bytes with CR LF
    const std::string s2Cut = s2.substr(0, s2.size() - 1);
    // A file taken: what each "@READY" gets, one text a line; a file refused: its box.
    const std::pair<std::string, std::string> shapes[] = {
        {QString::fromStdString(s2).replace('\n', QStringLiteral("\r\r\n")).toStdString(), s2},
        {s2Cut + "  \t \n", s2Cut + "  \n"},  // blanks go as they stand, a tab ends the text
        {Edited(s2, 5, 0, 0, "\n"), Edited(s2, 5, 0, 0, "\n")},  // an empty frame
        {ReadText(Path("past.mot")), ReadText(Path("past.mot"))},
        {"", "不正ライン長！\n\rLINE=1"},  // the meter would wait for a line for ever
        {Edited(s1, 6, 40, 1, "0"), "チェックサムエラー！\n\rLINE=6"},  // 82 made 02
        {Edited(s2, 3, 12, 1, "G"), "不正文字！\n\rLINE=3"},
        {Edited(s1, 7, 3, 1, "2"), "不正バイト数！\n\rLINE=7"},
        {Edited(s3, 3, 254, 0, " "), "不正ライン長！\n\rLINE=3"},  // 257 bytes
        {QString::fromStdString(s2).replace('\n', '\r').toStdString(),
         "不正改行コード！\n\rLINE=1"},
        {Edited(s2, 4, 30, 1, "\r"), "不正改行コード！\n\rLINE=4"},
        {Edited(s1, 2, 1, 1, "4"), "不正レコード！\n\rLINE=2"},
        {s2Cut, "不正ライン長！\n\rLINE=21"},  // no LF at the end
    };
    for (const auto& [bytes, outcome] : shapes) {
        SCOPED_TRACE(outcome);
        // Refused while another file goes out, it changes nothing of that one.
        ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[0]));
        Meter("@READY");
        WriteText(Path("shape.mot"), bytes);
        if (const auto refusal = exchange.Load(QString::fromStdString(Path("shape.mot")))) {
            EXPECT_EQ(*refusal, Refusal(QString::fromStdString(outcome)));
            EXPECT_EQ(Meter("@READY").command, LinesOf(wholeFiles[0])[1]);
            continue;
        }
        std::string sent;
        exchange.Start();
        for (FirmwareStep step = Meter("@READY"); step.command; step = Meter("@READY"))
            sent += *step.command + '\n';
        EXPECT_EQ(sent, outcome);
    }
    const QString missing = dir.filePath(QStringLiteral("ファーム.mot"));
    EXPECT_EQ(exchange.Load(missing),
              Refusal(QStringLiteral("ファイルが見つかりません\n\r") + missing));
}

TEST_F(FirmwareExchange, BlockRequestsAreAnsweredFromTheFilesImageUntilItsEnd)
{
    // The S2 file's data are 600 bytes from 0x30000; its image is checked against srec_cat's.
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[1]));
    const std::uint8_t* image = exchange.Image.get();
    const auto reply = [&](std::size_t from, std::size_t to) {
        return BlockReply(static_cast<std::uint32_t>(from),
                          std::vector<std::uint8_t>(image + from, image + to));
    };

    FirmwareStep step = Meter("0300000010");
    EXPECT_EQ(step.blockReply, reply(0x30000, 0x30010));
    EXPECT_EQ(step.progress, 0x30010);
    EXPECT_FALSE(step.command);
    // Lower-case digits and whatever follows the ten digits.
    EXPECT_EQ(Meter("03010a0070;x").blockReply, reply(0x3010A, 0x3017A));
    // The largest block runs past the end of the data into erased bytes.
    EXPECT_EQ(Meter("0301000200").blockReply, reply(0x30100, 0x30300));
    EXPECT_EQ(Meter("0302570001").blockReply, reply(0x30257, 0x30258));
    // A block of nothing but erased bytes carries no data.
    EXPECT_EQ(Meter("000100000C").blockReply, BlockReply(0x100, {}));
    EXPECT_TRUE(exchange.Running());

    // At the end of the data the meter is told so, and the exchange is over without a word.
    step = Meter("0302580010");
    EXPECT_TRUE(step.ended);
    EXPECT_EQ(step.command, "@END");
    EXPECT_FALSE(step.report);
    EXPECT_FALSE(exchange.Running());
    // The image's last byte is no bad address, and lies beyond the data.
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[1]));
    EXPECT_EQ(Meter("053FFF0001").command, "@END");
}

TEST_F(FirmwareExchange, BadBlockRequestsAndErrorsOfTheLineEndItWithTheirMessage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"00010G0010", "キャラクタエラー\n\r"},
        {"000000001", "キャラクタエラー\n\r"},
        {"053FFF0002", "転送アドレスエラー\n\r053FFF"},
        {"FFFFFFFFFF", "転送アドレスエラー\n\rFFFFFF"},
        {"0000000201", "転送サイズエラー\n\r0201"},
    };
    for (const auto& [request, message] : cases) {
        SCOPED_TRACE(request);
        ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[1]));
        ExpectEndedWith(Meter(request), QString::fromUtf8(message));
    }

    const QString message = QStringLiteral("/dev/ttyUSB0: 入出力エラー");
    EXPECT_FALSE(exchange.EndWithError(message).ended);  // nothing runs
    ASSERT_NO_FATAL_FAILURE(Start(wholeFiles[0]));
    Meter("@READY");
    ExpectEndedWith(exchange.EndWithError(message), message);
    EXPECT_FALSE(exchange.EndWithError(message).report);  // only once
}
