#pragma once
// A top-level window laid out as the main window is: a 30-pixel tool bar row, the dashboard
// panel filling the client area below it, a 19-pixel status bar row.
#include <QVBoxLayout>
#include <QWidget>

#include "indicators/ZpMainPanel.h"

namespace testing_support {

class MainWindowStandIn : public QWidget {
public:
    static constexpr int ToolBar = 30;
    static constexpr int StatusBar = 19;

    MainWindowStandIn()
    {
        auto* rows = new QVBoxLayout(this);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->setSpacing(0);
        auto* toolBar = new QWidget(this);
        toolBar->setFixedHeight(ToolBar);
        auto* statusBar = new QWidget(this);
        statusBar->setFixedHeight(StatusBar);
        Panel = new TZpMainPanel(this);
        Panel->SetBevelOuter(platform::TBevelCut::bvLowered);
        rows->addWidget(toolBar);
        rows->addWidget(Panel, 1);
        rows->addWidget(statusBar);
        setGeometry(40, 40, 400, 300);
    }

    TZpMainPanel* Panel = nullptr;
};

}  // namespace testing_support
