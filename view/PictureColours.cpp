// The picture's colours beyond the four palettes: a colour map in the
// palette's place and the chaos grading. The 8-bit image holds screen colour
// indices of four fixed ramps, which cannot show a map's yellow; these
// pictures are drawn in the 32-bit image instead, each pixel the very colour
// a save writes.
#include "ShowBit.h"

#include "Bitmap.h"
#include "ExponentColours.h"
#include "Palettes.h"

LyapColourTable gColourTable{};

bool TShowBit::OwnColours() const
{
    return fLook.colours.has_value() || GradesChaos(fLook);
}

BBitmap* TShowBit::ShownBitmap() const
{
    return OwnColours() ? fTrueColourBitmap.get() : fBitmap.get();
}

void TShowBit::BuildColourTable()
{
    const ExponentColours colours(DescribeRender());
    for (std::size_t slot = 0; slot < gColourTable.pixels.size(); ++slot) {
        const RgbColour& c = colours.SlotColour(slot);
        gColourTable.pixels[slot] = 0xff000000u | std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
    }
    gColourTable.chaosContrast = fLook.chaosContrast;
}

void TShowBit::ChangeLook(const PictureDescription& look)
{
    StopRender();
    fLook = look;
    // Rebuilds the colours and starts the render.
    ApplyPalette(fPalette);
    NoteChange();
}

void TShowBit::SetColourMap(const std::optional<ColourMap>& map)
{
    PictureDescription look = fLook;
    look.colours = map;
    ChangeLook(look);
}

void TShowBit::SetChaosContrast(double contrast)
{
    PictureDescription look = fLook;
    look.chaosContrast = contrast;
    ChangeLook(look);
}

void TShowBit::SetChaosColours(int32 palette, const std::optional<ColourMap>& map)
{
    PictureDescription look = fLook;
    look.chaosPalette = ShownPaletteNumber(palette);
    look.chaosColours = map;
    if (!GradesChaos(look))
        look.chaosContrast = kFirstChaosContrast;
    ChangeLook(look);
}
