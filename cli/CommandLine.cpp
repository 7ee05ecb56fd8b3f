#include "CommandLine.h"

#include "OutputFile.h"
#include "ParseArguments.h"
#include "ProcessorCount.h"
#include "ProgressBar.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
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

// Where the finished rows go: a binary PGM of the colour values, or a PNG
// (indexed without supersampling). Sets error on failure.
RowSink FileSink(const RenderOptions& options, int fd, std::string& error)
{
    const PictureDescription& picture = options.picture;
    if (options.format == ImageFormat::kPgm) {
        const std::string header = "P5\n" + std::to_string(picture.width) + " " +
                                   std::to_string(picture.height) + "\n255\n";
        const bool started = WriteAll(
            fd, reinterpret_cast<const std::uint8_t*>(header.data()), header.size(), error);
        return [=, &error](const std::uint8_t* rows, std::int32_t count) {
            return started &&
                   WriteAll(fd, rows, static_cast<std::size_t>(picture.width) * count, error);
        };
    }
    const PaletteColours colours = ColoursOfPalette(picture.palette - 1);
    auto png = std::make_shared<PngStream>(
        fd, picture.width, picture.height, picture.supersample == 1 ? &colours : nullptr,
        PngTextChunks{{"Software", "ombrelia-render " OMBRELIA_VERSION},
                      {kParameterKeyword, ParameterText(picture)}});
    return [png, &error](const std::uint8_t* rows, std::int32_t count) {
        if (png->WriteRows(rows, count))
            return true;
        error = png->Error();
        return false;
    };
}

std::int32_t RenderAndWrite(const RenderOptions& options, const ThreadStarter& startThread)
{
    const std::string& output = options.output;
    std::error_code ignored;
    if (std::filesystem::is_directory(output, ignored))
        return RefuseOutput("a file name", output, ", which is a folder");
    // The finished file replaces the output by renaming: over a device node
    // or a pipe (say /dev/null, as root) that would destroy it.
    const auto existing = std::filesystem::status(output, ignored).type();
    if (existing != std::filesystem::file_type::not_found &&
        existing != std::filesystem::file_type::regular)
        return RefuseOutput("a regular file name", output, ", which is not a regular file");
    std::string error;
    auto file = OutputFile::CreateBeside(output, error);
    if (!file)
        return RefuseOutput("a writable file name", output, " (" + error + ")");
    const RowSink sink = FileSink(options, file->Descriptor(), error);
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
