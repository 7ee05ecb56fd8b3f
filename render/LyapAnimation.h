// The values of one frame of an animation between two pictures: the rate
// ranges move as a smooth zoom, morph, first x and contrast move linearly.
#pragma once

#include <cstdint>

struct LyapFrameValues {
    double aMin;
    double aMax;
    double bMin;
    double bMax;
    double morph;
    double firstX;
    double contrast;
};

// Frame k of `frames` (k = 0 .. frames - 1): frame 0 is exactly `from`, the
// last frame exactly `to`. Each range's width changes by the same factor from
// one frame to the next (a constant zoom speed) and its centre moves in
// proportion to the change of width, so an end range that lies inside the
// start range stays inside every frame's range.
LyapFrameValues InterpolateFrame(const LyapFrameValues& from,
                                 const LyapFrameValues& to, std::int64_t k,
                                 std::int64_t frames);
