#include "InterfaceDefs.h"

#include "ModifierOverride.h"

#include <QGuiApplication>

#include <optional>

namespace {

std::optional<uint32> gModifierOverride;

} // namespace

void platform_detail::OverrideModifiers(uint32 modifiers)
{
    gModifierOverride = modifiers;
}

// Asks the window system for the keys held now, not for the state of the
// last queued event.
uint32 modifiers()
{
    if (gModifierOverride)
        return *gModifierOverride;
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    uint32 mask = 0;
    if (held & Qt::ShiftModifier)
        mask |= B_SHIFT_KEY;
    if (held & Qt::AltModifier)
        mask |= B_COMMAND_KEY;
    if (held & Qt::ControlModifier)
        mask |= B_CONTROL_KEY;
    if (held & Qt::MetaModifier)
        mask |= B_OPTION_KEY;
    return mask;
}
