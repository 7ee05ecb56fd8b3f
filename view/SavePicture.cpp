// Saving the picture on screen: a fresh render of the parameters it was
// started from, written by the renderer's own picture writer, so that the
// renderer given the saved file draws it again byte for byte. Or the
// renderer's command line for those parameters, which writes the same file.
#include "ShowBit.h"

#include "Alert.h"
#include "Clipboard.h"
#include "FilePanel.h"
#include "PictureWriter.h"
#include "RenderCommand.h"
#include "RenderWorkers.h"
#include "TLyapCalc.h"

#include <string>

PictureDescription TShowBit::DescribeRender() const
{
    PictureDescription picture = fLook;
    picture.fractal = fCalc->Parameters();
    picture.width = gImageWidth;
    picture.height = gImageHeight;
    picture.palette = ShownPaletteNumber(fPalette);
    return picture;
}

namespace {

constexpr const char* kSavedPictureName = "lyapunov.png";

// Writes the picture on as many threads of its own as the viewer has
// workers; empty when written, otherwise why not.
std::string SaveFailure(const std::string& path, const PictureDescription& picture)
{
    if (picture.width < 1 || picture.height < 1)
        return "the picture is empty";
    RenderControl control;
    control.threads = gWorkerCount;
    std::string error;
    if (WritePictureFile(path, picture, ImageFormat::kPng, control, error) ==
        WriteOutcome::kWritten)
        return {};
    return error.empty() ? "it could not be written" : error;
}

} // namespace

// Runs on the window's thread while the workers may go on: it reads only
// fShownPicture, which they never touch, and renders into its own memory.
void TShowBit::SavePicture()
{
    std::string path;
    BFilePanel panel(B_SAVE_PANEL, Window(), kSavedPictureName, "PNG images (*.png)");
    if (!panel.Go(path))
        return;
    const std::string error = SaveFailure(path, fShownPicture);
    if (!error.empty())
        ShowWarning("Save", "Could not save " + path + ": " + error);
}

void TShowBit::CopyRenderCommand()
{
    const std::string command = RenderCommand(fShownPicture, kSavedPictureName);
    if (!be_clipboard->Lock())
        return;
    be_clipboard->Clear();
    be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, command.data(), command.size());
    be_clipboard->Commit();
    be_clipboard->Unlock();
}

void ShowWarning(const char* title, const std::string& text)
{
    auto* alert = new BAlert(title, text.c_str(), "OK", nullptr, nullptr, B_WIDTH_AS_USUAL,
                             B_WARNING_ALERT);
    alert->SetShortcut(0, 0x1B);
    // Go deletes the alert.
    alert->Go();
}
