// The pictures past the four palettes: the named places, colour maps and a
// graded chaos, each a step, drawn in the very colours a save writes; and
// values typed, held to the renderer's rules in its words.
#include "ViewerFixture.h"

#include "ChangedKeys.h"
#include "ColourMap.h"
#include "ColoursWindow.h"
#include "ExponentColours.h"
#include "LyapPictureRows.h"
#include "NamedPlaces.h"
#include "RenderCommand.h"
#include "SliderScale.h"
#include "ValuesWindow.h"

namespace {

// The 32-bit image of `picture` at the view's size as the renderer colours
// it (blue, green, red, alpha in memory): its exponents, from the same rates
// as the renderer's rows, each coloured as a save colours it.
std::vector<uint8> ColouredImage(const PictureDescription& picture, int32 bytesPerRow)
{
    const ExponentColours colours(picture);
    std::vector<double> exponents(static_cast<std::size_t>(gImageWidth) * gImageHeight);
    LyapPictureRows(TLyapCalc(picture.fractal), gImageWidth, gImageHeight).FillRows(0, gImageHeight, exponents.data());
    std::vector<uint8> image(static_cast<std::size_t>(kBitmapHeight) * bytesPerRow);
    for (std::size_t i = 0; i < exponents.size(); ++i) {
        const RgbColour& c = colours.Colour(exponents[i]);
        uint8* pixel = &image[i / gImageWidth * bytesPerRow + 4 * (i % gImageWidth)];
        std::tie(pixel[0], pixel[1], pixel[2], pixel[3]) = std::tuple(c.blue, c.green, c.red, uint8(255));
    }
    return image;
}

} // namespace

class LookTest : public ViewerTest {
protected:
    // Shows what the view shows now: values (the copied command) and pixels.
    void ExpectShown(PictureDescription picture)
    {
        WaitForRender();
        std::tie(picture.width, picture.height) = std::pair(gImageWidth, gImageHeight);
        EXPECT_EQ(CopiedCommand(), RenderCommand(picture, "lyapunov.png"));
        EXPECT_TRUE(BitmapBytes() == ColouredImage(picture, fView->fCalc->fBytesPerRow)) << "the image's colours";
    }
};

// Each place in one step, marked; back through them all to the start.
TEST_F(LookTest, NamedPlacesAreOneStepEachInTheirOwnColours)
{
    const std::string start = CopiedCommand();
    for (const NamedPlace& place : NamedPlaces()) {
        SCOPED_TRACE(place.label);
        Choose("Fractal type", place.label);
        ExpectShown(PlacePicture(place));
        EXPECT_NE(ShownMenu(fWindow, "Fractal type").find(std::string(place.label) + "*"), std::string::npos);
    }
    for (std::size_t k = 0; k < NamedPlaces().size(); ++k)
        Post(kBackCommand);
    EXPECT_EQ(CopiedCommand(), start);
}

// A map in the palette's place, then chaos graded with a palette, its
// contrast on the Colours window's slider; a palette chosen again takes the
// map's place; each a step back.
TEST_F(LookTest, ColourMapsAndAGradedChaosFromThePaletteMenuAreStepsAndMarked)
{
    PictureDescription picture;
    Choose("Palette", "fire");
    picture.colours = NamedColourMap("fire");
    Choose("Palette", "Chaos>Palette2");
    std::tie(picture.chaosContrast, picture.chaosPalette) = std::pair(TShowBit::kFirstChaosContrast, 2);
    ExpectShown(picture);
    EXPECT_EQ(ShownMenu(fWindow, "Palette"), "Palette1 Palette2 Palette3 Palette4 | classic classic-chaos fire* ice rainbow "
              "Colour Map File\u2026 | Chaos>{One Colour | Palette1 Palette2* Palette3 Palette4 | classic classic-chaos fire "
              "ice rainbow Colour Map File\u2026} Colours\u2026");
    Post(kColoursWindowCommand); // its slider starts where the contrast is, and moves it
    BScrollBar* slider = dynamic_cast<TColoursWindow&>(*platform_test::Windows().back()).ChaosSlider();
    EXPECT_EQ(slider->Value(), float(ContrastPosition(TShowBit::kFirstChaosContrast, 200)));
    slider->SetValue(150);
    DeliverPulse(fWindow);
    picture.chaosContrast = ContrastAt(150, 200);
    ExpectShown(picture);
    Choose("Palette", "Palette3");
    std::tie(picture.colours, picture.palette) = std::pair(std::nullopt, 3);
    ExpectShown(picture);
    for (int32 back = 0; back < 3; ++back)
        Post(kBackCommand);
    picture = {};
    picture.colours = NamedColourMap("fire");
    ExpectShown(picture);
    const std::string marks = ShownMenu(fWindow, "Palette");
    EXPECT_TRUE(marks.find("fire*") != std::string::npos && marks.find("One Colour*") != std::string::npos) << marks;
}

// A count the renderer refuses is refused in its words and changes nothing;
// then a count no menu item has is shown. (Other values typed: the
// end-to-end run.)
TEST_F(LookTest, TypedValuesAreShownAndOneRefusedChangesNothing)
{
    Post(kValuesCommand);
    auto* window = dynamic_cast<TValuesWindow*>(platform_test::Windows().back());
    ASSERT_NE(window, nullptr);
    std::vector<std::string> typed; // the fields, in the keys' order
    for (const ParameterKey& key : AllParameterKeys())
        if (key.typed)
            typed.push_back(key.key);
    BTextControl* iterations = ControlOf<BTextControl>(window, int32(std::ranges::find(typed, "iterations") - typed.begin()));
    const std::string before = CopiedCommand();
    TypeText(iterations, "7");
    Post(kApplyValuesCommand);
    EXPECT_EQ(ControlOf<BStringView>(window)->Text(),
              std::string("iterations: expected an even whole number from 2 to 1000000, got \"7\""));
    EXPECT_EQ(CopiedCommand(), before);
    TypeText(iterations, "1000");
    Click(ControlOf<BButton>(window)); // Apply, whose message goes to the main window
    ProcessEvents();
    WaitForRender();
    EXPECT_EQ(fView->fCalc->fIterations, 1000);
    EXPECT_EQ(Marked("Iterations"), "2 4 8 16 32 64 128 256 384 512");
}
