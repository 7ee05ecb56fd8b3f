#include "CommandLine.h"

#include "OutputFile.h"
#include "ParseArguments.h"
#include "ProcessorCount.h"
#include "ProgressBar.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <memory>
#include <new>
#include <unistd.h>

namespace {

constexpr std::int32_t kExitWritten = 0;
constexpr std::int32_t kExitOutOfMemory = 1;
// A bad option and an output that cannot be written, found at once or only
// when the image is stored, are one failure to the caller: nothing was written.
constexpr std::int32_t kExitRefused = 2;
constexpr std::int32_t kExitSignalBase = 128;

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
std::int32_t RefuseOutput(const std::string& expected, const std::string& output,
                          const std::string& reason)
{
    return Complain("--output: expected " + expected + ", got " + Quoted(output) + reason,
                    kExitRefused);
}

std::int32_t RenderAndWrite(const RenderOptions& options, const ThreadStarter& startThread)
{
    const std::string& output = options.output;
    std::string error;
    auto file = OutputFile::CreateBeside(output, error);
    if (!file)
        return RefuseOutput("a writable file name", output, " (" + error + ")");
    PictureWriter writer(file->Descriptor(), options.picture, options.format);
    const RowSink sink = [&](const std::uint8_t* rows, std::int32_t count) {
        if (writer.WriteSampleRows(rows, count))
            return true;
        error = writer.Error();
        return false;
    };
    RenderOutcome outcome;
    {
        ProgressBar bar(!options.quiet && isatty(STDERR_FILENO) == 1);
        const RenderControl control{options.threads, &gInterruptSignal,
                                    [&bar](double f) { bar.Update(f); }, startThread};
        outcome = RenderBands(options.picture, sink, control);
    }
    if (outcome == RenderOutcome::kInterrupted || gInterruptSignal.load() != 0)
        return kExitSignalBase + gInterruptSignal.load();
    if (outcome == RenderOutcome::kSinkFailed || !file->MoveIntoPlace(error))
        return RefuseOutput("a writable file name", output, " (" + error + " while writing)");
    return kExitWritten;
}

} // namespace

std::int32_t RunRenderCommand(int argc, const char* const* argv, const ThreadStarter& startThread)
{
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const ParsedCommand command =
        ParseArguments(args, std::min(AvailableProcessors(), kMaxThreads));
    switch (command.action) {
    case CommandAction::kHelp:
    case CommandAction::kVersion:
        std::cout << command.text;
        return kExitWritten;
    case CommandAction::kError:
        return Complain(command.text, kExitRefused);
    case CommandAction::kRender:
        break;
    }
    InstallInterruptHandlers();
    try {
        return RenderAndWrite(command.options, startThread);
    } catch (const std::bad_alloc&) {
        const PictureDescription& p = command.options.picture;
        return Complain("not enough memory for a " + std::to_string(p.width) + "x" +
                            std::to_string(p.height) + " image",
                        kExitOutOfMemory);
    }
}
