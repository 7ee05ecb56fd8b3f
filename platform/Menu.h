// Menus, their items and the menu bar.
#pragma once

#include "Message.h"
#include "View.h"

#include <memory>

enum menu_layout { B_ITEMS_IN_ROW = 0, B_ITEMS_IN_COLUMN = 1 };

class BMenu;

class BMenuItem {
public:
    // Owns `message`. Choosing the item sends the message's code to the
    // window that holds the menu bar (through any menus above its own).
    BMenuItem(const char* label, BMessage* message);
    virtual ~BMenuItem();
    BMenuItem(const BMenuItem&) = delete;
    BMenuItem& operator=(const BMenuItem&) = delete;

    uint32 Command() const;
    // A submenu's item is labelled as the submenu is.
    const char* Label() const;
    // The menu this item opens (BMenu::AddItem(BMenu*)), else null.
    BMenu* Submenu() const;
    // The mark is the menu's check mark; in a radio menu it leaves the other
    // items of the same menu. Separators and submenu items take no mark.
    void SetMarked(bool marked);

    struct ItemImpl;
    ItemImpl& Impl() const;

private:
    // What the user's choice does: in a radio menu the mark moves here,
    // then the message goes to the window.
    void Invoke();

    std::unique_ptr<ItemImpl> fItemImpl;
};

// A line between groups of items; never chosen, never marked.
class BSeparatorItem : public BMenuItem {
public:
    BSeparatorItem();
    ~BSeparatorItem() override;
};

class BMenu {
public:
    explicit BMenu(const char* label, menu_layout layout = B_ITEMS_IN_COLUMN);
    virtual ~BMenu();
    BMenu(const BMenu&) = delete;
    BMenu& operator=(const BMenu&) = delete;

    // Appends; the menu owns what it is given.
    bool AddItem(BMenuItem* item);
    // Appends an item, labelled as `submenu`, that opens it; the item owns it.
    bool AddItem(BMenu* submenu);
    bool AddSeparatorItem();
    int32 CountItems() const;
    BMenuItem* ItemAt(int32 index) const;
    // Per menu: a submenu's marks are its own.
    void SetRadioMode(bool on);

    struct MenuImpl;
    MenuImpl& Impl() const;

private:
    std::unique_ptr<MenuImpl> fMenuImpl;
};

class BMenuBar : public BView {
public:
    // Fits its height to its items once added to a window.
    BMenuBar(BRect frame, const char* name, uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
             menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
    ~BMenuBar() override;

    // Appends a menu; the bar owns it.
    bool AddItem(BMenu* menu);
    BMenu* SubmenuAt(int32 index) const;

    struct BarImpl;

private:
    std::unique_ptr<BarImpl> fBarImpl;
};
