#pragma once
// A scroll bar whose page size (the extent the thumb stands for) is a property of its own.
#include <QScrollBar>

class TScrollBarEx : public QScrollBar {
    Q_OBJECT
    Q_PROPERTY(int Page READ Page WRITE SetPage)
public:
    explicit TScrollBarEx(QWidget* parent = nullptr);

    int Page() const;
    // A negative page counts as 0.
    void SetPage(int page);
};
