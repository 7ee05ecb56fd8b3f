// A view: a rectangle of a window that draws into its own backing image.
#pragma once

#include "Rect.h"
#include "SupportDefs.h"

#include <memory>

class BBitmap;
class BWindow;

// Resizing modes: four nibbles saying which window edge the view's top,
// left, bottom and right edges follow.
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

    virtual void Draw(BRect updateRect);
    virtual void MouseDown(BPoint where);
    virtual void Pulse();
    virtual void FrameResized(float width, float height);

    BRect Bounds() const;
    BRect Frame() const;
    BWindow* Window() const;
    const char* Name() const;
    uint32 ResizingMode() const;
    uint32 Flags() const;

    void DrawBitmap(const BBitmap* bitmap, BPoint where);
    void DrawString(const char* text);
    void MovePenTo(BPoint point);
    void MovePenTo(float x, float y);
    BPoint PenLocation() const;
    void SetDrawingMode(drawing_mode mode);
    drawing_mode DrawingMode() const;
    void StrokeRect(BRect rect, pattern p = B_SOLID_HIGH);
    // Pointer position in view coordinates (possibly outside the view) and
    // the mask of pressed buttons, 0 when all are up.
    void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);
    void Flush();

    struct ViewImpl;
    ViewImpl& Impl() const;

private:
    std::unique_ptr<ViewImpl> fViewImpl;
};
