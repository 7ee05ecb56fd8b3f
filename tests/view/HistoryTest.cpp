// Back and forward through the places the viewer has shown, and opening a
// picture: exact values, sliders, palette and marks, and nothing changed by
// a file the viewer cannot read.
#include "ViewerFixture.h"

#include "PictureWriter.h"

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
};

TEST_F(HistoryTest, BackAndForwardRestoreExactValuesAndANewChangeDropsTheStepsAhead)
{
    const std::vector<uint64> start = Shown();
    const std::vector<uint8> startImage = BitmapBytes();
    Drag(BPoint(60, 60), BPoint(180, 180));
    const std::vector<uint64> zoomed = Shown();
    Drag(BPoint(40, 80), BPoint(140, 180));
    Slider(0)->SetValue(150);
    DeliverPulse(fWindow); // the slider, released, is one step
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
