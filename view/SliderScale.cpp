#include "SliderScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMiddleContrast = 128.0;

double Half(int32 range)
{
    return range / 2;
}

// The slider position nearest `position`, within 0..range.
int32 NearestPosition(double position, int32 range)
{
    if (!(position > 0.0))
        return 0;
    return static_cast<int32>(std::min(std::round(position), static_cast<double>(range)));
}

} // namespace

double MorphAt(int32 position, int32 range)
{
    return position / Half(range);
}

double FirstXAt(int32 position, int32 range)
{
    return position / static_cast<double>(range);
}

double ContrastAt(int32 position, int32 range)
{
    return kMiddleContrast * std::pow(position / Half(range), 4.0);
}

int32 MorphPosition(double morph, int32 range)
{
    return NearestPosition(morph * Half(range), range);
}

int32 FirstXPosition(double firstX, int32 range)
{
    return NearestPosition(firstX * range, range);
}

int32 ContrastPosition(double contrast, int32 range)
{
    return NearestPosition(Half(range) * std::pow(contrast / kMiddleContrast, 0.25), range);
}
