#include "Dispatch.h"
#include "ViewImpl.h"
#include "Window.h"

#include <QMouseEvent>
#include <QPainter>

using namespace platform_detail;

ViewWidget::ViewWidget(BView* owner) : fOwner(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// Shows the backing image pixel for pixel; on a high-density screen it is
// scaled up without smoothing, so it stays crisp.
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
    painter.drawImage(area, impl.Backing(), area);
    impl.dirty = false;
}

void ViewWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const BPoint where(static_cast<float>(event->position().x()),
                       static_cast<float>(event->position().y()));
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
