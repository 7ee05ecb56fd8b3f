// Opening a picture of ours, to go on exploring from it: its parameters are
// read by the code the renderer's --from uses, so the two agree on a file.
#include "ShowBit.h"

#include "FilePanel.h"
#include "ParameterKeys.h"
#include "ParameterText.h"
#include "PictureFormats.h"
#include "SliderScale.h"
#include "TLyapCalc.h"

#include <optional>
#include <string>

namespace {

// What the open panel offers.
constexpr const char* kOpenableFiles = "Pictures (*.png *.tif *.tiff)";

// "supersample=2", or nothing: the values not at their default that the
// viewer cannot show.
std::string LeftOutValues(const PictureDescription& picture)
{
    std::string leftOut;
    ForEachParameterKeyAndDefault(picture, [&](const ParameterKey& key, const auto& field, const auto& byDefault) {
        if (!key.viewerShows && !AtDefault(field, byDefault))
            leftOut += (leftOut.empty() ? "" : ", ") + std::string(key.key) + "=" + ValueText(field);
    });
    return leftOut;
}

std::optional<PictureDescription> ReadPicture(const std::string& path, std::string& reason)
{
    const Result<PictureParameters> file = ReadPictureParameters(path);
    const Result<PictureDescription> picture = file ? ReadParameterText(file->text) : Failure{file.Reason()};
    if (!picture) {
        reason = picture.Reason();
        return std::nullopt;
    }
    return *picture;
}

} // namespace

bool TShowBit::AskToOpenPicture()
{
    std::string path;
    BFilePanel panel(B_OPEN_PANEL, Window(), nullptr, kOpenableFiles);
    return panel.Go(path) && OpenPicture(path);
}

bool TShowBit::OpenPicture(const std::string& path)
{
    std::string reason;
    const std::optional<PictureDescription> picture = ReadPicture(path, reason);
    if (!picture) {
        ShowWarning("Open", "Could not open " + path + ": " + reason);
        return false;
    }
    ShowPicture(*picture);
    if (const std::string leftOut = LeftOutValues(*picture); !leftOut.empty())
        ShowWarning("Open", "Opened " + path + " without the values the viewer cannot show: " + leftOut);
    return true;
}

void TShowBit::ShowPicture(const PictureDescription& picture)
{
    ExploredPlace place = CurrentPlace();
    place.picture = ShownByViewer(picture);
    // A picture has no slopes of its own: those of a fresh start.
    const TLyapCalc defaults;
    place.morphSlopeX = defaults.fMorphSlopeX;
    place.morphSlopeY = defaults.fMorphSlopeY;
    place.firstXSlopeX = defaults.fFirstXSlopeX;
    place.firstXSlopeY = defaults.fFirstXSlopeY;
    const LyapParameters& fractal = picture.fractal;
    place.morphPosition = MorphPosition(fractal.morph, fSliderRange);
    place.firstXPosition = FirstXPosition(fractal.firstX, fSliderRange);
    place.contrastPosition = ContrastPosition(fractal.contrast, fSliderRange);
    ShowPlace(place);
    NoteChange();
}
