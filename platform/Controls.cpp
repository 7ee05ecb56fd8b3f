#include "Controls.h"

#include "ViewImpl.h"
#include "Window.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

struct BScrollBar::ScrollImpl {
    QScrollBar* bar = nullptr;
};

struct BControl::ControlImpl {
    std::unique_ptr<BMessage> message;
    QAbstractButton* button = nullptr;
    // Null: the control's window.
    BLooper* target = nullptr;
};

BScrollBar::BScrollBar(BRect frame, const char* name, BView*, float min, float max,
                       orientation direction)
    : BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_FRAME_EVENTS),
      fScrollImpl(std::make_unique<ScrollImpl>())
{
    auto* bar = new QScrollBar(direction == B_HORIZONTAL ? Qt::Horizontal : Qt::Vertical);
    bar->setRange(static_cast<int>(min), static_cast<int>(max));
    bar->setSingleStep(1);
    fScrollImpl->bar = bar;
    Impl().SetControl(bar);
}

BScrollBar::~BScrollBar() = default;

// Qt's thumb covers pageStep / (range + pageStep) of the bar.
void BScrollBar::SetProportion(float proportion)
{
    QScrollBar* bar = fScrollImpl->bar;
    const double range = bar->maximum() - bar->minimum();
    const double share = std::clamp(static_cast<double>(proportion), 0.0, 0.99);
    bar->setPageStep(std::max(1, static_cast<int>(std::lround(share * range / (1.0 - share)))));
}

void BScrollBar::SetValue(float value)
{
    fScrollImpl->bar->setValue(static_cast<int>(std::lround(value)));
}

float BScrollBar::Value() const
{
    return static_cast<float>(fScrollImpl->bar->value());
}

BStringView::BStringView(BRect frame, const char* name, const char* text, uint32 resizingMode,
                         uint32 flags)
    : BView(frame, name, resizingMode, flags), fText(text != nullptr ? text : "")
{
    auto* label = new QLabel(QString::fromUtf8(fText.c_str()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Impl().SetControl(label);
}

BStringView::~BStringView() = default;

void BStringView::SetText(const char* text)
{
    fText = text != nullptr ? text : "";
    static_cast<QLabel*>(Impl().control.data())->setText(QString::fromUtf8(fText.c_str()));
}

// The label is shown by the control that the subclass makes.
BControl::BControl(BRect frame, const char* name, const char*, BMessage* message,
                   uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags), fControlImpl(std::make_unique<ControlImpl>())
{
    fControlImpl->message.reset(message);
}

BControl::~BControl() = default;

int32 BControl::Value() const
{
    const QAbstractButton* button = fControlImpl->button;
    return button != nullptr && button->isChecked() ? 1 : 0;
}

status_t BControl::SetTarget(BLooper* target)
{
    fControlImpl->target = target;
    return B_OK;
}

status_t BControl::Invoke()
{
    const auto& impl = *fControlImpl;
    BLooper* target = impl.target != nullptr ? impl.target : Window();
    if (!impl.message || target == nullptr)
        return B_ERROR;
    return target->PostMessage(impl.message.get());
}

BControl::ControlImpl& BControl::ControlImplRef() const
{
    return *fControlImpl;
}

// A change by the user sends the control's message, if it has one.
BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
                     uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags)
{
    auto* box = new QCheckBox(QString::fromUtf8(label != nullptr ? label : ""));
    auto& impl = ControlImplRef();
    impl.button = box;
    QObject::connect(box, &QCheckBox::clicked, box, [this] { Invoke(); });
    Impl().SetControl(box);
}

BCheckBox::~BCheckBox() = default;
