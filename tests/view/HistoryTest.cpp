// Back and forward through the places the viewer has shown, and opening a
// picture: exact values, sliders, palette and marks, and nothing changed by
// a file the viewer cannot read.
#include "ViewerFixture.h"

#include "ChangedKeys.h"
#include "Clipboard.h"
#include "PictureWriter.h"
#include "RenderCommand.h"

#include <bit>
#include <fstream>
#include <tuple>

namespace {

// Every value that decides the picture, bit for bit, and the sliders.
std::vector<uint64> Place(const TLyapCalc& c, const std::vector<BScrollBar*>& sliders)
{
    std::vector<uint64> values;
    for (double v : {c.fAMin, c.fAMax, c.fBMin, c.fBMax, c.fMorph, c.fFirstX, c.fContrast, c.fMorphSlopeX,
                     c.fMorphSlopeY, c.fFirstXSlopeX, c.fFirstXSlopeY})
        values.push_back(std::bit_cast<uint64>(v));
    for (uint64 v : {uint64(c.fIterations), c.fSequence, uint64(c.fSequenceLength)})
        values.push_back(v);
    for (BScrollBar* slider : sliders)
        values.push_back(uint64(slider->Value()));
    return values;
}

} // namespace

class HistoryTest : public ViewerTest {
protected:
    std::vector<uint64> Shown()
    {
        WaitForRender();
        return Place(*fView->fCalc, {Slider(0), Slider(1), Slider(2)});
    }
    void Post(uint32 command)
    {
        fWindow->PostMessage(command);
        ProcessEvents();
    }
    // A drop of the file on the main window; the text of the alert it shows.
    std::string Drop(const std::string& path, int32 answer = 0)
    {
        BMessage drop(B_SIMPLE_DATA);
        const entry_ref ref{path};
        drop.AddRef("refs", &ref);
        std::string alertText;
        platform_test::AnswerNextAlert(answer, &alertText);
        fWindow->PostMessage(&drop);
        ProcessEvents();
        return alertText;
    }
    // What Ctrl+C puts on the clipboard.
    std::string CopiedCommand()
    {
        Post(kCopyCommand);
        std::string text;
        if (be_clipboard->Lock()) {
            be_clipboard->Data()->FindData("text/plain", 0, &text);
            be_clipboard->Unlock();
        }
        return text;
    }
};

TEST_F(HistoryTest, BackAndForwardRestoreExactValuesAndANewChangeDropsTheStepsAhead)
{
    const std::vector<uint64> start = Shown();
    const std::vector<uint8> startImage = BitmapBytes();
    Drag(BPoint(60, 60), BPoint(180, 180));
    const std::vector<uint64> zoomed = Shown();
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
    const std::vector<uint64> recoloured = Shown();
    Post(kForwardCommand); // dropped by the palette
    EXPECT_EQ(Shown(), recoloured);
    EXPECT_EQ(Marked("Palette"), "Palette2");
    Post(kBackCommand);
    EXPECT_EQ(Shown(), zoomed);
    EXPECT_EQ(Marked("Palette"), "Palette1");
}

TEST_F(HistoryTest, OpenShowsTheFilesValuesExactlyAndNamesWhatItLeavesOut)
{
    const std::string dir = ::testing::TempDir();
    PictureDescription picture;
    picture.width = picture.height = 32;
    picture.fractal = {.iterations = 100, .aMin = 3.4, .aMax = 3.95, .bMin = 2.5, .bMax = 3.4, .morph = 0.7,
                       .firstX = 0.3, .contrast = 300.0, .sequence = {0b10100, 5}};
    picture.palette = 3;
    picture.supersample = 2;
    std::string error;
    ASSERT_EQ(WritePictureFile(dir + "/open.png", picture, ImageFormat::kPng, {}, error), WriteOutcome::kWritten);
    std::ofstream(dir + "/not-ours.png") << "version=1\n";
    const std::vector<uint64> start = Shown();

    EXPECT_NE(Drop(dir + "/open.png").find(": supersample=2"), std::string::npos);
    const std::vector<uint64> opened = Shown();
    const TLyapCalc& c = *fView->fCalc;
    EXPECT_EQ(std::bit_cast<uint64>(c.fContrast), std::bit_cast<uint64>(300.0));
    EXPECT_EQ(std::make_tuple(c.fIterations, c.fAMax, c.fMorph, c.fFirstX, c.fSequence, c.fSequenceLength),
              std::make_tuple(100, 3.95, 0.7, 0.3, uint64(0b10100), 5));
    // Nearest positions: 70, 60 and 100 (300 / 128)^(1/4) = 123.7.
    EXPECT_EQ(std::make_tuple(Slider(0)->Value(), Slider(1)->Value(), Slider(2)->Value()),
              std::make_tuple(70.0f, 60.0f, 124.0f));
    EXPECT_EQ(Marked("Iterations"), "2 4 8 16 32 64 128 256 384 512"); // none marked
    EXPECT_EQ(Marked("Palette"), "Palette3");
    DeliverPulse(fWindow); // the sliders stay as they are
    EXPECT_EQ(Shown(), opened);

    for (const std::string& bad : {dir + "/not-ours.png", dir + "/missing.png"}) {
        EXPECT_TRUE(Drop(bad, -2).starts_with("Could not open " + bad + ": ")) << bad; // Return answers it
        EXPECT_EQ(Shown(), opened) << bad;
    }
    Post(kBackCommand);
    EXPECT_EQ(Shown(), start);
}

// Every key of the table, one at a time: an opened picture's value is
// shown, and so reaches the copied command (which the save shares) and the
// history, or it is named as left out.
TEST_F(HistoryTest, EveryKeyOpenedIsShownCopiedAndKeptInTheHistoryOrNamed)
{
    const std::string path = ::testing::TempDir() + "/key.png";
    PictureDescription small;
    std::tie(small.width, small.height) = std::pair(8, 6);
    for (std::size_t index = 0; index < ParameterKeyCount(); ++index) {
        const ParameterKey key = ParameterKeyAt(index);
        if (key.role == ParameterKey::kImage && key.viewerShows)
            continue; // the size is the view's own
        SCOPED_TRACE(key.key);
        const PictureDescription picture = WithOneKeyChanged(index, small);
        std::string error;
        ASSERT_EQ(WritePictureFile(path, picture, ImageFormat::kPng, {}, error), WriteOutcome::kWritten);
        PictureDescription shown = picture;
        std::tie(shown.width, shown.height) = std::pair(gImageWidth, gImageHeight);
        ForEachParameterKeyAndDefault(shown, [](const ParameterKey& k, auto& field, const auto& byDefault) {
            if (!k.viewerShows)
                field = byDefault;
        });
        EXPECT_EQ(Drop(path).find(": " + std::string(key.key) + "=") != std::string::npos, !key.viewerShows);
        const std::string copied = CopiedCommand();
        EXPECT_EQ(copied, RenderCommand(shown, "lyapunov.png"));
        Post(kBackCommand);
        EXPECT_NE(CopiedCommand(), copied);
        Post(kForwardCommand);
        EXPECT_EQ(CopiedCommand(), copied);
    }
}

// A place that differs in any one value, a zero's sign included, is a step
// of its own; beyond the cap the oldest places go.
TEST(PlaceHistory, AnyValueThatDiffersIsAStepAndTheOldestGoBeyondTheCap)
{
    const ExploredPlace start;
    const auto changed = [&start](auto change) {
        ExploredPlace place = start;
        change(place);
        return place;
    };
    for (const ExploredPlace& other :
         {changed([](ExploredPlace& p) { p.fractal.bMin = 2.5; }), changed([](ExploredPlace& p) { p.fractal.settle = 1; }),
          changed([](ExploredPlace& p) { p.fractal.sequence.length = 3; }),
          changed([](ExploredPlace& p) { p.morphSlopeX = -0.0; }), changed([](ExploredPlace& p) { p.palette = 2; }),
          changed([](ExploredPlace& p) { p.contrastPosition = 7; })}) {
        PlaceHistory history;
        history.Record(start);
        history.Record(other);
        EXPECT_TRUE(history.Back().has_value());
    }
    PlaceHistory history;
    for (int32 i = 1; i <= 1001; ++i)
        history.Record(changed([i](ExploredPlace& p) { p.fractal.iterations = 2 * i; }));
    int32 backs = 0;
    for (std::optional<ExploredPlace> place; (place = history.Back()); ++backs)
        EXPECT_EQ(place->fractal.iterations, 2 * (1001 - backs - 1));
    EXPECT_EQ(backs, 999);
}
