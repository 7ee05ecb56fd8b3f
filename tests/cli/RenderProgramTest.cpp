// The built program as a user runs it: exit statuses, messages, the files it
// leaves, and what they hold.
#include "ImageFile.h"
#include "Palette.h"
#include "PassRunner.h"
#include "RenderProcess.h"
#include "TLyapCalc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace {

struct Pgm {
    int width = 0;
    int height = 0;
    std::string values;
};

// A binary PGM as the program writes it: "P5", width, height, 255, one
// whitespace byte, then the values.
Pgm ReadPgm(const std::filesystem::path& path)
{
    std::istringstream in(ReadWholeFile(path));
    std::string magic;
    int maxValue = 0;
    Pgm pgm;
    in >> magic >> pgm.width >> pgm.height >> maxValue;
    in.get();
    EXPECT_EQ(magic, "P5");
    EXPECT_EQ(maxValue, 255);
    pgm.values.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return pgm;
}

RgbImage ReadPng(const std::filesystem::path& path)
{
    RgbImage image;
    std::string error;
    EXPECT_TRUE(ReadRgbImage(path.string(), image, error)) << error;
    return image;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

TEST(RenderProgram, DefaultPgmIsTheCalculatorsDefaultPictureByteForByte)
{
    const ScratchFolder folder;
    const ProcessResult run = RunRender({"-o", "default.pgm"}, folder.Path());
    ASSERT_EQ(run.exitStatus, 0) << run.standardError;
    EXPECT_EQ(run.standardOutput, "");

    // What 64 workers of the viewer compute, one pass after another here.
    std::string direct(384 * 384, '\0');
    for (std::int32_t pass = 0; pass < 64; ++pass) {
        TLyapCalc calc;
        calc.SetSize(reinterpret_cast<std::uint8_t*>(direct.data()), 384, 384, 384);
        calc.Calculate(IdentityPaletteMap().data(), 64, pass);
    }

    const Pgm pgm = ReadPgm(folder.Path() / "default.pgm");
    EXPECT_EQ(pgm.width, 384);
    EXPECT_EQ(pgm.height, 384);
    EXPECT_TRUE(pgm.values == direct);
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"default.pgm"});
}

TEST(RenderProgram, OneAndThreeThreadsWriteTheSameFile)
{
    const std::vector<std::string> picture = {"--size", "131x67", "--iterations", "30",
                                              "--a", "3.1:3.9", "--palette", "2",
                                              "-o", "same.png"};
    std::vector<std::string> files;
    for (const char* threads : {"1", "3"}) {
        const ScratchFolder folder;
        auto args = picture;
        args.insert(args.end(), {"--threads", threads});
        ASSERT_EQ(RunRender(args, folder.Path()).exitStatus, 0);
        files.push_back(ReadWholeFile(folder.Path() / "same.png"));
    }
    EXPECT_FALSE(files[0].empty());
    EXPECT_TRUE(files[0] == files[1]);
}

TEST(RenderProgram, PngPixelsAreThePaletteColoursOfThePgmValues)
{
    const ScratchFolder folder;
    const std::vector<std::string> picture = {"--size", "90x70", "--b", "2.5:3.9",
                                              "--contrast", "300"};
    auto pgmArgs = picture;
    pgmArgs.insert(pgmArgs.end(), {"-o", "values.pgm"});
    ASSERT_EQ(RunRender(pgmArgs, folder.Path()).exitStatus, 0);
    const Pgm pgm = ReadPgm(folder.Path() / "values.pgm");

    for (int palette = 1; palette <= 4; ++palette) {
        auto pngArgs = picture;
        pngArgs.insert(pngArgs.end(), {"--palette", std::to_string(palette), "-o", "c.png"});
        ASSERT_EQ(RunRender(pngArgs, folder.Path()).exitStatus, 0);
        const RgbImage png = ReadPng(folder.Path() / "c.png");
        ASSERT_EQ(png.width, 90);
        ASSERT_EQ(png.height, 70);
        int mismatches = 0;
        for (std::size_t i = 0; i < pgm.values.size(); ++i) {
            const RgbColour expected =
                *PaletteColour(palette - 1, static_cast<std::uint8_t>(pgm.values[i]));
            const RgbColour actual{png.rgb[3 * i], png.rgb[3 * i + 1], png.rgb[3 * i + 2]};
            mismatches += actual == expected ? 0 : 1;
        }
        EXPECT_EQ(mismatches, 0) << "palette " << palette;
    }
}

TEST(RenderProgram, PngDescriptionIsACommandThatWritesTheSamePicture)
{
    const ScratchFolder first;
    ASSERT_EQ(RunRender({"--size", "48x40", "--iterations", "24", "--a", "3.45:3.95",
                         "--b=2.2:3.3", "--morph", "0.9", "--first-x", "0.3",
                         "--contrast", "99.5", "--palette", "3", "--supersample", "2",
                         "-o", "pic.png"},
                        first.Path()).exitStatus,
              0);
    const RgbImage original = ReadPng(first.Path() / "pic.png");
    std::string description;
    for (const auto& [key, value] : original.textChunks)
        if (key == "Description")
            description = value;
    std::vector<std::string> words = Words(description);
    ASSERT_GE(words.size(), 2u) << "no Description chunk";
    EXPECT_EQ(words.front(), "ombrelia-render");

    const ScratchFolder second;
    words.erase(words.begin());
    ASSERT_EQ(RunRender(words, second.Path()).exitStatus, 0) << description;
    EXPECT_EQ(second.FileNames(), std::vector<std::string>{"pic.png"});
    EXPECT_TRUE(ReadPng(second.Path() / "pic.png").rgb == original.rgb) << description;
}

// Found while testing refusals: the temporary file's name was the final
// name plus a suffix, so a name near the system's limit was refused.
TEST(RenderProgram, WritesAFileWhoseNameIsAsLongAsTheSystemAllows)
{
    const ScratchFolder folder;
    const std::string name = std::string(255 - 4, 'n') + ".pgm";
    const ProcessResult run = RunRender({"--size", "4x3", "-o", name}, folder.Path());
    EXPECT_EQ(run.exitStatus, 0) << run.standardError;
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{name});
}

// Waits until the program has created its temporary file, which it does
// just before it starts computing.
void AwaitRenderStart(const ScratchFolder& folder, std::size_t filesBefore)
{
    for (int i = 0; i < 3000 && folder.FileNames().size() == filesBefore; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GT(folder.FileNames().size(), filesBefore) << "the render never started";
}

TEST(RenderProgram, InterruptedItExitsWith128PlusTheSignalAndLeavesNoFile)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        const ScratchFolder folder;
        WriteWholeFile(folder.Path() / "big.png", "an earlier picture");
        const pid_t pid = StartRender({"--size", "4096x4096", "--iterations", "1000000",
                                       "--threads", "1", "-o", "big.png"},
                                      folder.Path());
        AwaitRenderStart(folder, 1);
        kill(pid, signal);
        EXPECT_EQ(WaitForExit(pid), 128 + signal);
        EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"big.png"});
        EXPECT_EQ(ReadWholeFile(folder.Path() / "big.png"), "an earlier picture");
    }
}

TEST(RenderProgram, HelpAndVersionGoToStandardOutput)
{
    const ScratchFolder folder;
    const ProcessResult help = RunRender({"--help"}, folder.Path());
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.standardOutput.find("Usage: ombrelia-render [options] -o FILE"), 0u);
    EXPECT_EQ(help.standardError, "");
    const ProcessResult version = RunRender({"--version"}, folder.Path());
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.standardOutput, "ombrelia-render 0.10\n");
    EXPECT_TRUE(folder.FileNames().empty());
}

} // namespace

namespace {

// Writing goes to a temporary file renamed over the output: an output that
// is a pipe or a device would be replaced by a plain file, so it is refused.
TEST(RenderProgram, RefusesAnOutputThatIsNotARegularFile)
{
    const ScratchFolder folder;
    const std::filesystem::path pipe = folder.Path() / "pipe.pgm";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const ProcessResult run = RunRender({"--size", "4x4", "-o", "pipe.pgm"}, folder.Path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.standardError.find("not a regular file"), std::string::npos)
        << run.standardError;
    EXPECT_EQ(std::count(run.standardError.begin(), run.standardError.end(), '\n'), 1);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"pipe.pgm"});
}

} // namespace
