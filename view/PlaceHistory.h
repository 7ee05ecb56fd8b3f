// Where the explorer has been: every value that decides the picture, exactly,
// for each change of region or parameters, and the place shown now among
// them, so that the viewer can go back and forward again.
#pragma once

#include "PictureDescription.h"
#include "SupportDefs.h"

#include <cstddef>
#include <optional>
#include <vector>

struct ExploredPlace {
    // Every value of the picture shown, as a save writes it (its size is
    // that of the view when it was shown; a place shown again takes the
    // view's size of then).
    PictureDescription picture;
    // The calculator's slopes of morph and first x across the image.
    double morphSlopeX = 0.0;
    double morphSlopeY = 0.0;
    double firstXSlopeX = 0.0;
    double firstXSlopeY = 0.0;
    // The control panel's sliders, which may stand for values near theirs.
    int32 morphPosition = 0;
    int32 firstXPosition = 0;
    int32 contrastPosition = 0;
};

// Bit for bit: a place is the same only if it draws the same bytes.
bool SamePlace(const ExploredPlace& one, const ExploredPlace& other);

class PlaceHistory {
public:
    // The oldest places go beyond this many.
    static constexpr std::size_t kMaxPlaces = 1000;

    // `place` becomes the one shown: the places ahead are dropped. The
    // place shown now again is no new step.
    void Record(const ExploredPlace& place);
    // The place before (after) the one shown, which it becomes; nothing at
    // the first (last) place.
    std::optional<ExploredPlace> Back();
    std::optional<ExploredPlace> Forward();

private:
    std::vector<ExploredPlace> fPlaces;
    // Of the place shown; meaningful once a place is recorded.
    std::size_t fShown = 0;
};
