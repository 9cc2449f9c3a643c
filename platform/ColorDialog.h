#pragma once
// The platform's colour dialog as a component: the colour last picked (preselected when it opens
// again) and sixteen custom colours given as lines "ColorA=BBGGRR" to "ColorP=BBGGRR". Every
// dialog runs through one presenter: the widget presenter in the program, a scripted one in tests
// (which answers without a person).
#include <array>
#include <functional>
#include <optional>
#include <QString>
#include <QStringList>

#include "platform/Color.h"

namespace platform {

constexpr int CustomColorSlots = 16;

struct ColorDialogRequest {
    TColor Color = clBlack;                         // preselected
    std::array<TColor, CustomColorSlots> Custom{};  // slot A first; a slot without a line is 0
};

// Answers the colour picked, or nothing when the user cancels.
using ColorDialogPresenter = std::function<std::optional<TColor>(const ColorDialogRequest&)>;

// Replaces the presenter; answers the one it replaced. Without a presenter every dialog is
// cancelled (and noted on standard error).
ColorDialogPresenter SetColorDialogPresenter(ColorDialogPresenter presenter);

// The custom colour line of a slot (0 for A .. 15 for P): "Color", the slot letter, "=", the
// colour's low 24 bits as six upper-case hexadecimal digits. A system colour loses its top byte.
QString CustomColorLine(int slot, TColor color);

class TColorDialog {
public:
    // The colour last picked; black until the first pick.
    TColor Color = clBlack;
    // Lines "ColorX=hhhhhh"; a line of another form is passed over.
    QStringList CustomColors;

    // Runs the dialog modally; true with Color set when the user confirmed.
    bool Execute();
    // The request Execute hands to the presenter.
    ColorDialogRequest Request() const;
};

}  // namespace platform
