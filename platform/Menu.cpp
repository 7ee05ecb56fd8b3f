#include "Menu.h"

#include "ViewImpl.h"
#include "Window.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

struct BMenuItem::ItemImpl {
    std::string label;
    std::unique_ptr<BMessage> message;
    char shortcut = 0;
    uint32 modifiers = 0;
    bool marked = false;
    BMenu* menu = nullptr;
    std::unique_ptr<QAction> action;
};

struct BMenu::MenuImpl {
    std::string label;
    menu_layout layout = B_ITEMS_IN_COLUMN;
    bool radio = false;
    std::vector<std::unique_ptr<BMenuItem>> items;
    std::unique_ptr<QMenu> menu;
    // Shows radio marks as such; the items' marks are set by the layer, not
    // by Qt's toggling.
    QActionGroup* group = nullptr;
    BMenuBar* bar = nullptr;
};

struct BMenuBar::BarImpl {
    std::vector<std::unique_ptr<BMenu>> menus;
    QMenuBar* bar = nullptr;
};

BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut, uint32 modifiers)
    : fItemImpl(std::make_unique<ItemImpl>())
{
    auto& impl = *fItemImpl;
    impl.label = label != nullptr ? label : "";
    impl.message.reset(message);
    impl.shortcut = shortcut;
    impl.modifiers = modifiers;
    impl.action = std::make_unique<QAction>(QString::fromStdString(impl.label));
    QObject::connect(impl.action.get(), &QAction::triggered, impl.action.get(), [this] { Invoke(); });
}

BMenuItem::~BMenuItem() = default;

const char* BMenuItem::Label() const
{
    return fItemImpl->label.c_str();
}

BMessage* BMenuItem::Message() const
{
    return fItemImpl->message.get();
}

uint32 BMenuItem::Command() const
{
    return fItemImpl->message ? fItemImpl->message->what : 0;
}

char BMenuItem::Shortcut(uint32* modifiers) const
{
    if (modifiers != nullptr)
        *modifiers = fItemImpl->modifiers;
    return fItemImpl->shortcut;
}

// In a radio menu, marking one item takes the mark from the others.
void BMenuItem::SetMarked(bool marked)
{
    auto& impl = *fItemImpl;
    if (marked && impl.menu != nullptr && impl.menu->IsRadioMode()) {
        for (int32 i = 0; i < impl.menu->CountItems(); ++i) {
            BMenuItem* other = impl.menu->ItemAt(i);
            if (other != this && other->IsMarked())
                other->SetMarked(false);
        }
    }
    impl.marked = marked;
    impl.action->setCheckable(marked || (impl.menu != nullptr && impl.menu->IsRadioMode()));
    impl.action->setChecked(marked);
}

bool BMenuItem::IsMarked() const
{
    return fItemImpl->marked;
}

BMenu* BMenuItem::Menu() const
{
    return fItemImpl->menu;
}

void BMenuItem::Invoke()
{
    auto& impl = *fItemImpl;
    if (impl.menu != nullptr && impl.menu->IsRadioMode())
        SetMarked(true);
    else
        SetMarked(impl.marked); // undoes Qt's own toggling of a checkable action
    BMenuBar* bar = impl.menu != nullptr ? impl.menu->Impl().bar : nullptr;
    BWindow* window = bar != nullptr ? bar->Window() : nullptr;
    if (window != nullptr && impl.message)
        window->PostMessage(impl.message->what);
}

BMenuItem::ItemImpl& BMenuItem::Impl() const
{
    return *fItemImpl;
}

BMenu::BMenu(const char* label, menu_layout layout) : fMenuImpl(std::make_unique<MenuImpl>())
{
    auto& impl = *fMenuImpl;
    impl.label = label != nullptr ? label : "";
    impl.layout = layout;
    impl.menu = std::make_unique<QMenu>(QString::fromStdString(impl.label));
    impl.group = new QActionGroup(impl.menu.get());
    impl.group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
}

BMenu::~BMenu()
{
    // The items' actions go before the menu that shows them.
    fMenuImpl->items.clear();
}

bool BMenu::AddItem(BMenuItem* item)
{
    auto& impl = *fMenuImpl;
    impl.items.emplace_back(item);
    item->Impl().menu = this;
    impl.menu->addAction(item->Impl().action.get());
    if (impl.radio)
        impl.group->addAction(item->Impl().action.get());
    item->SetMarked(item->IsMarked());
    return true;
}

const char* BMenu::Name() const
{
    return fMenuImpl->label.c_str();
}

int32 BMenu::CountItems() const
{
    return static_cast<int32>(fMenuImpl->items.size());
}

BMenuItem* BMenu::ItemAt(int32 index) const
{
    const auto& items = fMenuImpl->items;
    if (index < 0 || index >= static_cast<int32>(items.size()))
        return nullptr;
    return items[static_cast<size_t>(index)].get();
}

BMenuItem* BMenu::FindMarked() const
{
    for (const auto& item : fMenuImpl->items) {
        if (item->IsMarked())
            return item.get();
    }
    return nullptr;
}

void BMenu::SetRadioMode(bool on)
{
    auto& impl = *fMenuImpl;
    impl.radio = on;
    impl.group->setExclusionPolicy(on ? QActionGroup::ExclusionPolicy::ExclusiveOptional
                                      : QActionGroup::ExclusionPolicy::None);
    for (const auto& item : impl.items) {
        QAction* action = item->Impl().action.get();
        if (on)
            impl.group->addAction(action);
        else
            impl.group->removeAction(action);
        item->SetMarked(item->IsMarked());
    }
}

bool BMenu::IsRadioMode() const
{
    return fMenuImpl->radio;
}

menu_layout BMenu::Layout() const
{
    return fMenuImpl->layout;
}

BMenu::MenuImpl& BMenu::Impl() const
{
    return *fMenuImpl;
}

BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout, bool resizeToFit)
    : BView(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS),
      fBarImpl(std::make_unique<BarImpl>())
{
    auto* bar = new QMenuBar;
    bar->setNativeMenuBar(false);
    fBarImpl->bar = bar;
    BView::Impl().SetControl(bar);
    if (!resizeToFit)
        return;
    // Spans the window's width and is as high as its items need.
    BView::Impl().fitOnAttach = [this](int contentWidth) {
        auto& frame = BView::Impl().frame;
        frame.right = frame.left + static_cast<float>(contentWidth);
        frame.bottom = frame.top + static_cast<float>(fBarImpl->bar->sizeHint().height());
    };
}

BMenuBar::~BMenuBar()
{
    fBarImpl->menus.clear();
}

bool BMenuBar::AddItem(BMenu* menu)
{
    fBarImpl->menus.emplace_back(menu);
    menu->Impl().bar = this;
    fBarImpl->bar->addMenu(menu->Impl().menu.get());
    return true;
}

int32 BMenuBar::CountItems() const
{
    return static_cast<int32>(fBarImpl->menus.size());
}

BMenu* BMenuBar::SubmenuAt(int32 index) const
{
    const auto& menus = fBarImpl->menus;
    if (index < 0 || index >= static_cast<int32>(menus.size()))
        return nullptr;
    return menus[static_cast<size_t>(index)].get();
}

BMenuBar::BarImpl& BMenuBar::BarImplRef() const
{
    return *fBarImpl;
}
