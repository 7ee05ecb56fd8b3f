// Keyboard modifiers.
#pragma once

#include "SupportDefs.h"

constexpr uint32 B_SHIFT_KEY = 0x00000001;
constexpr uint32 B_COMMAND_KEY = 0x00000002;
constexpr uint32 B_CONTROL_KEY = 0x00000004;
constexpr uint32 B_OPTION_KEY = 0x00000040;

// Keys without a character of their own, as window shortcuts name them.
constexpr uint32 B_BACKSPACE = 0x08;
constexpr uint32 B_LEFT_ARROW = 0x1c;
constexpr uint32 B_RIGHT_ARROW = 0x1d;
constexpr uint32 B_ESCAPE = 0x1b;
// Function keys have no character at all: their codes lie past the last
// character, so that no character shortcut can take them.
constexpr uint32 B_F11_KEY = 0x110000 + 11;

// The modifier keys held now.
uint32 modifiers();
