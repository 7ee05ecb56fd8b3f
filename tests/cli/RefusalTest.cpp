// Every way a run can be refused, as a table of command lines: each must end
// with status 2 and one line on standard error that names the option or the
// path, what is accepted and what was given, and must leave the folder it
// ran in exactly as it was, earlier pictures included.
#include "RenderProcess.h"
#include "RestrictedFolder.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

struct BadLine {
    std::string name;  // the test's name
    std::vector<std::string> args;
    std::string option;    // the option, or the argument, the complaint names
    std::string accepted;  // part of what it says is accepted
    std::string given;     // what it quotes as given (with the system's reason)
    FolderLimit limit = FolderLimit::kNone;
};

// Earlier pictures in the folder; every line leaves them as they were.
const std::map<std::string, std::string>& EarlierFiles()
{
    static const std::map<std::string, std::string> files = {
        {"keep.pgm", "an earlier grey picture"},
        {"keep.png", "an earlier colour picture"},
    };
    return files;
}

// Bigger than the small disk however it compresses: 256 KiB of raw values,
// and a detailed picture whose PNG takes about 170 KiB.
const std::vector<std::string> kBigPgm = {"--size", "512x512", "--iterations", "2"};
const std::vector<std::string> kBigPng = {"--size", "800x800", "--iterations", "200",
                                          "--a", "3.4:4", "--b", "2.5:3.4", "--palette", "3"};

std::vector<std::string> Then(std::vector<std::string> first,
                              const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::string kWholeFromOneTo = "whole number from 1 to ";

const BadLine kBadLines[] = {
    {"UnknownOption", {"--frobnicate", "-o", "keep.png"}, "unknown option", "--help lists",
     "\"--frobnicate\""},
    {"StrayArgument", {"stray", "-o", "keep.png"}, "unexpected argument", "--help lists",
     "\"stray\""},

    {"OutputNotGiven", {"--size", "8x8"}, "--output", ".png or .pgm", "nothing"},
    {"OutputWithoutValue", {"--size", "8x8", "-o"}, "--output", "a file name", "nothing"},
    {"OutputEmpty", {"-o", ""}, "--output", "a file name", "\"\""},
    {"OutputRepeated", {"-o", "keep.png", "--output", "other.png"}, "--output",
     "at most once", "\"other.png\""},
    {"OutputOfUnknownType", {"-o", "picture.jpg"}, "--output", ".png or .pgm",
     "\"picture.jpg\""},
    {"OutputIsAFolder", {"--format", "png", "-o", "."}, "--output", "a file name", "\".\""},
    {"OutputInAMissingFolder", {"-o", "missing-folder/x.png"}, "--output", "writable",
     "\"missing-folder/x.png\""},
    // Once printed unescaped, which split the complaint over two lines.
    {"OutputInAMissingFolderWithANewlineInItsName", {"-o", "missing\nfolder/x.png"},
     "--output", "writable", "\"missing\\nfolder/x.png\""},
    {"OutputBelowAFile", {"-o", "keep.png/x.png"}, "--output", "writable",
     "\"keep.png/x.png\""},
    {"OutputInAReadOnlyFolder", {"--size", "8x8", "-o", "keep.png"}, "--output", "writable",
     "\"keep.png\"", FolderLimit::kReadOnly},
    {"PgmOutputOnAFullDisk", Then(kBigPgm, {"-o", "keep.pgm"}), "--output", "writable",
     "\"keep.pgm\" (No space left on device", FolderLimit::kSmallDisk},
    // The PNG encoder once added its own line, "libpng error: Write Error",
    // and gave no reason.
    {"PngOutputOnAFullDisk", Then(kBigPng, {"-o", "keep.png"}), "--output", "writable",
     "\"keep.png\" (No space left on device", FolderLimit::kSmallDisk},

    {"FormatUnknown", {"--format", "jpeg", "-o", "keep.png"}, "--format", "png or pgm",
     "\"jpeg\""},
    {"FormatWithoutValue", {"-o", "keep.png", "--format"}, "--format", "png or pgm", "nothing"},
    {"FormatRepeated", {"--format", "png", "--format=pgm", "-o", "keep.png"}, "--format",
     "at most once", "\"pgm\""},

    {"SizeWithOneSide", {"--size", "384", "-o", "keep.png"}, "--size", "WIDTHxHEIGHT",
     "\"384\""},
    {"SizeTooWide", {"--size", "16385x2", "-o", "keep.png"}, "--size", "1 to 16384",
     "\"16385x2\""},
    {"SizeZeroWide", {"--size", "0x5", "-o", "keep.png"}, "--size", "1 to 16384", "\"0x5\""},
    {"SizeNegativeHigh", {"--size", "5x-3", "-o", "keep.png"}, "--size", "1 to 16384",
     "\"5x-3\""},
    {"SizeRepeated", {"--size", "8x8", "--size", "9x9", "-o", "keep.png"}, "--size",
     "at most once", "\"9x9\""},
    {"SizeWithoutValue", {"-o", "keep.png", "--size"}, "--size", "WIDTHxHEIGHT", "nothing"},

    {"IterationsOdd", {"--iterations", "7", "-o", "keep.png"}, "--iterations", "even",
     "\"7\""},
    {"IterationsTooMany", {"--iterations", "1000002", "-o", "keep.png"}, "--iterations",
     "2 to 1000000", "\"1000002\""},
    {"IterationsZero", {"--iterations", "0", "-o", "keep.png"}, "--iterations",
     "2 to 1000000", "\"0\""},
    {"IterationsNotWhole", {"--iterations", "16.0", "-o", "keep.png"}, "--iterations",
     "whole number", "\"16.0\""},
    {"IterationsWithoutValue", {"-o", "keep.png", "--iterations"}, "--iterations",
     "whole number", "nothing"},

    {"RateAWithOneNumber", {"--a", "3", "-o", "keep.png"}, "--a", "MIN:MAX", "\"3\""},
    {"RateANotANumber", {"--a", "nan:4", "-o", "keep.png"}, "--a", "finite", "\"nan:4\""},
    {"RateAInfinite", {"--a", "2:inf", "-o", "keep.png"}, "--a", "finite", "\"2:inf\""},
    {"RateBNotANumber", {"--b", "2:NaN", "-o", "keep.png"}, "--b", "finite", "\"2:NaN\""},
    {"RateBInfinite", {"--b", "-infinity:4", "-o", "keep.png"}, "--b", "finite",
     "\"-infinity:4\""},
    {"RateBRepeated", {"--b", "2:3", "--b", "3:4", "-o", "keep.png"}, "--b", "at most once",
     "\"3:4\""},

    {"MorphNotANumber", {"--morph", "nan", "-o", "keep.png"}, "--morph", "finite", "\"nan\""},
    {"MorphInfinite", {"--morph", "inf", "-o", "keep.png"}, "--morph", "finite", "\"inf\""},
    {"MorphWithTrailingText", {"--morph", "1.0x", "-o", "keep.png"}, "--morph", "finite",
     "\"1.0x\""},
    {"FirstXNotANumber", {"--first-x", "-nan", "-o", "keep.png"}, "--first-x", "finite",
     "\"-nan\""},
    {"FirstXInfinite", {"--first-x=infinity", "-o", "keep.png"}, "--first-x", "finite",
     "\"infinity\""},
    {"FirstXWithoutValue", {"-o", "keep.png", "--first-x"}, "--first-x", "finite", "nothing"},
    {"ContrastNotANumber", {"--contrast", "NAN", "-o", "keep.png"}, "--contrast", "finite",
     "\"NAN\""},
    {"ContrastInfinite", {"--contrast", "-inf", "-o", "keep.png"}, "--contrast", "finite",
     "\"-inf\""},
    {"ContrastBeyondTheLargestDouble", {"--contrast", "1e999", "-o", "keep.png"},
     "--contrast", "finite", "\"1e999\""},
    {"ContrastTakingTheNextOptionAsItsValue", {"--contrast", "-o", "keep.png"}, "--contrast",
     "finite", "\"-o\""},

    {"PaletteTooHigh", {"--palette", "5", "-o", "keep.png"}, "--palette", kWholeFromOneTo + "4",
     "\"5\""},
    {"PaletteZero", {"--palette", "0", "-o", "keep.png"}, "--palette", kWholeFromOneTo + "4",
     "\"0\""},
    {"PaletteByName", {"--palette", "Palette1", "-o", "keep.png"}, "--palette",
     kWholeFromOneTo + "4", "\"Palette1\""},
    {"ThreadsZero", {"--threads", "0", "-o", "keep.png"}, "--threads", kWholeFromOneTo + "64",
     "\"0\""},
    {"ThreadsTooMany", {"--threads", "65", "-o", "keep.png"}, "--threads",
     kWholeFromOneTo + "64", "\"65\""},
    {"SupersampleTooHigh", {"--supersample", "9", "-o", "keep.png"}, "--supersample",
     kWholeFromOneTo + "8", "\"9\""},
    {"SupersampleWithPgm", {"--supersample", "2", "--format", "pgm", "-o", "keep.png"},
     "--supersample", "1 with PGM", "\"2\""},
    {"QuietWithValue", {"--quiet=yes", "-o", "keep.png"}, "--quiet", "no value", "\"yes\""},
    {"QuietRepeated", {"-q", "--quiet", "-o", "keep.png"}, "--quiet", "at most once",
     "again"},
};

class Refusal : public testing::TestWithParam<BadLine> {};

TEST_P(Refusal, ExitsWith2AndOneLineAndLeavesTheFolderAsItWas)
{
    const BadLine& line = GetParam();
    const RestrictedFolder folder(line.limit, EarlierFiles());
    if (!folder.Unavailable().empty()) {
        // Printed as well, so that a skipped row shows why in any log.
        std::cout << "skipped " << line.name << ": " << folder.Unavailable() << '\n';
        GTEST_SKIP() << folder.Unavailable();
    }
    const std::vector<std::string> before = folder.FileNames();
    ASSERT_EQ(before.size(), EarlierFiles().size());

    const ProcessResult run = RunRender(line.args, folder.Path());
    const std::string& message = run.standardError;
    SCOPED_TRACE(message);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.standardOutput, "");
    EXPECT_EQ(message.find("ombrelia-render: "), 0u);
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "not exactly one line";
    EXPECT_NE(message.find(line.option), std::string::npos);
    EXPECT_NE(message.find(line.accepted), std::string::npos);
    EXPECT_NE(message.find(line.given), std::string::npos);

    EXPECT_EQ(folder.FileNames(), before);
    for (const auto& [name, contents] : EarlierFiles())
        EXPECT_EQ(ReadWholeFile(folder.Path() / name), contents) << name;
}

INSTANTIATE_TEST_SUITE_P(BadLines, Refusal, testing::ValuesIn(kBadLines),
                         [](const testing::TestParamInfo<BadLine>& info) {
                             return info.param.name;
                         });

// The rows that fill the disk must fail only for want of room.
TEST(RefusalTable, TheBigPicturesOfTheFullDiskRowsAreWrittenWhereThereIsRoom)
{
    const ScratchFolder folder;
    ASSERT_EQ(RunRender(Then(kBigPgm, {"-q", "-o", "big.pgm"}), folder.Path()).exitStatus, 0);
    ASSERT_EQ(RunRender(Then(kBigPng, {"-q", "-o", "big.png"}), folder.Path()).exitStatus, 0);
    for (const char* name : {"big.pgm", "big.png"})
        EXPECT_GT(std::filesystem::file_size(folder.Path() / name),
                  2 * RestrictedFolder::kSmallDiskBytes)
            << name;
}

} // namespace
