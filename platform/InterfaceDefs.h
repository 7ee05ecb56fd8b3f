// Keyboard modifiers.
#pragma once

#include "SupportDefs.h"

constexpr uint32 B_SHIFT_KEY = 0x00000001;
constexpr uint32 B_COMMAND_KEY = 0x00000002;
constexpr uint32 B_CONTROL_KEY = 0x00000004;
constexpr uint32 B_OPTION_KEY = 0x00000040;

// The modifier keys held now.
uint32 modifiers();
