#pragma once
// A meter at the far end of a real line: a pseudo-terminal pair whose slave the code under test
// opens as its serial port, while a thread plays the meter on the master. It reads the frames
// the code sends (STX text ETX), records their texts and answers each through a script: ACK or
// NAK replies, silence, replies split over several deliveries. It can also stop reading (so the
// line backs up), send on its own, flood the line, and vanish like a pulled adapter.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <QString>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <vector>

namespace testing_support {

class MeterStandIn {
public:
    // Given the text of one request frame, the writes that answer it: each element goes out as
    // one delivery (the next is written only once the code has read the previous one); none
    // means silence.
    using Script = std::function<std::vector<std::string>(const std::string& request)>;

    MeterStandIn();
    ~MeterStandIn();
    MeterStandIn(const MeterStandIn&) = delete;
    MeterStandIn& operator=(const MeterStandIn&) = delete;

    // The port name the code under test opens.
    const std::string& SlavePath() const { return slavePath_; }
    QString PortName() const { return QString::fromStdString(slavePath_); }

    // Reply frames as the meter sends them: status byte, text, ETX.
    static std::string Ack(std::string_view text) { return '\x06' + std::string(text) + '\x03'; }
    static std::string Nak(std::string_view text) { return '\x15' + std::string(text) + '\x03'; }

    void SetScript(Script script);
    // A meter that does not read lets the line back up until the code's writes stall.
    void SetReading(bool reading);

    // Writes now.
    void Send(std::string_view bytes);

    // Writes count frames, frameOf(i) for each, from a thread of its own. Before frame i it
    // calls gate(i), which may block to keep the pace of a reader. WaitFlood joins it.
    void StartFlood(std::size_t count, std::function<std::string(std::size_t)> frameOf,
                    std::function<void(std::size_t)> gate = {});
    void WaitFlood();

    // Texts of the request frames received so far, and the raw bytes.
    std::vector<std::string> Requests() const;
    std::string ReceivedBytes() const;
    bool WaitForRequests(std::size_t count,
                         std::chrono::milliseconds bound = std::chrono::seconds(10)) const;
    void ClearReceived();

    // The line settings the code under test has put in force.
    termios LineSettings() const;

    // The line goes away, as when a USB adapter is pulled: the master end closes.
    void Vanish();

private:
    // True once the code has read everything sent so far (bounded wait).
    bool WaitUntilRead(std::chrono::milliseconds bound = std::chrono::seconds(10));
    void Run();
    void TakeBytes(const char* bytes, std::size_t size);

    int master_ = -1;
    int slave_ = -1;  // kept open so the master never reads end-of-line between openings
    int stopFd_ = -1;
    std::string slavePath_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Script script_;
    bool reading_ = true;
    std::string received_;
    std::string partial_;  // bytes of a frame not complete yet
    bool inFrame_ = false;
    std::vector<std::string> requests_;
    std::vector<std::string> replies_;  // answers waiting to go out, in order

    std::mutex writeMutex_;
    std::thread meter_;
    std::thread flood_;
};

}  // namespace testing_support
