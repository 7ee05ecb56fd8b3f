#include "Controls.h"

#include "ViewImpl.h"
#include "WindowImpl.h"

#include <QPushButton>

namespace {

QPushButton* PushButtonOf(const BView& view)
{
    return static_cast<QPushButton*>(view.Impl().control.data());
}

} // namespace

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
                 uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags)
{
    auto* button = new QPushButton(QString::fromUtf8(label != nullptr ? label : ""));
    QObject::connect(button, &QPushButton::clicked, button, [this] { Invoke(); });
    Impl().SetControl(button);
}

BButton::~BButton() = default;

// Qt's own default flag marks the button (drawn as default) and is what the
// window looks for when Return reaches it (WindowWidget::keyPressEvent).
void BButton::MakeDefault(bool isDefault)
{
    if (isDefault && Window() != nullptr) {
        for (QPushButton* other : Window()->Impl().widget->findChildren<QPushButton*>())
            other->setDefault(false);
    }
    PushButtonOf(*this)->setDefault(isDefault);
}
