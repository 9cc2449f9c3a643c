#pragma once
// Records every message box and beep while it lives, answering boxes from a script (or with
// their first button), so that tests see what a user would see and nobody has to click.
#include <deque>
#include <QString>
#include <vector>

#include "platform/MessageBox.h"

namespace testing_support {

class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    // The next boxes are answered with these results, in order.
    void Answer(platform::BoxResult result) { answers_.push_back(result); }

    const std::vector<platform::BoxRequest>& Boxes() const { return boxes_; }
    std::vector<QString> Texts() const;
    int Beeps() const { return beeps_; }
    void Clear();

private:
    std::vector<platform::BoxRequest> boxes_;
    std::deque<platform::BoxResult> answers_;
    int beeps_ = 0;
    platform::BoxPresenter previousPresenter_;
    platform::BeepSink previousBeep_;
};

}  // namespace testing_support
