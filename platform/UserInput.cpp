// The real user input: the keyboard as the window system reports it now, and
// the pointer as the queued mouse input last showed it.
#include "Seams.h"

#include "InterfaceDefs.h"
#include "MouseState.h"
#include "ViewImpl.h"

#include <QGuiApplication>

#include <utility>

namespace {

class WindowSystemInput : public platform_seam::UserInput {
public:
    // Asks for the keys held now, not for the state of the last queued event.
    uint32 Modifiers() override
    {
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

    void Pointer(const BView& view, BPoint* where, uint32* buttons) override
    {
        const QPointF local = view.Impl().widget->mapFromGlobal(platform_detail::LastMousePosition());
        *where = BPoint(static_cast<float>(local.x()), static_cast<float>(local.y()));
        *buttons = platform_detail::LastMouseButtons();
    }
};

WindowSystemInput gWindowSystemInput;
// Set before any window opens and read on the GUI thread only.
platform_seam::UserInput* gUserInput = &gWindowSystemInput;

} // namespace

platform_seam::UserInput* platform_seam::SetUserInput(UserInput* input)
{
    return std::exchange(gUserInput, input);
}

platform_seam::UserInput& platform_seam::CurrentUserInput()
{
    return *gUserInput;
}

uint32 modifiers()
{
    return platform_seam::CurrentUserInput().Modifiers();
}
