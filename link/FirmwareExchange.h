#pragma once
// The firmware programming exchange. The meter leads: after "@START_RTSP" it asks for the project
// name ("@PROJECT_NAME"), for the file one line at a time ("@READY") and for blocks of the image,
// and ends with "@SUCCESS" or "@ERR". The file is read and checked whole before the start, so
// that a damaged file never reaches the meter.
//
// The state and the decisions live here, free of widgets: the communication panel feeds it the
// meter's lines and carries out each step it gives back (what to send, the progress bar's
// position, the end and its report).
#include <cstdint>
#include <memory>
#include <optional>
#include <QString>
#include <string>
#include <string_view>

#include "platform/MessageBox.h"

// How an exchange that ends (or a file that is refused) is reported: a beep, then this box.
struct FirmwareReport {
    QString text;
    platform::BoxIcon icon = platform::BoxIcon::Error;
    platform::BoxButtons buttons = platform::BoxButtons::Abort;
};

// What one step gives back, to be carried out in this order: when the exchange ended, stop
// answering the meter first; send the command (framed) and the block reply frame (as it stands);
// move the progress bar; beep and show the report; when the exchange ended, hand the line back
// to the monitor loop.
struct FirmwareStep {
    bool ended = false;
    std::optional<std::string> command;
    std::string blockReply;
    std::optional<int> progress;
    std::optional<FirmwareReport> report;
};

class TFirmwareExchange {
public:
    static constexpr int TxLineSize = 256;  // the longest file line, its line end included
    // Far beyond any real file: a whole image in S3 records takes under 1 MB.
    static constexpr std::int64_t FileMaxSize = 16 * 1024 * 1024;

    TFirmwareExchange();
    TFirmwareExchange(const TFirmwareExchange&) = delete;
    TFirmwareExchange& operator=(const TFirmwareExchange&) = delete;

    // Reads the whole file, checks it and fills the image from it. The report refusing it when it
    // is missing, no regular file, larger than FileMaxSize or damaged (its first bad line's
    // number and what is wrong with it); nothing changes then.
    std::optional<FirmwareReport> Load(const QString& FileName);
    // Begins the exchange with the loaded file: "@START_RTSP", the bar at 0.
    FirmwareStep Start();
    // Answers one of the meter's lines: its text after the status byte, without the ETX.
    FirmwareStep HandleLine(std::string_view Text);
    // The reply to a block request of the image's Count bytes from Address.
    FirmwareStep SendBlock(int Address, int Count);
    // The next line of the file from Ptr into Dest (see link/FirmwareLines.h); -1 for a bad line.
    int ReadFileLine(char* Dest, char*& Ptr, int Max);
    // The user stopped the exchange: the meter is not told.
    void Abort();
    // Ends a running exchange with an error box of message (the line failed under it); an empty
    // step when none runs.
    FirmwareStep EndWithError(const QString& Message);

    bool Running() const { return running_; }
    void ReleaseFileBuffer();

    // Set for every line handled, cleared when the exchange ends.
    bool Programming = false;
    std::unique_ptr<std::uint8_t[]> Image;  // FirmwareImageSize bytes that block requests read
    std::int32_t ImageEnd = 0;              // end (exclusive) of the image's data
    std::string FileBuffer;                 // the whole file; released after a bad line
    char* FileReadPtr = nullptr;            // first byte not sent yet
    char TxLine[TxLineSize]{};
    std::int32_t FileSize = 0;
    std::int32_t FileBytesLeft = 0;  // bytes of the file not sent yet
    std::int32_t LineNumber = 0;     // the line being sent, from 1
    std::int32_t BytesSent = 0;      // bytes of the file sent, line ends included

private:
    FirmwareStep SendNextFileLine();
    FirmwareStep AnswerBlockRequest(std::string_view Text);
    FirmwareStep End(std::optional<FirmwareReport> Report);

    bool running_ = false;
};
