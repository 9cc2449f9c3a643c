#include "platform/CursorPos.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPoint>

namespace platform {

namespace {

// Watches every mouse event the application dispatches and keeps the last global position.
// It is a child of the application object, so it lives exactly as long as the application.
class MouseEventTracker : public QObject {
    Q_OBJECT
public:
    explicit MouseEventTracker(QObject* application) : QObject(application)
    {
        setObjectName(QStringLiteral("platform.MouseEventTracker"));
        application->installEventFilter(this);
    }

    QPoint LastGlobal() const { return last_; }
    bool Seen() const { return seen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            last_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            seen_ = true;
            break;
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPoint last_;
    bool seen_ = false;
};

MouseEventTracker* Tracker()
{
    auto* application = QCoreApplication::instance();
    return application
               ? application->findChild<MouseEventTracker*>(
                     QStringLiteral("platform.MouseEventTracker"), Qt::FindDirectChildrenOnly)
               : nullptr;
}

// Installed with every application object, before any event is dispatched.
void InstallTracker()
{
    if (!Tracker())
        new MouseEventTracker(QCoreApplication::instance());
}
Q_COREAPP_STARTUP_FUNCTION(InstallTracker)

bool PointerFollowsEvents()
{
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

}  // namespace

TPoint GetCursorPos()
{
    QPoint position = QCursor::pos();
    if (!PointerFollowsEvents())
        if (const MouseEventTracker* tracker = Tracker(); tracker && tracker->Seen())
            position = tracker->LastGlobal();
    return {position.x(), position.y()};
}

}  // namespace platform

#include "CursorPos.moc"
