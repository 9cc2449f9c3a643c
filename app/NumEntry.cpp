#include "app/NumEntry.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/Main.h"

TNumEntryForm* NumEntryForm = nullptr;

namespace {

constexpr int ClientWidth = 216;
constexpr int ClientHeight = 81;

}  // namespace

TNumEntryForm::TNumEntryForm(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("NumEntryForm"));
    setWindowTitle(QStringLiteral("数値入力"));
    setFont(QFont(QStringLiteral("Tahoma")));
    setFixedSize(ClientWidth, ClientHeight);

    EditValue = new QLineEdit(this);
    EditValue->setObjectName(QStringLiteral("EditValue"));
    EditValue->setMaxLength(10);
    EditValue->setGeometry(8, 12, 200, 21);
    EditValue->installEventFilter(this);

    ButtonOk = new QPushButton(QStringLiteral("OK"), this);
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setGeometry(48, 46, 75, 25);
    ButtonOk->setAutoDefault(false);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(133, 46, 75, 25);
    ButtonCancel->setAutoDefault(false);
    connect(ButtonOk, &QPushButton::clicked, this, &TNumEntryForm::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TNumEntryForm::ButtonCancelClick);
}

void TNumEntryForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TNumEntryForm::FormShow()
{
    if (MainForm) {
        const QRect main = MainForm->frameGeometry();
        move(main.center() - QPoint(width() / 2, height() / 2));
    }
    EditValue->setFocus();
    // One right-arrow key-down: the text is not left selected.
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(EditValue, &right);
}

bool TNumEntryForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditValue && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: done(1); return true;
        case Qt::Key_Escape: done(-1); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
