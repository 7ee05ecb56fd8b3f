#include "CommandLine.h"

#include "ParseArguments.h"
#include "ProgressBar.h"
#include "RenderPixels.h"
#include "TemporaryFile.h"
#include "WriteImage.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <new>
#include <sched.h>
#include <semaphore>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::int32_t kExitWritten = 0;
constexpr std::int32_t kExitOutOfMemory = 1;
// A bad option and an output that cannot be written, found at once or only
// when the image is stored, are one failure to the caller: nothing was written.
constexpr std::int32_t kExitRefused = 2;
constexpr std::int32_t kExitSignalBase = 128;
constexpr auto kInterruptPollInterval = std::chrono::milliseconds(20);

// The signal that asked us to stop, or 0. Written only by the handler.
std::atomic<int> gInterruptSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "written from a signal handler");

extern "C" void NoteInterrupt(int signal)
{
    gInterruptSignal.store(signal);
}

void InstallInterruptHandlers()
{
    struct sigaction action {};
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

std::int32_t Complain(const std::string& message, std::int32_t status)
{
    std::cerr << "ombrelia-render: " << message << '\n';
    return status;
}

// Why the output cannot be written, with the path as typed, escaped so that
// the complaint stays one line.
std::int32_t ComplainAboutOutput(const std::string& expected, const std::string& output,
                                 const std::string& reason, std::int32_t status)
{
    return Complain("--output: expected " + expected + ", got " + Quoted(output) + reason,
                    status);
}

std::int32_t InterruptedStatus()
{
    return kExitSignalBase + gInterruptSignal.load();
}

// Writing a large PNG takes seconds. It runs on a thread of its own so that
// an interrupt still ends the program at once: the file is removed first, and
// since the writer reaches it only through its descriptor, it does not come
// back. The process then ends without waiting for the writer.
bool WriteUnlessInterrupted(TemporaryFile& temporary, const RenderOptions& options,
                            const std::vector<std::uint8_t>& pixels, std::string& error)
{
    bool written = false;
    std::binary_semaphore finished(0);
    // written and error belong to the writer until it releases finished.
    std::thread writer([&] {
        written = WriteImage(temporary.Descriptor(), options, pixels, error);
        finished.release();
    });
    while (!finished.try_acquire_for(kInterruptPollInterval)) {
        if (gInterruptSignal.load() != 0) {
            temporary.Remove();
            std::_Exit(InterruptedStatus());
        }
    }
    writer.join();
    return written;
}

std::int32_t RenderAndWrite(const RenderOptions& options)
{
    const std::string& output = options.output;
    std::error_code ignored;
    if (std::filesystem::is_directory(output, ignored))
        return ComplainAboutOutput("a file name", output, ", which is a folder",
                                   kExitRefused);
    // The finished file replaces the output by renaming: over a device node
    // or a pipe (say /dev/null, as root) that would destroy it.
    const auto existing = std::filesystem::status(output, ignored).type();
    if (existing != std::filesystem::file_type::not_found &&
        existing != std::filesystem::file_type::regular)
        return ComplainAboutOutput("a regular file name", output,
                                   ", which is not a regular file", kExitRefused);
    std::string error;
    auto temporary = TemporaryFile::CreateBeside(output, error);
    if (!temporary)
        return ComplainAboutOutput("a writable file name", output, " (" + error + ")",
                                   kExitRefused);
    ProgressBar bar(!options.quiet && isatty(STDERR_FILENO) == 1);
    const RenderControl control{&gInterruptSignal, [&bar](double f) { bar.Update(f); }};
    const auto pixels = RenderPixels(options, control);
    bar.Finish();
    if (!pixels || gInterruptSignal.load() != 0)
        return InterruptedStatus();
    if (!WriteUnlessInterrupted(*temporary, options, *pixels, error))
        return ComplainAboutOutput("a writable file name", output,
                                   " (" + error + " while writing)", kExitRefused);
    if (gInterruptSignal.load() != 0)
        return InterruptedStatus();
    if (!temporary->MoveTo(output, error))
        return ComplainAboutOutput("a writable file name", output,
                                   " (" + error + " while writing)", kExitRefused);
    return kExitWritten;
}

} // namespace

std::int32_t AvailableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    const int count = sched_getaffinity(0, sizeof(set), &set) == 0 ? CPU_COUNT(&set) : 1;
    return std::clamp<std::int32_t>(count, 1, kMaxThreads);
}

std::int32_t RunRenderCommand(int argc, const char* const* argv)
{
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const std::int32_t defaultThreads = AvailableProcessors();
    const ParsedCommand command = ParseArguments(args, defaultThreads);
    switch (command.action) {
    case CommandAction::kHelp:
        std::cout << UsageText(defaultThreads);
        return kExitWritten;
    case CommandAction::kVersion:
        std::cout << VersionText();
        return kExitWritten;
    case CommandAction::kError:
        return Complain(command.error, kExitRefused);
    case CommandAction::kRender:
        break;
    }
    InstallInterruptHandlers();
    try {
        return RenderAndWrite(command.options);
    } catch (const std::bad_alloc&) {
        return Complain("not enough memory for a " + std::to_string(command.options.width) +
                            "x" + std::to_string(command.options.height) + " image",
                        kExitOutOfMemory);
    }
}
