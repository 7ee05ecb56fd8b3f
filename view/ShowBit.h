// The fractal view: owns the off-screen image that the render workers fill,
// shows it, follows the window's size and drives the periodic work from its
// pulse (showing a growing image, noticing the finish, applying the sliders).
// It also holds the zoom selection and the primary calculator, the master copy
// of every parameter from which each render starts.
#pragma once

#include "Bitmap.h"
#include "ColourMap.h"
#include "LyapPointProbe.h"
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
class TColoursWindow;
class TPointWindow;
class TLyapCalc;
class TValuesWindow;

// The image that a render computes; never larger than the view's bitmap,
// which is this size unless the image is fitted to a larger window.
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
    // Shows a picture's values (those the viewer shows; the size is the
    // view's own), the sliders at the nearest positions: one step of the
    // history. An open, a named place and typed values all come here.
    void ShowPicture(const PictureDescription& picture);
    // The picture the render last started draws: every value a save writes.
    const PictureDescription& ShownPicture() const { return fShownPicture; }

    // Colours beyond the four palettes, each one step of the history: a
    // colour map in the palette's place (nothing: the palette's colours
    // again), and the chaos grading, its contrast (0: chaos in one colour)
    // and its colours, palette 0..3 or a map in its place. Grading a chaos
    // that was one colour starts it at kFirstChaosContrast.
    void SetColourMap(const std::optional<ColourMap>& map);
    void SetChaosContrast(double contrast);
    void SetChaosColours(int32 palette, const std::optional<ColourMap>& map);
    static constexpr double kFirstChaosContrast = 300.0;
    // Asks for a .map, .gpl or .ggr file and takes its colours for the
    // order or for the chaos; a file it cannot read gets an alert with the
    // reason, and nothing changes.
    void AskForColourMap(bool forChaos);
    // The "Colours" window, with the chaos contrast slider.
    void ShowColoursWindow();
    // The "Values" window, filled with the picture's exact values; its Apply
    // comes back as ApplyValues, which shows the values typed, or keeps the
    // picture and shows the complaint in the window (false then).
    void ShowValuesWindow();
    bool ApplyValues();

    // Off (the start): the image is at most the bitmap's 384 x 384. On: the
    // image is the view's size in device pixels, up to the screen's, the
    // bitmap growing with it, and its rows take the renderer's rates, so
    // that it is the renderer's picture of that size.
    void SetFitToWindow(bool on);
    bool FitsWindow() const { return fFitsWindow; }

    // The "Point" window: the pixel under the pointer, followed on the pulse,
    // or the one pinned; TogglePin pins the pixel shown or lets it go, and
    // CopyPoint puts its values on the clipboard.
    void ShowPointWindow();
    void TogglePin();
    void CopyPoint();

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

    // The image the workers fill: the 8-bit one, through the screen's
    // colour map, unless the picture's colours need their own (a colour map,
    // a graded chaos): then the 32-bit one, through gColourTable.
    BBitmap* ShownBitmap() const;
    bool OwnColours() const;
    // Rebuilds gColourTable for the picture's colours; no worker may run.
    void BuildColourTable();
    // Restarts with a change of fLook, noted as a step.
    void ChangeLook(const PictureDescription& look);
    void PlaceChaosSlider();
    void ApplyChaosSlider();
    void LetWindowsGo();
    // The bitmaps at this size, every pixel 0; no worker may run.
    void MakeBitmaps(int32 width, int32 height);
    // The image size for a view of this size: the bitmap's bound, or, fitted,
    // the screen's, the bitmap growing to hold it.
    void SizeImage(float width, float height);

    std::unique_ptr<BBitmap> fBitmap;
    std::unique_ptr<BBitmap> fTrueColourBitmap;
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
    // The picture's values that neither the calculator nor the palette
    // number holds (its colour map and chaos grading, and any value the
    // parameter keys add): the description of a render starts from it.
    PictureDescription fLook;
    // Made when first asked for; they hide when closed.
    TValuesWindow* fValuesWindow = nullptr;
    TColoursWindow* fColoursWindow = nullptr;
    int32 fChaosPos = 0;
    // What the render last started draws: taken while no worker runs, so
    // that a save can read it while they do.
    PictureDescription fShownPicture;
    PlaceHistory fHistory;
    // A slider has moved since the last step was noted.
    bool fSliderStepOpen;
    bool fFitsWindow = false;

    void FollowPointer();
    int32 RowStep() const;
    TPointWindow* fPointWindow = nullptr;
    // Renders started so far: what the point shown was computed in.
    int64 fRenderCount = 0;
    int64 fProbedRender = -1;
    // The pixel the window shows (x below 0: none yet), and the one last
    // computed with fPointInfo.
    BPoint fPointPixel{-1.0f, -1.0f};
    BPoint fProbedPixel{-1.0f, -1.0f};
    bool fPinned = false;
    LyapPointInfo fPointInfo;
};

// A warning alert with one button, OK (Escape answers it too); returns once
// it has been answered.
void ShowWarning(const char* title, const std::string& text);
