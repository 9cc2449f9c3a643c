// The firmware programming exchange of the communication panel. The meter leads: after
// "@START_RTSP" it asks for the project name, for the file line by line with "@READY" and for
// blocks of the image, and ends with "@SUCCESS" or "@ERR". One of its lines is answered per tick
// of the panel's 10 ms timer.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <QFile>
#include <QProgressBar>
#include <QTimer>
#include <span>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "link/FirmwareBlocks.h"
#include "link/FirmwareLines.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "link/SRecordImage.h"
#include "platform/MessageBox.h"

namespace {

void ShowAbortBox(const QString& text)
{
    platform::ShowMessageBox(text, QString(), platform::BoxIcon::Error,
                             platform::BoxButtons::Abort);
}

QString Hex(std::uint32_t value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

// Closes the file however the reading ends.
class FileCloser {
public:
    explicit FileCloser(int& handle) : handle_(handle) {}
    ~FileCloser()
    {
        if (handle_ >= 0)
            ::close(handle_);
        handle_ = -1;
    }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int& handle_;
};

// Opens a file for reading, shared with every other user. Folders and other non-files count as
// missing, as they cannot be read as a file; so do files too large for a 32-bit size.
int OpenForReading(const QString& fileName)
{
    const int handle = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return -1;
    struct stat status {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size >= INT_MAX) {
        ::close(handle);
        return -1;
    }
    return handle;
}

}  // namespace

bool TPCom::StartFirmwareUpdate(const QString& FileName)
{
    FileHandle = OpenForReading(FileName);
    if (FileHandle < 0) {
        platform::MessageBeep();
        ShowAbortBox(QStringLiteral("ファイルが見つかりません\n\r") + FileName);
        return false;
    }
    const FileCloser closer(FileHandle);

    SetPortOpen(false);
    SetPortOpen(true);

    FileSize = static_cast<std::int32_t>(::lseek(FileHandle, 0, SEEK_END));
    ::lseek(FileHandle, 0, SEEK_SET);
    FileSize = std::max<std::int32_t>(FileSize, 0);
    FileBuffer = std::make_unique<char[]>(static_cast<std::size_t>(FileSize) + 1);
    std::int32_t bytesRead = 0;
    while (bytesRead < FileSize) {
        const ssize_t n = ::read(FileHandle, FileBuffer.get() + bytesRead,
                                 static_cast<std::size_t>(FileSize - bytesRead));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytesRead += static_cast<std::int32_t>(n);
    }
    FileBuffer[static_cast<std::size_t>(bytesRead)] = '\0';
    FileBytesLeft = bytesRead;

    ImageEnd = FillImageFromSRecords(std::span<const char>(FileBuffer.get(), bytesRead),
                                     std::span<std::uint8_t>(Image.get(), kImageSize));

    FileReadPtr = FileBuffer.get();
    BytesSent = 0;
    LineNumber = 0;

    ProgressForm->setWindowTitle(FileName);
    ProgressForm->ProgressBar->setMaximum(FileBytesLeft);
    ProgressForm->SetPosition(0);
    ProgressForm->show();
    ProgressForm->raise();

    Timer->start();
    SendCommand("@START_RTSP");
    return true;
}

void TPCom::TimerTimer()
{
    // While the previous frame is still going out, a new one would be refused and lost, and the
    // exchange would stall with the meter waiting for it: the meter's line waits for a later tick.
    if (Comm && Comm->Sending())
        return;
    char line[TReceiveRing::kLineSize];
    const int length = Rx.TakeLine(line);
    if (length < 0)
        return;
    LogRx(line);
    Programming = true;
    const char* const text = line + 1;

    if (text[0] == '@') {
        if (StartsWith(text, "@PROJECT_NAME")) {
            SendCommand("@PROJECT_ZOLT");
        } else if (StartsWith(text, "@READY")) {
            SendNextFileLine();
        } else if (StartsWith(text, "@SUCCESS")) {
            EndExchange([] {
                platform::MessageBeep();
                platform::ShowMessageBox(QStringLiteral("プログラミング完了！\n\r"), QString(),
                                         platform::BoxIcon::Information, platform::BoxButtons::Ok);
            });
        } else if (StartsWith(text, "@ERR")) {
            EndExchange([] {
                platform::MessageBeep();
                ShowAbortBox(QStringLiteral("エラー\n\r中断しました"));
            });
        }
        // Any other keyword is not for this exchange.
    } else {
        AnswerBlockRequest(std::string_view(text, static_cast<std::size_t>(length)));
    }

    if (!Programming) {
        ProgressForm->hide();
        HandBackToMonitor();
    }
}

void TPCom::SendNextFileLine()
{
    if (FileBytesLeft < 1)
        return;  // the whole file went out: the meter still has to report the result
    LineNumber += 1;
    const int n = ReadFileLine(TxLine, FileReadPtr, sizeof TxLine);
    if (n < 1) {
        const std::int32_t badLine = LineNumber;
        EndExchange([this, badLine] {
            ReleaseFileBuffer();
            platform::MessageBeep();
            ShowAbortBox(QStringLiteral("不正ライン長！\n\rLINE=") + QString::number(badLine));
        });
        return;
    }
    // The frame ends at the line's CR or LF: line ends are not sent.
    SendCommand(TxLine);
    FileBytesLeft -= n;
    BytesSent += n;
    ProgressForm->SetPosition(BytesSent);
}

void TPCom::AnswerBlockRequest(std::string_view text)
{
    const BlockRequest request = ExamineBlockRequest(text, ImageEnd, kImageSize);
    switch (request.verdict) {
    case BlockVerdict::BadCharacter:
        EndExchange([] {
            platform::MessageBeep();
            ShowAbortBox(QStringLiteral("キャラクタエラー\n\r"));
        });
        break;
    case BlockVerdict::BadAddress:
        EndExchange([&request] {
            platform::MessageBeep();
            ShowAbortBox(QStringLiteral("転送アドレスエラー\n\r") + Hex(request.address, 6));
        });
        break;
    case BlockVerdict::BadSize:
        EndExchange([&request] {
            platform::MessageBeep();
            ShowAbortBox(QStringLiteral("転送サイズエラー\n\r") + Hex(request.size, 4));
        });
        break;
    case BlockVerdict::End:
        Programming = false;
        SendCommand("@END");
        break;
    case BlockVerdict::Send:
        SendBlock(static_cast<int>(request.address), static_cast<int>(request.size));
        break;
    }
}

void TPCom::EndExchange(const std::function<void()>& Report)
{
    // The exchange is over before its report: while the box is open no tick answers the meter,
    // and what it still sends waits in the ring for the monitor loop.
    Timer->stop();
    Programming = false;
    Report();
}

void TPCom::SendBlock(int Address, int Count)
{
    char frame[kBlockReplyBufferSize];
    const int length =
        BuildBlockReply(frame, std::span<const std::uint8_t>(Image.get(), kImageSize),
                        static_cast<std::uint32_t>(Address), static_cast<std::uint32_t>(Count));
    if (Comm)
        Comm->Write(frame, static_cast<unsigned>(length));
    LogTx(frame);
    ProgressForm->SetPosition(Address + Count);
}

int TPCom::ReadFileLine(char* Dest, char*& Ptr, int Max)
{
    if (!FileBuffer || Ptr == nullptr)
        return -1;
    // The bytes read from the file end where the sent and the unsent ones together end.
    const char* const end = FileBuffer.get() + BytesSent + FileBytesLeft;
    const char* ptr = Ptr;
    const int n = ::ReadFileLine(Dest, ptr, end, Max);
    Ptr += ptr - Ptr;
    return n;
}

bool TPCom::StartsWith(const char* Text, const char* Keyword)
{
    return ::StartsWith(Text, Keyword);
}

void TPCom::ReleaseFileBuffer()
{
    FileBuffer.reset();
    FileReadPtr = nullptr;
    FileBytesLeft = 0;
}

void TPCom::HandBackToMonitor()
{
    Timer->stop();
    if (TimerMonitor)
        TimerMonitor->start();
}
