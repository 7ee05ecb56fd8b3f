// A test's answer for the next alert (private).
#pragma once

#include "SupportDefs.h"

#include <optional>

namespace platform_detail {

// The button index to choose (-1: press Escape), taken once.
std::optional<int32> TakeAlertAnswer();
void SetAlertAnswer(int32 buttonIndex);

} // namespace platform_detail
