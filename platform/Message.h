// A message: a command code and, for the few messages that carry data (a
// drop, the clipboard), named entries.
#pragma once

#include "SupportDefs.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// Asks a looper to quit: a window's QuitRequested, or the application's end.
constexpr uint32 B_QUIT_REQUESTED = 0x5f515549; // '_QRQ'
// Files dropped on a window: one "refs" entry each.
constexpr uint32 B_SIMPLE_DATA = 0x44415441; // 'DATA'

using type_code = uint32;
constexpr type_code B_MIME_TYPE = 0x4d494d45; // 'MIME'

constexpr status_t B_NAME_NOT_FOUND = -4;

// A file; this layer names it by its path.
struct entry_ref {
    std::string path;
};

class BMessage {
public:
    explicit BMessage(uint32 command) : what(command) {}
    uint32 what;

    // The bytes are copied; entries of one name keep their order. This layer
    // keeps no type: every reader knows what its entry holds.
    status_t AddData(const char* name, type_code type, const void* data, std::size_t numBytes);
    status_t AddRef(const char* name, const entry_ref* ref);
    // B_NAME_NOT_FOUND when the message has fewer than index + 1 entries of
    // that name.
    status_t FindData(const char* name, int32 index, std::string* bytes) const;
    status_t FindRef(const char* name, int32 index, entry_ref* ref) const;

private:
    struct Entry {
        std::string name;
        std::string bytes;
    };
    std::vector<Entry> fEntries;
};
