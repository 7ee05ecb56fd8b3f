// A file opened for reading that closes itself, for the readers of every
// room (colour maps, a picture's parameters).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReadFile = std::unique_ptr<std::FILE, FileCloser>;

// The file at path, opened in binary; null when it cannot be (errno says why).
inline ReadFile OpenToRead(const std::string& path)
{
    return ReadFile(std::fopen(path.c_str(), "rb"));
}
