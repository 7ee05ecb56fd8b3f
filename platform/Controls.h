// Controls of the control panel: a slider bar, a text label, a check box.
#pragma once

#include "Message.h"
#include "View.h"

#include <memory>

enum orientation { B_HORIZONTAL = 0, B_VERTICAL = 1 };

class BScrollBar : public BView {
public:
    BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
               orientation direction);
    ~BScrollBar() override;

    // The share of the bar its thumb covers, 0..1.
    void SetProportion(float proportion);
    // Whole numbers within the range, whether set here or dragged.
    void SetValue(float value);
    float Value() const;

private:
    struct ScrollImpl;
    std::unique_ptr<ScrollImpl> fScrollImpl;
};

class BStringView : public BView {
public:
    BStringView(BRect frame, const char* name, const char* text,
                uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = B_WILL_DRAW);
    ~BStringView() override;
};

class BControl : public BView {
public:
    BControl(BRect frame, const char* name, const char* label, BMessage* message,
             uint32 resizingMode, uint32 flags);
    ~BControl() override;
    // 1 when a check box is checked, 0 otherwise.
    int32 Value() const;

protected:
    struct ControlImpl;
    ControlImpl& ControlImplRef() const;

private:
    std::unique_ptr<ControlImpl> fControlImpl;
};

class BCheckBox : public BControl {
public:
    BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
              uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
              uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BCheckBox() override;
};
