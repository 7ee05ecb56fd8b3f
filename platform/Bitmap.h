// An off-screen image, in one of two colour spaces:
// - B_CMAP8: each byte is an index into the screen colour map (see Screen.h);
// - B_RGB32: each pixel is a 32-bit word 0xAARRGGBB (in memory blue, green,
//   red, alpha on this little-endian layout); alpha is ignored when shown.
// Other threads may write the pixels while a view draws the bitmap, with
// relaxed atomic stores of whole pixels (a byte, or a 32-bit word).
#pragma once

#include "Rect.h"
#include "SupportDefs.h"

#include <memory>

enum color_space { B_CMAP8 = 0x0004, B_RGB32 = 0x0008 };

class BBitmap {
public:
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false,
            bool needsContiguous = false);
    ~BBitmap();
    BBitmap(const BBitmap&) = delete;
    BBitmap& operator=(const BBitmap&) = delete;

    // Row 0 first; rows are BytesPerRow() bytes apart: the width rounded up
    // to 4 bytes in B_CMAP8, 4 x the width in B_RGB32. Aligned for 32-bit
    // words.
    void* Bits() const;
    int32 BytesPerRow() const;
    int32 BitsLength() const;
    BRect Bounds() const;
    color_space ColorSpace() const;

private:
    BRect fBounds;
    color_space fSpace;
    int32 fBytesPerRow;
    // Words, so that B_RGB32 pixels are 32-bit objects a thread can store
    // atomically; B_CMAP8 reads them as bytes.
    std::unique_ptr<uint32[]> fWords;
};
