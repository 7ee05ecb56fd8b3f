#include "PointWindow.h"

#include "Bitmap.h"
#include "Controls.h"
#include "InterfaceDefs.h"
#include "Message.h"
#include "ParameterKeys.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kWidth = 340.0f;
constexpr float kMargin = 10.0f;
constexpr float kLineHeight = 18.0f;
constexpr int32 kPlotWidth = 320;
constexpr int32 kPlotHeight = 120;

constexpr uint32 kPaper = 0xffffffffu;
constexpr uint32 kSettlePaper = 0xffe8e8e8u;
constexpr uint32 kOrbitInk = 0xff1f3f9fu;
constexpr uint32 kEstimateInk = 0xffc02020u;
constexpr uint32 kZeroInk = 0xffa0a0a0u;

// Row of the plot for v on a scale from low (the bottom) to high (the top);
// beyond the scale, at its edge (an orbit that left 0..1, an estimate of
// minus infinity at the bottom).
int32 PlotRow(double v, double low, double high)
{
    double t = high > low ? (v - low) / (high - low) : 0.5;
    t = t > 1.0 ? 1.0 : (t >= 0.0 ? t : 0.0);
    return static_cast<int32>(std::lround((1.0 - t) * (kPlotHeight - 1)));
}

} // namespace

// x of the orbit (0 at the bottom, 1 at the top) over its steps, the settling
// ones on grey; the running estimate in red on its own scale, with its zero.
class TOrbitPlot : public BView {
public:
    explicit TOrbitPlot(BRect frame)
        : BView(frame, "orbit", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
          fImage(BRect(0, 0, kPlotWidth - 1, kPlotHeight - 1), B_RGB32)
    {
        Fill(kPaper, 0, kPlotWidth);
    }

    void Draw(BRect) override { DrawBitmap(&fImage, BPoint(0, 0)); }

    void Plot(const LyapPointInfo& info)
    {
        const auto steps = static_cast<int32>(info.orbit.size());
        const auto column = [steps](int32 step) { return steps > 0 ? step * kPlotWidth / steps : 0; };
        Fill(kSettlePaper, 0, column(info.settle));
        Fill(kPaper, column(info.settle), kPlotWidth);
        const auto [low, high] = EstimateScale(info);
        if (low < 0.0 && high > 0.0)
            for (int32 x = 0; x < kPlotWidth; ++x)
                Put(x, PlotRow(0.0, low, high), kZeroInk);
        for (int32 step = 1; step < steps; ++step)
            Line(column(step - 1), PlotRow(info.orbit[step - 1], 0.0, 1.0), column(step),
                 PlotRow(info.orbit[step], 0.0, 1.0), kOrbitInk);
        for (std::size_t k = 1; k < info.runningExponent.size(); ++k) {
            const auto step = info.settle + static_cast<int32>(k);
            Line(column(step - 1), PlotRow(info.runningExponent[k - 1], low, high), column(step),
                 PlotRow(info.runningExponent[k], low, high), kEstimateInk);
        }
        Draw(Bounds());
        Flush();
    }

private:
    static std::pair<double, double> EstimateScale(const LyapPointInfo& info)
    {
        double low = 0.0, high = 0.0;
        for (const double v : info.runningExponent)
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        return {low, high};
    }

    uint32* Row(int32 y) const
    {
        return reinterpret_cast<uint32*>(static_cast<uint8*>(fImage.Bits()) + static_cast<std::ptrdiff_t>(y) * fImage.BytesPerRow());
    }

    // The display reads the bitmap only on this thread; plain stores.
    void Put(int32 x, int32 y, uint32 colour) { Row(y)[std::clamp(x, 0, kPlotWidth - 1)] = colour; }

    // Straight from one point to the other, a pixel per step of the longer side.
    void Line(int32 x0, int32 y0, int32 x1, int32 y1, uint32 colour)
    {
        const int32 n = std::max({std::abs(x1 - x0), std::abs(y1 - y0), 1});
        for (int32 i = 0; i <= n; ++i)
            Put(x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n, colour);
    }

    void Fill(uint32 colour, int32 fromColumn, int32 toColumn)
    {
        for (int32 y = 0; y < kPlotHeight; ++y)
            std::fill(Row(y) + fromColumn, Row(y) + toColumn, colour);
    }

    BBitmap fImage;
};

TPointWindow::TPointWindow(BLooper* target)
    : THeldWindow(BRect(560, 120, 560 + kWidth, 120 + 3 * kMargin + 6 * kLineHeight + kPlotHeight), "Point"),
      fTarget(target)
{
    float top = kMargin;
    for (BStringView*& line : fLines) {
        line = new BStringView(BRect(kMargin, top, kWidth - kMargin, top + kLineHeight), "line", "");
        AddChild(line);
        top += kLineHeight;
    }
    fLines[0]->SetText("Move the pointer over the picture.");
    fPlot = new TOrbitPlot(BRect(kMargin, top + kMargin, kMargin + kPlotWidth, top + kMargin + kPlotHeight));
    AddChild(fPlot);
    AddShortcut('P', 0, new BMessage(kPinPointCommand));
    AddShortcut('C', B_COMMAND_KEY, new BMessage(kCopyPointCommand));
}

void TPointWindow::MessageReceived(BMessage* message)
{
    if (message->what == kPinPointCommand || message->what == kCopyPointCommand)
        fTarget->PostMessage(message->what);
}

void TPointWindow::ShowPoint(int32 x, int32 y, const LyapPointInfo& info, bool pinned)
{
    const std::string place = "pixel " + std::to_string(x) + ", " + std::to_string(y);
    fLines[0]->SetText((place + (pinned ? " (pinned: P lets it go)" : " (P pins it)")).c_str());
    fLines[1]->SetText(("a = " + ValueText(info.a)).c_str());
    fLines[2]->SetText(("b = " + ValueText(info.b)).c_str());
    fLines[3]->SetText(("exponent = " + ValueText(info.exponent)).c_str());
    fLines[4]->SetText(("colour value = " + std::to_string(info.colourValue)).c_str());
    const std::string estimate = info.runningExponent.empty() ? "" :
        "estimate after " + std::to_string(info.runningExponent.size()) + " steps = " + ValueText(info.runningExponent.back());
    fLines[5]->SetText(estimate.c_str());
    fPlot->Plot(info);
}

std::string PointText(const LyapPointInfo& info)
{
    return "a=" + ValueText(info.a) + "\nb=" + ValueText(info.b) + "\nexponent=" + ValueText(info.exponent) +
           "\ncolour-value=" + std::to_string(info.colourValue) + "\n";
}
