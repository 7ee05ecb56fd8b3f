#include "Window.h"

#include "AppQuit.h"
#include "Dispatch.h"
#include "View.h"
#include "ViewImpl.h"
#include "WindowImpl.h"

#include <QScreen>

#include <algorithm>

using namespace platform_detail;

namespace {

// Touched only on the GUI thread.
std::vector<BWindow*> gWindows;

int PixelCount(float size)
{
    return std::max(0, static_cast<int>(size));
}

Qt::WindowFlags WindowFlagsFor(uint32 flags)
{
    if ((flags & B_NOT_CLOSABLE) == 0)
        return Qt::Window;
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
}

// How far one edge of a view moves when the window grows by (dw, dh): an edge
// that follows the window's right (4) or bottom (3) moves with it, one that
// follows its left (2) or top (1) stays.
float EdgeShift(uint32 nibble, bool horizontalEdge, int dw, int dh)
{
    if (horizontalEdge)
        return nibble == 3 ? static_cast<float>(dh) : 0.0f;
    return nibble == 4 ? static_cast<float>(dw) : 0.0f;
}

// Resizing mode nibbles: top edge in bits 12-15, left 8-11, bottom 4-7,
// right 0-3.
BRect FollowWindow(BRect frame, uint32 mode, int dw, int dh)
{
    frame.top += EdgeShift((mode >> 12) & 0xF, true, dw, dh);
    frame.left += EdgeShift((mode >> 8) & 0xF, false, dw, dh);
    frame.bottom += EdgeShift((mode >> 4) & 0xF, true, dw, dh);
    frame.right += EdgeShift(mode & 0xF, false, dw, dh);
    return frame;
}

bool IsChildOf(BWindow* window, BView* view)
{
    const auto& children = window->Impl().children;
    return std::find(children.begin(), children.end(), view) != children.end();
}

void SendFrameResized(BWindow* window, BView* view)
{
    RunHook(window, [&] {
        view->FrameResized(view->Bounds().Width(), view->Bounds().Height());
    });
}

void SendFrameResizedLater(BWindow* window, BView* view)
{
    QPointer<ViewWidget> face = view->Impl().widget;
    DispatchOrDefer([face, window, view] {
        if (face && IsLiveWindow(window) && IsChildOf(window, view))
            SendFrameResized(window, view);
    });
}

} // namespace

const std::vector<BWindow*>& platform_detail::AllWindows()
{
    return gWindows;
}

bool platform_detail::IsLiveWindow(const BWindow* window)
{
    return std::find(gWindows.begin(), gWindows.end(), window) != gWindows.end();
}

void platform_detail::LayoutViews(BWindow* window, QSize contentSize, HookTiming timing)
{
    auto& impl = window->Impl();
    const int dw = contentSize.width() - impl.laidOutSize.width();
    const int dh = contentSize.height() - impl.laidOutSize.height();
    if (dw == 0 && dh == 0)
        return;
    impl.laidOutSize = contentSize;

    std::vector<BView*> resized;
    for (BView* view : impl.children) {
        auto& viewImpl = view->Impl();
        const BRect before = viewImpl.frame;
        viewImpl.frame = FollowWindow(before, viewImpl.resizingMode, dw, dh);
        viewImpl.ApplyFrame();
        const bool sizeChanged = viewImpl.frame.Width() != before.Width()
            || viewImpl.frame.Height() != before.Height();
        if (sizeChanged && (viewImpl.flags & B_FRAME_EVENTS) != 0)
            resized.push_back(view);
    }
    for (BView* view : resized) {
        if (timing == HookTiming::Now)
            SendFrameResized(window, view);
        else
            SendFrameResizedLater(window, view);
    }
}

void platform_detail::PulseWindow(BWindow* window)
{
    if (InHook())
        return;
    const std::vector<BView*> children = window->Impl().children;
    for (BView* view : children) {
        if (!IsLiveWindow(window) || !IsChildOf(window, view))
            return;
        if ((view->Impl().flags & B_PULSE_NEEDED) != 0)
            RunHook(window, [&] { view->Pulse(); });
    }
}

void platform_detail::FlushWindowViews(BWindow* window)
{
    for (BView* view : window->Impl().children)
        view->Impl().ShowDrawing();
}

void platform_detail::QuitWindow(BWindow* window)
{
    const bool agreed = RunHook(window, [&] { return window->QuitRequested(); });
    if (agreed)
        delete window;
}

// Every window is a titled one; the workspace is always the current one.
BWindow::BWindow(BRect frame, const char* title, window_type, uint32 flags, uint32)
    : fWindowImpl(std::make_unique<WindowImpl>())
{
    auto& impl = *fWindowImpl;
    impl.owner = this;
    impl.flags = flags;
    impl.widget = new WindowWidget(this);
    impl.widget->setWindowFlags(WindowFlagsFor(flags));
    impl.widget->setWindowTitle(QString::fromUtf8(title != nullptr ? title : ""));
    impl.widget->setGeometry(static_cast<int>(frame.left), static_cast<int>(frame.top),
                             PixelCount(frame.Width()), PixelCount(frame.Height()));
    impl.laidOutSize = impl.widget->size();
    impl.pulseTimer = new QTimer(impl.widget);
    QObject::connect(impl.pulseTimer, &QTimer::timeout, impl.widget, [this] { PulseWindow(this); });
    gWindows.push_back(this);
}

BWindow::~BWindow()
{
    gWindows.erase(std::find(gWindows.begin(), gWindows.end(), this));
    auto& children = fWindowImpl->children;
    while (!children.empty())
        delete children.back(); // ~BView takes itself out of the list
    delete fWindowImpl->widget.data();
}

void BWindow::AddChild(BView* view)
{
    auto& impl = *fWindowImpl;
    auto& viewImpl = view->Impl();
    impl.children.push_back(view);
    viewImpl.window = this;
    viewImpl.widget->setParent(impl.widget);
    if (viewImpl.fitOnAttach)
        viewImpl.fitOnAttach(impl.widget->width());
    viewImpl.ApplyFrame();
    viewImpl.needsDraw = true;
    viewImpl.widget->show();
}

int32 BWindow::CountChildren() const
{
    return static_cast<int32>(fWindowImpl->children.size());
}

BView* BWindow::ChildAt(int32 index) const
{
    const auto& children = fWindowImpl->children;
    if (index < 0 || index >= static_cast<int32>(children.size()))
        return nullptr;
    return children[static_cast<size_t>(index)];
}

void BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
    auto& widget = *fWindowImpl->widget;
    widget.setMinimumSize(PixelCount(minWidth), PixelCount(minHeight));
    widget.setMaximumSize(PixelCount(maxWidth), PixelCount(maxHeight));
    LayoutViews(this, widget.size(), HookTiming::Now);
}

void BWindow::ResizeTo(float width, float height)
{
    auto& widget = *fWindowImpl->widget;
    widget.resize(PixelCount(width), PixelCount(height));
    LayoutViews(this, widget.size(), HookTiming::Now);
}

// The window manager is asked for full screen, and the window is also given
// the screen's geometry itself: without a window manager (or one that
// ignores the request) that alone fills the screen; with one, it agrees.
void BWindow::SetFullScreen(bool on)
{
    auto& impl = *fWindowImpl;
    auto& widget = *impl.widget;
    if (on == impl.fullScreen)
        return;
    impl.fullScreen = on;
    if (on) {
        impl.normalGeometry = widget.geometry();
        widget.showFullScreen();
        if (const QScreen* screen = widget.screen())
            widget.setGeometry(screen->geometry());
    } else {
        widget.showNormal();
        widget.setGeometry(impl.normalGeometry);
    }
}

bool BWindow::IsFullScreen() const
{
    return fWindowImpl->fullScreen;
}

namespace {

void RestartPulse(BWindow::WindowImpl& impl)
{
    if (impl.pulseRate > 0 && impl.widget->isVisible())
        impl.pulseTimer->start(static_cast<int>(std::max<bigtime_t>(1, impl.pulseRate / 1000)));
    else
        impl.pulseTimer->stop();
}

} // namespace

void BWindow::SetPulseRate(bigtime_t microseconds)
{
    fWindowImpl->pulseRate = microseconds;
    RestartPulse(*fWindowImpl);
}

void BWindow::Show()
{
    fWindowImpl->widget->show();
    fWindowImpl->widget->WatchExposures();
    RestartPulse(*fWindowImpl);
}

void BWindow::Hide()
{
    fWindowImpl->widget->hide();
    RestartPulse(*fWindowImpl);
}

bool BWindow::IsHidden() const
{
    return fWindowImpl->widget->isHidden();
}

bool BWindow::IsFront() const
{
    return fWindowImpl->widget->isActiveWindow();
}

void BWindow::Activate(bool active)
{
    if (!active)
        return;
    fWindowImpl->widget->raise();
    fWindowImpl->widget->activateWindow();
}

void BWindow::UpdateIfNeeded()
{
    const std::vector<BView*> children = fWindowImpl->children;
    for (BView* view : children)
        DrawIfNeeded(view, true);
}

BWindow::WindowImpl& BWindow::Impl() const
{
    return *fWindowImpl;
}
