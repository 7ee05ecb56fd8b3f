// The places this field is known for, each a picture the Fractal type menu
// shows in one step: a rate sequence, a region, and the count, contrast and
// colours it looks its best with.
#pragma once

#include "PictureDescription.h"

#include <span>

struct NamedPlace {
    const char* label;  // the menu item's
    const char* sequence;
    double aMin, aMax, bMin, bMax;
    std::int32_t iterations;
    double contrast;
    const char* colours;  // a map shipped, by name
    double chaosContrast;
    const char* chaosColours;
};

std::span<const NamedPlace> NamedPlaces();

// The place's picture: its values, every other one at its default.
PictureDescription PlacePicture(const NamedPlace& place);
