#include "platform/WidgetMessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "platform/MessageBox.h"

namespace platform {
namespace {

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
