#pragma once
// Modal message boxes and the default beep. Every box of the tool goes through ShowMessageBox so
// that one presenter shows them: the widget presenter in the program, a recording presenter in
// tests (which answers without a person).
#include <functional>
#include <QString>

namespace platform {

enum class BoxIcon { Error, Information, Question };
enum class BoxButtons { Ok, Abort, YesNo };
// The values are the platform's dialog result codes.
enum class BoxResult { Ok = 1, Cancel = 2, Abort = 3, Yes = 6, No = 7 };

struct BoxRequest {
    QString text;
    QString caption;
    BoxIcon icon = BoxIcon::Error;
    BoxButtons buttons = BoxButtons::Ok;
};

using BoxPresenter = std::function<BoxResult(const BoxRequest&)>;
using BeepSink = std::function<void()>;

// Shows a modal box and answers with the button pressed. An empty caption means the program's
// title.
BoxResult ShowMessageBox(const QString& text, const QString& caption, BoxIcon icon,
                         BoxButtons buttons);
// The default system beep (MessageBeep with the default sound).
void MessageBeep();

// Replace the presenter or the beep; each answers the one it replaced. Without a presenter a box
// is written to standard error and answered with its first button.
BoxPresenter SetBoxPresenter(BoxPresenter presenter);
BeepSink SetBeepSink(BeepSink sink);

// The answer of a box that no one can be asked: its first button.
BoxResult FirstButton(BoxButtons buttons);

}  // namespace platform
