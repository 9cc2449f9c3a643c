#pragma once
// The dashboard panel: parent of every indicator. It fills the main window's client area below
// the tool bar and sizes the main window so that it just holds all indicators.
//
// Filling the client area (the platform's client alignment) is the parent's layout here: make
// the panel the main window's central widget, or a stretching row of its layout, below the
// 30-pixel tool bar. The main window is the panel's top-level window; its size is the client
// size throughout, so the gaps are the room beside the panel inside it (the status bar below).
#include "platform/Panel.h"

class TZpMainPanel : public platform::Panel {
    Q_OBJECT
public:
    explicit TZpMainPanel(QWidget* parent = nullptr);

    // Sizes the main window to the extent of the panel's child controls: the window grows and
    // shrinks with them, with no lower bound and no check against the screen. A window of fixed
    // size (a fixed border) gets the new size as its fixed size.
    void UpdateSize();

    int GapRight() const { return FGapRight; }
    int GapBottom() const { return FGapBottom; }

protected:
    // After every size change: keeps the room the main window needs beside the panel.
    void Resize() override;

    int FGapRight = 0;
    int FGapBottom = 0;
};
