// The fractal view: owns the off-screen image that the render workers fill,
// shows it, follows the window's size and drives the periodic work from its
// pulse (showing a growing image, noticing the finish, applying the sliders).
// It also holds the zoom selection and the primary calculator, the master copy
// of every parameter from which each render starts.
#pragma once

#include "Bitmap.h"
#include "PlaceHistory.h"
#include "PictureDescription.h"
#include "Rect.h"
#include "SupportDefs.h"
#include "View.h"

#include <memory>
#include <string>

class BCheckBox;
class BScrollBar;
class BWindow;
class TLyapCalc;

// The image that a render computes; never larger than the view's bitmap.
constexpr int32 kBitmapWidth = kDefaultPictureSide;
constexpr int32 kBitmapHeight = kDefaultPictureSide;
extern int32 gImageWidth;
extern int32 gImageHeight;

// All four coordinates at this value: no zoom selection.
constexpr float kNoSelection = -1000.0f;

class TShowBit : public BView {
public:
    TShowBit(BRect frame, uint32 resizingMode);
    ~TShowBit() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void Pulse() override;
    void FrameResized(float width, float height) override;

    // The render road: stop, change fCalc or the palette map, start again
    // (Refresh also forgets the selection).
    void StopRender();
    void Refresh();

    void SetPalette(int32 n);
    // Asks where to, then saves the picture of the render last started as a
    // PNG with its parameters; a failure is shown in an alert.
    void SavePicture();
    void SetIterations(int32 count);
    // "Lyapunov Space": the default region, parameters, count and sliders.
    void ResetFractalType();
    // Centres the sliders.
    void SyncControls();
    // The palette in use, 0..3.
    int32 Palette() const { return fPalette; }

    // The place before the last change of region or parameters, and the one
    // after it again: exact values, sliders and palette. False, changing
    // nothing, at either end.
    bool GoBack();
    bool GoForward();
    // Asks which picture, then opens it as OpenPicture does.
    bool AskToOpenPicture();
    // Shows, at the view's size, the picture whose parameters the PNG at
    // path holds, and says in an alert which of them the viewer leaves out.
    // A file it cannot read gets an alert with the reason, and nothing
    // changes; false then.
    bool OpenPicture(const std::string& path);
    // Puts on the clipboard the renderer's command line that writes the
    // file a save would.
    void CopyRenderCommand();

    // Fields. Hooks and commands of this view all run on its window's thread;
    // the workers never touch the view object.
    bool fRendering;
    int32 fIterations;
    // Also gCalcs[0]; owned through the worker tables (see RenderWorkers.h).
    TLyapCalc* fCalc;

private:
    void ShowImage();
    void StartRender();
    void KillWorkers();
    void RestartRender();

    void BuildControls();
    void ApplyControls();
    // Moves the sliders without changing the values they stand for.
    void PlaceSliders(int32 morph, int32 firstX, int32 contrast);
    void ApplyPalette(int32 n);

    ExploredPlace CurrentPlace() const;
    void ShowPlace(const ExploredPlace& place);
    // The place shown now becomes a step of the history.
    void NoteChange();
    // A slider drag is one step, noted once the mouse buttons are up.
    void NoteReleasedSlider();
    void NoteSliderStep();
    // Shows the place the history's step (back or forward) gives, if any.
    bool ShowStep(std::optional<ExploredPlace> (PlaceHistory::*step)());

    void TrackSelection(int32 x, int32 y);
    BRect ClampRect(BRect r) const;
    void ClampPoint(int32& x, int32& y) const;
    int32 ClampRow(int32 v) const;
    int32 ClampColumn(int32 v) const;
    bool SelectionLargeEnough() const;
    // "left,top - right,bottom" and a line feed, whole numbers.
    std::string SelectionText() const;
    void ClearSelection();
    PictureDescription DescribeRender() const;
    void MarkLeftColumnWhite();
    void ZoomInto(BRect selection);
    void DrawSelectionText();
    void StrokeBand(BRect r);

    std::unique_ptr<BBitmap> fBitmap;
    BRect fSelection;
    BWindow* fControlWindow;
    BScrollBar* fMorphBar;
    BScrollBar* fFirstXBar;
    BScrollBar* fContrastBar;
    BCheckBox* fBufferedBox;
    int32 fMorphPos;
    int32 fFirstXPos;
    int32 fContrastPos;
    int32 fSliderRange;
    // The palette in use, 0..3.
    int32 fPalette;
    // What the render last started draws: taken while no worker runs, so
    // that a save can read it while they do.
    PictureDescription fShownPicture;
    PlaceHistory fHistory;
    // A slider has moved since the last step was noted.
    bool fSliderStepOpen;
};

// A warning alert with one button, OK (Escape answers it too); returns once
// it has been answered.
void ShowWarning(const char* title, const std::string& text);
