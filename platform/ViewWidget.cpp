#include "Dispatch.h"
#include "ViewImpl.h"
#include "Window.h"

#include <QMouseEvent>
#include <QPainter>

using namespace platform_detail;

ViewWidget::ViewWidget(BView* owner) : fOwner(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The pointer's position is followed without a button held too.
    setMouseTracking(true);
}

// Shows the backing image pixel for pixel; on a high-density screen it is
// scaled up without smoothing, so it stays crisp, unless the view counts
// device pixels: then each of its pixels is one of the screen's.
void ViewWidget::paintEvent(QPaintEvent*)
{
    auto& impl = fOwner->Impl();
    if (impl.control)
        return;
    if (impl.needsDraw) {
        if (InHook()) {
            QPointer<ViewWidget> self(this);
            DispatchOrDefer([self] {
                if (self)
                    self->update();
            });
        } else {
            DrawIfNeeded(fOwner, false);
        }
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect area = rect();
    const qreal scale = impl.Scale();
    painter.drawImage(QRectF(area), impl.Backing(),
                      QRectF(area.x() * scale, area.y() * scale, area.width() * scale, area.height() * scale));
    impl.dirty = false;
}

void ViewWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const qreal scale = fOwner->Impl().Scale();
    const BPoint where(static_cast<float>(event->position().x() * scale),
                       static_cast<float>(event->position().y() * scale));
    QPointer<ViewWidget> self(this);
    DispatchOrDefer([self, where] {
        if (!self)
            return;
        BView* view = self->Owner();
        if (BWindow* window = view->Window())
            RunHook(window, [&] { view->MouseDown(where); });
    });
}

void ViewWidget::resizeEvent(QResizeEvent*)
{
    auto& impl = fOwner->Impl();
    if (impl.control)
        impl.control->setGeometry(rect());
}
