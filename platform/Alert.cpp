#include "Alert.h"

#include "Dispatch.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <vector>

using namespace platform_detail;

namespace {

constexpr char kEscapeKey = 0x1B;

char KeyCharacter(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Escape)
        return kEscapeKey;
    const QString text = key.text();
    return text.size() == 1 ? static_cast<char>(text.at(0).toLatin1()) : 0;
}

QMessageBox::Icon IconFor(alert_type type)
{
    switch (type) {
    case B_INFO_ALERT:
    case B_IDEA_ALERT:
        return QMessageBox::Information;
    case B_WARNING_ALERT:
        return QMessageBox::Warning;
    case B_STOP_ALERT:
        return QMessageBox::Critical;
    case B_EMPTY_ALERT:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

// Keys reach the buttons only through their shortcuts: Escape chooses the
// button whose shortcut it is, and does nothing where no button has it.
struct BAlert::AlertImpl : QObject {
    QMessageBox box;
    std::vector<QPushButton*> buttons;
    std::array<char, 3> shortcuts{};

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const char key = KeyCharacter(*static_cast<QKeyEvent*>(event));
        const int index = ButtonFor(key);
        if (index >= 0) {
            buttons[static_cast<size_t>(index)]->click();
            return true;
        }
        return key == kEscapeKey;
    }

    int ButtonFor(char key) const
    {
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (key != 0 && shortcuts[i] == key)
                return static_cast<int>(i);
        }
        return -1;
    }

    int32 ChosenIndex() const
    {
        const auto found = std::find(buttons.begin(), buttons.end(), box.clickedButton());
        if (found != buttons.end())
            return static_cast<int32>(found - buttons.begin());
        return ButtonFor(kEscapeKey);
    }
};

BAlert::BAlert(const char* title, const char* text, const char* button0, const char* button1,
               const char* button2, button_width widthStyle, alert_type type)
    : fAlertImpl(std::make_unique<AlertImpl>())
{
    auto& impl = *fAlertImpl;
    QMessageBox& box = impl.box;
    box.setWindowTitle(QString::fromUtf8(title != nullptr ? title : ""));
    box.setText(QString::fromUtf8(text != nullptr ? text : ""));
    box.setIcon(IconFor(type));
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    for (const char* label : {button0, button1, button2}) {
        if (label == nullptr)
            break;
        impl.buttons.push_back(box.addButton(QString::fromUtf8(label), QMessageBox::ActionRole));
    }
    if (!impl.buttons.empty())
        box.setDefaultButton(impl.buttons.back());
    if (widthStyle == B_WIDTH_FROM_WIDEST) {
        int widest = 0;
        for (QPushButton* button : impl.buttons)
            widest = std::max(widest, button->sizeHint().width());
        for (QPushButton* button : impl.buttons)
            button->setMinimumWidth(widest);
    }
    // Key presses reach the focused button first and the box after it.
    box.installEventFilter(&impl);
    for (QPushButton* button : impl.buttons)
        button->installEventFilter(&impl);
}

BAlert::~BAlert() = default;

void BAlert::SetShortcut(int32 index, char key)
{
    if (index >= 0 && index < static_cast<int32>(fAlertImpl->shortcuts.size()))
        fAlertImpl->shortcuts[static_cast<size_t>(index)] = key;
}

// Waits in a nested event loop; meanwhile no hook of the program runs and
// pulses fall away, as for any hook that blocks.
int32 BAlert::Go()
{
    auto& impl = *fAlertImpl;
    int32 chosen = -1;
    {
        HookScope scope;
        impl.box.exec();
        chosen = impl.ChosenIndex();
    }
    delete this;
    return chosen;
}
