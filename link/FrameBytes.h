#pragma once
// The control bytes of the meter's line: a frame is STX, text, ETX; a reply starts with ACK
// (done) or NAK (refused) and ends with ETX.
inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
