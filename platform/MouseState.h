// The pointer as the queued mouse input last showed it (private).
#pragma once

#include "TestSupport.h"

#include <QPointF>

class QWidget;

namespace platform_detail {

// Starts recording every mouse event the application sees.
void InstallMouseRecorder();

// Global position and button mask (B_PRIMARY_MOUSE_BUTTON...) of the last
// mouse event.
QPointF LastMousePosition();
uint32 LastMouseButtons();

// A test's pointer script: the press goes to the widget at once, each later
// step when GetMouse asks for it.
void StartMouseScript(QWidget* target, const std::vector<platform_test::MouseStep>& steps);
// Posts the script's next step if `target` has one waiting.
void PostNextScriptedStep(QWidget* target);
// Posts what is left of `target`'s script, as a user's release arrives after
// a click that nobody tracked.
void FinishMouseScript(QWidget* target);

} // namespace platform_detail
