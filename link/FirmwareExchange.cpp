#include "link/FirmwareExchange.h"

#include <span>

#include "link/FirmwareBlocks.h"
#include "link/FirmwareLines.h"
#include "link/FrameBytes.h"
#include "link/SRecordFile.h"
#include "link/SRecordImage.h"
#include "platform/RegularFile.h"

namespace {

FirmwareReport ErrorReport(const QString& text)
{
    return {text, platform::BoxIcon::Error, platform::BoxButtons::Abort};
}

QString Hex(std::uint32_t value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString LineReport(const char* fault, std::int32_t lineNumber)
{
    return QString::fromUtf8(fault) + QStringLiteral("\n\rLINE=") + QString::number(lineNumber);
}

const char* FaultText(SRecordFault fault)
{
    switch (fault) {
    case SRecordFault::LineEnd: return "不正改行コード！";
    case SRecordFault::LineLength: return "不正ライン長！";
    case SRecordFault::NotARecord: return "不正レコード！";
    case SRecordFault::BadDigit: return "不正文字！";
    case SRecordFault::ByteCount: return "不正バイト数！";
    case SRecordFault::Checksum: return "チェックサムエラー！";
    case SRecordFault::None: break;
    }
    return "";
}

}  // namespace

TFirmwareExchange::TFirmwareExchange() : Image(std::make_unique<std::uint8_t[]>(FirmwareImageSize))
{}

std::optional<FirmwareReport> TFirmwareExchange::Load(const QString& FileName)
{
    // Only a regular file is opened: a FIFO or a terminal would block the window in open().
    platform::TFileBytes file = platform::ReadRegularFile(FileName, FileMaxSize);
    if (file.Outcome == platform::ReadOutcome::Unopened)
        return ErrorReport(QStringLiteral("ファイルが見つかりません\n\r") + FileName);
    if (file.Outcome == platform::ReadOutcome::Refused)
        return ErrorReport(platform::CannotReadMessage(FileName, file.Reason));
    const SRecordFileCheck check = CheckSRecordFile(file.Bytes, TxLineSize);
    if (check.fault != SRecordFault::None)
        return ErrorReport(LineReport(FaultText(check.fault), check.lineNumber));

    running_ = false;
    Programming = false;
    FileBuffer = std::move(file.Bytes);
    FileSize = static_cast<std::int32_t>(FileBuffer.size());
    FileBytesLeft = FileSize;
    ImageEnd =
        FillImageFromSRecords(FileBuffer, std::span<std::uint8_t>(Image.get(), FirmwareImageSize));
    FileReadPtr = FileBuffer.data();
    BytesSent = 0;
    LineNumber = 0;
    return std::nullopt;
}

FirmwareStep TFirmwareExchange::Start()
{
    running_ = true;
    FirmwareStep step;
    step.command = "@START_RTSP";
    step.progress = 0;
    return step;
}

FirmwareStep TFirmwareExchange::HandleLine(std::string_view Text)
{
    Programming = true;
    if (!Text.starts_with('@'))
        return AnswerBlockRequest(Text);
    if (Text.starts_with("@PROJECT_NAME")) {
        FirmwareStep step;
        step.command = "@PROJECT_ZOLT";
        return step;
    }
    if (Text.starts_with("@READY"))
        return SendNextFileLine();
    if (Text.starts_with("@SUCCESS"))
        return End(FirmwareReport{QStringLiteral("プログラミング完了！\n\r"),
                                  platform::BoxIcon::Information, platform::BoxButtons::Ok});
    if (Text.starts_with("@ERR"))
        return End(ErrorReport(QStringLiteral("エラー\n\r中断しました")));
    return {};  // any other keyword is not for this exchange
}

FirmwareStep TFirmwareExchange::SendNextFileLine()
{
    if (FileBytesLeft < 1)
        return {};  // the whole file went out: the meter still has to report the result
    LineNumber += 1;
    const int n = ReadFileLine(TxLine, FileReadPtr, TxLineSize);
    if (n < 1) {
        // A checked file never gets here; a line cut short would be worse than none.
        ReleaseFileBuffer();
        return End(ErrorReport(LineReport("不正ライン長！", LineNumber)));
    }
    FileBytesLeft -= n;
    BytesSent += n;
    FirmwareStep step;
    // The line goes as a frame carries it: up to its first control byte, so without its line end
    // and whatever tab or CR follows the record.
    step.command = std::string(TxLine, FrameTextLength(TxLine, static_cast<std::size_t>(n)));
    step.progress = BytesSent;
    return step;
}

FirmwareStep TFirmwareExchange::AnswerBlockRequest(std::string_view Text)
{
    const BlockRequest request = ExamineBlockRequest(Text, ImageEnd, FirmwareImageSize);
    switch (request.verdict) {
    case BlockVerdict::BadCharacter:
        return End(ErrorReport(QStringLiteral("キャラクタエラー\n\r")));
    case BlockVerdict::BadAddress:
        return End(ErrorReport(QStringLiteral("転送アドレスエラー\n\r") + Hex(request.address, 6)));
    case BlockVerdict::BadSize:
        return End(ErrorReport(QStringLiteral("転送サイズエラー\n\r") + Hex(request.size, 4)));
    case BlockVerdict::End: {
        FirmwareStep step = End(std::nullopt);
        step.command = "@END";
        return step;
    }
    case BlockVerdict::Send: break;
    }
    return SendBlock(static_cast<int>(request.address), static_cast<int>(request.size));
}

FirmwareStep TFirmwareExchange::SendBlock(int Address, int Count)
{
    char frame[BlockReplyBufferSize];
    const int length =
        BuildBlockReply(frame, std::span<const std::uint8_t>(Image.get(), FirmwareImageSize),
                        static_cast<std::uint32_t>(Address), static_cast<std::uint32_t>(Count));
    FirmwareStep step;
    step.blockReply.assign(frame, static_cast<std::size_t>(length));
    step.progress = Address + Count;
    return step;
}

int TFirmwareExchange::ReadFileLine(char* Dest, char*& Ptr, int Max)
{
    if (Ptr == nullptr)
        return -1;
    const char* ptr = Ptr;
    const int n = ::ReadFileLine(Dest, ptr, FileBuffer.data() + FileBuffer.size(), Max);
    Ptr += ptr - Ptr;
    return n;
}

void TFirmwareExchange::Abort()
{
    running_ = false;
}

FirmwareStep TFirmwareExchange::EndWithError(const QString& Message)
{
    if (!running_)
        return {};
    return End(ErrorReport(Message));
}

FirmwareStep TFirmwareExchange::End(std::optional<FirmwareReport> Report)
{
    running_ = false;
    Programming = false;
    FirmwareStep step;
    step.ended = true;
    step.report = std::move(Report);
    return step;
}

void TFirmwareExchange::ReleaseFileBuffer()
{
    FileBuffer = std::string();
    FileReadPtr = nullptr;
    FileBytesLeft = 0;
}
