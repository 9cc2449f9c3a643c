#include "platform/MessageHook.h"

#include <optional>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace platform {
namespace {

std::optional<MessageKind> KindOf(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress: return MessageKind::KeyDown;
    case QEvent::KeyRelease: return MessageKind::KeyUp;
    case QEvent::MouseButtonPress: return MessageKind::MouseDown;
    case QEvent::MouseButtonRelease: return MessageKind::MouseUp;
    case QEvent::MouseButtonDblClick: return MessageKind::MouseDoubleClick;
    case QEvent::MouseMove: return MessageKind::MouseMove;
    case QEvent::Wheel: return MessageKind::MouseWheel;
    default: return std::nullopt;
    }
}

// One input message reaches the application's event filter several times: first at its window,
// then at the control the window forwards it to (the same key event, or a translated copy of a
// mouse event with the same time stamp), then at each parent while the controls ignore it. The
// filter runs the hook for the first of these only.
class HookFilter : public QObject {
public:
    explicit HookFilter(QObject* parent) : QObject(parent) {}

    MessageHook hook;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto kind = KindOf(event->type());
        if (!kind || !hook)
            return false;
        auto* input = static_cast<QInputEvent*>(event);
        if (ContinuesLastMessage(watched, input))
            return false;
        last_ = {event, event->type(), input->timestamp(), watched};

        TMessage message;
        message.Kind = *kind;
        message.Receiver = watched;
        message.Modifiers = input->modifiers();
        if (*kind == MessageKind::KeyDown || *kind == MessageKind::KeyUp) {
            auto* key = static_cast<QKeyEvent*>(event);
            message.Key = key->key();
            message.AutoRepeat = key->isAutoRepeat();
            // The key state reports a modifier key as down from its own key-down on.
            if (key->key() == Qt::Key_Shift)
                message.Modifiers.setFlag(Qt::ShiftModifier, *kind == MessageKind::KeyDown);
        }
        const int key = message.Key;
        bool handled = false;
        // A copy: the hook may replace itself (a window closing on Esc puts back the hook it
        // saved).
        MessageHook current = hook;
        current(message, handled);
        return handled || (key != 0 && message.Key == 0);
    }

private:
    struct Delivery {
        QEvent* event = nullptr;
        QEvent::Type type = QEvent::None;
        quint64 timestamp = 0;
        QPointer<QObject> receiver;
    };

    bool ContinuesLastMessage(QObject* watched, const QInputEvent* event) const
    {
        if (!last_.receiver || event->type() != last_.type)
            return false;
        const bool sameMessage = event == last_.event ||
                                 (event->timestamp() != 0 && event->timestamp() == last_.timestamp);
        if (!sameMessage || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (auto* window = qobject_cast<QWindow*>(last_.receiver.data()))
            return widget->window()->windowHandle() == window;
        if (last_.receiver->isWidgetType())
            return widget != last_.receiver &&
                   widget->isAncestorOf(static_cast<QWidget*>(last_.receiver.data()));
        return false;
    }

    Delivery last_;
};

QPointer<HookFilter>& Filter()
{
    static QPointer<HookFilter> filter;
    return filter;
}

}  // namespace

MessageHook ApplicationMessageHook()
{
    return Filter() ? Filter()->hook : MessageHook{};
}

MessageHook SetApplicationMessageHook(MessageHook hook)
{
    auto& filter = Filter();
    if (!filter) {
        Q_ASSERT(QCoreApplication::instance());
        filter = new HookFilter(QCoreApplication::instance());  // owned by the application
        QCoreApplication::instance()->installEventFilter(filter);
    }
    return std::exchange(filter->hook, std::move(hook));
}

}  // namespace platform
