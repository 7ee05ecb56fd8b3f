#include "Screen.h"

#include "ScreenColorMap.h"
#include "WindowImpl.h"

#include <QGuiApplication>
#include <QScreen>

// Every window shows the same fixed colour map, so the screen object only
// answers questions about that map.
BScreen::BScreen(BWindow* window) : fWindow(window)
{
}

BScreen::~BScreen() = default;

uint8 BScreen::IndexForColor(uint8 red, uint8 green, uint8 blue, uint8)
{
    return platform_detail::NearestColorIndex(red, green, blue);
}

BRect BScreen::Frame() const
{
    QScreen* screen = fWindow != nullptr ? fWindow->Impl().widget->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect();
    return BRect(static_cast<float>(area.left()), static_cast<float>(area.top()),
                 static_cast<float>(area.left() + area.width()), static_cast<float>(area.top() + area.height()));
}
