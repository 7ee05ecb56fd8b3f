#include "Message.h"

status_t BMessage::AddData(const char* name, type_code, const void* data, std::size_t numBytes)
{
    fEntries.push_back({name, std::string(static_cast<const char*>(data), numBytes)});
    return B_OK;
}

status_t BMessage::AddRef(const char* name, const entry_ref* ref)
{
    return AddData(name, B_MIME_TYPE, ref->path.data(), ref->path.size());
}

status_t BMessage::FindData(const char* name, int32 index, std::string* bytes) const
{
    for (const Entry& entry : fEntries) {
        if (entry.name == name && index-- == 0) {
            *bytes = entry.bytes;
            return B_OK;
        }
    }
    return B_NAME_NOT_FOUND;
}

status_t BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
    return FindData(name, index, &ref->path);
}
