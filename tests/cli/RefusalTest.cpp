// Every way a run can be refused, one row per bad command line: each must
// end with status 2 and one line on standard error that names the option or
// the path, what is accepted and what was given, print nothing on standard
// output, and leave the folder it ran in exactly as it was (earlier pictures
// untouched, no temporary file left).
#include "ParameterText.h"
#include "PngFormat.h"
#include "TiffFormat.h"
#include "RenderProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace {

struct BadLine {
    std::string name;
    std::vector<std::string> args;
    std::string option;    // the option, or the argument, the complaint names
    std::string accepted;  // part of what it says is accepted
    std::string given;     // what it quotes as given (with the system's reason)
    std::string setup = {};  // run by the shell first
};

// A 1 x 1 PNG with one text chunk.
std::string PngHolding(const std::string& keyword, const std::string& text)
{
    const ScratchFolder folder;
    const int fd = open((folder.path / "p.png").c_str(), O_WRONLY | O_CREAT, 0600);
    const ColourMap colours{};
    const std::uint8_t pixel = 0;
    PngStream(fd, 1, 1, &colours, {{keyword, text}}).WriteRows(&pixel, 1);
    close(fd);
    return ReadWholeFile(folder.path / "p.png");
}

// A 2 x 2 TIFF of exponents whose description is the default picture's.
std::string SmallTiff()
{
    const ScratchFolder folder;
    const int fd = open((folder.path / "e.tif").c_str(), O_RDWR | O_CREAT, 0600);
    const double exponents[4] = {};
    TiffStream(fd, 2, 2, "test", ParameterText(PictureDescription{})).WriteRows(exponents, 2);
    close(fd);
    return ReadWholeFile(folder.path / "e.tif");
}

// The pictures the --from rows read, beside the earlier pictures.
const std::map<std::string, std::string>& EarlierFiles()
{
    static const std::string good = ParameterText(PictureDescription{});
    const auto changed = [](const std::string& from, const std::string& to) {
        return PngHolding(kParameterKeyword, std::string(good).replace(good.find(from), from.size(), to));
    };
    static const std::map<std::string, std::string> files = {
        {"keep.pgm", "an earlier grey picture"}, {"keep.png", "an earlier colour picture"},
        {"plain.png", PngHolding("Comment", good)}, {"v3.png", changed("version=1", "version=3")},
        {"odd.png", changed("iterations=16", "iterations=7")}, {"bad.png", changed("width=384", "width")},
        {"colours.png", changed("palette=1\n", "palette=1\ncolours=fff\n")}, {"small.tif", SmallTiff()},
        {"a.npy", "\x93NUMPY\x01"}, {"bad.map", "0 0 0\n1 2 300\n"}};
    return files;
}

// Bigger than the file size limit however they compress; a write beyond it
// fails as on a full disk (the signal it would raise ignored).
const std::string kFullDisk = "trap '' XFSZ; ulimit -f 64;";
const std::vector<std::string> kBigPgm = {"--size", "512x512", "--iterations", "2", "-o", "keep.pgm"};
const std::vector<std::string> kBigPng = {"--size", "800x800", "--iterations", "200", "--a", "3.4:4",
                                          "--b", "2.5:3.4", "--palette", "3", "-o", "keep.png"};
const std::string kUpTo = "whole number from 1 to ";

const BadLine kBadLines[] = {
    {"UnknownOption", {"--frobnicate", "-o", "keep.png"}, "unknown option", "--help lists", "\"--frobnicate\""},
    {"StrayArgument", {"stray", "-o", "keep.png"}, "unexpected argument", "--help lists", "\"stray\""},
    {"OutputNotGiven", {"--size", "8x8"}, "--output", "is required", ""},
    {"OutputEmpty", {"-o", ""}, "--output", "a file name", "\"\""},
    {"OutputOfUnknownType", {"-o", "picture.jpg"}, "--output", ".png, .pgm, .tif, .tiff or .npy", "\"picture.jpg\""},
    {"OutputIsAFolder", {"--format", "png", "-o", "."}, "--output", "writable", "\".\" (it is a folder)"},
    {"OutputInAMissingFolder", {"-o", "missing\nfolder/x.png"}, "--output", "writable", "\"missing\\nfolder/x.png\""},
    {"OutputIsADevice", {"--format", "pgm", "-o", "/dev/null"}, "--output", "writable", "\"/dev/null\" (it is not a regular file)"},
    {"PgmOutputOnAFullDisk", kBigPgm, "--output", "writable", "\"keep.pgm\" (File too large", kFullDisk},
    {"PngOutputOnAFullDisk", kBigPng, "--output", "writable", "\"keep.png\" (File too large", kFullDisk},
    {"FormatUnknown", {"--format", "jpeg", "-o", "keep.png"}, "--format", "png, pgm, tiff or npy", "\"jpeg\""},
    {"TiffOutputOnAFullDisk", {"--size", "512x512", "--iterations", "2", "-o", "keep.tif"}, "--output", "writable",
     "\"keep.tif\" (File too large", kFullDisk},
    {"SizeWithOneSide", {"--size", "384", "-o", "keep.png"}, "--size", "WxH, each a " + kUpTo + "65536", "\"384\""},
    {"SizeTooWide", {"--size", "65537x2", "-o", "keep.png"}, "--size", "1 to 65536", "\"65537x2\""},
    {"SizeNegativeHigh", {"--size", "5x-3", "-o", "keep.png"}, "--size", "1 to 65536", "\"5x-3\""},
    {"SizeWithoutValue", {"-o", "keep.png", "--size"}, "--size", "WxH", "missing"},
    {"IterationsOdd", {"--iterations", "7", "-o", "keep.png"}, "--iterations", "even", "\"7\""},
    {"IterationsNotWhole", {"--iterations", "16.0", "-o", "keep.png"}, "--iterations", "whole number", "\"16.0\""},
    {"RateBNotANumber", {"--b", "2:NaN", "-o", "keep.png"}, "--b", "finite", "\"2:NaN\""},
    {"MorphWithTrailingText", {"--morph", "1.0x", "-o", "keep.png"}, "--morph", "finite", "\"1.0x\""},
    {"ContrastBeyondTheLargestDouble", {"--contrast", "1e999", "-o", "keep.png"}, "--contrast", "finite", "\"1e999\""},
    {"PaletteTooHigh", {"--palette", "5", "-o", "keep.png"}, "--palette", kUpTo + "4", "\"5\""},
    {"ThreadsTooMany", {"--threads", "65", "-o", "keep.png"}, "--threads", kUpTo + "64", "\"65\""},
    {"SupersampleTooHigh", {"--supersample", "9", "-o", "keep.png"}, "--supersample", kUpTo + "8", "\"9\""},
    {"SupersampleWithPgm", {"--supersample", "2", "--format", "pgm", "-o", "keep.png"}, "--supersample", "1 with PGM", "\"2\""},
    {"SupersampleWithTiff", {"--supersample", "3", "-o", "e.tiff"}, "--supersample", "1 with TIFF or NPY", "\"3\""},
    {"SettleTooLong", {"--settle", "1000001", "-o", "keep.png"}, "--settle", "0 to 1000000", "\"1000001\""},
    {"QuietWithAWord", {"--quiet=maybe", "-o", "keep.png"}, "--quiet", "convert", "maybe"},
    {"FromAFileThatIsNotThere", {"--from", "gone.png", "-o", "keep.png"}, "--from", "PNG or TIFF", "\"gone.png\" (No such file"},
    {"FromNotAPng", {"--from", "keep.pgm", "-o", "keep.png"}, "--from", "PNG or TIFF", "\"keep.pgm\" (not a PNG or TIFF file)"},
    {"FromAPngWithoutParameters", {"--from", "plain.png", "-o", "keep.png"}, "--from", "PNG or TIFF", "(no ombrelia-parameters text"},
    {"FromANumpyArray", {"--from", "a.npy", "-o", "keep.png"}, "--from", "PNG or TIFF", "\"a.npy\" (a NumPy array, which holds no parameters)"},
    {"FromExponentsOfAnotherSize", {"--from", "small.tif", "-o", "keep.png"}, "--from", "exponents", "\"small.tif\" (not 384x384"},
    {"FromMalformedColours", {"--from", "colours.png", "-o", "keep.png"}, "colours: expected 1536 hex digits", "colours.png", "\"fff\""},
    {"PaletteFileOutOfRange", {"--palette-file", "bad.map", "-o", "keep.png"}, "--palette-file", "bad.map:2:", "300"},
    {"ChaosPaletteFileMissing", {"--chaos-palette-file", "gone.gpl", "-o", "keep.png"}, "--chaos-palette-file", "gone.gpl", "No such file"},
    {"FromMalformedParameters", {"--from", "bad.png", "-o", "keep.png"}, "--from", "\"bad.png\"", "not key=value"},
    {"FromAnUnknownVersion", {"--from", "v3.png", "-o", "keep.png"}, "--from", "\"v3.png\"", "version 3"},
    {"FromAValueOutOfRange", {"--from", "odd.png", "-o", "keep.png"}, "iterations: expected an even", "odd.png", "\"7\""},
    {"SequenceEmpty", {"--sequence", "", "-o", "keep.png"}, "--sequence", "1 to 64 letters", "\"\""},
    {"SequenceOfAnotherLetter", {"--sequence", "ABC", "-o", "keep.png"}, "--sequence", "each A or B", "\"ABC\""},
    {"SequenceTooLong", {"--sequence", std::string(65, 'B'), "-o", "keep.png"}, "--sequence", "1 to 64", "BBBB"},
    {"FramesTooMany", {"--frames", "100001", "-o", "f%d.png"}, "--frames", "2 to 100000", "\"100001\""},
    {"FramesWithoutAField", {"--frames", "3", "-o", "keep.png"}, "--output", "one frame number field", "\"keep.png\""},
    {"FramesWithTwoFields", {"--frames", "3", "-o", "f%d-%05d.png"}, "--output", "one frame number field", "\"f%d-%05d.png\""},
    {"FramesWithAStrayPercent", {"--frames", "3", "-o", "%s-%d.png"}, "--output", "%% for a percent", "\"%s-%d.png\""},
    {"FramesWithAFieldNotOfDigits", {"--frames", "10", "-o", "f-%x.png"}, "--output", "one frame number field", "\"f-%x.png\""},
    {"FieldWithoutFrames", {"-o", "f-%04d.png"}, "--output", "without a frame number field", "\"f-%04d.png\""},
    {"EndValueWithoutFrames", {"--to-morph", "2", "-o", "keep.png"}, "--to-morph", "requires --frames", ""},
    {"FrameRangeBeyondTheFrames", {"--frames", "10", "--frame-range", "3:10", "-o", "f%d.png"}, "--frame-range", "J < 10", "\"3:10\""},
    {"FrameRangeReversed", {"--frames", "10", "--frame-range", "5:4", "-o", "f%d.png"}, "--frame-range", "I <= J", "\"5:4\""},
};

class Refusal : public testing::TestWithParam<BadLine> {};

TEST_P(Refusal, ExitsWith2AndOneLineAndLeavesTheFolderAsItWas)
{
    const BadLine& line = GetParam();
    const ScratchFolder folder;
    for (const auto& [name, contents] : EarlierFiles())
        WriteWholeFile(folder.path / name, contents);
    const std::vector<std::string> before = FileNamesIn(folder.path);
    const ProcessResult run = RunRender(line.args, folder.path, line.setup);
    const std::string& message = run.standardError;
    SCOPED_TRACE(message);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.standardOutput, "");
    EXPECT_EQ(message.find("ombrelia-render: "), 0u);
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "not exactly one line";
    for (const std::string& part : {line.option, line.accepted, line.given})
        EXPECT_NE(message.find(part), std::string::npos) << part;
    EXPECT_EQ(FileNamesIn(folder.path), before);
    for (const auto& [name, contents] : EarlierFiles())
        EXPECT_EQ(ReadWholeFile(folder.path / name), contents) << name;
}

INSTANTIATE_TEST_SUITE_P(BadLines, Refusal, testing::ValuesIn(kBadLines),
                         [](const testing::TestParamInfo<BadLine>& info) { return info.param.name; });

} // namespace
