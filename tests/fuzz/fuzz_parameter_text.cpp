// Fuzzes the reading of a picture's parameter text (the input is the text
// of the PNG chunk). Whatever it holds, the text is either refused with one
// line or gives values within the options' ranges, and those values written
// out again read back as the very same values.
#include "AcceptedOptions.h"
#include "ParameterText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto read = ReadParameterText(text);
    if (!read) {
        CheckOneLine(read.Reason());
        return 0;
    }
    CheckPictureAccepted(*read);
    const std::string written = ParameterText(*read);
    const auto again = ReadParameterText(written);
    Check(again.has_value() && ParameterText(*again) == written);
    return 0;
}
