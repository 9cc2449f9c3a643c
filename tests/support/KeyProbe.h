#pragma once
// An edit control that records the keys it receives, to tell which keys reached a control.
#include <QKeyEvent>
#include <QLineEdit>
#include <vector>

namespace testing_support {

class KeyProbe : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        keys.push_back(event->key());
        QLineEdit::keyPressEvent(event);
    }
};

}  // namespace testing_support
