// Opening a picture of ours, to go on exploring from it: its parameters are
// read by the code the renderer's --from uses, so the two agree on a file.
#include "ShowBit.h"

#include "FilePanel.h"
#include "ParameterKeys.h"
#include "ParameterText.h"
#include "PictureFormats.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What the open panel offers.
constexpr const char* kOpenableFiles = "Pictures (*.png *.tif *.tiff)";

// The keys the viewer shows; the size is the view's own. Any other key not
// at its default is left out, and named.
constexpr std::string_view kShownKeys[] = {"width", "height", "sequence", "iterations", "a-min",
                                           "a-max", "b-min", "b-max", "morph", "first-x",
                                           "contrast", "palette"};

std::vector<std::string> KeyValueTexts(const PictureDescription& picture)
{
    std::vector<std::string> texts;
    ForEachParameterKey(picture, [&texts](const ParameterKey&, const auto& field) {
        texts.push_back(ValueText(field));
    });
    return texts;
}

// "supersample=2, settle=100", or nothing.
std::string LeftOutValues(const PictureDescription& picture)
{
    const std::vector<std::string> defaults = KeyValueTexts(PictureDescription{});
    const std::vector<std::string> values = KeyValueTexts(picture);
    std::string leftOut;
    std::size_t k = 0;
    ForEachParameterKey(picture, [&](const ParameterKey& key, const auto&) {
        if (std::ranges::count(kShownKeys, key.key) == 0 && values[k] != defaults[k])
            leftOut += (leftOut.empty() ? "" : ", ") + std::string(key.key) + "=" + values[k];
        ++k;
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

// The slider position nearest `position`, within 0..range.
int32 NearestPosition(double position, int32 range)
{
    if (!(position > 0.0))
        return 0;
    return static_cast<int32>(std::min(std::round(position), static_cast<double>(range)));
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
    // The sliders' inverse: morph = p / (range / 2), first x = p / range,
    // contrast = 128 (p / (range / 2))^4.
    const double half = fSliderRange / 2;
    const LyapParameters& fractal = picture->fractal;
    ExploredPlace place = CurrentPlace();
    place.fractal = fractal;
    const TLyapCalc defaults;
    place.morphSlopeX = defaults.fMorphSlopeX;
    place.morphSlopeY = defaults.fMorphSlopeY;
    place.firstXSlopeX = defaults.fFirstXSlopeX;
    place.firstXSlopeY = defaults.fFirstXSlopeY;
    place.palette = picture->palette - 1;
    place.morphPosition = NearestPosition(fractal.morph * half, fSliderRange);
    place.firstXPosition = NearestPosition(fractal.firstX * fSliderRange, fSliderRange);
    place.contrastPosition =
        NearestPosition(half * std::pow(fractal.contrast / 128.0, 0.25), fSliderRange);
    ShowPlace(place);
    NoteChange();
    if (const std::string leftOut = LeftOutValues(*picture); !leftOut.empty())
        ShowWarning("Open", "Opened " + path + " without the values the viewer cannot show: " + leftOut);
    return true;
}
