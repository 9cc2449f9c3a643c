#pragma once
// The channel picker "ソースセレクト": lists a channel table by description beside the window that
// opened it and lets the user choose one. The choice is the list's selected line: a selected
// line after closing means a channel was chosen, none means nothing was. While open, its own
// message hook (Esc, Enter) stands in for the one in force, which it puts back when it closes.
#include <QDialog>
#include <QString>

#include "indicators/PortInfo.h"
#include "platform/MessageHook.h"

class QLineEdit;
class QListWidget;
class QPushButton;

class TFSourceList : public QDialog {
    Q_OBJECT
public:
    explicit TFSourceList(QWidget* owner = nullptr);

    // Components.
    QLineEdit* Edit;       // the selected line's text, read-only
    QListWidget* ListBox;  // the table's descriptions, in table order
    QPushButton* Button2;  // "追加"
    QPushButton* Button1;  // "キャンセル"

    // The application's message hook in force when Execute began, and the window beside which
    // the picker opened.
    platform::MessageHook SavedOnMessage;
    QWidget* CallerForm = nullptr;

    // Fills the list from table (up to the first record with an empty Description), opens the
    // picker beside caller and answers the modal result: 1 after a choice (追加, a double click,
    // Enter), -1 after a cancel (キャンセル, Esc, the title bar's close box), with no line
    // selected then.
    int Execute(TPLUT table, QWidget* caller);

    // The selected line's index, or -1; and its text (empty for none).
    int ItemIndex() const;
    QString SelectedText() const;

    void FormShow();
    void ListBoxClick();
    void ListBoxKeyUp();
    void ListBoxDblClick();
    void Button2Click();
    void Button1Click();
    void FormClose();
    void DialogMessageHook(platform::TMessage& message, bool& handled);

    void done(int result) override;
    // The title bar's close box counts as a cancel: the caller, which reads only the selection,
    // adds nothing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetItemIndex(int index);
    void CopySelectionToEdit();
    bool OwnsReceiver(const QObject* receiver) const;

    bool hookInstalled_ = false;
};

// The picker, created once at start-up.
extern TFSourceList* FSourceList;
