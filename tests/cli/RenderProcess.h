// Running the built ombrelia-render in a folder of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh empty folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fPath;
};

// The names of the files in folder, hidden ones included, sorted.
std::vector<std::string> FileNamesIn(const std::filesystem::path& folder);

struct ProcessResult {
    int exitStatus = -1;  // 128 + signal number if it was killed
    std::string standardOutput;
    std::string standardError;
};

// Runs the program in folder with args and waits for it; wrapper (say
// "timeout -s INT 1") is put before the program's name.
ProcessResult RunRender(const std::vector<std::string>& args,
                        const std::filesystem::path& folder, const std::string& wrapper = "");

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& contents);
