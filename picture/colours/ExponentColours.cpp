#include "ExponentColours.h"

#include "ColourValue.h"

#include <algorithm>

ColourMap OrderColours(const PictureDescription& picture)
{
    return picture.colours.value_or(ColourMapOfPalette(picture.palette));
}

ExponentColours::ExponentColours(const PictureDescription& picture)
    : fContrast(picture.fractal.contrast), fChaosContrast(picture.chaosContrast)
{
    const ColourMap order = OrderColours(picture);
    const ColourMap chaos = picture.chaosColours.value_or(ColourMapOfPalette(picture.chaosPalette));
    std::ranges::copy(order, fColours.begin());
    std::ranges::copy(chaos, fColours.begin() + 256);
    if (!GradesChaos(picture)) {
        fPlte = order;
        for (std::size_t v = 0; v < 256; ++v)
            fIndex[v] = static_cast<std::uint8_t>(v);
        return;
    }
    // The distinct colours in order of first use, while they fit.
    std::size_t used = 0;
    for (std::size_t slot = 0; slot < fColours.size() && fIndexed; ++slot) {
        const auto* found = std::find(fPlte.begin(), fPlte.begin() + used, fColours[slot]);
        if (found == fPlte.begin() + used && used == fPlte.size())
            fIndexed = false;
        else if (found == fPlte.begin() + used)
            fPlte[used++] = fColours[slot];
        fIndex[slot] = static_cast<std::uint8_t>(found - fPlte.begin());
    }
}

