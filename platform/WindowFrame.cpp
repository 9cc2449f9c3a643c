#include "platform/WindowFrame.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

// The frame the window manager has put around window, if it has.
QMargins OwnFrame(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle && window.isVisible() ? handle->frameMargins() : QMargins();
}

bool FixedSize(const QWidget& window)
{
    return window.minimumSize() == window.maximumSize();
}

// Watches a window from a placement until its next exposure, and keeps the frame it had when
// last shown. A child of the window: it lives as long as the window.
class FramedPlacement : public QObject {
public:
    explicit FramedPlacement(QWidget& window) : QObject(&window), window_(window)
    {
        setObjectName(QStringLiteral("platform.FramedPlacement"));
        window.installEventFilter(this);
    }

    static FramedPlacement* Of(const QWidget& window)
    {
        return window.findChild<FramedPlacement*>(QStringLiteral("platform.FramedPlacement"),
                                                  Qt::FindDirectChildrenOnly);
    }

    QMargins LastFrame() const { return lastFrame_; }

    void Arm(std::function<void()> place)
    {
        place_ = std::move(place);
        reckoned_ = FrameMargins(window_);
        armed_ = true;
        WatchHandle();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Show) {
            WatchHandle();  // the window system's window may be new
        } else if (watched == window_.windowHandle() && event->type() == QEvent::Expose &&
                   window_.windowHandle()->isExposed()) {
            if (const QMargins own = OwnFrame(window_); !own.isNull())
                lastFrame_ = own;
            if (armed_) {
                armed_ = false;
                if (!lastFrame_.isNull() && lastFrame_ != reckoned_ && place_)
                    place_();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void WatchHandle()
    {
        if (QWindow* handle = window_.windowHandle())
            handle->installEventFilter(this);
    }

    QWidget& window_;
    std::function<void()> place_;
    QMargins reckoned_;
    QMargins lastFrame_;
    bool armed_ = false;
};

}  // namespace

QMargins FrameMargins(const QWidget& window)
{
    if (const QMargins own = OwnFrame(window); !own.isNull())
        return own;
    if (const FramedPlacement* watcher = FramedPlacement::Of(window);
        watcher && !watcher->LastFrame().isNull())
        return watcher->LastFrame();
    // The framed window most like this one.
    QMargins best;
    int bestLikeness = -1;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        const QMargins frame = other == &window ? QMargins() : OwnFrame(*other);
        if (frame.isNull())
            continue;
        const int likeness = (other->windowType() == window.windowType() ? 2 : 0) +
                             (FixedSize(*other) == FixedSize(window) ? 1 : 0);
        if (likeness > bestLikeness) {
            best = frame;
            bestLikeness = likeness;
        }
    }
    return best;
}

QRect OuterGeometry(const QWidget& window)
{
    return window.geometry().marginsAdded(FrameMargins(window));
}

void MoveOuter(QWidget& window, QPoint outerTopLeft)
{
    const QMargins frame = FrameMargins(window);
    window.setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), window.size()));
}

void CentreOuterOn(QWidget& window, const QWidget& over)
{
    QRect outer = OuterGeometry(window);
    outer.moveCenter(OuterGeometry(over).center());
    MoveOuter(window, outer.topLeft());
}

int ClientHeightFor(const QWidget& window, int outerHeight)
{
    const QMargins frame = FrameMargins(window);
    return outerHeight - frame.top() - frame.bottom();
}

void PlaceNowAndOnceFramed(QWidget& window, std::function<void()> place)
{
    FramedPlacement* watcher = FramedPlacement::Of(window);
    if (!watcher)
        watcher = new FramedPlacement(window);
    place();
    watcher->Arm(std::move(place));
}

}  // namespace platform
