#include "indicators/ZpMainPanel.h"

#include <algorithm>
#include <QWidget>

#include "platform/WindowSize.h"

namespace {

// The panel's top edge in the main window: right below the tool bar.
constexpr int ToolBarHeight = 30;

}  // namespace

TZpMainPanel::TZpMainPanel(QWidget* parent) : platform::Panel(parent) {}

void TZpMainPanel::Resize()
{
    const QWidget* mainWindow = window();
    if (mainWindow == this)
        return;
    FGapRight = mainWindow->width() - (Left() + Width());
    FGapBottom = mainWindow->height() - (Top() + Height());
}

void TZpMainPanel::UpdateSize()
{
    int right = 0;
    int bottom = 0;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        right = std::max(right, child->x() + child->width());
        bottom = std::max(bottom, child->y() + child->height());
    }
    move(0, ToolBarHeight);
    QWidget* mainWindow = window();
    if (mainWindow == this)
        return;
    const QSize fit(Left() + FGapRight + right + 1, Top() + FGapBottom + bottom + 1);
    // A window with a fixed border keeps its size fixed against the user, not against us.
    platform::SetWindowSize(*mainWindow, fit);
}
