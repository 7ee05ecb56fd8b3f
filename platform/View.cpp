#include "View.h"

#include "Dispatch.h"
#include "Seams.h"
#include "ViewImpl.h"
#include "Window.h"
#include "WindowImpl.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

using namespace platform_detail;

namespace {

constexpr int kMinBackingSide = 384;

int PixelCount(float size)
{
    return std::max(0, static_cast<int>(size));
}

} // namespace

int BView::ViewImpl::Width() const
{
    return PixelCount(frame.Width());
}

int BView::ViewImpl::Height() const
{
    return PixelCount(frame.Height());
}

qreal BView::ViewImpl::Scale() const
{
    return devicePixels && widget ? widget->devicePixelRatioF() : 1.0;
}

int BView::ViewImpl::PixelWidth() const
{
    return static_cast<int>(std::lround(Width() * Scale()));
}

int BView::ViewImpl::PixelHeight() const
{
    return static_cast<int>(std::lround(Height() * Scale()));
}

void BView::ViewImpl::ApplyFrame()
{
    const QRect area(static_cast<int>(frame.left), static_cast<int>(frame.top), Width(), Height());
    if (widget->geometry() == area)
        return;
    const bool resized = widget->size() != area.size();
    widget->setGeometry(area);
    if (resized && !backing.isNull())
        Backing(); // grows with the view
    if (resized) {
        needsDraw = true;
        widget->update();
    }
}

QImage& BView::ViewImpl::Backing()
{
    const int width = std::max({kMinBackingSide, PixelWidth(), backing.width()});
    const int height = std::max({kMinBackingSide, PixelHeight(), backing.height()});
    if (backing.width() == width && backing.height() == height)
        return backing;
    QImage grown(width, height, QImage::Format_RGB32);
    grown.fill(Qt::white);
    for (int row = 0; row < backing.height(); ++row) {
        std::copy_n(reinterpret_cast<const QRgb*>(backing.constScanLine(row)), backing.width(),
                    reinterpret_cast<QRgb*>(grown.scanLine(row)));
    }
    backing = std::move(grown);
    return backing;
}

void BView::ViewImpl::ShowDrawing()
{
    if (!dirty)
        return;
    dirty = false;
    if (widget)
        widget->update();
}

void BView::ViewImpl::SetControl(QWidget* child)
{
    control = child;
    // The view no longer paints its backing image: the control draws itself
    // over the window's background (a label's is transparent).
    widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
    child->setParent(widget);
    child->setGeometry(widget->rect());
}

void platform_detail::DrawIfNeeded(BView* view, bool showNow)
{
    auto& impl = view->Impl();
    if (!impl.needsDraw || impl.window == nullptr || impl.control)
        return;
    impl.needsDraw = false;
    if ((impl.flags & B_WILL_DRAW) != 0)
        RunHook(impl.window, [&] { view->Draw(view->Bounds()); });
    if (showNow && impl.widget->isVisible())
        impl.widget->repaint();
}

// The name is for debugging on the original system; nothing here asks for it.
BView::BView(BRect frame, const char*, uint32 resizingMode, uint32 flags)
    : fViewImpl(std::make_unique<ViewImpl>())
{
    auto& impl = *fViewImpl;
    impl.owner = this;
    impl.frame = frame;
    impl.resizingMode = resizingMode;
    impl.flags = flags;
    impl.widget = new ViewWidget(this);
    impl.widget->setGeometry(static_cast<int>(frame.left), static_cast<int>(frame.top),
                             impl.Width(), impl.Height());
}

BView::~BView()
{
    auto& impl = *fViewImpl;
    if (impl.window != nullptr) {
        auto& siblings = impl.window->Impl().children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    delete impl.widget.data();
}

void BView::Draw(BRect)
{
}

void BView::MouseDown(BPoint)
{
}

void BView::Pulse()
{
}

void BView::FrameResized(float, float)
{
}

BRect BView::Bounds() const
{
    const auto& impl = *fViewImpl;
    if (impl.devicePixels)
        return BRect(0.0f, 0.0f, static_cast<float>(impl.PixelWidth()), static_cast<float>(impl.PixelHeight()));
    return BRect(0.0f, 0.0f, impl.frame.Width(), impl.frame.Height());
}

void BView::SetDevicePixels(bool on)
{
    auto& impl = *fViewImpl;
    if (impl.devicePixels == on)
        return;
    impl.devicePixels = on;
    // What was drawn counts the other pixels: start afresh.
    impl.backing = QImage();
    impl.needsDraw = true;
    impl.widget->update();
}

float BView::PixelsPerPoint() const
{
    return static_cast<float>(fViewImpl->Scale());
}

BWindow* BView::Window() const
{
    return fViewImpl->window;
}

// Lets Qt deliver the queued input, recording the pointer; no hook of the
// program runs meanwhile (HookScope), but views may repaint from their
// backing images, so a band drawn and flushed during a drag is seen.
void BView::GetMouse(BPoint* location, uint32* buttons, bool)
{
    {
        HookScope scope;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    BPoint where;
    uint32 held = 0;
    platform_seam::CurrentUserInput().Pointer(*this, &where, &held);
    if (location != nullptr)
        *location = BPoint(where.x * PixelsPerPoint(), where.y * PixelsPerPoint());
    if (buttons != nullptr)
        *buttons = held;
}

void BView::Flush()
{
    fViewImpl->ShowDrawing();
}

BView::ViewImpl& BView::Impl() const
{
    return *fViewImpl;
}
