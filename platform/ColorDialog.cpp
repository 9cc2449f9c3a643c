#include "platform/ColorDialog.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

ColorDialogPresenter& Presenter()
{
    static ColorDialogPresenter presenter;
    return presenter;
}

}  // namespace

ColorDialogPresenter SetColorDialogPresenter(ColorDialogPresenter presenter)
{
    return std::exchange(Presenter(), std::move(presenter));
}

QString CustomColorLine(int slot, TColor color)
{
    return QStringLiteral("Color") + QChar(u'A' + slot) + QLatin1Char('=') +
           QStringLiteral("%1")
               .arg(std::uint32_t(color) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
               .toUpper();
}

ColorDialogRequest TColorDialog::Request() const
{
    ColorDialogRequest request;
    request.Color = Color;
    for (const QString& line : CustomColors) {
        // "ColorX=" and at least one hexadecimal digit.
        if (line.size() < 8 || !line.startsWith(QLatin1String("Color")) ||
            line[6] != QLatin1Char('='))
            continue;
        const int slot = line[5].unicode() - u'A';
        bool ok = false;
        const uint value = line.mid(7).toUInt(&ok, 16);
        if (slot < 0 || slot >= CustomColorSlots || !ok)
            continue;
        request.Custom[std::size_t(slot)] = TColor(value & 0xFFFFFFu);
    }
    return request;
}

bool TColorDialog::Execute()
{
    std::optional<TColor> picked;
    if (Presenter())
        picked = Presenter()(Request());
    else
        std::fprintf(stderr, "[colour dialog] cancelled\n");
    if (!picked)
        return false;
    Color = *picked;
    return true;
}

}  // namespace platform
