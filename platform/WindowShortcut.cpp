// Keyboard shortcuts of a window.
#include "InterfaceDefs.h"
#include "Message.h"
#include "Window.h"
#include "WindowImpl.h"

#include <QChar>
#include <QKeySequence>
#include <QShortcut>

#include <memory>

namespace {

Qt::KeyboardModifiers QtModifiers(uint32 modifiers)
{
    Qt::KeyboardModifiers qt = Qt::NoModifier;
    if ((modifiers & B_SHIFT_KEY) != 0)
        qt |= Qt::ShiftModifier;
    if ((modifiers & B_COMMAND_KEY) != 0)
        qt |= Qt::ControlModifier;
    if ((modifiers & B_OPTION_KEY) != 0)
        qt |= Qt::AltModifier;
    return qt;
}

Qt::Key QtKey(uint32 key)
{
    switch (key) {
    case B_BACKSPACE:
        return Qt::Key_Backspace;
    case B_LEFT_ARROW:
        return Qt::Key_Left;
    case B_RIGHT_ARROW:
        return Qt::Key_Right;
    case B_ESCAPE:
        return Qt::Key_Escape;
    case B_F11_KEY:
        return Qt::Key_F11;
    default:
        return static_cast<Qt::Key>(QChar(static_cast<char16_t>(key)).toUpper().unicode());
    }
}

} // namespace

// The command goes through PostMessage like a menu item's, so it is handled
// in order with them, once no hook runs.
void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
    const std::unique_ptr<BMessage> owned(message);
    auto* shortcut = new QShortcut(QKeySequence(QKeyCombination(QtModifiers(modifiers), QtKey(key))),
                                   Impl().widget.data());
    const uint32 command = owned->what;
    QObject::connect(shortcut, &QShortcut::activated, shortcut,
                     [this, command] { PostMessage(command); });
}
