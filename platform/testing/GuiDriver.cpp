#include "GuiDriver.h"

#include "ScreenColorMap.h"
#include "ViewImpl.h"
#include "Window.h"
#include "WindowImpl.h"

#include <algorithm>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

using namespace platform_detail;

namespace platform_test {
namespace {

// Enough rounds for a message that posts another message, many times over.
constexpr int kMaxRounds = 1000;
constexpr int kDialogLookMs = 5;

// Counts every event the application delivers, to anything.
struct EventCounter : QObject {
    explicit EventCounter(QObject* application) : QObject(application) { application->installEventFilter(this); }
    int delivered = 0;
    bool eventFilter(QObject*, QEvent*) override
    {
        ++delivered;
        return false;
    }
};

EventCounter& Counter()
{
    static auto* counter = new EventCounter(QCoreApplication::instance());
    return *counter;
}

// Looks for the dialog until it is up: the answer is given from inside the
// dialog's own wait, as the user's would be.
template <class Dialog>
void AnswerWhenShown(std::function<void(Dialog*)> answer)
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog != nullptr && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                return answer(dialog);
            }
        }
    });
    timer->start(kDialogLookMs);
}

// The items of the window's menu of this title; none without such a menu.
QList<QAction*> MenuItems(BWindow* window, const char* title)
{
    auto* bar = window->Impl().widget->findChild<QMenuBar*>();
    for (QAction* entry : bar != nullptr ? bar->actions() : QList<QAction*>())
        if (entry->menu() != nullptr && entry->menu()->title() == QString::fromUtf8(title))
            return entry->menu()->actions();
    return {};
}

// A separator as "|", a submenu's item as its label, ">" and its items.
std::string ShownItems(const QList<QAction*>& items)
{
    std::string text;
    for (QAction* item : items) {
        const std::string submenu = item->menu() != nullptr ? ">{" + ShownItems(item->menu()->actions()) + "}" : "";
        const std::string label = item->isSeparator() ? "|" : item->text().toStdString() + submenu;
        text += (text.empty() ? "" : " ") + label + (item->isChecked() ? "*" : "");
    }
    return text;
}

} // namespace

void ProcessEvents()
{
    EventCounter& counter = Counter();
    for (int round = 0; round < kMaxRounds; ++round) {
        counter.delivered = 0;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (counter.delivered == 0)
            break;
    }
}

void DeliverPulse(BWindow* window) { PulseWindow(window); }
void ClickCloseBox(BWindow* window) { window->Impl().widget->close(); }
std::vector<BWindow*> Windows() { return AllWindows(); }
bool IsOpen(BWindow* window) { return std::ranges::count(AllWindows(), window) != 0; }
BPoint ViewOrigin(const BView& view) { return BPoint(view.Impl().frame.left, view.Impl().frame.top); }

std::string ShownMenu(BWindow* window, const char* menuTitle)
{
    return ShownItems(MenuItems(window, menuTitle));
}

// Each step of "A>B" looks in the submenu the step before opens.
bool ChooseMenuItem(BWindow* window, const char* menuTitle, const char* label)
{
    QList<QAction*> items = MenuItems(window, menuTitle);
    QAction* chosen = nullptr;
    for (const QString& step : QString::fromUtf8(label).split(u'>')) {
        const auto item = std::ranges::find(items, step, &QAction::text);
        chosen = item != items.end() ? *item : nullptr;
        items = chosen != nullptr && chosen->menu() != nullptr ? chosen->menu()->actions() : QList<QAction*>();
    }
    if (chosen != nullptr)
        chosen->trigger();
    return chosen != nullptr;
}

void Click(BView* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control->Impl().control.data()))
        button->click();
}

// A final "\n" is the Return key, which the field leaves to its window.
void TypeText(BView* textControl, const std::string& text)
{
    auto* field = textControl->Impl().control->findChild<QLineEdit*>();
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    field->insert(QString::fromStdString(text.substr(0, text.find('\n'))));
    QKeyEvent returnKey(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    if (text.ends_with('\n'))
        QCoreApplication::sendEvent(field, &returnKey);
}

void PostPress(BView* view, BPoint where, uint32 buttons)
{
    QWidget* target = view->Impl().widget;
    const QPointF local(where.x, where.y);
    const Qt::MouseButton button = (buttons & B_SECONDARY_MOUSE_BUTTON) != 0 ? Qt::RightButton
        : (buttons & B_TERTIARY_MOUSE_BUTTON) != 0                          ? Qt::MiddleButton
                                                                             : Qt::LeftButton;
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, local, target->mapToGlobal(local),
                                                        button, button, Qt::NoModifier));
}

void AnswerNextAlert(int32 buttonIndex, std::string* shownText)
{
    AnswerWhenShown<QMessageBox>([buttonIndex, shownText](QMessageBox* box) {
        if (shownText != nullptr)
            *shownText = box->text().toStdString();
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttonIndex >= 0 && buttonIndex < buttons.size()) {
            buttons[buttonIndex]->click();
            return;
        }
        QKeyEvent key(QEvent::KeyPress, buttonIndex == -2 ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
        // To the focused button first, as the user's key goes.
        QCoreApplication::sendEvent(box->focusWidget() != nullptr ? box->focusWidget() : box, &key);
    });
}

void CancelNextFilePanel(std::string* shownName)
{
    AnswerWhenShown<QFileDialog>([shownName](QFileDialog* panel) {
        auto* nameField = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        *shownName = nameField != nullptr ? nameField->text().toStdString() : "(no name field)";
        panel->reject();
    });
}

// Grabs the window's image on the screen after the repaints already asked
// for, so a view that drew without asking for one shows its old pixels.
rgb_color ViewPixel(BView* view, int32 x, int32 y)
{
    QWidget* face = view->Impl().widget;
    if (!face->rect().contains(x, y))
        return rgb_color{0, 0, 0, 0};
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QWidget* window = face->window();
    const QPoint at = face->mapTo(window, QPoint(x, y));
    const QImage shown = window->screen()->grabWindow(window->winId(), at.x(), at.y(), 1, 1).toImage();
    if (shown.isNull())
        return rgb_color{0, 0, 0, 0};
    const QRgb pixel = shown.pixel(0, 0);
    return rgb_color{uint8(qRed(pixel)), uint8(qGreen(pixel)), uint8(qBlue(pixel)), 255};
}

rgb_color ScreenColor(uint8 index) { return ScreenColorMap()[index]; }

} // namespace platform_test
