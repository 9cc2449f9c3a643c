#pragma once
// What the serial-line tests share: the meter's line settings, waiting on a condition with a
// generous bound, and the text of the port error an action raises.
#include <chrono>
#include <functional>
#include <QCoreApplication>
#include <QString>
#include <thread>

#include "link/UnCom.h"

namespace testing_support {

inline TCommCntrlRec MeterLine()
{
    TCommCntrlRec record = TComm::DefaultCntrl();
    record.nBoudRate = 115200;
    record.mFlowCntrls = {};
    record.nQueueIn = 8192;
    record.nQueueOut = 8192;
    return record;
}

// True once the condition holds; handles the application's events meanwhile, when there is one.
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds bound = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ECommError& error) {
        return error.Message();
    }
    return QStringLiteral("(nothing raised)");
}

}  // namespace testing_support
