#pragma once
// The work file's reading loop, free of widgets: it walks the tokens of the whole text and hands
// what it finds to a target, which holds the controls. The loop ends only through a TKestrelErr;
// its code is the answer. Any other exception (a kind's property reader refusing a key) passes
// through to the caller.
#include <cstdint>
#include <string>

class TWorkFileTarget {
public:
    virtual ~TWorkFileTarget() = default;
    // A control's block opens: the control of that name (if there is one) becomes the current
    // control, whose geometry lines follow.
    virtual void OpenControl(const std::string& name) = 0;
    // A block closed, or an indicator was made: there is no current control.
    virtual void CloseControl() = 0;
    // An integer line ("Left", "Top", "Width", "Height" or any other key) of the current control.
    virtual void ControlValue(const std::string& key, std::int32_t value) = 0;
    // Makes an indicator of the kind from the block at pos (which stands at its "{"), leaving pos
    // after the block. False, consuming nothing, for a kind without a class.
    virtual bool CreateIndicator(const std::string& prefix, const char*& pos) = 0;
};

// Reads a work file's text (which must end with a 0x00 byte, as std::string's does) and answers
// the code that ended it: 0 for a normal end.
std::int8_t ReadWorkText(const char* text, TWorkFileTarget& target);
