// Back and forward through the places the viewer has shown, and opening a
// picture: exact values, sliders, palette and marks, and nothing changed by
// a file the viewer cannot read.
#include "ViewerFixture.h"

#include "ChangedKeys.h"
#include "ParameterText.h"
#include "ParseArguments.h"
#include "PictureWriter.h"
#include "RenderCommand.h"
#include "SliderScale.h"

#include <fstream>
#include <sstream>
#include <tuple>

class HistoryTest : public ViewerTest {
protected:
    // Every value that decides the picture (bit for bit), the slopes and the sliders.
    auto Shown()
    {
        WaitForRender();
        const TLyapCalc& c = *fView->fCalc;
        return std::make_tuple(c.Parameters(), c.fMorphSlopeX, c.fMorphSlopeY, c.fFirstXSlopeX, c.fFirstXSlopeY,
                               Slider(0)->Value(), Slider(1)->Value(), Slider(2)->Value());
    }
    // A drop of the file on the main window; the text of the alert it
    // shows, if it shows one (an answer not taken waits for the next alert,
    // so the text goes where it outlives the call).
    std::string Drop(const std::string& path, int32 answer = 0)
    {
        BMessage drop(B_SIMPLE_DATA);
        const entry_ref ref{path};
        drop.AddRef("refs", &ref);
        fAlertText.clear();
        platform_test::AnswerNextAlert(answer, &fAlertText);
        fWindow->PostMessage(&drop);
        ProcessEvents();
        return fAlertText;
    }
    std::string fAlertText;
};

TEST_F(HistoryTest, BackAndForwardRestoreExactValuesAndANewChangeDropsTheStepsAhead)
{
    const auto start = Shown();
    const std::vector<uint8> startImage = BitmapBytes();
    Drag(BPoint(60, 60), BPoint(180, 180));
    const auto zoomed = Shown();
    Drag(BPoint(40, 80), BPoint(140, 180));
    User().HoldButtons(B_PRIMARY_MOUSE_BUTTON); // a drag across two pulses, released: one step
    for (const float position : {120.0f, 150.0f}) {
        Slider(0)->SetValue(position);
        DeliverPulse(fWindow);
    }
    User().HoldButtons(0);
    DeliverPulse(fWindow);
    Shown();
    for (uint32 back : {kBackCommand, kBackCommand})
        Post(back);
    EXPECT_EQ(Shown(), zoomed);
    Post(kBackCommand);
    EXPECT_EQ(Shown(), start);
    EXPECT_EQ(BitmapBytes(), startImage);
    Post(kBackCommand); // at the first place: nothing
    EXPECT_EQ(Shown(), start);
    Post(kForwardCommand);
    EXPECT_EQ(Shown(), zoomed);
    Choose("Palette", "Palette2");
    const auto recoloured = Shown();
    Post(kForwardCommand); // dropped by the palette
    EXPECT_EQ(Shown(), recoloured);
    EXPECT_EQ(Marked("Palette"), "Palette2");
    Post(kBackCommand);
    EXPECT_EQ(Shown(), zoomed);
    EXPECT_EQ(Marked("Palette"), "Palette1");
}

// The words of a command line after the program's name, after `words`.
std::vector<std::string> Words(const std::string& command, std::vector<std::string> words = {})
{
    std::istringstream split(command.substr(command.find(' ')));
    for (std::string word; split >> word;)
        words.push_back(word);
    return words;
}

// Every key of the table, one at a time (a map both shipped and not), the
// one test that follows a key everywhere. The renderer: --from reads the
// value from a file, the copied command line gives it in plain words a shell
// takes as they are, and over a TIFF only a colour leaves its exponents
// usable. The viewer: an opened picture's value is shown, and so reaches
// the copied command (which the save shares) and the history, or it is
// named as left out; the sliders move to the nearest positions (and a pulse
// leaves them there), the menus mark what they have. A file that is not a
// picture of ours changes nothing.
TEST_F(HistoryTest, EveryKeyTravelsThroughFilesCommandLinesAndTheViewerOrIsNamed)
{
    const std::string dir = ::testing::TempDir(), path = dir + "/key.png", tiff = dir + "/base.tif";
    PictureDescription small;
    std::tie(small.width, small.height) = std::pair(8, 6);
    std::string error;
    ASSERT_EQ(WritePictureFile(tiff, small, ImageFormat::kTiff, {}, error), WriteOutcome::kWritten);
    const std::vector<ParameterKey> keys = AllParameterKeys();
    for (std::size_t index = 0; index < keys.size() * 2; ++index) {
        const ParameterKey& key = keys[index / 2];
        if (index % 2 == 1 && key.rule.kind != ValueRule::kColours)
            continue;
        SCOPED_TRACE(std::string(key.key) + (index % 2 == 1 ? ", shipped" : ""));
        const PictureDescription picture = WithOneKeyChanged(index / 2, small, index % 2 == 1);
        const std::string text = ParameterText(picture), command = RenderCommand(picture, "out.png");
        ASSERT_NE(text, ParameterText(small));
        ASSERT_EQ(WritePictureFile(path, picture, ImageFormat::kPng, {}, error), WriteOutcome::kWritten);
        EXPECT_EQ(ParameterText(ParseArguments({"--from", path, "-o", "x.png"}, 1).options.picture), text);
        EXPECT_EQ(command.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -=:.,_/"),
                  std::string::npos) << command;
        const ParsedCommand copied = ParseArguments(Words(command), 1);
        EXPECT_EQ(ParameterText(copied.options.picture), text) << copied.text;
        EXPECT_EQ(ParseArguments(Words(command, {"--from", tiff}), 1).options.exponentsFrom.empty(),
                  key.role != ParameterKey::kColour);
        if (key.role == ParameterKey::kImage && key.viewerShows)
            continue; // the viewer's size is the view's own
        PictureDescription shown = picture;
        std::tie(shown.width, shown.height) = std::pair(gImageWidth, gImageHeight);
        ForEachParameterKeyAndDefault(shown, [](const ParameterKey& k, auto& field, const auto& byDefault) {
            if (!k.viewerShows)
                field = byDefault;
        });
        EXPECT_EQ(Drop(path).find(": " + std::string(key.key) + "=") != std::string::npos, !key.viewerShows);
        DeliverPulse(fWindow);
        const LyapParameters& f = shown.fractal;
        EXPECT_EQ(std::make_tuple(Slider(0)->Value(), Slider(1)->Value(), Slider(2)->Value()),
                  std::make_tuple(MorphPosition(f.morph, 200), FirstXPosition(f.firstX, 200), ContrastPosition(f.contrast, 200)));
        EXPECT_TRUE(shown.colours || Marked("Palette") == "Palette" + std::to_string(shown.palette)) // (a map's: LookTest)
            << Marked("Palette");
        EXPECT_EQ(Marked("Iterations"), f.iterations == 16 ? "16" : "2 4 8 16 32 64 128 256 384 512");
        const std::string copiedByViewer = CopiedCommand();
        EXPECT_EQ(copiedByViewer, RenderCommand(shown, "lyapunov.png"));
        Post(kBackCommand);
        EXPECT_NE(CopiedCommand(), copiedByViewer);
        Post(kForwardCommand);
        EXPECT_EQ(CopiedCommand(), copiedByViewer);
    }
    const std::string notOurs = dir + "/not-ours.png", before = CopiedCommand();
    std::ofstream(notOurs) << "version=1\n";
    for (const std::string& bad : {notOurs, dir + "/missing.png"}) {
        EXPECT_TRUE(Drop(bad, -2).starts_with("Could not open " + bad + ": ")) << bad; // Return answers it
        EXPECT_EQ(CopiedCommand(), before) << bad;
    }
}

// Places differ bit for bit (a slope's zero and minus zero too: the other
// values the open above shows); beyond the cap the oldest places go.
TEST(PlaceHistory, AZerosSignIsAStepAndTheOldestGoBeyondTheCap)
{
    PlaceHistory history;
    ExploredPlace place;
    history.Record(place);
    place.morphSlopeX = -0.0;
    history.Record(place);
    EXPECT_TRUE(history.Back().has_value());
    for (int32 i = 1; i <= 1001; ++i) {
        place.picture.fractal.iterations = 2 * i;
        history.Record(place);
    }
    int32 backs = 0;
    for (std::optional<ExploredPlace> back; (back = history.Back()); ++backs)
        EXPECT_EQ(back->picture.fractal.iterations, 2 * (1001 - backs - 1));
    EXPECT_EQ(backs, 999);
}
