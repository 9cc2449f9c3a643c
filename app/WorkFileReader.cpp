#include "app/WorkFileReader.h"

#include <cstring>

#include "app/ExtractBlock.h"
#include "app/KestrelErr.h"
#include "app/WorkTokens.h"

namespace {

// A block of a kind without a class ("_Recorder") is passed over whole, with the same rules as
// any indicator block, so that its closing brace is not taken for the end of its container's.
void PassOverBlock(const char*& pos)
{
    std::string ignored;
    if (!ExtractBlock(ignored, pos))
        pos += std::strlen(pos);  // the text ended inside it
}

}  // namespace

std::int8_t ReadWorkText(const char* text, TWorkFileTarget& target)
{
    const char* pos = text;
    int depth = 0;
    std::string name;
    std::string textValue;
    std::int32_t intValue = 0;
    try {
        for (;;) {
            switch (NextToken(pos, name, intValue, textValue)) {
            case TWorkToken::wtBlockOpen:
                target.OpenControl(name);
                ++depth;
                break;
            case TWorkToken::wtIndicatorOpen:
                if (!target.CreateIndicator(name, pos))
                    PassOverBlock(pos);
                target.CloseControl();
                break;
            case TWorkToken::wtBlockClose:
                target.CloseControl();
                if (--depth == 0)
                    throw TKestrelErr{KestrelEnd};
                break;
            case TWorkToken::wtValue:
                // A quoted value ends on its closing quote, an integer on its last digit; only
                // integers are geometry.
                if (pos[-1] != '"')
                    target.ControlValue(name, intValue);
                break;
            case TWorkToken::wtLineEnd:
            case TWorkToken::wtValueBlock: break;
            }
        }
    } catch (const TKestrelErr& error) {
        return error.Code;
    }
}
