// Running the built ombrelia-render in a folder of its own.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

// A fresh empty folder, removed with everything in it at the end.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ombrelia-cli-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a scratch folder");
        path = pattern;
    }
    ~ScratchFolder() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
};

// The names of the files in folder, hidden ones included, sorted.
inline std::vector<std::string> FileNamesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct ProcessResult {
    int exitStatus = -1;  // 128 + signal number if it was killed
    std::string standardOutput, standardError;
};

// Between single quotes for the shell: every byte but NUL stands for itself.
inline std::string ShellWord(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the program in folder with args and waits for it; the shell runs
// setup (say "ulimit -f 64;") first, in the process that becomes the
// program. The streams go to a folder of their own, so that the folder's
// files are only what it wrote.
inline ProcessResult RunRender(const std::vector<std::string>& args, const std::filesystem::path& folder,
                               const std::string& setup = "")
{
    const ScratchFolder streams;
    // Appended, not joined with +: gcc 12 at -O3 warns falsely (-Wrestrict)
    // about a literal + std::string temporary.
    std::string command = "cd ";
    command.append(ShellWord(folder)).append(" || exit 99; ").append(setup);
    command.append(" exec ").append(ShellWord(OMBRELIA_RENDER_PATH));
    for (const std::string& arg : args)
        command.append(" ").append(ShellWord(arg));
    command.append(" >").append(ShellWord(streams.path / "out")).append(" 2>").append(ShellWord(streams.path / "err"));
    const int status = std::system(command.c_str());
    return {WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status),
            ReadWholeFile(streams.path / "out"), ReadWholeFile(streams.path / "err")};
}
