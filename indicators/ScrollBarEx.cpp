#include "indicators/ScrollBarEx.h"

#include <algorithm>

TScrollBarEx::TScrollBarEx(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

int TScrollBarEx::Page() const
{
    return pageStep();
}

void TScrollBarEx::SetPage(int page)
{
    setPageStep(std::max(page, 0));
}
