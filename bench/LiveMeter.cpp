// A meter stand-in for measuring the real program: a pseudo-terminal whose slave the program opens
// as its port (its path is printed on the first line), answering the monitor loop's requests
// with the twelve channels of a running vehicle, every value changed at every reply.
//
// Usage: live_meter <status file>. The status file holds the number of value replies and of all
// replies sent so far, rewritten after each reply. Runs until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>

#include "bench/LiveMeterValues.h"
#include "tests/support/MeterStandIn.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <status file>\n", argv[0]);
        return 2;
    }
    const std::string status = argv[1];
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);  // before the stand-in's thread starts

    std::mutex mutex;
    LiveMeterValues values;
    long valueReplies = 0;
    long replies = 0;
    testing_support::MeterStandIn meter;
    meter.SetScript([&](const std::string& request) -> std::vector<std::string> {
        std::lock_guard lock(mutex);
        std::string reply;
        if (request == "@GET_KIND")
            reply = LiveMeterValues::KindReply();
        else if (request == "@GET_PORT")
            reply = values.NextPortReply(), ++valueReplies;
        else if (request == "@GET_DATETIME")
            reply = "@GET_DATETIME=07451306170936";
        else
            return {};
        ++replies;
        {
            std::ofstream out(status + ".new", std::ios::trunc);
            out << valueReplies << ' ' << replies << '\n';
        }
        std::rename((status + ".new").c_str(), status.c_str());
        return {testing_support::MeterStandIn::Ack(reply)};
    });
    std::printf("%s\n", meter.SlavePath().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stop, &signal);
    return 0;
}
