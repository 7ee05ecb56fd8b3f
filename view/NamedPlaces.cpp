#include "NamedPlaces.h"

#include "ColourMap.h"

namespace {

// Classic yellow order over chaos in blues, but for Morse-Thue, whose
// order reads best in ice over a burning chaos.
constexpr NamedPlace kPlaces[] = {
    {"Zircon Zity", "BBBBBBAAAAAA", 3.4, 4.0, 2.5, 3.4, 512, 1500.0, "classic", 600.0, "classic-chaos"},
    {"Swallow", "AB", 3.81, 3.87, 3.81, 3.87, 512, 1500.0, "classic", 200.0, "classic-chaos"},
    {"AABAB", "AABAB", 2.0, 4.0, 2.0, 4.0, 256, 300.0, "classic", 400.0, "classic-chaos"},
    {"Morse\u2013Thue", "ABBABAAB", 2.0, 4.0, 2.0, 4.0, 256, 150.0, "ice", 400.0, "fire"},
};

} // namespace

std::span<const NamedPlace> NamedPlaces()
{
    return kPlaces;
}

PictureDescription PlacePicture(const NamedPlace& place)
{
    PictureDescription picture;
    LyapParameters& f = picture.fractal;
    f.sequence = *ParseLyapSequence(place.sequence);
    std::tie(f.aMin, f.aMax, f.bMin, f.bMax) = std::tie(place.aMin, place.aMax, place.bMin, place.bMax);
    f.iterations = place.iterations;
    f.contrast = place.contrast;
    picture.colours = NamedColourMap(place.colours);
    picture.chaosContrast = place.chaosContrast;
    picture.chaosColours = NamedColourMap(place.chaosColours);
    return picture;
}
