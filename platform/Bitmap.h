// An off-screen image. Only the 8-bit colour-mapped space is provided: each
// byte is an index into the screen colour map (see Screen.h).
#pragma once

#include "Rect.h"
#include "SupportDefs.h"

#include <memory>

enum color_space { B_CMAP8 = 0x0004 };

class BBitmap {
public:
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false,
            bool needsContiguous = false);
    ~BBitmap();
    BBitmap(const BBitmap&) = delete;
    BBitmap& operator=(const BBitmap&) = delete;

    // Row 0 first; rows are BytesPerRow() bytes apart.
    void* Bits() const;
    int32 BytesPerRow() const;
    int32 BitsLength() const;
    BRect Bounds() const;

private:
    BRect fBounds;
    int32 fBytesPerRow;
    std::unique_ptr<uint8[]> fBits;
};
