// The drawing calls: all paint into the view's backing image, which the
// screen shows after Flush or when the hook returns.
#include "Bitmap.h"
#include "ScreenColorMap.h"
#include "View.h"
#include "ViewImpl.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <atomic>
#include <span>

using namespace platform_detail;

namespace {

constexpr QRgb kHighColor = 0xff000000; // black
constexpr QRgb kInvertMask = 0x00ffffff;
constexpr QRgb kOpaque = 0xff000000;

const std::array<QRgb, 256>& ColorMapRgb()
{
    static const std::array<QRgb, 256> table = [] {
        std::array<QRgb, 256> rgb{};
        const auto& map = ScreenColorMap();
        for (size_t index = 0; index < map.size(); ++index)
            rgb[index] = qRgb(map[index].red, map[index].green, map[index].blue);
        return rgb;
    }();
    return table;
}

// Inverting flips the colour bits themselves, so doing it twice restores
// every pixel exactly.
void Plot(QImage& image, int x, int y, drawing_mode mode)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    QRgb& pixel = reinterpret_cast<QRgb*>(image.scanLine(y))[x];
    pixel = mode == B_OP_INVERT ? (pixel ^ kInvertMask) : kHighColor;
}

// Control characters (the line feed at the end of a formatted line) have no
// glyph here; they are neither drawn nor measured.
QString PrintableText(const char* text)
{
    QString printable = QString::fromUtf8(text);
    printable.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    return printable;
}

// Inverts every pixel that the text covers at least half.
void InvertText(QImage& image, const QString& text, const QFont& font, QPointF baseline)
{
    QImage mask(image.size(), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(baseline, text);
    }
    for (int y = 0; y < mask.height(); ++y) {
        // A row is exactly the image's width (its bytes may run on, padded).
        int x = 0;
        for (const uchar coverage : std::span(mask.constScanLine(y), static_cast<std::size_t>(mask.width()))) {
            if (coverage >= 128)
                Plot(image, x, y, B_OP_INVERT);
            ++x;
        }
    }
}

// The rows and columns of a bitmap that land inside the backing image.
struct Placement {
    int left, top;
    int firstColumn, lastColumn, firstRow, lastRow;
};

Placement PlaceBitmap(const BBitmap& bitmap, BPoint where, const QImage& image)
{
    const BRect bounds = bitmap.Bounds();
    const int width = static_cast<int>(bounds.right) - static_cast<int>(bounds.left) + 1;
    const int height = static_cast<int>(bounds.bottom) - static_cast<int>(bounds.top) + 1;
    const int left = static_cast<int>(where.x);
    const int top = static_cast<int>(where.y);
    return Placement{left, top, std::max(0, -left), std::min(width, image.width() - left),
                     std::max(0, -top), std::min(height, image.height() - top)};
}

// Worker threads write the bitmap while it is drawn, each pixel with one
// relaxed atomic store; each pixel is read the same way, so it shows either
// its old or its new value, never a mix. Nothing else is ordered by it.
template <typename Pixel, typename ToRgb>
void ShowPixels(QImage& image, const BBitmap& bitmap, const Placement& at, drawing_mode mode, ToRgb toRgb)
{
    auto* bits = static_cast<uint8*>(bitmap.Bits());
    for (int row = at.firstRow; row < at.lastRow; ++row) {
        auto* source = reinterpret_cast<Pixel*>(bits + static_cast<size_t>(row) * static_cast<size_t>(bitmap.BytesPerRow()));
        QRgb* target = reinterpret_cast<QRgb*>(image.scanLine(at.top + row)) + at.left;
        for (int column = at.firstColumn; column < at.lastColumn; ++column) {
            const Pixel pixel = std::atomic_ref<Pixel>(source[column]).load(std::memory_order_relaxed);
            target[column] = mode == B_OP_INVERT ? (target[column] ^ kInvertMask) : toRgb(pixel);
        }
    }
}

} // namespace

// B_CMAP8 shows each byte's colour map entry; B_RGB32 each pixel's own red,
// green and blue (the backing image's format, with alpha forced opaque).
void BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
    auto& impl = *fViewImpl;
    QImage& image = impl.Backing();
    const Placement at = PlaceBitmap(*bitmap, where, image);
    if (bitmap->ColorSpace() == B_RGB32) {
        ShowPixels<uint32>(image, *bitmap, at, impl.mode, [](uint32 pixel) { return QRgb(pixel | kOpaque); });
    } else {
        const auto& colors = ColorMapRgb();
        ShowPixels<uint8>(image, *bitmap, at, impl.mode, [&colors](uint8 index) { return colors[index]; });
    }
    impl.MarkDirty();
}

void BView::DrawString(const char* text)
{
    auto& impl = *fViewImpl;
    const QString printable = PrintableText(text);
    const QFont font = QApplication::font();
    const QPointF baseline(impl.pen.x, impl.pen.y);
    QImage& image = impl.Backing();
    if (impl.mode == B_OP_INVERT) {
        InvertText(image, printable, font, baseline);
    } else {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(kHighColor));
        painter.drawText(baseline, printable);
    }
    impl.pen.x += static_cast<float>(QFontMetricsF(font).horizontalAdvance(printable));
    impl.MarkDirty();
}

void BView::MovePenTo(BPoint point)
{
    fViewImpl->pen = point;
}

void BView::SetDrawingMode(drawing_mode mode)
{
    fViewImpl->mode = mode;
}

// A one-pixel outline through both edges; each pixel is drawn once, also
// where the rectangle is a single row or column, so inverting is exact.
void BView::StrokeRect(BRect rect, pattern)
{
    auto& impl = *fViewImpl;
    QImage& image = impl.Backing();
    const int left = static_cast<int>(std::min(rect.left, rect.right));
    const int right = static_cast<int>(std::max(rect.left, rect.right));
    const int top = static_cast<int>(std::min(rect.top, rect.bottom));
    const int bottom = static_cast<int>(std::max(rect.top, rect.bottom));
    // Only the part inside the image is walked; Plot clips the rest.
    for (int x = std::max(left, 0); x <= std::min(right, image.width() - 1); ++x) {
        Plot(image, x, top, impl.mode);
        if (bottom != top)
            Plot(image, x, bottom, impl.mode);
    }
    for (int y = std::max(top + 1, 0); y < std::min(bottom, image.height()); ++y) {
        Plot(image, left, y, impl.mode);
        if (right != left)
            Plot(image, right, y, impl.mode);
    }
    impl.MarkDirty();
}
