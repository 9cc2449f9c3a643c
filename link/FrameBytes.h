#pragma once
// The control bytes of the meter's line: a frame is STX, text, ETX; a reply starts with ACK
// (done) or NAK (refused) and ends with ETX.
inline constexpr char Stx = 0x02;
inline constexpr char Etx = 0x03;
inline constexpr char Ack = 0x06;
inline constexpr char Nak = 0x15;
