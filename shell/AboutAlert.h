#pragma once

extern const char* const kAboutText;

// Shows the "Info" alert with `text` and returns once it has been dismissed.
void ShowAboutAlert(const char* text);
