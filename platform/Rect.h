// Points and rectangles in single-precision view or screen coordinates.
// Both edges of a rectangle belong to it: its width is right - left.
#pragma once

class BPoint {
public:
    constexpr BPoint() : x(0.0f), y(0.0f) {}
    constexpr BPoint(float px, float py) : x(px), y(py) {}
    bool operator==(const BPoint&) const = default;
    float x;
    float y;
};

class BRect {
public:
    constexpr BRect() : left(0.0f), top(0.0f), right(-1.0f), bottom(-1.0f) {}
    constexpr BRect(float l, float t, float r, float b)
        : left(l), top(t), right(r), bottom(b) {}
    constexpr float Width() const { return right - left; }
    constexpr float Height() const { return bottom - top; }
    bool operator==(const BRect&) const = default;
    float left;
    float top;
    float right;
    float bottom;
};
