// The palette map: screen colour index for each colour value 0..255. Workers
// read it during a render; TShowBit::SetPalette rewrites it only while none
// runs.
#pragma once

#include "ColourValue.h"
#include "SupportDefs.h"

extern uint8 gPaletteMap[256];

// The 32-bit pixel of every colour slot of the picture's own colours (see
// TShowBit::OwnColours); rebuilt, like the palette map, only while no worker
// runs.
extern LyapColourTable gColourTable;
