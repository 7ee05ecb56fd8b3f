#include "ColourValues.h"
#include "ParseArguments.h"

#include <gtest/gtest.h>

namespace {

ParsedCommand Parse(const std::vector<std::string>& args, std::int32_t defaultThreads = 2)
{
    return ParseArguments(args, defaultThreads);
}

TEST(ParseArguments, OutputAloneGivesTheViewersFirstPicture)
{
    const ParsedCommand command = Parse({"-o", "out.png"}, 5);
    ASSERT_EQ(command.action, CommandAction::kRender) << command.error;
    const RenderOptions& o = command.options;
    EXPECT_EQ(o.output, "out.png");
    EXPECT_EQ(o.format, ImageFormat::kPng);
    EXPECT_EQ(o.width, 384);
    EXPECT_EQ(o.height, 384);
    EXPECT_EQ(o.palette, 1);
    EXPECT_EQ(o.threads, 5);
    EXPECT_EQ(o.supersample, 1);
    EXPECT_FALSE(o.quiet);

    // Every fractal parameter is the calculator's own default.
    const TLyapCalc defaults;
    const TLyapCalc calc = CalculatorFor(o);
    EXPECT_EQ(calc.fIterations, defaults.fIterations);
    EXPECT_EQ(calc.fAMin, defaults.fAMin);
    EXPECT_EQ(calc.fAMax, defaults.fAMax);
    EXPECT_EQ(calc.fBMin, defaults.fBMin);
    EXPECT_EQ(calc.fBMax, defaults.fBMax);
    EXPECT_EQ(calc.fMorph, defaults.fMorph);
    EXPECT_EQ(calc.fFirstX, defaults.fFirstX);
    EXPECT_EQ(calc.fContrast, defaults.fContrast);
}

TEST(ParseArguments, EveryOptionReachesItsField)
{
    const ParsedCommand command = Parse({"--size", "640x17", "--iterations", "1000000",
                                         "--a", "1.5:3.25", "--b=-1:8.5", "--morph", "-0.25",
                                         "--first-x", "1e-3", "--contrast", "64.5",
                                         "--palette", "4", "--threads", "64",
                                         "--supersample", "8", "-q", "--output", "x.png"});
    ASSERT_EQ(command.action, CommandAction::kRender) << command.error;
    const RenderOptions& o = command.options;
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 17);
    EXPECT_EQ(o.iterations, 1000000);
    EXPECT_EQ(o.aMin, 1.5);
    EXPECT_EQ(o.aMax, 3.25);
    EXPECT_EQ(o.bMin, -1.0);
    EXPECT_EQ(o.bMax, 8.5);
    EXPECT_EQ(o.morph, -0.25);
    EXPECT_EQ(o.firstX, 1e-3);
    EXPECT_EQ(o.contrast, 64.5);
    EXPECT_EQ(o.palette, 4);
    EXPECT_EQ(o.threads, 64);
    EXPECT_EQ(o.supersample, 8);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.output, "x.png");
}

TEST(ParseArguments, FormatFollowsTheFileNameUnlessGiven)
{
    EXPECT_EQ(Parse({"-o", "dir.png/x.PGM"}).options.format, ImageFormat::kPgm);
    EXPECT_EQ(Parse({"-o", "x.Png"}).options.format, ImageFormat::kPng);
    EXPECT_EQ(Parse({"--format", "pgm", "-o", "x.png"}).options.format, ImageFormat::kPgm);
    const ParsedCommand anyName = Parse({"--format", "png", "-o", "picture"});
    EXPECT_EQ(anyName.action, CommandAction::kRender) << anyName.error;
    EXPECT_EQ(Parse({"-o", "dir.png/picture"}).action, CommandAction::kError);
}

TEST(ParseArguments, HelpAndVersionWinOverMissingOutput)
{
    EXPECT_EQ(Parse({"--size", "3x3", "-h"}).action, CommandAction::kHelp);
    EXPECT_EQ(Parse({"--help"}).action, CommandAction::kHelp);
    EXPECT_EQ(Parse({"--version"}).action, CommandAction::kVersion);
    EXPECT_NE(UsageText(7).find("here 7"), std::string::npos);
}

TEST(ParseArguments, RangeBoundsAreAcceptedAndJustBeyondRejected)
{
    EXPECT_EQ(Parse({"--size", "1x16384", "-o", "x.png"}).action, CommandAction::kRender);
    EXPECT_EQ(Parse({"--size", "16385x1", "-o", "x.png"}).action, CommandAction::kError);
    EXPECT_EQ(Parse({"--iterations", "2", "-o", "x.png"}).action, CommandAction::kRender);
    EXPECT_EQ(Parse({"--iterations", "0", "-o", "x.png"}).action, CommandAction::kError);
    EXPECT_EQ(Parse({"--iterations", "1000002", "-o", "x.png"}).action, CommandAction::kError);
    EXPECT_EQ(Parse({"--palette", "0", "-o", "x.png"}).action, CommandAction::kError);
    EXPECT_EQ(Parse({"--threads", "65", "-o", "x.png"}).action, CommandAction::kError);
    EXPECT_EQ(Parse({"--supersample", "9", "-o", "x.png"}).action, CommandAction::kError);
    EXPECT_EQ(Parse({"--supersample", "1", "-o", "x.pgm"}).action, CommandAction::kRender);
}

TEST(ParseArguments, NumbersMustBeTheWholeText)
{
    for (const char* text : {"1.5 ", " 1.5", "+1.5", "1.5x", "0x10", "", "1,5", "inf",
                             "-infinity", "nan", "1e999"}) {
        const ParsedCommand command = Parse({"--morph", text, "-o", "x.png"});
        EXPECT_EQ(command.action, CommandAction::kError) << '"' << text << '"';
    }
    for (const char* text : {"16 ", "16.0", "+16", "1e2", "0x10", ""}) {
        const ParsedCommand command = Parse({"--iterations", text, "-o", "x.png"});
        EXPECT_EQ(command.action, CommandAction::kError) << '"' << text << '"';
    }
}

} // namespace

// Found by fuzzing: a newline inside an argument used to split the complaint
// over several lines.
TEST(ParseArguments, ComplaintsStayOneLineWhateverWasTyped)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--size\nx", "-o", "a.png"},
          std::vector<std::string>{"--morph", "1\r\n2", "-o", "a.png"},
          std::vector<std::string>{"--palette", std::string("\x01\x7f\"\\", 4), "-o", "a.png"}}) {
        const ParsedCommand parsed = ParseArguments(args, 2);
        ASSERT_EQ(parsed.action, CommandAction::kError);
        EXPECT_EQ(parsed.error.find_first_of("\n\r"), std::string::npos) << parsed.error;
    }
    const ParsedCommand parsed = ParseArguments({"--morph", "a\nb", "-o", "a.png"}, 2);
    EXPECT_NE(parsed.error.find("\"a\\nb\""), std::string::npos) << parsed.error;
}
