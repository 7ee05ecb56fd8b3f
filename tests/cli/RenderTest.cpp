// The renderer's output: the bands and threads give the samples the viewer's
// 64 workers give, the files hold them (checked with libspng's and libtiff's
// own decoders), and a run ends cleanly however it ends.
#include "BandedRender.h"
#include "ColourValue.h"
#include "ExponentColours.h"
#include "LyapPictureRows.h"
#include "ParameterText.h"
#include "ParseArguments.h"
#include "PictureFormats.h"
#include "PictureWriter.h"
#include "RenderProcess.h"
#include "TLyapCalc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <numeric>
#include <spng.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <zlib.h>

namespace {

std::vector<std::string> Joined(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

PictureDescription Picture(const std::vector<std::string>& args)
{
    const ParsedCommand parsed = ParseArguments(Joined(args, {"--format", "png", "-o", "x"}), 1);
    EXPECT_EQ(parsed.action, CommandAction::kRender) << parsed.text;
    return parsed.options.picture;
}

// The reference: 64 calculators, one pass each, over the whole sample grid.
std::vector<std::uint8_t> Samples(const PictureDescription& p)
{
    const int k = p.supersample;
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(p.width) * p.height * k * k), identity(256);
    std::iota(identity.begin(), identity.end(), 0);
    for (std::int32_t pass = 0; pass < 64; ++pass) {
        TLyapCalc calc(p.fractal);
        calc.SetSize(samples.data(), p.width * k, p.height * k, p.width * k);
        calc.Calculate(identity.data(), 64, pass);
    }
    return samples;
}

// Each pixel's RGB: the rounded mean of the palette colours of its K x K samples.
std::vector<std::uint8_t> Colours(const PictureDescription& p, const std::vector<std::uint8_t>& samples)
{
    const int k = p.supersample;
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < p.width * p.height * 3; ++i) {
        const int x = i / 3 % p.width, y = i / 3 / p.width;
        int sum = 0;
        for (int s = 0; s < k * k; ++s) {
            const RgbColour c = *PaletteColour(PaletteIndex(p.palette), samples[((y * k + s / k) * p.width + x) * k + s % k]);
            sum += i % 3 == 0 ? c.red : i % 3 == 1 ? c.green : c.blue;
        }
        rgb.push_back(static_cast<std::uint8_t>((sum + k * k / 2) / (k * k)));
    }
    return rgb;
}

TEST(RenderBands, GiveTheSamplesOfSixtyFourPassesWhateverTheBandsThreadsAndSupersampling)
{
    // Sizes that do not divide into 64 passes, a reversed range, clamped
    // ranges, and an orbit through the centre at a = 8/3, b = 27/8 whose
    // colour hangs on the last bit of each row's b.
    const std::vector<std::string> pictures[] = {
        {"--size", "97x131", "--iterations", "40", "--a", "3.3:3.9", "--b", "2.1:3.7"},
        {"--size", "50x70", "--iterations", "8", "--b", "4:2.5"},
        {"--size", "40x90", "--iterations", "6", "--a", "-1:9", "--b", "0:9"},
        {"--size", "3x200", "--a", "2.6666666666666665:2.6666666666666665", "--b", "3.375:3.3750000000000053", "--contrast", "60"}};
    std::int32_t started = 0;
    // Every other thread fails to start, the last band's threads all do.
    const ThreadStarter flaky = [&](std::function<void()> work) -> std::optional<std::thread> {
        return ++started % 2 == 0 || started > 40 ? std::nullopt : std::optional(std::thread(std::move(work)));
    };
    for (const auto& args : pictures) {
        for (const std::int32_t k : {1, 2, 3}) {
            PictureDescription p = Picture(args);
            p.supersample = k;
            const auto expected = Samples(p);
            using Run = std::tuple<std::int32_t, ThreadStarter, std::int64_t>;
            for (const auto& [threads, start, bandSamples] :
                 {Run(3, StartThread, 1), Run(3, StartThread, 5 * 64 * 9), Run(3, StartThread, 1 << 22), Run(4, flaky, 700)}) {
                std::vector<std::uint8_t> got;
                const auto sink = [&](const std::uint8_t* rows, std::int32_t count) {
                    got.insert(got.end(), rows, rows + static_cast<std::size_t>(p.width) * count * k * k);
                    return true;
                };
                started = 0;
                EXPECT_EQ(RenderBands(p, sink, {threads, nullptr, {}, start, bandSamples}), RenderOutcome::kDone);
                EXPECT_EQ(got, expected) << args[1] << ", K " << k << ", band of " << bandSamples;
            }
        }
    }
}

// The test's own reader of the PNGs this program writes (8-bit, indexed or
// RGB, rows unfiltered): every chunk's CRC checked, the IDATs inflated by
// zlib as one stream (its Adler-32 checked), the pixels as RGB.
std::vector<std::uint8_t> OwnReading(const std::string& png)
{
    const auto number = [&png](std::size_t at) {
        return std::uint32_t{static_cast<std::uint8_t>(png[at])} << 24 | static_cast<std::uint8_t>(png[at + 1]) << 16 |
               static_cast<std::uint8_t>(png[at + 2]) << 8 | static_cast<std::uint8_t>(png[at + 3]);
    };
    std::string type, palette, deflated;
    std::size_t width = 0, height = 0, channels = 3;
    for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + number(at)) {
        const std::uint32_t length = number(at);
        type = png.substr(at + 4, 4);
        EXPECT_EQ(number(at + 8 + length), crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4)) << type;
        if (type == "IHDR")
            std::tie(width, height, channels) = std::tuple(number(at + 8), number(at + 12), png[at + 17] == 3 ? 1 : 3);
        (type == "PLTE" ? palette : type == "IDAT" ? deflated : type) += png.substr(at + 8, length);
    }
    EXPECT_TRUE(type.starts_with("IEND"));
    const std::size_t rowBytes = width * channels + 1;
    uLongf size = height * rowBytes;
    std::string rows(size, '\0');
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(rows.data()), &size, reinterpret_cast<const Bytef*>(deflated.data()), deflated.size()), Z_OK);
    std::vector<std::uint8_t> rgb;
    for (std::size_t i = 0; i < size; ++i) {
        const auto value = static_cast<std::uint8_t>(rows[i]);
        if (i % rowBytes == 0)
            EXPECT_EQ(value, 0) << "filter of row " << i / rowBytes;
        else if (channels == 1)
            rgb.insert(rgb.end(), palette.begin() + 3 * value, palette.begin() + 3 * value + 3);
        else
            rgb.push_back(value);
    }
    return rgb;
}

// The pixels as libspng reads them, which the test's own reader must read
// alike.
std::vector<std::uint8_t> DecodedRgb(const std::string& bytes)
{
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, bytes.data(), bytes.size());
    std::size_t size = 0;
    spng_decoded_image_size(ctx, SPNG_FMT_RGB8, &size);
    std::vector<std::uint8_t> rgb(size);
    EXPECT_EQ(spng_decode_image(ctx, rgb.data(), size, SPNG_FMT_RGB8, 0), 0);
    spng_ctx_free(ctx);
    EXPECT_TRUE(rgb == OwnReading(bytes)) << "libspng and the test's own reader differ";
    return rgb;
}

class RenderProgram : public testing::Test {
protected:
    void Run(const std::vector<std::string>& args, const std::vector<std::string>& more)
    {
        EXPECT_EQ(RunRender(Joined(args, more), folder.path).exitStatus, 0) << more.back();
    }
    std::string File(const std::string& name) { return ReadWholeFile(folder.path / name); }
    std::string Parameters(const std::string& name)
    {
        const auto file = ReadPictureParameters(folder.path / name);
        return file ? file->text : file.Reason();
    }
    ScratchFolder folder;
};

// Each palette's colours, meaned over each pixel's samples; the file is
// readable as any new file is (the umask's share of 0666), not only by its
// owner; over a file's values an option given again takes its later value.
// (Every value read back: the every-key test of tests/view.)
TEST_F(RenderProgram, PngHoldsThePaletteColoursMeanedOverEachPixelAndFromTakesLaterOptions)
{
    const std::vector<std::string> args = {"--size", "90x70", "--b", "2.5:3.9", "--contrast", "300"};
    // The temporary name keeps only the start of a name this long.
    const std::string png = std::string(251, 'v') + ".png";
    const auto values = Samples(Picture(args));
    std::vector<std::string> line;
    for (const auto& [palette, k] : {std::pair("1", "1"), {"2", "1"}, {"3", "1"}, {"4", "1"}, {"3", "3"}}) {
        line = Joined(args, {"--palette", palette, "--supersample", k});
        Run(line, {"-o", png});
        EXPECT_EQ(DecodedRgb(File(png)), Colours(Picture(line), k[0] == '1' ? values : Samples(Picture(line)))) << palette << ", K " << k;
    }
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(std::filesystem::status(folder.path / png).permissions(), std::filesystem::perms(0666 & ~mask));
    Run({"--from", png, "--size", "5x5", "--iterations", "8", "--size", "20x10"}, {"-o", "over.png"});
    PictureDescription changed = Picture(line);
    std::tie(changed.fractal.iterations, changed.width, changed.height) = std::tuple(8, 20, 10);
    EXPECT_EQ(Parameters("over.png"), ParameterText(changed));
    EXPECT_EQ(FileNamesIn(folder.path), (std::vector<std::string>{"over.png", png}));
}

// Each frame holds its own values; the bytes of a PNG depend on its picture
// alone, not on the threads (some refused by the system) or the bands it
// was made in (a band of one row, bands ending inside a piece of the image
// data), nor on the frame range: indexed, RGB, averaged or with chaos
// graded, in pictures of several pieces, each read back alike by libspng
// and by the test's own reader.
TEST_F(RenderProgram, PngBytesDependOnThePictureAloneNotOnThreadsBandsOrFrameRange)
{
    const std::vector<std::string> animation = {"--size", "512x1100", "--a", "2:4", "--to-a", "3.5:3.6", "--b", "2:4",
                                                "--to-b", "3:3.1", "--to-contrast", "60", "--frames", "3"};
    const std::vector<std::string> kinds[] = {
        {"--palette-file", "classic"},
        {"--palette-file", "classic", "--chaos-contrast", "600", "--chaos-palette-file", "classic-chaos"},
        {"--palette", "3", "--supersample", "2"},
        {"--chaos-contrast", "300", "--chaos-palette", "2"}};
    std::int32_t started = 0;
    const ThreadStarter flaky = [&](std::function<void()> work) -> std::optional<std::thread> {
        return ++started % 2 == 0 ? std::nullopt : std::optional(std::thread(std::move(work)));
    };
    for (const auto& kind : kinds) {
        Run(Joined(animation, kind), {"--threads", "3", "-o", "all-%d.png"});
        Run(Joined(animation, kind), {"--frame-range", "1:1", "--threads", "1", "-o", "alone-%d.png"});
        const std::string frame = File("alone-1.png");
        EXPECT_TRUE(frame == File("all-1.png")) << kind[1];
        EXPECT_EQ(DecodedRgb(frame).size(), 512u * 1100 * 3);
        const PictureDescription picture = Picture({"--from", folder.path / "alone-1.png"});
        using Way = std::tuple<std::int32_t, ThreadStarter, std::int64_t>;
        for (const auto& [threads, start, bandSamples] : {Way(2, StartThread, 1), Way(4, flaky, 7 * 512 * 4)}) {
            std::string error;
            const RenderControl control{threads, nullptr, {}, start, bandSamples};
            ASSERT_EQ(WritePictureFile(folder.path / "again.png", picture, ImageFormat::kPng, control, error), WriteOutcome::kWritten) << error;
            EXPECT_TRUE(File("again.png") == frame) << kind[1] << ", band of " << bandSamples;
        }
    }
    // Keys of later versions at their default are left out: the text of version 1.
    Run({"--size", "40x30", "--a", "2:4", "--to-a", "3.5:3.6", "--b", "2:4", "--to-b", "3:3.1", "--frames", "2"}, {"-o", "v1-%d.png"});
    EXPECT_EQ(Parameters("v1-0.png"), "version=1\nwidth=40\nheight=30\nsequence=AB\niterations=16\na-min=2\na-max=4\n"
              "b-min=2\nb-max=4\nmorph=1\nfirst-x=0.5\ncontrast=128\npalette=1\nsupersample=1\n");
    EXPECT_NE(Parameters("all-2.png").find("a-min=3.5\na-max=3.6\nb-min=3\nb-max=3.1\nmorph=1\nfirst-x=0.5\ncontrast=60\n"), std::string::npos);
}

// The exponents of a TIFF, read with libtiff.
std::vector<double> TiffExponents(const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 0, format = 0, samples = 0;
    EXPECT_TRUE(TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) && TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) &&
                TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits) && TIFFGetField(tiff, TIFFTAG_SAMPLEFORMAT, &format) &&
                TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples));
    EXPECT_EQ(std::tuple(bits, format, samples), std::tuple(64, SAMPLEFORMAT_IEEEFP, 1));
    std::vector<double> exponents(std::size_t{width} * height);
    for (std::uint32_t row = 0; row < height; ++row)
        EXPECT_EQ(TIFFReadScanline(tiff, exponents.data() + std::size_t{row} * width, row, 0), 1);
    TIFFClose(tiff);
    return exponents;
}

// Order through a map file (or a palette), chaos graded through a named map
// (or a palette): each pixel's colour from its exponent, indexed or RGB
// alike.
TEST_F(RenderProgram, ColourMapsAndAChaosGradingColourEachPixel)
{
    std::string ramp;
    for (int v = 0; v < 256; ++v)
        ramp += std::to_string(v) + " " + std::to_string(255 - v) + " 7\n";
    const std::string map = folder.path / "ramp.map";
    WriteWholeFile(map, ramp);
    const std::vector<std::string> args = {"--size", "70x50", "--b", "2.5:3.9", "--iterations", "40", "--contrast", "300",
                                           "--chaos-contrast", "900"};
    for (const auto& colours : {std::vector<std::string>{"--palette-file", map, "--chaos-palette-file", "fire"},
                                std::vector<std::string>{"--palette", "2", "--chaos-palette", "2"}}) {
        const PictureDescription p = Picture(Joined(args, colours));
        const ColourMap order = OrderColours(p), chaos = p.chaosColours.value_or(ColourMapOfPalette(2));
        std::vector<double> exponents(70 * 50);
        LyapPictureRows(TLyapCalc(p.fractal), 70, 50).FillRows(0, 50, exponents.data());
        std::vector<std::uint8_t> expected;
        for (const double e : exponents) {
            const RgbColour c = e > 0 ? chaos[std::min(255, static_cast<int>(e * 900))] : order[LyapColourValue(e, 300)];
            expected.insert(expected.end(), {c.red, c.green, c.blue});
        }
        Run(Joined(args, colours), {"-o", "c.png"});
        EXPECT_EQ(DecodedRgb(File("c.png")), expected) << colours[0];
    }
}

// Each format of the table, written by the program, makes a file that its
// own sniff alone tells, is chosen by its name and its extensions, gives
// back the parameters it holds (a text of version 2, as settling makes it)
// and holds the exponents of the 64 passes: as they are in the TIFF and
// the .npy (whose header NumPy's own load reads, numpy-load.sh), their
// colour values after the PGM's header.
TEST_F(RenderProgram, EveryFormatsFileIsToldByItsSniffAndHoldsThePictureAndItsParameters)
{
    const std::vector<std::string> args = {"--size", "70x50", "--b", "2.5:3.9", "--iterations", "40", "--settle", "5", "--contrast", "300"};
    const PictureDescription picture = Picture(args);
    std::vector<double> exponents(70 * 50);
    LyapPictureRows(TLyapCalc(picture.fractal), 70, 50).FillRows(0, 50, exponents.data());
    const std::string values(reinterpret_cast<const char*>(exponents.data()), exponents.size() * 8);
    std::string colourValues;
    for (const double e : exponents)
        colourValues += static_cast<char>(LyapColourValue(e, 300));
    for (const PictureFormat& format : PictureFormats()) {
        const std::string path = folder.path / ("p." + std::string(*format.extensions.begin()));
        Run(args, {"-q", "-o", path});
        const std::string file = ReadWholeFile(path);
        for (const PictureFormat& other : PictureFormats())
            EXPECT_EQ(other.recognises(file.substr(0, kSniffBytes)), &other == &format) << other.name << " " << path;
        for (const std::string& name : Joined({std::string(format.name)}, {format.extensions.begin(), format.extensions.end()}))
            EXPECT_EQ(FormatNamed(name), &format) << name;
        const auto read = ReadPictureParameters(path);
        ASSERT_EQ(read.has_value(), format.readParameters != nullptr) << path;
        EXPECT_TRUE(!read || (read->text == ParameterText(picture) && read->text.starts_with("version=2\n") && read->exponents == format.holdsExponents));
        const ImageFormat f = format.format;
        EXPECT_TRUE(f == ImageFormat::kTiff ? std::memcmp(TiffExponents(path).data(), exponents.data(), values.size()) == 0
                    : f == ImageFormat::kNpy ? file.size() % 64 == values.size() % 64 && file.ends_with(values)
                    : f != ImageFormat::kPgm || file == "P5\n70 50\n255\n" + colourValues) << path;
    }
}

// Only colours changed: the picture is made from the TIFF's exponents, the
// same bytes as rendered directly; a change of the orbits computes.
TEST_F(RenderProgram, RecolouringATiffGivesTheBytesOfADirectRender)
{
    const std::vector<std::string> args = {"--size", "70x50", "--b", "2.5:3.9", "--iterations", "40", "--settle", "3"};
    Run(args, {"-o", "e.tif"});
    const std::string tif = folder.path / "e.tif";
    for (const auto& colours : {std::vector<std::string>{"--contrast", "60", "--palette-file", "ice", "-o", "c.png"},
                                {"--chaos-contrast", "300", "--chaos-palette", "3", "-o", "c.png"},
                                {"--contrast", "500", "-o", "c.pgm"}}) {
        Run({"--from", tif}, colours);
        const std::string recoloured = File(colours.back());
        Run(args, colours);
        EXPECT_TRUE(File(colours.back()) == recoloured) << colours[0];
    }
    // (Which keys leave the exponents usable: the every-key test of
    // tests/view.) A change of format alone does too.
    EXPECT_EQ(ParseArguments({"--from", tif, "--format", "npy", "-o", "x"}, 1).options.exponentsFrom, tif);
}

TEST_F(RenderProgram, InterruptedItExitsWith128PlusTheSignalAndLeavesTheEarlierFileAlone)
{
    WriteWholeFile(folder.path / "big.png", "an earlier picture");
    const ProcessResult run = RunRender({"--size", "4096x4096", "--iterations", "1000000", "-o", "big.png"},
                                        folder.path, "(sleep 1; kill -s INT $$) &");
    EXPECT_EQ(run.exitStatus, 128 + SIGINT);
    EXPECT_EQ(FileNamesIn(folder.path), std::vector<std::string>{"big.png"});
    EXPECT_EQ(File("big.png"), "an earlier picture");
}

} // namespace
