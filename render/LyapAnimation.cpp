// Frame values of an animation; see LyapAnimation.h.
#include "LyapAnimation.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(double from, double to, double t)
{
    return from + (to - from) * t;
}

// How far along the way from `from` to `to` a range is at time t, measured by
// its width: the width itself changes geometrically. Ranges of equal or
// non-positive width (a pan, or a degenerate range) move linearly instead.
double ZoomProgress(double fromWidth, double toWidth, double t)
{
    if (!(fromWidth > 0 && toWidth > 0) || fromWidth == toWidth)
        return t;
    const double width = fromWidth * std::pow(toWidth / fromWidth, t);
    return std::clamp((fromWidth - width) / (fromWidth - toWidth), 0.0, 1.0);
}

// Both edges move by the same progress s, so that the width is the geometric
// one, the centre moves in proportion to the change of width and each edge is
// a mix of its two ends (which keeps a nested end range in view).
void MoveRange(double fromMin, double fromMax, double toMin, double toMax,
               double t, double& min, double& max)
{
    const double s = ZoomProgress(fromMax - fromMin, toMax - toMin, t);
    min = Linear(fromMin, toMin, s);
    max = Linear(fromMax, toMax, s);
}

} // namespace

LyapFrameValues InterpolateFrame(const LyapFrameValues& from,
                                 const LyapFrameValues& to, std::int64_t k,
                                 std::int64_t frames)
{
    if (k <= 0 || frames < 2)
        return from;
    if (k >= frames - 1)
        return to;
    const double t = static_cast<double>(k) / static_cast<double>(frames - 1);
    LyapFrameValues v{};
    MoveRange(from.aMin, from.aMax, to.aMin, to.aMax, t, v.aMin, v.aMax);
    MoveRange(from.bMin, from.bMax, to.bMin, to.bMax, t, v.bMin, v.bMax);
    v.morph = Linear(from.morph, to.morph, t);
    v.firstX = Linear(from.firstX, to.firstX, t);
    v.contrast = Linear(from.contrast, to.contrast, t);
    return v;
}
