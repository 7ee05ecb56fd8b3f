// Drawing into a view's backing image: bitmaps through the colour map,
// inverted outlines, text that moves the pen, and the Draw hook.
#include "Bitmap.h"
#include "OS.h"
#include "Screen.h"
#include "TestSupport.h"
#include "TestViews.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

using platform_test::ViewPixel;
using Log = std::vector<std::string>;

namespace {

struct DrawingWindow {
    Log log;
    BWindow* window = new BWindow(BRect(0, 0, 120, 100), "drawing", B_TITLED_WINDOW, 0);
    RecordingView* view = new RecordingView(BRect(0, 0, 120, 100), B_FOLLOW_ALL_SIDES,
                                            B_WILL_DRAW | B_FRAME_EVENTS, &log);
    DrawingWindow() { window->AddChild(view); }
    ~DrawingWindow() { delete window; }
};

// A bitmap whose pixel (x, y) holds index (x * 7 + y * 31) mod 256.
std::unique_ptr<BBitmap> PatternBitmap(int width, int height)
{
    auto bitmap = std::make_unique<BBitmap>(BRect(0, 0, width - 1, height - 1), B_CMAP8);
    auto* bits = static_cast<uint8*>(bitmap->Bits());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bits[y * bitmap->BytesPerRow() + x] = static_cast<uint8>((x * 7 + y * 31) % 256);
    }
    return bitmap;
}

TEST(Bitmap, RowsArePaddedToFourBytesAndStartCleared)
{
    BBitmap bitmap(BRect(0, 0, 4, 2), B_CMAP8);
    EXPECT_EQ(bitmap.BytesPerRow(), 8);
    EXPECT_EQ(bitmap.BitsLength(), 24);
    EXPECT_EQ(bitmap.Bounds(), BRect(0, 0, 4, 2));
    std::vector<uint8> zeros(24, 0);
    EXPECT_EQ(std::memcmp(bitmap.Bits(), zeros.data(), zeros.size()), 0);
    BBitmap image(BRect(0, 0, 383, 383), B_CMAP8);
    EXPECT_EQ(image.BytesPerRow(), 384);
}

TEST(Drawing, BitmapShowsTheColourMapEntriesOfItsBytes)
{
    DrawingWindow w;
    auto bitmap = PatternBitmap(30, 20);
    w.view->DrawBitmap(bitmap.get(), BPoint(10, 5));
    BScreen screen;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            const auto index = static_cast<uint8>((x * 7 + y * 31) % 256);
            ASSERT_EQ(ViewPixel(w.view, 10 + x, 5 + y), screen.ColorForIndex(index)) << x << "," << y;
        }
    }
    EXPECT_EQ(ViewPixel(w.view, 9, 5), (rgb_color{255, 255, 255, 255})); // left of it: untouched
    // Index 63 is white, 127 full red.
    auto* bits = static_cast<uint8*>(bitmap->Bits());
    bits[0] = 63;
    bits[1] = 127;
    w.view->DrawBitmap(bitmap.get(), BPoint(0, 0));
    EXPECT_EQ(ViewPixel(w.view, 0, 0), (rgb_color{255, 255, 255, 255}));
    EXPECT_EQ(ViewPixel(w.view, 1, 0), (rgb_color{255, 0, 0, 255}));
}

// Fills every byte with 63 (white), row by row, as a render worker would.
int32 PaintWhite(void* data)
{
    auto* bitmap = static_cast<BBitmap*>(data);
    auto* bits = static_cast<uint8*>(bitmap->Bits());
    for (int32 i = 0; i < bitmap->BitsLength(); ++i)
        std::atomic_ref<uint8>(bits[i]).store(63, std::memory_order_relaxed);
    return 0;
}

// The thread sanitizer watches this one: the view reads bytes that another
// thread is writing.
TEST(Drawing, BitmapCanBeDrawnWhileAnotherThreadWritesIt)
{
    DrawingWindow w;
    BBitmap bitmap(BRect(0, 0, 383, 383), B_CMAP8);
    const thread_id writer = spawn_thread(PaintWhite, "lcalc1", B_LOW_PRIORITY, &bitmap);
    ASSERT_GT(writer, 0);
    resume_thread(writer);
    for (int pass = 0; pass < 20; ++pass)
        w.view->DrawBitmap(&bitmap, BPoint(0, 0));
    ASSERT_EQ(wait_for_thread(writer, nullptr), B_OK);
    w.view->DrawBitmap(&bitmap, BPoint(0, 0));
    EXPECT_EQ(ViewPixel(w.view, 119, 99), (rgb_color{255, 255, 255, 255}));
}

TEST(Drawing, StrokeRectOutlinesThroughBothEdges)
{
    DrawingWindow w;
    w.view->StrokeRect(BRect(5, 5, 8, 7));
    const rgb_color black{0, 0, 0, 255};
    const rgb_color white{255, 255, 255, 255};
    for (int x = 5; x <= 8; ++x) {
        EXPECT_EQ(ViewPixel(w.view, x, 5), black);
        EXPECT_EQ(ViewPixel(w.view, x, 7), black);
    }
    EXPECT_EQ(ViewPixel(w.view, 5, 6), black);
    EXPECT_EQ(ViewPixel(w.view, 8, 6), black);
    EXPECT_EQ(ViewPixel(w.view, 6, 6), white);
    EXPECT_EQ(ViewPixel(w.view, 9, 5), white);
    EXPECT_EQ(ViewPixel(w.view, 5, 8), white);
}

TEST(Drawing, InvertingAnOutlineTwiceRestoresEveryPixel)
{
    DrawingWindow w;
    auto bitmap = PatternBitmap(120, 100);
    w.view->DrawBitmap(bitmap.get(), BPoint(0, 0));
    std::vector<rgb_color> before;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            before.push_back(ViewPixel(w.view, x, y));

    w.view->SetDrawingMode(B_OP_INVERT);
    const BRect outlines[] = {BRect(10, 10, 60, 60), BRect(20, 30, 20, 30), BRect(5, 40, 90, 40),
                              BRect(70, 2, 70, 80), BRect(-5, -5, 200, 200)};
    for (const BRect& outline : outlines)
        w.view->StrokeRect(outline);
    const rgb_color original = before[10 * 120 + 10];
    const rgb_color inverted = ViewPixel(w.view, 10, 10);
    EXPECT_EQ(inverted.red, 255 - original.red);
    EXPECT_EQ(inverted.green, 255 - original.green);
    EXPECT_EQ(inverted.blue, 255 - original.blue);

    for (const BRect& outline : outlines)
        w.view->StrokeRect(outline);
    w.view->SetDrawingMode(B_OP_COPY);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(ViewPixel(w.view, x, y), before[static_cast<size_t>(y * 120 + x)]) << x << "," << y;
}

TEST(Drawing, DrawStringDrawsAtThePenAndMovesItByTheTextsAdvance)
{
    DrawingWindow w;
    w.view->MovePenTo(10.0f, 50.0f);
    w.view->DrawString("100,50 - 195,145");
    const BPoint afterFirst = w.view->PenLocation();
    EXPECT_GT(afterFirst.x, 40.0f);
    EXPECT_EQ(afterFirst.y, 50.0f);

    bool inked = false;
    for (int y = 30; y <= 50 && !inked; ++y)
        for (int x = 10; x < static_cast<int>(afterFirst.x) && !inked; ++x)
            inked = ViewPixel(w.view, x, y).red < 128;
    EXPECT_TRUE(inked);

    // A line feed has no width; the same text advances the same again.
    w.view->DrawString("100,50 - 195,145\n");
    EXPECT_FLOAT_EQ(w.view->PenLocation().x - afterFirst.x, afterFirst.x - 10.0f);
}

TEST(Drawing, DrawHookRunsWhenShownAndAfterAResize)
{
    DrawingWindow w;
    EXPECT_TRUE(w.log.empty());
    w.window->Show();
    w.window->UpdateIfNeeded();
    EXPECT_EQ(w.log, (Log{"Draw"}));
    w.window->UpdateIfNeeded(); // nothing pending
    EXPECT_EQ(w.log, (Log{"Draw"}));

    // The window system may expose the resized window too: one Draw at
    // least, after FrameResized.
    w.window->ResizeTo(150, 110);
    platform_test::ProcessEvents();
    ASSERT_GE(w.log.size(), 3u);
    EXPECT_EQ(w.log[1], "FrameResized");
    EXPECT_EQ(w.log.back(), "Draw");
}

} // namespace
