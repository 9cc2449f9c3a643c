#pragma once
// The real application (offscreen) with all its forms in a temporary program folder, polling a
// meter stand-in over a pseudo-terminal. Ticks are driven by hand: the monitor timer is stopped
// after start-up and the test runs the timer's handler once it knows what the line holds.
#include <gtest/gtest.h>

#include <memory>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <vector>

#include "app/ApplicationForms.h"
#include "app/Main.h"
#include "link/PcCom.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/MeterStandIn.h"

namespace testing_support {

class ApplicationOnMeter : public ::testing::Test {
protected:
    static constexpr int Bound = 10000;  // ms: generous bound for anything that crosses the line

    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override { forms.reset(); }

    // Creates the eleven forms with the stand-in's line as the only port (listed under its own
    // name, or under portName when given), shows the main window and stops its timer so that
    // the test drives the ticks.
    void Start(MeterStandIn::Script script, const QString& portName = {})
    {
        UseScript(std::move(script));
        const QString port = portName.isEmpty() ? meter.PortName() : portName;
        forms = std::make_unique<TApplicationForms>(folder.path() + QStringLiteral("/zolt-tool"),
                                                    [port] { return std::vector<QString>{port}; });
        MainForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
        ASSERT_TRUE(MainForm->TimerMonitor->isActive());
        MainForm->TimerMonitor->stop();
        answers_ = taken_ = 0;
    }

    // One tick after the line has settled: a reply the meter sends to the waiting request is in
    // the ring before the tick runs.
    void Tick()
    {
        if (MainForm->WaitingReply && answers_ > taken_) {
            ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Rx.Empty(); }, Bound));
            ++taken_;
        }
        // The send thread holds one frame at a time: let the last one go out first.
        ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->Sending(); }, Bound));
        const auto before = meter.Requests().size();
        const int tick = MainForm->MonitorTick;
        MainForm->TimerMonitorTimer();
        // A tick that reported a bad context reply ends at once, without counting itself.
        const bool counted = MainForm->MonitorTick != tick;
        if (counted && MainForm->WaitingReply &&
            MainForm->ReplyTimeout == TMonitorLoop::ReplyTimeoutTicks) {
            ASSERT_TRUE(meter.WaitForRequests(before + 1));
            if (!script_(meter.Requests().back()).empty())
                ++answers_;
        }
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            Tick();
    }
    void UseScript(MeterStandIn::Script script)
    {
        script_ = script;
        meter.SetScript(std::move(script));
    }

    QTemporaryDir folder;
    BoxRecorder boxes;
    MeterStandIn meter;
    std::unique_ptr<TApplicationForms> forms;

private:
    MeterStandIn::Script script_;
    int answers_ = 0;
    int taken_ = 0;
};

}  // namespace testing_support
