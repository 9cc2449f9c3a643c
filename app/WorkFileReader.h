#pragma once
// The work file's reading loop, free of widgets: it walks the tokens of the whole text and hands
// what it finds to a target, which holds the controls. The loop ends only through a TKestrelErr;
// its code is the answer. Any other exception (a kind's property reader refusing a key) passes
// through to the caller.
//
// The tool writes back only what it loaded, so whatever of the file no control or indicator
// takes is reported to the target as skipped: a save would drop it. The first line, the header,
// is compared with nothing.
#include <cstdint>
#include <string>
#include <string_view>

// The most indicators one load makes: far more than any dashboard holds (the registry keeps 127
// of them), far fewer than the window system can stack. A file of tens of thousands of blocks
// would otherwise keep the tool from starting at all; the blocks beyond are passed over.
inline constexpr int WorkFileIndicatorLimit = 1000;

// The bytes without the blanks (control characters and line ends included) around them.
std::string_view TrimmedOfBlanks(std::string_view bytes);

enum class TSkippedPart {
    spBlock,           // an indicator block of a kind without a class: its header ("_Recorder1")
    spControl,         // the block of a control the window does not have: its name
    spKey,             // a value no control takes: its key
    spText,            // text that is no token of a work file: its line
    spIndicatorLimit,  // the indicator blocks beyond WorkFileIndicatorLimit: the first one's header
};

class TWorkFileTarget {
public:
    virtual ~TWorkFileTarget() = default;
    // A control's block opens: the control of that name (if there is one) becomes the current
    // control, whose geometry lines follow. False when the window has no such control.
    virtual bool OpenControl(const std::string& name) = 0;
    // A block closed, or an indicator was made: there is no current control.
    virtual void CloseControl() = 0;
    // An integer line of the current control; false when nothing took it (no current control,
    // or a key other than "Left", "Top", "Width" and "Height").
    virtual bool ControlValue(const std::string& key, std::int32_t value) = 0;
    // Makes an indicator of the kind from the block at pos (which stands at its "{"), leaving pos
    // after the block. False, consuming nothing, for a kind without a class.
    virtual bool CreateIndicator(const std::string& prefix, const char*& pos) = 0;
    // A part of the file that loads nothing, and its text (without its line end). Within the
    // block of a control the window does not have, only that block is reported.
    virtual void Skipped(TSkippedPart /*part*/, const std::string& /*text*/) {}
};

// Reads a work file's text (which must end with a 0x00 byte, as std::string's does) and answers
// the code that ended it: 0 for a normal end. end: where the text really ends, when a 0x00 byte
// may stand inside it; what follows such a byte is reported as skipped text.
std::int8_t ReadWorkText(const char* text, TWorkFileTarget& target, const char* end = nullptr);
