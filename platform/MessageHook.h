#pragma once
// The application's message hook (the platform's Application.OnMessage): one handler sees every
// keyboard and mouse message once, as the message loop takes it and before any control gets it.
// Windows that need keys of their own (Esc, Enter) save the handler in force, install theirs
// while they are open and put the saved one back when they close.
#include <functional>
#include <Qt>

class QObject;

namespace platform {

enum class MessageKind {
    KeyDown,
    KeyUp,
    MouseDown,
    MouseUp,
    MouseDoubleClick,
    MouseMove,
    MouseWheel
};

struct TMessage {
    MessageKind Kind = MessageKind::KeyDown;
    // The window or control the message is addressed to.
    QObject* Receiver = nullptr;
    // Key messages: the key (a Qt::Key value). A hook that sets it to 0 keeps the key from the
    // control, which then sees a key-down without a key (in effect: nothing).
    int Key = 0;
    bool AutoRepeat = false;
    // The keyboard state that came with the message (what GetKeyState reports while the message
    // is handled).
    Qt::KeyboardModifiers Modifiers;

    bool ShiftDown() const { return Modifiers.testFlag(Qt::ShiftModifier); }
};

// handled = true takes the message away from its receiver.
using MessageHook = std::function<void(TMessage& message, bool& handled)>;

// The hook in force (empty when none is installed).
MessageHook ApplicationMessageHook();
// Installs a hook (an empty one removes it) and answers the one it replaced, so that a window can
// put it back. Needs the application object.
MessageHook SetApplicationMessageHook(MessageHook hook);

}  // namespace platform
