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
    BoxRecorder()
    {
        previousPresenter_ = platform::SetBoxPresenter([this](const platform::BoxRequest& box) {
            using platform::BoxButtons, platform::BoxResult;
            boxes_.push_back(box);
            BoxResult result = box.buttons == BoxButtons::Abort   ? BoxResult::Abort
                               : box.buttons == BoxButtons::YesNo ? BoxResult::Yes
                                                                  : BoxResult::Ok;
            if (!answers_.empty()) {
                result = answers_.front();
                answers_.pop_front();
            }
            return result;
        });
        previousBeep_ = platform::SetBeepSink([this] { ++beeps_; });
    }
    ~BoxRecorder()
    {
        platform::SetBoxPresenter(std::move(previousPresenter_));
        platform::SetBeepSink(std::move(previousBeep_));
    }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    // The next boxes are answered with these results, in order.
    void Answer(platform::BoxResult result) { answers_.push_back(result); }

    const std::vector<platform::BoxRequest>& Boxes() const { return boxes_; }
    std::vector<QString> Texts() const
    {
        std::vector<QString> texts;
        for (const auto& box : boxes_)
            texts.push_back(box.text);
        return texts;
    }
    int Beeps() const { return beeps_; }
    void Clear()
    {
        boxes_.clear();
        beeps_ = 0;
    }

private:
    std::vector<platform::BoxRequest> boxes_;
    std::deque<platform::BoxResult> answers_;
    int beeps_ = 0;
    platform::BoxPresenter previousPresenter_;
    platform::BeepSink previousBeep_;
};

}  // namespace testing_support
