#include "platform/KeyState.h"

#include <QGuiApplication>

namespace platform {

std::int16_t GetKeyState(int virtualKey)
{
    Qt::KeyboardModifier modifier;
    switch (virtualKey) {
    case VK_SHIFT: modifier = Qt::ShiftModifier; break;
    case VK_CONTROL: modifier = Qt::ControlModifier; break;
    case VK_MENU: modifier = Qt::AltModifier; break;
    default: return 0;
    }
    constexpr auto Down = static_cast<std::int16_t>(0x8000);
    return QGuiApplication::queryKeyboardModifiers().testFlag(modifier) ? Down : 0;
}

}  // namespace platform
