// A view: a rectangle of a window that draws into its own backing image.
//
// Sizes: a view whose frame is (left, top, right, bottom) is right - left
// pixels wide and bottom - top pixels high; its pixels are columns left ..
// right - 1 and rows top .. bottom - 1 of the window. Bounds() is (0, 0,
// width, height) and FrameResized gets the same width and height, so a view
// of 384 x 384 pixels reports Bounds() (0, 0, 384, 384). (Bitmaps differ:
// their bounds name their first and last pixel, see Bitmap.h.)
//
// Drawing: every drawing call paints into the view's backing image at once;
// the screen shows that image after Flush, or when the hook that drew
// returns. The layer calls Draw when the view is first shown, after its size
// changed, and from UpdateIfNeeded. All calls belong to the GUI thread.
#pragma once

#include "Rect.h"
#include "SupportDefs.h"

#include <memory>

class BBitmap;
class BWindow;

// Resizing modes: four nibbles saying which window edge the view's top
// (bits 12-15), left (8-11), bottom (4-7) and right (0-3) edge follows:
// 1 the window's top, 2 its left, 3 its bottom, 4 its right; 0 (and any
// value that does not fit the edge) keeps the edge where it is. Higher bits
// are ignored. 0x1234 follows all four edges; 0x1214 keeps the height and
// follows the left and right.
constexpr uint32 B_FOLLOW_NONE = 0;
constexpr uint32 B_FOLLOW_LEFT = 0x0202;
constexpr uint32 B_FOLLOW_TOP = 0x1010;
constexpr uint32 B_FOLLOW_LEFT_RIGHT = 0x0204;
constexpr uint32 B_FOLLOW_ALL_SIDES = 0x1234;

// View flags.
constexpr uint32 B_WILL_DRAW = 0x02000000;
constexpr uint32 B_PULSE_NEEDED = 0x00800000;
constexpr uint32 B_FRAME_EVENTS = 0x04000000;
constexpr uint32 B_NAVIGABLE = 0x08000000;

enum drawing_mode { B_OP_COPY, B_OP_INVERT };
enum pattern { B_SOLID_HIGH };

// Mouse buttons.
constexpr uint32 B_PRIMARY_MOUSE_BUTTON = 0x01;
constexpr uint32 B_SECONDARY_MOUSE_BUTTON = 0x02;
constexpr uint32 B_TERTIARY_MOUSE_BUTTON = 0x04;

class BView {
public:
    BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
    virtual ~BView();
    BView(const BView&) = delete;
    BView& operator=(const BView&) = delete;

    // Hooks: called by the layer on the GUI thread with the window locked.
    virtual void Draw(BRect updateRect);
    virtual void MouseDown(BPoint where);
    virtual void Pulse();
    virtual void FrameResized(float width, float height);

    BRect Bounds() const;
    BWindow* Window() const;

    // The bitmap's top-left pixel goes to `where`; a B_CMAP8 byte shows its
    // colour map entry (Screen.h), a B_RGB32 pixel its own red, green and
    // blue. Safe while other threads write the pixels (Bitmap.h); in
    // B_OP_INVERT the view's pixels under the bitmap are inverted instead.
    void DrawBitmap(const BBitmap* bitmap, BPoint where);
    // Text with its baseline starting at the pen, in black; the pen moves to
    // its end. Control characters (a line feed) are neither drawn nor
    // measured.
    void DrawString(const char* text);
    void MovePenTo(BPoint point);
    // B_OP_INVERT flips the colour of every pixel drawn, exactly, so drawing
    // the same thing twice restores the image.
    void SetDrawingMode(drawing_mode mode);
    // One-pixel outline through both edges: columns left .. right of rows
    // top and bottom, rows top .. bottom of columns left and right (each
    // pixel once), in black or inverted.
    void StrokeRect(BRect rect, pattern p = B_SOLID_HIGH);
    // Pointer position in view coordinates (possibly outside the view) and
    // the mask of pressed buttons, 0 when all are up, as the queued mouse
    // input last showed them. Lets the window system deliver that input but
    // runs no hook of the program meanwhile; views may repaint from their
    // backing images.
    void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);
    // Lets the screen show what was drawn so far.
    void Flush();

    // Off (the start): the view's coordinates are the window's points, and
    // on a screen scaled by 2 each of its pixels is shown as 2 x 2 device
    // pixels. On: its coordinates, Bounds, FrameResized's sizes, the
    // pointer's position and every drawing call count the screen's device
    // pixels, and its image is shown one pixel per device pixel. Switching
    // changes Bounds and owes the view a Draw; it sends no FrameResized.
    void SetDevicePixels(bool on);
    // Device pixels per point along each axis while they are on, else 1.
    float PixelsPerPoint() const;

    struct ViewImpl;
    ViewImpl& Impl() const;

private:
    std::unique_ptr<ViewImpl> fViewImpl;
};
