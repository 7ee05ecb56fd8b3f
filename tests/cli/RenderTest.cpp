// The renderer's output: the bands, threads and supersampling give the bytes
// the viewer's 64 workers give, the files hold them (checked with libspng's
// own decoder), and a run ends cleanly however it ends.
#include "BandedRender.h"
#include "ParseArguments.h"
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

// Colour values as 64 calculators compute them, one pass each.
std::vector<std::uint8_t> DirectPasses(const LyapParameters& fractal, int width, int height)
{
    std::uint8_t identity[256];
    for (int v = 0; v < 256; ++v)
        identity[v] = static_cast<std::uint8_t>(v);
    std::vector<std::uint8_t> values(static_cast<std::size_t>(width) * height);
    for (std::int32_t pass = 0; pass < 64; ++pass) {
        TLyapCalc calc(fractal);
        calc.SetSize(values.data(), width, height, width);
        calc.Calculate(identity, 64, pass);
    }
    return values;
}

// The reference for supersampling: the whole sample grid, each pixel the
// rounded mean of its K x K sample colours.
std::vector<std::uint8_t> Expected(const PictureDescription& p)
{
    const int k = p.supersample;
    const auto samples = DirectPasses(p.fractal, p.width * k, p.height * k);
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width && k == 1; ++x)
            pixels.push_back(samples[static_cast<std::size_t>(y) * p.width + x]);
    for (int y = 0; y < p.height && k > 1; ++y)
        for (int x = 0; x < p.width; ++x)
            for (int channel = 0; channel < 3; ++channel) {
                int sum = 0;
                for (int sy = y * k; sy < (y + 1) * k; ++sy)
                    for (int sx = x * k; sx < (x + 1) * k; ++sx) {
                        const RgbColour c = *PaletteColour(p.palette - 1, samples[static_cast<std::size_t>(sy) * p.width * k + sx]);
                        sum += channel == 0 ? c.red : channel == 1 ? c.green : c.blue;
                    }
                pixels.push_back(static_cast<std::uint8_t>((sum + k * k / 2) / (k * k)));
            }
    return pixels;
}

std::vector<std::uint8_t> Banded(const PictureDescription& p, const RenderControl& control)
{
    std::vector<std::uint8_t> pixels;
    const std::size_t rowBytes = static_cast<std::size_t>(p.width) * (p.supersample > 1 ? 3 : 1);
    const auto sink = [&](const std::uint8_t* rows, std::int32_t count) {
        pixels.insert(pixels.end(), rows, rows + rowBytes * count);
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
    const auto direct = DirectPasses(Picture({"--size", "90x70", "--b", "2.5:3.9", "--contrast", "300"}).fractal, 90, 70);
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

TEST(RenderProgram, ParameterTextReadsBackAsTheSameDoubles)
{
    PictureDescription p = Picture({"--a", "0.1:0.30000000000000004", "--morph", "-1e-300",
                                    "--first-x", "0.3", "--contrast", "99.5", "--supersample", "2"});
    const std::string text = ParameterText(p);
    for (const char* line : {"a-min=0.1\n", "a-max=0.30000000000000004\n", "morph=-1e-300\n",
                             "first-x=0.3\n", "contrast=99.5\n", "supersample=2\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
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
