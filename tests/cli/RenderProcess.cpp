#include "RenderProcess.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <sys/wait.h>

namespace {

// Between single quotes for the shell: every byte but NUL stands for itself.
std::string ShellWord(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ombrelia-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    fPath = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
}

std::vector<std::string> FileNamesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ProcessResult RunRender(const std::vector<std::string>& args,
                        const std::filesystem::path& folder, const std::string& wrapper)
{
    // The streams go to a folder of their own, so that the files of the
    // folder the program runs in are only what it wrote.
    const ScratchFolder streams;
    std::string command = "cd " + ShellWord(folder) + " && exec " + wrapper + " " +
                          ShellWord(OMBRELIA_RENDER_PATH);
    for (const std::string& arg : args)
        command += " " + ShellWord(arg);
    command += " >" + ShellWord(streams.Path() / "out") + " 2>" + ShellWord(streams.Path() / "err");
    const int status = std::system(command.c_str());
    ProcessResult result;
    result.exitStatus = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    result.standardOutput = ReadWholeFile(streams.Path() / "out");
    result.standardError = ReadWholeFile(streams.Path() / "err");
    return result;
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}
