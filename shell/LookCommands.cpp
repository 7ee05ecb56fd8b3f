// The commands of the items after the specified ones: colour maps and the
// chaos grading from the Palette menu, the named places and the typed
// values from the Fractal type menu.
#include "MainWindow.h"

#include "ColourMap.h"
#include "Menu.h"
#include "NamedPlaces.h"
#include "ShowBit.h"
#include "ValuesWindow.h"

namespace {

// The k-th of `count` commands from `base`, or nothing.
std::optional<uint32> IndexFrom(uint32 base, std::size_t count, uint32 code)
{
    return code - base < count ? std::optional<uint32>(code - base) : std::nullopt;
}

std::optional<ColourMap> ShippedMap(uint32 index)
{
    return NamedColourMap(ColourMapNames()[index]);
}

} // namespace

bool TMainWindow::CarryOutLookCommand(uint32 code)
{
    const std::size_t maps = ColourMapNames().size();
    const int32 chaosPalette = PaletteIndex(fView->ShownPicture().chaosPalette);
    if (const auto k = IndexFrom(kColourMapCommandBase, maps, code))
        fView->SetColourMap(ShippedMap(*k));
    else if (code == kColourMapFileCommand)
        fView->AskForColourMap(false);
    else if (code == kChaosOneColourCommand)
        fView->SetChaosContrast(0.0);
    else if (const auto n = IndexFrom(kChaosPaletteCommandBase, kPaletteCount, code))
        fView->SetChaosColours(static_cast<int32>(*n), std::nullopt);
    else if (const auto m = IndexFrom(kChaosMapCommandBase, maps, code))
        fView->SetChaosColours(chaosPalette, ShippedMap(*m));
    else if (code == kChaosMapFileCommand)
        fView->AskForColourMap(true);
    else if (code == kColoursWindowCommand)
        fView->ShowColoursWindow();
    else if (const auto p = IndexFrom(kPlaceCommandBase, NamedPlaces().size(), code))
        ShowNamedPlace(*p);
    else if (code == kValuesCommand)
        fView->ShowValuesWindow();
    else if (code == kApplyValuesCommand)
        fView->ApplyValues();
    else
        return false;
    MarkViewValues();
    return true;
}

void TMainWindow::ShowNamedPlace(uint32 index)
{
    fView->ShowPicture(PlacePicture(NamedPlaces()[index]));
    fFractalTypeMark = kPlaceCommandBase + index;
}
