#include "platform/WindowSize.h"

#include <QWidget>

namespace platform {

void SetWindowSize(QWidget& window, QSize size)
{
    if (window.minimumSize() == window.maximumSize())
        window.setFixedSize(size.expandedTo(window.minimumSizeHint()));
    else
        window.resize(size);
}

}  // namespace platform
