// The control panel's sliders: what value each whole position 0..range stands
// for, and the position nearest a value (for a picture opened with values
// of its own). Morph and first x are linear; contrast grows with the fourth
// power, so that the middle gives the default 128.
#pragma once

#include "SupportDefs.h"

double MorphAt(int32 position, int32 range);
double FirstXAt(int32 position, int32 range);
double ContrastAt(int32 position, int32 range);

int32 MorphPosition(double morph, int32 range);
int32 FirstXPosition(double firstX, int32 range);
int32 ContrastPosition(double contrast, int32 range);
