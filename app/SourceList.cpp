#include "app/SourceList.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "app/BesidePlacement.h"
#include "platform/Cp932.h"
#include "platform/WindowFrame.h"

TFSourceList* FSourceList = nullptr;

TFSourceList::TFSourceList(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FSourceList"));
    setWindowTitle(QStringLiteral("ソースセレクト"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(11);
    setFont(tahoma);
    setFixedSize(259, 255);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    ListBox = new QListWidget(this);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setGeometry(8, 40, 160, 207);
    ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox->setUniformItemSizes(true);
    ListBox->installEventFilter(this);
    Button2 = new QPushButton(QStringLiteral("追加"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(177, 40, 75, 25);
    Button1 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(175, 80, 75, 25);
    Edit = new QLineEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setGeometry(8, 8, 160, 21);
    Edit->setReadOnly(true);
    Edit->setFocusPolicy(Qt::NoFocus);  // not a tab stop
    for (QPushButton* button : {Button2, Button1}) {
        // Enter belongs to the message hook, never to a default button.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(ListBox, Button2);
    setTabOrder(Button2, Button1);

    connect(ListBox, &QListWidget::clicked, this, [this] { ListBoxClick(); });
    connect(ListBox, &QListWidget::doubleClicked, this, [this] { ListBoxDblClick(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

int TFSourceList::Execute(TPLUT table, QWidget* caller)
{
    ListBox->clear();
    for (TPLUT record = table; record && !record->Description.empty(); ++record)
        ListBox->addItem(platform::FromCp932(record->Description));

    SavedOnMessage =
        platform::SetApplicationMessageHook([this](platform::TMessage& message, bool& handled) {
            DialogMessageHook(message, handled);
        });
    hookInstalled_ = true;

    CallerForm = caller;
    if (caller) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect desktop = screen->virtualGeometry();
        const QRect workArea = screen->availableGeometry();
        platform::PlaceNowAndOnceFramed(*this, [this, caller, desktop, workArea] {
            const QRect anchor = platform::OuterGeometry(*caller);
            const QRect own = platform::OuterGeometry(*this);
            const platform::TPoint at =
                PlaceBeside(anchor.x(), anchor.y(), anchor.width(), {own.width(), own.height()},
                            {desktop.x() + desktop.width(), workArea.y() + workArea.height()});
            platform::MoveOuter(*this, {at.X, at.Y});
        });
    }
    return exec();
}

// --- Selection -------------------------------------------------------------------------------

int TFSourceList::ItemIndex() const
{
    // The list keeps a current line even without a selection (it takes line 0 with the focus),
    // so only a selected current line counts.
    const QListWidgetItem* item = ListBox->currentItem();
    return item && item->isSelected() ? ListBox->currentRow() : -1;
}

QString TFSourceList::SelectedText() const
{
    const int index = ItemIndex();
    return index < 0 ? QString() : ListBox->item(index)->text();
}

void TFSourceList::SetItemIndex(int index)
{
    if (index < 0) {
        ListBox->clearSelection();
        ListBox->setCurrentRow(-1);
    } else {
        ListBox->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void TFSourceList::CopySelectionToEdit()
{
    if (ListBox->count() > 0)
        Edit->setText(SelectedText());
}

// --- Handlers --------------------------------------------------------------------------------

void TFSourceList::FormShow()
{
    // Line 0 every time, whatever was chosen before.
    if (ListBox->count() > 0) {
        SetItemIndex(0);
        Edit->setText(ListBox->item(0)->text());
    }
}

void TFSourceList::ListBoxClick()
{
    CopySelectionToEdit();
}

void TFSourceList::ListBoxKeyUp()
{
    CopySelectionToEdit();
}

void TFSourceList::ListBoxDblClick()
{
    ListBoxClick();
    done(1);
}

void TFSourceList::Button2Click()
{
    done(1);
}

void TFSourceList::Button1Click()
{
    SetItemIndex(-1);
    done(-1);
}

void TFSourceList::FormClose()
{
    if (!hookInstalled_)
        return;
    hookInstalled_ = false;
    platform::SetApplicationMessageHook(SavedOnMessage);
}

bool TFSourceList::OwnsReceiver(const QObject* receiver) const
{
    if (const auto* window = qobject_cast<const QWindow*>(receiver))
        return window == windowHandle();
    if (receiver && receiver->isWidgetType())
        return static_cast<const QWidget*>(receiver)->window() == this;
    return false;
}

void TFSourceList::DialogMessageHook(platform::TMessage& message, bool& /*handled*/)
{
    if (message.Kind != platform::MessageKind::KeyDown || !OwnsReceiver(message.Receiver))
        return;
    if (message.Key == Qt::Key_Escape) {
        Button1Click();
    } else if (message.Key == Qt::Key_Return || message.Key == Qt::Key_Enter) {
        // Enter on the Cancel button is that button's click.
        if (focusWidget() == Button1)
            Button1Click();
        else
            done(1);
    }
}

void TFSourceList::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFSourceList::reject()
{
    Button1Click();
}

void TFSourceList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFSourceList::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc were acted on by the message hook; the dialog's own handling would close the
    // window a second time with another result.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFSourceList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox && event->type() == QEvent::KeyRelease)
        ListBoxKeyUp();
    return QDialog::eventFilter(watched, event);
}
