#include "platform/ControlCursor.h"

#include <array>
#include <QCursor>
#include <QWidget>
#include <utility>

namespace platform {

namespace {

// crDefault is the plain arrow; it comes first so that the arrow maps back to it.
constexpr std::array<std::pair<TCursor, Qt::CursorShape>, 6> Shapes{{
    {crDefault, Qt::ArrowCursor},
    {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},
    {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},
    {crDrag, Qt::DragMoveCursor},
}};

}  // namespace

Qt::CursorShape ToQtCursorShape(TCursor cursor)
{
    for (const auto& [id, shape] : Shapes)
        if (id == cursor)
            return shape;
    return Qt::ArrowCursor;
}

TCursor FromQtCursorShape(Qt::CursorShape shape)
{
    for (const auto& [id, known] : Shapes)
        if (known == shape)
            return id;
    return crDefault;
}

void SetControlCursor(QWidget& control, TCursor cursor)
{
    control.setCursor(QCursor(ToQtCursorShape(cursor)));
}

TCursor ControlCursor(const QWidget& control)
{
    return FromQtCursorShape(control.cursor().shape());
}

}  // namespace platform
