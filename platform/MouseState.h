// The pointer as the queued mouse input last showed it (private).
#pragma once

#include "SupportDefs.h"

#include <QPointF>

namespace platform_detail {

// Starts recording every mouse event the application sees.
void InstallMouseRecorder();

// Global position and button mask (B_PRIMARY_MOUSE_BUTTON...) of the last
// mouse event.
QPointF LastMousePosition();
uint32 LastMouseButtons();

} // namespace platform_detail
