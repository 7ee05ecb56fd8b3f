// The view's side of the windows that change the picture's values: the
// typed values, the chaos contrast slider, and a colour map file.
#include "ShowBit.h"

#include "ColoursWindow.h"
#include "PointWindow.h"
#include "Controls.h"
#include "FilePanel.h"
#include "SliderScale.h"
#include "ValuesWindow.h"

namespace {

constexpr const char* kColourMapFiles = "Colour maps (*.map *.gpl *.ggr)";

template <typename Window>
void ShowInFront(Window* window)
{
    if (window->IsHidden())
        window->Show();
    window->Activate();
}

} // namespace

void TShowBit::ShowValuesWindow()
{
    if (fValuesWindow == nullptr)
        fValuesWindow = new TValuesWindow(Window());
    fValuesWindow->Fill(fShownPicture);
    ShowInFront(fValuesWindow);
}

bool TShowBit::ApplyValues()
{
    if (fValuesWindow == nullptr)
        return false;
    const std::optional<PictureDescription> picture = fValuesWindow->Read(fShownPicture);
    if (picture)
        ShowPicture(*picture);
    return picture.has_value();
}

void TShowBit::ShowColoursWindow()
{
    if (fColoursWindow == nullptr) {
        fColoursWindow = new TColoursWindow(fSliderRange);
        PlaceChaosSlider();
    }
    ShowInFront(fColoursWindow);
}

void TShowBit::PlaceChaosSlider()
{
    fChaosPos = ContrastPosition(fLook.chaosContrast, fSliderRange);
    // The slider belongs to its window: changed under its lock.
    if (fColoursWindow != nullptr && fColoursWindow->Lock()) {
        fColoursWindow->ChaosSlider()->SetValue(static_cast<float>(fChaosPos));
        fColoursWindow->Unlock();
    }
}

// As the control panel's sliders: applied at once, one step once released.
void TShowBit::ApplyChaosSlider()
{
    if (fColoursWindow == nullptr || (fRendering && fBufferedBox->Value() == 1))
        return;
    const auto position = static_cast<int32>(fColoursWindow->ChaosSlider()->Value());
    if (position == fChaosPos)
        return;
    StopRender();
    fChaosPos = position;
    fLook.chaosContrast = ContrastAt(position, fSliderRange);
    // Rebuilds the colours and starts the render.
    ApplyPalette(fPalette);
    fSliderStepOpen = true;
}

void TShowBit::AskForColourMap(bool forChaos)
{
    std::string path;
    BFilePanel panel(B_OPEN_PANEL, Window(), nullptr, kColourMapFiles);
    if (!panel.Go(path))
        return;
    const Result<ColourMap> map = ReadColourMap(path);
    if (!map) {
        ShowWarning("Colour Map", "Could not read the colour map " + map.Reason());
        return;
    }
    if (forChaos)
        SetChaosColours(PaletteIndex(fLook.chaosPalette), *map);
    else
        SetColourMap(*map);
}

void TShowBit::LetWindowsGo()
{
    for (THeldWindow* window : {static_cast<THeldWindow*>(fValuesWindow), static_cast<THeldWindow*>(fColoursWindow),
                                static_cast<THeldWindow*>(fPointWindow)})
        if (window != nullptr)
            window->LetGo();
}
