#include "Bitmap.h"

#include <algorithm>

namespace {

// A bitmap's bounds are pixel positions: both edges are pixels of it.
int32 PixelSpan(float low, float high)
{
    return std::max(0, static_cast<int32>(high) - static_cast<int32>(low) + 1);
}

// Both are whole words.
int32 RowBytes(color_space space, int32 width)
{
    return space == B_RGB32 ? 4 * width : (width + 3) & ~3;
}

} // namespace

BBitmap::BBitmap(BRect bounds, color_space space, bool, bool)
    : fBounds(bounds),
      fSpace(space),
      fBytesPerRow(RowBytes(space, PixelSpan(bounds.left, bounds.right))),
      fWords(std::make_unique<uint32[]>(static_cast<size_t>(BitsLength()) / sizeof(uint32)))
{
}

BBitmap::~BBitmap() = default;

void* BBitmap::Bits() const
{
    return fWords.get();
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

color_space BBitmap::ColorSpace() const
{
    return fSpace;
}
