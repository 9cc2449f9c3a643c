#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "tests/support/BoxRecorder.h"

using namespace platform;

TEST(MessageBox, RecorderAnswersFromItsScriptThenWithTheFirstButton)
{
    testing_support::BoxRecorder boxes;
    boxes.Answer(BoxResult::No);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("a"), {}, BoxIcon::Question, BoxButtons::YesNo),
              BoxResult::No);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("b"), {}, BoxIcon::Question, BoxButtons::YesNo),
              BoxResult::Yes);
    MessageBeep();
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(MessageBox, RecorderPutsThePreviousPresenterBack)
{
    int outer = 0;
    auto previous = SetBoxPresenter([&](const BoxRequest&) {
        ++outer;
        return BoxResult::Ok;
    });
    {
        testing_support::BoxRecorder inner;
        ShowMessageBox(QStringLiteral("inner"), {}, BoxIcon::Error, BoxButtons::Ok);
    }
    ShowMessageBox(QStringLiteral("outer"), {}, BoxIcon::Error, BoxButtons::Ok);
    EXPECT_EQ(outer, 1);
    SetBoxPresenter(previous);
}
