#pragma once
// The entry controls of the indicator settings dialogs: an edit applied when the focus leaves it
// for another control of its window, and the up-down control bound to an edit.
#include <functional>
#include <QLineEdit>
#include <QWidget>

class QToolButton;

// An edit whose OnExit runs when the focus moves from it to another control of the same window
// (Tab, a click elsewhere). A window losing its activation (a message box on top, the window
// closing) does not count: the focus has not left the entry within its window.
// Indicators and the work file keep their texts in code page 932: typed or pasted characters it
// cannot hold are refused where they are typed, and a box names them. What an entry holds is one
// line: pasted control characters (line breaks among them) become blanks, since the work file
// keeps each text on a line of its own. Only what the user puts in is checked: a text the program
// sets (read from a work file) is shown as it is.
class TExitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TExitEdit(QWidget* parent = nullptr);

    std::function<void()> OnExit;
    // Runs OnExit as leaving would.
    void Exit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// The up-down control bound to an edit (its "associate"): each click steps the position by the
// increment within the range and shows the new position as the edit's text, which runs the
// edit's change handler. The Up and Down keys in the edit click it too. A click starts from the
// edit's number when it holds one (typed into an editable entry), brought into the range.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QWidget* parent, QLineEdit* associate, int min, int max, int increment, int position);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }
    int Position() const { return position_; }
    QLineEdit* Associate() const { return associate_; }
    QToolButton* ButtonUp() const { return up_; }
    QToolButton* ButtonDown() const { return down_; }

    // The edit shows value as it is, so that opening a dialog never changes what it shows; the
    // position itself keeps within the range, so the next click steps from inside it.
    void SetPosition(int value);
    void Click(bool up);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* associate_;
    QToolButton* up_;
    QToolButton* down_;
    int min_;
    int max_;
    int increment_;
    int position_;
};
