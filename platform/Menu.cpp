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
    bool marked = false;
    BMenu* menu = nullptr;
    // Declared before the action, which shows it, so the action goes first.
    std::unique_ptr<BMenu> submenu;
    std::unique_ptr<QAction> action;

    // Separators and submenu items neither take a mark nor send a message.
    bool Markable() const { return !action->isSeparator() && !submenu; }
};

struct BMenu::MenuImpl {
    bool radio = false;
    std::vector<std::unique_ptr<BMenuItem>> items;
    std::unique_ptr<QMenu> menu;
    // Shows radio marks as such; the items' marks are set by the layer, not
    // by Qt's toggling.
    QActionGroup* group = nullptr;
    // Set on a menu of the bar; a submenu reaches the bar through its parent.
    BMenuBar* bar = nullptr;
    BMenu* parent = nullptr;

    BWindow* Window() const
    {
        if (parent != nullptr)
            return parent->Impl().Window();
        return bar != nullptr ? bar->Window() : nullptr;
    }
};

struct BMenuBar::BarImpl {
    std::vector<std::unique_ptr<BMenu>> menus;
    QMenuBar* bar = nullptr;
};

BMenuItem::BMenuItem(const char* label, BMessage* message) : fItemImpl(std::make_unique<ItemImpl>())
{
    auto& impl = *fItemImpl;
    impl.label = label != nullptr ? label : "";
    impl.message.reset(message);
    impl.action = std::make_unique<QAction>(QString::fromStdString(impl.label));
    QObject::connect(impl.action.get(), &QAction::triggered, impl.action.get(), [this] { Invoke(); });
}

BMenuItem::~BMenuItem() = default;

uint32 BMenuItem::Command() const
{
    return fItemImpl->message ? fItemImpl->message->what : 0;
}

const char* BMenuItem::Label() const
{
    return fItemImpl->label.c_str();
}

BMenu* BMenuItem::Submenu() const
{
    return fItemImpl->submenu.get();
}

// In a radio menu, marking one item takes the mark from the others.
void BMenuItem::SetMarked(bool marked)
{
    auto& impl = *fItemImpl;
    marked = marked && impl.Markable();
    const bool radio = impl.menu != nullptr && impl.menu->Impl().radio;
    if (marked && radio) {
        for (const auto& other : impl.menu->Impl().items)
            if (other.get() != this && other->Impl().marked)
                other->SetMarked(false);
    }
    impl.marked = marked;
    impl.action->setCheckable(impl.Markable() && (marked || radio));
    impl.action->setChecked(marked);
}

void BMenuItem::Invoke()
{
    auto& impl = *fItemImpl;
    if (!impl.Markable())
        return;
    if (impl.menu != nullptr && impl.menu->Impl().radio)
        SetMarked(true);
    else
        SetMarked(impl.marked); // undoes Qt's own toggling of a checkable action
    BWindow* window = impl.menu != nullptr ? impl.menu->Impl().Window() : nullptr;
    if (window != nullptr && impl.message)
        window->PostMessage(impl.message->what);
}

BMenuItem::ItemImpl& BMenuItem::Impl() const
{
    return *fItemImpl;
}

BSeparatorItem::BSeparatorItem() : BMenuItem(nullptr, nullptr)
{
    Impl().action->setSeparator(true);
}

BSeparatorItem::~BSeparatorItem() = default;

// Every menu lists its items in a column, whatever the layout asked for.
BMenu::BMenu(const char* label, menu_layout) : fMenuImpl(std::make_unique<MenuImpl>())
{
    auto& impl = *fMenuImpl;
    impl.menu = std::make_unique<QMenu>(QString::fromUtf8(label != nullptr ? label : ""));
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
    if (impl.radio && item->Impl().Markable())
        impl.group->addAction(item->Impl().action.get());
    item->SetMarked(item->Impl().marked);
    return true;
}

bool BMenu::AddItem(BMenu* submenu)
{
    QMenu* shown = submenu->Impl().menu.get();
    auto* item = new BMenuItem(shown->title().toUtf8().constData(), nullptr);
    item->Impl().submenu.reset(submenu);
    item->Impl().action->setMenu(shown);
    submenu->Impl().parent = this;
    return AddItem(item);
}

bool BMenu::AddSeparatorItem()
{
    return AddItem(new BSeparatorItem);
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

void BMenu::SetRadioMode(bool on)
{
    auto& impl = *fMenuImpl;
    impl.radio = on;
    impl.group->setExclusionPolicy(on ? QActionGroup::ExclusionPolicy::ExclusiveOptional
                                      : QActionGroup::ExclusionPolicy::None);
    for (const auto& item : impl.items) {
        QAction* action = item->Impl().action.get();
        if (on && item->Impl().Markable())
            impl.group->addAction(action);
        else
            impl.group->removeAction(action);
        item->SetMarked(item->Impl().marked);
    }
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

BMenu* BMenuBar::SubmenuAt(int32 index) const
{
    const auto& menus = fBarImpl->menus;
    if (index < 0 || index >= static_cast<int32>(menus.size()))
        return nullptr;
    return menus[static_cast<size_t>(index)].get();
}
