#include "platform/WidgetMessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "platform/MessageBox.h"
#include "platform/WindowFrame.h"

namespace platform {
namespace {

// A title bar shows its text in bold, centred on the whole bar, with the window's icon on one
// side and its buttons (minimise, maximise, close), each about as wide as the bar is high, on
// the other. The box is made wide enough for the caption to fit between them, so that the window
// manager need not cut it: a box is otherwise only as wide as its text and buttons, which for a
// short message leaves of the caption a few letters.
void MakeRoomForCaption(QMessageBox& box)
{
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // Known from a framed window of the application; else about a line of the caption's font.
    int titleBar = FrameMargins(box).top();
    if (titleBar <= 0)
        titleBar = metrics.height() + 4;
    constexpr int ButtonsOnEitherSide = 3;
    const int width =
        metrics.horizontalAdvance(box.windowTitle()) + 2 * ButtonsOnEitherSide * titleBar;
    // The button row spans the box: its least width is the box's, less the layout's margins.
    if (auto* buttons = box.findChild<QDialogButtonBox*>()) {
        const QMargins margins = box.layout()->contentsMargins();
        buttons->setMinimumWidth(width - margins.left() - margins.right());
    }
}

QMessageBox::Icon IconOf(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

BoxResult Present(const BoxRequest& request)
{
    QApplication* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return FirstButton(request.buttons);
    if (QThread::currentThread() != application->thread()) {
        // A box asked for on another thread (an error on the serial event thread) is shown by
        // the user-interface thread when it gets to it; the asking thread does not wait, since
        // the user-interface thread may be waiting for it.
        QMetaObject::invokeMethod(
            application, [request] { Present(request); }, Qt::QueuedConnection);
        return FirstButton(request.buttons);
    }

    const QString caption =
        request.caption.isEmpty() ? QGuiApplication::applicationDisplayName() : request.caption;
    // The tool's texts break lines with LF CR; the carriage return has no meaning on screen.
    QString text = request.text;
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    QMessageBox box(IconOf(request.icon), caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    QAbstractButton* ok = nullptr;
    QAbstractButton* abort = nullptr;
    QAbstractButton* yes = nullptr;
    switch (request.buttons) {
    case BoxButtons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case BoxButtons::Abort:
        abort = box.addButton(QStringLiteral("中止(&A)"), QMessageBox::RejectRole);
        box.setEscapeButton(abort);
        break;
    case BoxButtons::YesNo: {
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QAbstractButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(static_cast<QPushButton*>(yes));
        box.setEscapeButton(no);
        break;
    }
    }
    MakeRoomForCaption(box);
    box.exec();
    switch (request.buttons) {
    case BoxButtons::Ok: return BoxResult::Ok;
    case BoxButtons::Abort: return BoxResult::Abort;
    case BoxButtons::YesNo: return box.clickedButton() == yes ? BoxResult::Yes : BoxResult::No;
    }
    return BoxResult::Ok;
}

}  // namespace

void InstallWidgetMessageBoxes()
{
    SetBoxPresenter(Present);
    SetBeepSink([] { QApplication::beep(); });
}

}  // namespace platform
