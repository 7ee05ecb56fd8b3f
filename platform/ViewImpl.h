// The private side of BView: its widget, backing image and drawing state.
#pragma once

#include "View.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>

class ViewWidget;

struct BView::ViewImpl {
    BView* owner = nullptr;
    // Frame in the window's coordinates. The view is right - left pixels
    // wide and bottom - top pixels high (see View.h).
    BRect frame;
    uint32 resizingMode = 0;
    uint32 flags = 0;
    BWindow* window = nullptr;

    QPointer<ViewWidget> widget;
    // The Qt control that fills the view (menu bar, scroll bar, label, check
    // box), or null for a view that draws into its backing image.
    QPointer<QWidget> control;
    // Run when the view is added to a window of this content width: lets a
    // menu bar fit itself to the window and to its items.
    std::function<void(int contentWidth)> fitOnAttach;

    QImage backing;
    BPoint pen;
    drawing_mode mode = B_OP_COPY;
    // The platform owes the view a Draw (it was shown, exposed or resized).
    bool needsDraw = true;
    // Drawn into since the screen last showed the backing image.
    bool dirty = false;

    // The size in the window's points, and in the view's own pixels (device
    // pixels when devicePixels is on).
    int Width() const;
    int Height() const;
    bool devicePixels = false;
    qreal Scale() const;
    int PixelWidth() const;
    int PixelHeight() const;
    // Places the widget at the frame and makes the backing image big enough.
    void ApplyFrame();
    // The backing image, made on first use: at least the view's size in its
    // own pixels and 384 x 384, white where nothing was drawn.
    QImage& Backing();
    void MarkDirty() { dirty = true; }
    // Lets the screen show what was drawn.
    void ShowDrawing();
    // Makes `widget` a child of the view that fills it.
    void SetControl(QWidget* widget);
};

// The view's face on screen: it shows the backing image and reports presses.
class ViewWidget : public QWidget {
public:
    explicit ViewWidget(BView* owner);
    BView* Owner() const { return fOwner; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    BView* fOwner;
};

namespace platform_detail {

// Runs the view's Draw hook into its backing image if the platform owes it
// one; with `showNow` the screen is repainted before returning.
void DrawIfNeeded(BView* view, bool showNow);

} // namespace platform_detail
