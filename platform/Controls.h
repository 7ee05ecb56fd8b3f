// Controls: a slider bar, a text label, a check box, a button and a text
// field with its label.
#pragma once

#include "Message.h"
#include "View.h"

#include <memory>
#include <string>

class BLooper;

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

    void SetText(const char* text);
    // As last set; valid until the next change.
    const char* Text() const { return fText.c_str(); }

private:
    std::string fText;
};

// A control owns its message; the user's action (a click, a change of a
// check box) sends a copy of it to the target, through the target's queue
// to MessageReceived as a menu item's message goes.
class BControl : public BView {
public:
    BControl(BRect frame, const char* name, const char* label, BMessage* message,
             uint32 resizingMode, uint32 flags);
    ~BControl() override;
    // 1 when a check box is checked, 0 otherwise.
    int32 Value() const;

    // Null (the default) is the window that holds the control. The target
    // must outlive the control, or be replaced before it goes.
    status_t SetTarget(BLooper* target);
    // Sends the message now; B_ERROR without a message or a target.
    virtual status_t Invoke();

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

class BButton : public BControl {
public:
    BButton(BRect frame, const char* name, const char* label, BMessage* message,
            uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
            uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BButton() override;

    // The default button of its window: Return or Enter there presses it,
    // wherever the focus is, and it alone (the window's others stop being
    // default).
    void MakeDefault(bool isDefault);
};

// A label and a one-line text field. Its message is sent only by Invoke.
class BTextControl : public BControl {
public:
    BTextControl(BRect frame, const char* name, const char* label, const char* text,
                 BMessage* message, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
                 uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BTextControl() override;

    // The text as it is now, in UTF-8; valid until the text next changes.
    const char* Text() const;
    void SetText(const char* text);
    // The field starts this many pixels from the control's left; the label
    // fills the space before it. Until set, the label takes its own width.
    void SetDivider(float divider);

private:
    struct TextImpl;
    std::unique_ptr<TextImpl> fTextImpl;
};
