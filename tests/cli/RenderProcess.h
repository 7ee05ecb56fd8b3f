// Running the built ombrelia-render as a subprocess, in a folder of its own.
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// A fresh empty folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return fPath; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> FileNames() const;

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

// Runs the program in folder with args and waits for it.
ProcessResult RunRender(const std::vector<std::string>& args,
                        const std::filesystem::path& folder);

// Starts the program in folder with args (its output discarded).
pid_t StartRender(const std::vector<std::string>& args, const std::filesystem::path& folder);

// Waits for a started program; its exit status as RunRender reports it.
int WaitForExit(pid_t pid);

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& contents);
