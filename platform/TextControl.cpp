#include "Controls.h"

#include "ViewImpl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <string>

struct BTextControl::TextImpl {
    QLabel* label = nullptr;
    QLineEdit* field = nullptr;
    // What Text() hands out; replaced only when the field's text changes.
    std::string text;
};

// The label and the field side by side, filling the view, with no margin,
// so that the field starts exactly at the divider once one is set.
BTextControl::BTextControl(BRect frame, const char* name, const char* label, const char* text,
                           BMessage* message, uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags), fTextImpl(std::make_unique<TextImpl>())
{
    auto& impl = *fTextImpl;
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    impl.label = new QLabel(QString::fromUtf8(label != nullptr ? label : ""));
    impl.field = new QLineEdit;
    layout->addWidget(impl.label);
    layout->addWidget(impl.field, 1);
    QObject::connect(impl.field, &QLineEdit::textChanged, impl.field,
                     [&impl](const QString& now) { impl.text = now.toStdString(); });
    SetText(text);
    Impl().SetControl(row);
}

BTextControl::~BTextControl() = default;

const char* BTextControl::Text() const
{
    return fTextImpl->text.c_str();
}

void BTextControl::SetText(const char* text)
{
    fTextImpl->field->setText(QString::fromUtf8(text != nullptr ? text : ""));
}

void BTextControl::SetDivider(float divider)
{
    fTextImpl->label->setFixedWidth(std::max(0, static_cast<int>(divider)));
}
