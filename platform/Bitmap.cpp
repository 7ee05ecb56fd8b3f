#include "Bitmap.h"

#include <algorithm>

namespace {

// A bitmap's bounds are pixel positions: both edges are pixels of it.
int32 PixelSpan(float low, float high)
{
    return std::max(0, static_cast<int32>(high) - static_cast<int32>(low) + 1);
}

} // namespace

BBitmap::BBitmap(BRect bounds, color_space, bool, bool)
    : fBounds(bounds),
      fBytesPerRow((PixelSpan(bounds.left, bounds.right) + 3) & ~3),
      fBits(std::make_unique<uint8[]>(
          static_cast<size_t>(fBytesPerRow) * static_cast<size_t>(PixelSpan(bounds.top, bounds.bottom))))
{
}

BBitmap::~BBitmap() = default;

void* BBitmap::Bits() const
{
    return fBits.get();
}

int32 BBitmap::BytesPerRow() const
{
    return fBytesPerRow;
}

int32 BBitmap::BitsLength() const
{
    return fBytesPerRow * PixelSpan(fBounds.top, fBounds.bottom);
}

BRect BBitmap::Bounds() const
{
    return fBounds;
}
