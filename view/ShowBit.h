// The fractal view: owns the off-screen image that the render workers fill,
// shows it, follows the window's size and drives the periodic work from its
// pulse (showing a growing image, noticing the finish, applying the sliders).
// It also holds the zoom selection and the primary calculator, the master copy
// of every parameter from which each render starts.
#pragma once

#include "Bitmap.h"
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
    // Centres the sliders.
    void SyncControls();

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
};
