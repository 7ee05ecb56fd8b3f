#include "RenderProcess.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <fcntl.h>

extern char** environ;

namespace {

pid_t Spawn(const std::vector<std::string>& args, const std::filesystem::path& folder,
            const std::string& outputPath, const std::string& errorPath)
{
    std::vector<std::string> words{OMBRELIA_RENDER_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        throw std::runtime_error("cannot start " OMBRELIA_RENDER_PATH);
    return pid;
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

std::vector<std::string> ScratchFolder::FileNames() const
{
    return FileNamesIn(fPath);
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
                        const std::filesystem::path& folder)
{
    // The program's output goes to a folder of its own, so that the files
    // of the folder it runs in are only what it wrote.
    const ScratchFolder streams;
    const auto outputPath = streams.Path() / "stdout";
    const auto errorPath = streams.Path() / "stderr";
    ProcessResult result;
    result.exitStatus = WaitForExit(Spawn(args, folder, outputPath, errorPath));
    result.standardOutput = ReadWholeFile(outputPath);
    result.standardError = ReadWholeFile(errorPath);
    return result;
}

pid_t StartRender(const std::vector<std::string>& args, const std::filesystem::path& folder)
{
    return Spawn(args, folder, "/dev/null", "/dev/null");
}

int WaitForExit(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        throw std::runtime_error("waitpid failed");
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
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
