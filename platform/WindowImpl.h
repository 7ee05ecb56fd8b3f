// The private side of BWindow: its top-level widget, views and pulse timer.
#pragma once

#include "Window.h"

#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <vector>

class WindowWidget;

struct BWindow::WindowImpl {
    BWindow* owner = nullptr;
    QPointer<WindowWidget> widget;
    std::vector<BView*> children;
    uint32 flags = 0;
    bigtime_t pulseRate = 500000;
    QTimer* pulseTimer = nullptr;
    // The content size the views were last placed for; a new size moves and
    // resizes them by the difference, as their resizing modes say.
    QSize laidOutSize;
    // Asked to fill the screen (the window manager's state may never say
    // so, when there is none), and where the window was before.
    bool fullScreen = false;
    QRect normalGeometry;
};

// The window's content area: a plain widget without a layout, whose children
// are the views' widgets placed at their frames.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(BWindow* owner);
    BWindow* Owner() const { return fOwner; }
    // From now on an expose of the window on screen owes every view a Draw.
    void WatchExposures();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    BWindow* fOwner;
};

namespace platform_detail {

enum class HookTiming { Now, WhenNoHookRuns };

// The windows alive now, in creation order.
const std::vector<BWindow*>& AllWindows();
bool IsLiveWindow(const BWindow* window);

// Moves and resizes the views for a new content size; views whose size
// changed and that asked for frame events get FrameResized.
void LayoutViews(BWindow* window, QSize contentSize, HookTiming timing);

// One pulse: Pulse for every view that asked for pulses; dropped while a hook
// runs.
void PulseWindow(BWindow* window);

} // namespace platform_detail
