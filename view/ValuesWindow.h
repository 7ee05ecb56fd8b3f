// The "Values" window: a field for every value the parameter keys mark as
// typed, filled with the picture's exact values, and Apply. The values are
// read with the parameter keys' own rules, so a value the renderer's option
// refuses is refused here in the same words.
#pragma once

#include "PictureDescription.h"
#include "Result.h"
#include "HeldWindow.h"

#include <vector>

class BStringView;
class BTextControl;

// What Apply sends to the window the values go to.
constexpr uint32 kApplyValuesCommand = 0x41504c59; // 'APLY'

class TValuesWindow : public THeldWindow {
public:
    // Apply's message goes to `target`.
    explicit TValuesWindow(BLooper* target);

    // Every field shows its value of `picture`, as the parameter text
    // writes it; no complaint.
    void Fill(const PictureDescription& picture);
    // `picture` with the values typed; nothing, the complaint about the
    // first field not accepted shown in the window, when one is not.
    std::optional<PictureDescription> Read(PictureDescription picture);

private:
    std::vector<BTextControl*> fFields;  // the typed keys, in the table's order
    BStringView* fComplaint;
};
