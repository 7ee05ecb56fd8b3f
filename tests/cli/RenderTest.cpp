// The renderer's output: the bands, threads and supersampling give the bytes
// the viewer's 64 workers give, the files hold them (checked with libspng's
// own decoder), and a run ends cleanly however it ends.
#include "BandedRender.h"
#include "ParseArguments.h"
#include "PictureWriter.h"
#include "PngStream.h"
#include "RenderProcess.h"
#include "TLyapCalc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spng.h>
#include <sys/stat.h>

namespace {

// Sizes that do not divide into 64 passes, a reversed range, clamped
// ranges, and an orbit through the centre at a = 8/3, b = 27/8 whose colour
// hangs on the last bit of each row's b.
const std::vector<std::string> kPictures[] = {
    {"--size", "97x131", "--iterations", "40", "--a", "3.3:3.9", "--b", "2.1:3.7"},
    {"--size", "50x70", "--iterations", "8", "--b", "4:2.5", "--palette", "3"},
    {"--size", "40x90", "--iterations", "6", "--a", "-1:9", "--b", "0:9", "--palette", "2"},
    {"--size", "3x200", "--a", "2.6666666666666665:2.6666666666666665", "--b",
     "3.375:3.3750000000000053", "--contrast", "60", "--palette", "4"},
};

PictureDescription Picture(std::vector<std::string> args)
{
    args.insert(args.end(), {"--format", "png", "-o", "x"});
    const ParsedCommand parsed = ParseArguments(args, 1);
    EXPECT_EQ(parsed.action, CommandAction::kRender) << parsed.text;
    return parsed.options.picture;
}

// The reference: 64 calculators, one pass each, over the whole sample grid;
// with supersampling each pixel the rounded mean of its K x K sample colours.
std::vector<std::uint8_t> Expected(const PictureDescription& p)
{
    const int k = p.supersample, width = p.width * k;
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * p.height * k), identity(256), pixels;
    for (int v = 0; v < 256; ++v)
        identity[v] = static_cast<std::uint8_t>(v);
    for (std::int32_t pass = 0; pass < 64; ++pass) {
        TLyapCalc calc(p.fractal);
        calc.SetSize(samples.data(), width, p.height * k, width);
        calc.Calculate(identity.data(), 64, pass);
    }
    if (k == 1)
        return samples;
    for (int i = 0; i < p.width * p.height * 3; ++i) {
        const int x = i / 3 % p.width, y = i / 3 / p.width;
        int sum = 0;
        for (int s = 0; s < k * k; ++s) {
            const RgbColour c = *PaletteColour(p.palette - 1, samples[(y * k + s / k) * width + x * k + s % k]);
            sum += i % 3 == 0 ? c.red : i % 3 == 1 ? c.green : c.blue;
        }
        pixels.push_back(static_cast<std::uint8_t>((sum + k * k / 2) / (k * k)));
    }
    return pixels;
}

std::vector<std::uint8_t> Banded(const PictureDescription& p, const RenderControl& control)
{
    std::vector<std::uint8_t> pixels;
    const std::int32_t k = p.supersample;
    const auto sink = [&](const std::uint8_t* rows, std::int32_t count) {
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(p.width) * count * 3);
        if (k > 1)
            AverageBand(rows, p.width, count, k, ColoursOfPalette(p.palette - 1), rgb.data());
        const std::uint8_t* band = k > 1 ? rgb.data() : rows;
        pixels.insert(pixels.end(), band, band + static_cast<std::size_t>(p.width) * count * (k > 1 ? 3 : 1));
        return true;
    };
    EXPECT_EQ(RenderBands(p, sink, control), RenderOutcome::kDone);
    return pixels;
}

TEST(RenderBands, GiveTheBytesOfSixtyFourPassesWhateverTheBandsThreadsAndSupersampling)
{
    std::int32_t started = 0;
    // Every other thread fails to start, the last band's threads all do.
    const ThreadStarter flaky = [&](std::function<void()> work) -> std::optional<std::thread> {
        if (++started % 2 == 0 || started > 40)
            return std::nullopt;
        return std::thread(std::move(work));
    };
    for (const auto& args : kPictures) {
        for (const std::int32_t k : {1, 2, 3}) {
            PictureDescription p = Picture(args);
            p.supersample = k;
            const auto expected = Expected(p);
            for (const std::int64_t bandSamples : {1, 5 * 64 * 9, 1 << 22}) {
                EXPECT_EQ(Banded(p, {3, nullptr, {}, StartThread, bandSamples}), expected)
                    << args[1] << ", K " << k << ", band of " << bandSamples;
            }
            EXPECT_EQ(Banded(p, {4, nullptr, {}, flaky, 700}), expected) << args[1];
            started = 0;
        }
    }
}

// Decodes a PNG with libspng: its RGB pixels and its text chunks.
std::vector<std::uint8_t> DecodePng(const std::string& bytes, std::string& text)
{
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, bytes.data(), bytes.size());
    std::size_t size = 0;
    spng_decoded_image_size(ctx, SPNG_FMT_RGB8, &size);
    std::vector<std::uint8_t> rgb(size);
    EXPECT_EQ(spng_decode_image(ctx, rgb.data(), size, SPNG_FMT_RGB8, 0), 0);
    std::uint32_t count = 0;
    spng_get_text(ctx, nullptr, &count);
    std::vector<spng_text> chunks(count);
    spng_get_text(ctx, chunks.data(), &count);
    for (const spng_text& chunk : chunks)
        text += std::string(chunk.keyword) + ":" + std::string(chunk.text, chunk.length) + "\n";
    spng_ctx_free(ctx);
    return rgb;
}

TEST(RenderProgram, PngPixelsAreThePaletteColoursOfThePgmValuesAndCarryTheParameters)
{
    const ScratchFolder folder;
    std::vector<std::string> args = {"-q", "--size", "90x70", "--b", "2.5:3.9", "--contrast", "300", "-o", "v.pgm"};
    ASSERT_EQ(RunRender(args, folder.Path()).exitStatus, 0);
    const std::string pgm = ReadWholeFile(folder.Path() / "v.pgm");
    EXPECT_EQ(pgm.substr(0, 13), "P5\n90 70\n255\n");
    const std::string values = pgm.substr(13);
    const auto direct = Expected(Picture({"--size", "90x70", "--b", "2.5:3.9", "--contrast", "300"}));
    EXPECT_TRUE(values == std::string(direct.begin(), direct.end()));
    args.back() = "c.png";
    for (const char* palette : {"1", "2", "3", "4"}) {
        args.insert(args.end(), {"--palette", palette});
        ASSERT_EQ(RunRender(args, folder.Path()).exitStatus, 0);
        std::string text;
        const auto rgb = DecodePng(ReadWholeFile(folder.Path() / "c.png"), text);
        ASSERT_EQ(rgb.size(), values.size() * 3);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const RgbColour c = *PaletteColour(std::stoi(palette) - 1, static_cast<std::uint8_t>(values[i]));
            ASSERT_EQ((RgbColour{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]}), c) << "palette " << palette << ", pixel " << i;
        }
        EXPECT_NE(text.find("ombrelia-parameters:version=1\nwidth=90\nheight=70\nsequence=AB\n"
                            "iterations=16\na-min=2\na-max=4\nb-min=2.5\nb-max=3.9\nmorph=1\n"
                            "first-x=0.5\ncontrast=300\npalette=" + std::string(palette) + "\nsupersample=1\n"),
                  std::string::npos) << text;
        args.resize(args.size() - 2);
    }
    EXPECT_EQ(FileNamesIn(folder.Path()), (std::vector<std::string>{"c.png", "v.pgm"}));
}

// Read back, every number gives the same double.
TEST(RenderProgram, ParameterTextReadsBackAsTheSameDoubles)
{
    const std::string text = ParameterText(Picture({"--a", "0.1:0.30000000000000004", "--morph", "-1e-300"}));
    EXPECT_NE(text.find("a-min=0.1\na-max=0.30000000000000004\n"), std::string::npos) << text;
    EXPECT_NE(text.find("morph=-1e-300\n"), std::string::npos) << text;
}

// The file's values, then the options given over them; the viewer's save
// (WritePictureFile) writes the renderer's very bytes.
TEST(RenderProgram, FromAPictureRendersItAgainByteForByteAndOptionsOverrideItsValues)
{
    const ScratchFolder folder;
    const auto file = [&](const char* name) { return ReadWholeFile(folder.Path() / name); };
    std::vector<std::string> args = {"--size", "61x47", "--a", "3.1:3.9", "--b", "2.9:3.5", "--iterations", "30",
                                     "--morph", "0.9", "--first-x", "0.3", "--contrast", "90", "--palette", "2"};
    for (const char* k : {"1", "2"}) {
        std::vector<std::string> first = args;
        first.insert(first.end(), {"--supersample", k});
        std::string error;
        ASSERT_TRUE(WritePictureFile(folder.Path() / "saved.png", Picture(first), ImageFormat::kPng, error)) << error;
        first.insert(first.end(), {"-o", "first.png"});
        ASSERT_EQ(RunRender(first, folder.Path()).exitStatus, 0);
        ASSERT_EQ(RunRender({"--from", "first.png", "-o", "again.png"}, folder.Path()).exitStatus, 0);
        EXPECT_TRUE(file("again.png") == file("first.png")) << "supersample " << k;
        EXPECT_TRUE(file("saved.png") == file("first.png")) << "supersample " << k;
    }
    ASSERT_EQ(RunRender({"--from", "first.png", "--iterations", "8", "--size", "20x10", "-o", "over.png"}, folder.Path()).exitStatus, 0);
    args.insert(args.end(), {"--supersample", "2"});
    PictureDescription changed = Picture(args);
    changed.fractal.iterations = 8;
    std::tie(changed.width, changed.height) = std::pair(20, 10);
    std::string text;
    DecodePng(file("over.png"), text);
    EXPECT_NE(text.find(ParameterText(changed)), std::string::npos) << text;
}

// Each frame holds its own values, whichever range and threads wrote it.
TEST(RenderProgram, AnimationFramesAreTheSameFilesAloneOrInARangeAndRenderAgainFromThemselves)
{
    const ScratchFolder folder;
    const std::vector<std::string> animation = {"--size", "40x30", "--a", "2:4", "--to-a", "3.5:3.6", "--b", "2:4",
                                                "--to-b", "3:3.1", "--to-contrast", "60", "--frames", "5"};
    std::vector<std::string> all = animation, alone = animation;
    all.insert(all.end(), {"--threads", "3", "-o", "all-%d.png"});
    alone.insert(alone.end(), {"--frame-range", "3:3", "--threads", "1", "-o", "alone-%03d.png"});
    ASSERT_EQ(RunRender(all, folder.Path()).exitStatus, 0);
    ASSERT_EQ(RunRender(alone, folder.Path()).exitStatus, 0);
    EXPECT_TRUE(ReadWholeFile(folder.Path() / "alone-003.png") == ReadWholeFile(folder.Path() / "all-3.png"));
    ASSERT_EQ(RunRender({"--from", "all-3.png", "-o", "again.png"}, folder.Path()).exitStatus, 0);
    EXPECT_TRUE(ReadWholeFile(folder.Path() / "again.png") == ReadWholeFile(folder.Path() / "all-3.png"));
    std::string first, last;
    DecodePng(ReadWholeFile(folder.Path() / "all-0.png"), first);
    DecodePng(ReadWholeFile(folder.Path() / "all-4.png"), last);
    EXPECT_NE(first.find("a-min=2\na-max=4\nb-min=2\nb-max=4\nmorph=1\nfirst-x=0.5\ncontrast=128\n"), std::string::npos);
    EXPECT_NE(last.find("a-min=3.5\na-max=3.6\nb-min=3\nb-max=3.1\nmorph=1\nfirst-x=0.5\ncontrast=60\n"), std::string::npos);
    EXPECT_EQ(FileNamesIn(folder.Path()).size(), 7u);
}

TEST(RenderProgram, InterruptedItExitsWith128PlusTheSignalAndLeavesNoFile)
{
    for (const char* signal : {"TERM", "INT"}) {
        const ScratchFolder folder;
        WriteWholeFile(folder.Path() / "big.png", "an earlier picture");
        const ProcessResult run = RunRender({"--size", "4096x4096", "--iterations", "1000000", "-o", "big.png"},
                                            folder.Path(), std::string("timeout --preserve-status -s ") + signal + " 1");
        EXPECT_EQ(run.exitStatus, 128 + (signal[0] == 'T' ? SIGTERM : SIGINT));
        EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::string>{"big.png"});
        EXPECT_EQ(ReadWholeFile(folder.Path() / "big.png"), "an earlier picture");
    }
}

TEST(RenderProgram, WritesLongNamesRefusesPipesAndAnswersHelpAndVersionOnStandardOutput)
{
    const ScratchFolder folder;
    // The temporary name keeps only the start of a name this long.
    const std::string name = std::string(251, 'n') + ".pgm";
    EXPECT_EQ(RunRender({"--size", "4x3", "-o", name}, folder.Path()).exitStatus, 0);
    // Renaming over a pipe would replace it with a plain file.
    ASSERT_EQ(mkfifo((folder.Path() / "pipe.pgm").c_str(), 0600), 0);
    const ProcessResult pipe = RunRender({"--size", "4x4", "-o", "pipe.pgm"}, folder.Path());
    EXPECT_EQ(pipe.exitStatus, 2);
    EXPECT_NE(pipe.standardError.find("not a regular file"), std::string::npos) << pipe.standardError;
    EXPECT_EQ(FileNamesIn(folder.Path()), (std::vector<std::string>{name, "pipe.pgm"}));
    const ProcessResult help = RunRender({"--help"}, folder.Path());
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.standardOutput.find("--supersample K"), std::string::npos);
    EXPECT_EQ(RunRender({"--version"}, folder.Path()).standardOutput, "ombrelia-render 0.10\n");
}

} // namespace
