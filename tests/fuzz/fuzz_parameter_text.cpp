// Fuzzes the reading of a picture's parameter text (the input is the text
// of the PNG chunk). Whatever it holds, the text is either refused with one
// line or gives values within the options' ranges, and those values written
// out again read back as the very same values.
#include "AcceptedOptions.h"
#include "ParseArguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    RenderOptions read;
    if (const auto complaint = ReadParameterValues(text, read)) {
        CheckOneLine(*complaint);
        return 0;
    }
    CheckPictureAccepted(read.picture);
    const std::string written = ParameterText(read.picture);
    RenderOptions again;
    Check(!ReadParameterValues(written, again).has_value());
    Check(ParameterText(again.picture) == written);
    return 0;
}
