#include "RenderProgram.h"

#include "FrameName.h"
#include "ParseArguments.h"
#include "PictureWriter.h"
#include "ProcessorCount.h"
#include "ProgressBar.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <new>
#include <tuple>
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

// Why the file at path cannot be written, with the path as typed, escaped
// so that the complaint stays one line.
std::string OutputComplaint(const std::string& path, const std::string& reason)
{
    return "--output: expected a writable file name, got " + Quoted(path) + " (" + reason + ")";
}

// The picture of frame k: the animation's values there, or the one picture.
PictureDescription FramePicture(const RenderOptions& options, std::int32_t frame)
{
    PictureDescription picture = options.picture;
    if (options.frames == 0)
        return picture;
    LyapParameters& f = picture.fractal;
    const LyapFrameValues v = InterpolateFrame(
        {f.aMin, f.aMax, f.bMin, f.bMax, f.morph, f.firstX, f.contrast}, options.to, frame,
        options.frames);
    std::tie(f.aMin, f.aMax, f.bMin, f.bMax, f.morph, f.firstX, f.contrast) =
        std::tie(v.aMin, v.aMax, v.bMin, v.bMax, v.morph, v.firstX, v.contrast);
    return picture;
}

// Renders one picture into path. A complaint is left in complaint, to be
// printed once the progress bar is gone.
std::int32_t WritePicture(const PictureDescription& picture, const std::string& path,
                          const RenderOptions& options, const RenderControl& control,
                          std::string& complaint)
{
    std::string error;
    const WriteOutcome outcome = options.exponentsFrom.empty()
        ? WritePictureFile(path, picture, options.format, control, error)
        : RecolourPictureFile(path, picture, options.format, options.exponentsFrom, control, error);
    switch (outcome) {
    case WriteOutcome::kWritten:
        return kExitWritten;
    case WriteOutcome::kSourceFailed:
        complaint = "--from: cannot read the exponents of " + Quoted(options.exponentsFrom) + " (" + error + ")";
        return kExitRefused;
    case WriteOutcome::kNotCreated:
        complaint = OutputComplaint(path, error);
        return kExitRefused;
    case WriteOutcome::kInterrupted:
        break;
    case WriteOutcome::kWriteFailed:
        // A write cut short by the signal is the interrupt's doing.
        if (gInterruptSignal.load() != 0)
            break;
        complaint = OutputComplaint(path, error + " while writing");
        return kExitRefused;
    }
    return kExitSignalBase + gInterruptSignal.load();
}

// The picture, or the animation's frames in order: each a file of its own,
// complete or not there at all; the first failure ends the run.
std::int32_t RenderAndWrite(const RenderOptions& options, const ThreadStarter& startThread)
{
    std::string complaint;
    std::int32_t status = kExitWritten;
    {
        ProgressBar bar(!options.quiet && isatty(STDERR_FILENO) == 1);
        const std::int32_t count = options.lastFrame - options.firstFrame + 1;
        for (std::int32_t k = options.firstFrame; k <= options.lastFrame && status == kExitWritten; ++k) {
            const std::int32_t done = k - options.firstFrame;
            const std::string label = options.frames == 0 ? std::string()
                : "frame " + std::to_string(done + 1) + "/" + std::to_string(count) + " ";
            const RenderControl control{options.threads, &gInterruptSignal,
                                        [&](double f) { bar.Update((done + f) / count, label); },
                                        startThread};
            const std::string path = options.frames == 0 ? options.output
                                                         : FrameFileName(options.output, k);
            status = WritePicture(FramePicture(options, k), path, options, control, complaint);
        }
    }
    if (!complaint.empty())
        Complain(complaint, status);
    return status;
}

} // namespace

std::int32_t RunRenderProgram(int argc, const char* const* argv, const ThreadStarter& startThread)
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
