// Building the palette map from the palette formulas through the screen's
// colour map.
#include "Palettes.h"

#include "Palette.h"
#include "Screen.h"
#include "ShowBit.h"

uint8 gPaletteMap[256] = {};

void TShowBit::SetPalette(int32 n)
{
    // A palette chosen takes the place of a colour map.
    fLook.colours.reset();
    ApplyPalette(n);
    NoteChange();
}

void TShowBit::ApplyPalette(int32 n)
{
    BScreen screen(Window());
    StopRender();
    // From here until the restart no worker reads the map.
    if (n >= 0 && n < kPaletteCount) {
        fPalette = n;
        for (int32 k = 0; k < 256; ++k) {
            const RgbColour colour = *PaletteColour(n, k);
            gPaletteMap[k] = screen.IndexForColor(colour.red, colour.green, colour.blue);
        }
    }
    if (OwnColours())
        BuildColourTable();
    PlaceChaosSlider();
    RestartRender();
}
