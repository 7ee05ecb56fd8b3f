// The palette map: screen colour index for each colour value 0..255. Workers
// read it during a render; TShowBit::SetPalette rewrites it only while none
// runs.
#pragma once

#include "SupportDefs.h"

extern uint8 gPaletteMap[256];
