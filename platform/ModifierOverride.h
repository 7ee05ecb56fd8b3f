// Modifier keys held by a test (private).
#pragma once

#include "SupportDefs.h"

namespace platform_detail {

// From now on modifiers() reports `modifiers`, whatever the keyboard holds.
void OverrideModifiers(uint32 modifiers);

} // namespace platform_detail
