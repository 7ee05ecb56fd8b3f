#include "PlaceHistory.h"

#include "ParameterText.h"

bool SamePlace(const ExploredPlace& one, const ExploredPlace& other)
{
    // The text tells every two values apart that read back differently.
    return ParameterText(one.picture) == ParameterText(other.picture) && SameBits(one.morphSlopeX, other.morphSlopeX)
           && SameBits(one.morphSlopeY, other.morphSlopeY)
           && SameBits(one.firstXSlopeX, other.firstXSlopeX)
           && SameBits(one.firstXSlopeY, other.firstXSlopeY)
           && one.morphPosition == other.morphPosition
           && one.firstXPosition == other.firstXPosition
           && one.contrastPosition == other.contrastPosition;
}

void PlaceHistory::Record(const ExploredPlace& place)
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

std::optional<ExploredPlace> PlaceHistory::Back()
{
    if (fPlaces.empty() || fShown == 0)
        return std::nullopt;
    return fPlaces[--fShown];
}

std::optional<ExploredPlace> PlaceHistory::Forward()
{
    if (fShown + 1 >= fPlaces.size())
        return std::nullopt;
    return fPlaces[++fShown];
}
