// A scripted user and a refusing system, installed into the layer's seams by
// InstallTestSeams before a test program opens its first window.
#pragma once

#include "GuiDriver.h"
#include "Seams.h"

#include <deque>
#include <vector>

namespace platform_test {

struct MouseStep {
    BPoint where;
    uint32 buttons;
};

class ScriptedUser : public platform_seam::UserInput {
public:
    // Holds these modifier keys until called again (0 releases them).
    void Hold(uint32 modifiers) { fModifiers = modifiers; }
    // Mouse buttons held down (as on a slider being dragged) once no script
    // is left; 0 releases them.
    void HoldButtons(uint32 buttons) { fNow.buttons = buttons; }
    // A press at the first step, delivered by the event loop to the view's
    // MouseDown; each later GetMouse then sees the next step, and once the
    // script is spent, the last place with every button up.
    void Script(BView* view, const std::vector<MouseStep>& steps);

    uint32 Modifiers() override { return fModifiers; }
    void Pointer(const BView& view, BPoint* where, uint32* buttons) override;

private:
    uint32 fModifiers = 0;
    // In window coordinates: the pointer is the same for every view.
    MouseStep fNow{};
    std::deque<MouseStep> fAhead;
};

ScriptedUser& User();
void InstallTestSeams();

// Makes the next `count` thread creations fail, as on an exhausted system.
void FailNextSpawns(int32 count);
// Every thread creation the layer has asked for, refused ones included.
int64 SpawnAttempts();
// Threads of this process alive now.
int32 LiveThreadCount();

} // namespace platform_test
