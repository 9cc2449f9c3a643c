#include "tests/support/BoxRecorder.h"

namespace testing_support {

BoxRecorder::BoxRecorder()
{
    previousPresenter_ = platform::SetBoxPresenter([this](const platform::BoxRequest& request) {
        boxes_.push_back(request);
        if (!answers_.empty()) {
            const auto result = answers_.front();
            answers_.pop_front();
            return result;
        }
        switch (request.buttons) {
        case platform::BoxButtons::Ok: return platform::BoxResult::Ok;
        case platform::BoxButtons::Abort: return platform::BoxResult::Abort;
        case platform::BoxButtons::YesNo: return platform::BoxResult::Yes;
        }
        return platform::BoxResult::Ok;
    });
    previousBeep_ = platform::SetBeepSink([this] { ++beeps_; });
}

BoxRecorder::~BoxRecorder()
{
    platform::SetBoxPresenter(std::move(previousPresenter_));
    platform::SetBeepSink(std::move(previousBeep_));
}

std::vector<QString> BoxRecorder::Texts() const
{
    std::vector<QString> texts;
    for (const auto& box : boxes_)
        texts.push_back(box.text);
    return texts;
}

void BoxRecorder::Clear()
{
    boxes_.clear();
    beeps_ = 0;
}

}  // namespace testing_support
