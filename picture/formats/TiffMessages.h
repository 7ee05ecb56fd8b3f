// Where libtiff's messages about our files go: its first complaint into the
// error text given (unless a reason is already there, such as the system's),
// warnings nowhere; never to stderr, so that a refusal stays one line.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <tiffio.h>

inline void RouteTiffMessages(TIFFOpenOptions* options, std::string& error)
{
    TIFFOpenOptionsSetErrorHandlerExtR(
        options,
        [](TIFF*, void* text, const char*, const char* format, va_list args) {
            auto& noted = *static_cast<std::string*>(text);
            if (noted.empty()) {
                char line[256];
                std::vsnprintf(line, sizeof line, format, args);
                noted = line;
            }
            return 1;
        },
        &error);
    TIFFOpenOptionsSetWarningHandlerExtR(
        options, [](TIFF*, void*, const char*, const char*, va_list) { return 1; }, nullptr);
}
