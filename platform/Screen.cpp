#include "Screen.h"

#include "ScreenColorMap.h"

// Every window shows the same fixed colour map, so the screen object only
// answers questions about that map.
BScreen::BScreen(BWindow*)
{
}

BScreen::~BScreen() = default;

uint8 BScreen::IndexForColor(uint8 red, uint8 green, uint8 blue, uint8)
{
    return platform_detail::NearestColorIndex(red, green, blue);
}
