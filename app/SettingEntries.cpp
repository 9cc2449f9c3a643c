#include "app/SettingEntries.h"

#include <algorithm>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QValidator>
#include <utility>

#include "platform/Cp932.h"
#include "platform/MessageBox.h"

namespace {

// Where an edit put text in: the part of after between what it shares with before at its start
// and at its end (a surrogate pair kept whole). First index and length.
std::pair<qsizetype, qsizetype> InsertedPart(const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    if (head > 0 && after[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && after[after.size() - tail].isLowSurrogate())
        --tail;
    return {head, after.size() - head - tail};
}

// Checks only what the user puts in (typed, pasted, dropped: the edit's modified flag, which a
// text the program sets clears), and of that only what was added: a text the program set (a
// title from the work file, whatever it holds) stays as it is, and typing beside it is not
// refused for it. The box comes once the edit has taken the input back, not in the middle of it.
class TWorkTextValidator : public QValidator {
public:
    explicit TWorkTextValidator(QLineEdit* edit) : QValidator(edit), edit_(edit)
    {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { shown_ = text; });
    }

    State validate(QString& input, int&) const override
    {
        if (!edit_->isModified())
            return Acceptable;
        const auto [head, length] = InsertedPart(shown_, input);
        // One line: the work file keeps each text on a line of its own.
        for (qsizetype at = head; at < head + length; ++at) {
            if (input[at].unicode() < 0x20)
                input[at] = u' ';
        }
        const QString missing = platform::Cp932Unholdable(input.mid(head, length));
        if (missing.isEmpty())
            return Acceptable;
        if (!boxPending_) {
            boxPending_ = true;
            QMetaObject::invokeMethod(
                const_cast<TWorkTextValidator*>(this),
                [this, missing] {
                    boxPending_ = false;
                    platform::ShowMessageBox(
                        QStringLiteral("「%1」は Shift-JIS で表せないため入力できません")
                            .arg(missing),
                        QString(), platform::BoxIcon::Error, platform::BoxButtons::Ok);
                },
                Qt::QueuedConnection);
        }
        return Invalid;
    }

private:
    const QLineEdit* edit_;
    // The text as the edit last showed it, before the change being checked.
    QString shown_;
    mutable bool boxPending_ = false;
};

}  // namespace

TExitEdit::TExitEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new TWorkTextValidator(this));
}

void TExitEdit::Exit()
{
    if (OnExit)
        OnExit();
}

void TExitEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        Exit();
}

TUpDown::TUpDown(QWidget* parent, QLineEdit* associate, int min, int max, int increment,
                 int position)
    : QWidget(parent), associate_(associate), min_(min), max_(max), increment_(increment),
      position_(std::clamp(position, min, max))
{
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Click(true); });
    connect(down_, &QToolButton::clicked, this, [this] { Click(false); });
    // Beside its edit, as high as it.
    const QRect edit = associate->geometry();
    setGeometry(edit.right() + 1, edit.top(), 16, edit.height());
    up_->setGeometry(0, 0, 16, edit.height() / 2);
    down_->setGeometry(0, edit.height() / 2, 16, edit.height() - edit.height() / 2);
    associate->setText(QString::number(position_));
    associate->installEventFilter(this);
}

void TUpDown::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    associate_->setText(QString::number(value));
}

void TUpDown::Click(bool up)
{
    bool isNumber = false;
    const int shown = associate_->text().trimmed().toInt(&isNumber);
    int from = isNumber ? std::clamp(shown, min_, max_) : position_;
    // Bring a shown number that lies outside the range into it first.
    const bool wasOutside = isNumber && from != shown;
    if (!wasOutside)
        from = up ? std::min(from + increment_, max_) : std::max(from - increment_, min_);
    position_ = from;
    associate_->setText(QString::number(position_));
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
