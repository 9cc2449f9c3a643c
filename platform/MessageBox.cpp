#include "platform/MessageBox.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

BoxPresenter& Presenter()
{
    static BoxPresenter presenter;
    return presenter;
}

BeepSink& Beeper()
{
    static BeepSink sink;
    return sink;
}

}  // namespace

BoxResult FirstButton(BoxButtons buttons)
{
    switch (buttons) {
    case BoxButtons::Ok: return BoxResult::Ok;
    case BoxButtons::Abort: return BoxResult::Abort;
    case BoxButtons::YesNo: return BoxResult::Yes;
    }
    return BoxResult::Ok;
}

BoxResult ShowMessageBox(const QString& text, const QString& caption, BoxIcon icon,
                         BoxButtons buttons)
{
    const BoxRequest request{text, caption, icon, buttons};
    if (Presenter())
        return Presenter()(request);
    std::fprintf(stderr, "[message box] %s\n", text.toUtf8().constData());
    return FirstButton(buttons);
}

void MessageBeep()
{
    if (Beeper())
        Beeper()();
}

BoxPresenter SetBoxPresenter(BoxPresenter presenter)
{
    return std::exchange(Presenter(), std::move(presenter));
}

BeepSink SetBeepSink(BeepSink sink)
{
    return std::exchange(Beeper(), std::move(sink));
}

}  // namespace platform
