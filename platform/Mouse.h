#pragma once
// Mouse buttons and the shift state handed to a control's mouse handlers, and their derivation
// from Qt's mouse events.
#include <cstdint>

class QMouseEvent;

namespace platform {

enum class TMouseButton { mbLeft, mbRight, mbMiddle, mbExtra1, mbExtra2 };

// The keys and buttons held during a mouse event.
enum class TShiftFlag : std::uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};

class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr bool Contains(TShiftFlag flag) const { return (bits_ & std::uint8_t(flag)) != 0; }
    constexpr TShiftState& Include(TShiftFlag flag)
    {
        bits_ |= std::uint8_t(flag);
        return *this;
    }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    std::uint8_t bits_ = 0;
};

// The button that changed in a press or release; buttons beyond the first extra one count as
// the second extra one.
TMouseButton ButtonOf(const QMouseEvent& event);
// The modifier keys and the buttons held during the event.
TShiftState ShiftOf(const QMouseEvent& event);

}  // namespace platform
