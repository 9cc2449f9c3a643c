#include "indicators/ScrollBarEx.h"

#include <algorithm>

namespace indicators {

TScrollBarEx::TScrollBarEx(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

int TScrollBarEx::Page() const
{
    return pageStep();
}

void TScrollBarEx::SetPage(int page)
{
    setPageStep(std::max(page, 0));
}

}  // namespace indicators
