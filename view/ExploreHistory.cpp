#include "ExploreHistory.h"

#include <bit>
#include <cstdint>

namespace {

bool SameBits(double one, double other)
{
    return std::bit_cast<std::uint64_t>(one) == std::bit_cast<std::uint64_t>(other);
}

bool SameFractal(const LyapParameters& one, const LyapParameters& other)
{
    return one.iterations == other.iterations && SameBits(one.aMin, other.aMin)
           && SameBits(one.aMax, other.aMax) && SameBits(one.bMin, other.bMin)
           && SameBits(one.bMax, other.bMax) && SameBits(one.morph, other.morph)
           && SameBits(one.firstX, other.firstX) && SameBits(one.contrast, other.contrast)
           && one.sequence.bSteps == other.sequence.bSteps
           && one.sequence.length == other.sequence.length;
}

} // namespace

bool SamePlace(const ExploredPlace& one, const ExploredPlace& other)
{
    return SameFractal(one.fractal, other.fractal) && SameBits(one.morphSlopeX, other.morphSlopeX)
           && SameBits(one.morphSlopeY, other.morphSlopeY)
           && SameBits(one.firstXSlopeX, other.firstXSlopeX)
           && SameBits(one.firstXSlopeY, other.firstXSlopeY) && one.palette == other.palette
           && one.morphPosition == other.morphPosition
           && one.firstXPosition == other.firstXPosition
           && one.contrastPosition == other.contrastPosition;
}

void ExploreHistory::Record(const ExploredPlace& place)
{
    if (!fPlaces.empty()) {
        if (SamePlace(place, fPlaces[fShown]))
            return;
        fPlaces.resize(fShown + 1);
    }
    if (fPlaces.size() == kMaxPlaces)
        fPlaces.erase(fPlaces.begin());
    fPlaces.push_back(place);
    fShown = fPlaces.size() - 1;
}

std::optional<ExploredPlace> ExploreHistory::Back()
{
    if (fPlaces.empty() || fShown == 0)
        return std::nullopt;
    return fPlaces[--fShown];
}

std::optional<ExploredPlace> ExploreHistory::Forward()
{
    if (fShown + 1 >= fPlaces.size())
        return std::nullopt;
    return fPlaces[++fShown];
}
