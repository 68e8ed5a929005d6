#include "platform/ui/testing/Input.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/SystemSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <map>
#include <utility>

namespace ui::testing {

namespace {

int QtKey(unsigned vk)
{
    static const std::map<unsigned, int> keys{{VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab}, {VK_RETURN, Qt::Key_Return},
        {VK_ESCAPE, Qt::Key_Escape}, {VK_SPACE, Qt::Key_Space}, {VK_PRIOR, Qt::Key_PageUp}, {VK_NEXT, Qt::Key_PageDown},
        {VK_END, Qt::Key_End}, {VK_HOME, Qt::Key_Home}, {VK_LEFT, Qt::Key_Left}, {VK_UP, Qt::Key_Up}, {VK_RIGHT, Qt::Key_Right},
        {VK_DOWN, Qt::Key_Down}, {VK_INSERT, Qt::Key_Insert}, {VK_DELETE, Qt::Key_Delete}, {VK_ADD, Qt::Key_Plus},
        {VK_SUBTRACT, Qt::Key_Minus}};
    if (const auto found = keys.find(vk); found != keys.end()) return found->second;
    if (vk >= VK_F1 && vk < VK_F1 + 24) return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
    return static_cast<int>(vk); // digits and capital letters share their codes
}

QString KeyText(unsigned vk, unsigned modifiers)
{
    static const std::map<unsigned, char16_t> texts{
        {VK_RETURN, u'\r'}, {VK_TAB, u'\t'}, {VK_ESCAPE, 0x1B}, {VK_BACK, 0x08}, {VK_SPACE, u' '}, {VK_ADD, u'+'}, {VK_SUBTRACT, u'-'}};
    if (const auto found = texts.find(vk); found != texts.end()) return QString(QChar(found->second));
    if ((modifiers & (Control | Alt)) != 0) return {};
    if (vk >= '0' && vk <= '9') return QString(QChar(static_cast<char16_t>(vk)));
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(static_cast<char16_t>((modifiers & Shift) != 0 ? vk : vk + 32)));
    return {};
}

Qt::KeyboardModifiers QtModifiers(unsigned modifiers)
{
    Qt::KeyboardModifiers result;
    for (const auto& [mine, theirs] :
        {std::pair{Shift, Qt::ShiftModifier}, {Control, Qt::ControlModifier}, {Alt, Qt::AltModifier}, {Keypad, Qt::KeypadModifier}}) {
        if ((modifiers & mine) != 0) result |= theirs;
    }
    return result;
}

// Who is told of a window an input left unpainted; none when nobody checks.
std::function<void(std::string_view)> g_staleScreen;
std::function<void(std::string_view)> g_toolkitWarning;

void PaintPendingUpdates()
{
    QApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Around one input or one wait for a condition (timers): the screen is first brought up to date, as
// code may change what a window shows and repaint later; then whatever changed must have been
// repainted.
struct RepaintCheck {
    RepaintCheck()
    {
        if (!g_staleScreen) return;
        for (QWidget* widget : QApplication::allWidgets()) widget->update();
        PaintPendingUpdates();
    }
    ~RepaintCheck()
    {
        if (!g_staleScreen) return;
        PaintPendingUpdates();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            // A window the input showed has its first paint still to come.
            const QImage shown = window->isVisible() ? window->screen()->grabWindow(window->winId()).toImage() : QImage();
            if (!shown.isNull() && shown != window->grab().toImage()) g_staleScreen(window->windowTitle().toStdString());
        }
    }
};

QWidget* KeyTarget(Window* target)
{
    if (QWidget* widget = WidgetOf(target)) return widget->focusProxy() != nullptr ? widget->focusProxy() : widget;
    // An open popup menu takes the keyboard, whoever has the focus.
    if (QWidget* popup = QApplication::activePopupWidget()) return popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    for (QWidget* window : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (window != nullptr) return window->focusWidget() != nullptr ? window->focusWidget() : window;
    }
    return nullptr;
}

// A button event at the window, false when the window is gone (an earlier event may close it). A
// click lands on the innermost widget under the point, as a real one does.
bool Mouse(Window& window, QEvent::Type type, Qt::MouseButton button, Point point, unsigned modifiers = None)
{
    const RepaintCheck check;
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return false;
    QPoint at(point.x, point.y);
    if (QWidget* child = widget->childAt(at); child != nullptr) {
        at = child->mapFrom(widget, at);
        widget = child;
    }
    const QPointF local(at);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, QtModifiers(modifiers));
    QApplication::sendEvent(widget, &event);
    return true;
}

// Lets go of the modifier keys, so that the toolkit's idea of the held keys does not outlive
// the input that held them.
void ReleaseModifiers(QWidget* widget, unsigned modifiers)
{
    if (widget == nullptr || (modifiers & (Shift | Control | Alt)) == 0) return;
    // The toolkit takes the held keys from the last key press it saw: a press of no key says none.
    QKeyEvent none(QEvent::KeyPress, 0, Qt::NoModifier);
    QApplication::sendEvent(widget, &none);
}

// The input method speaks only to a focus that says it takes input-method text.
void SendInputMethodEvent(QWidget* widget, QInputMethodEvent& event)
{
    const RepaintCheck check;
    if (widget == nullptr) return;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(widget, &query);
    if (query.value(Qt::ImEnabled).toBool()) QApplication::sendEvent(widget, &event);
}

} // namespace

void CheckRepaintsAfterInput(std::function<void(std::string_view title)> stale)
{
    g_staleScreen = std::move(stale);
}

void CheckToolkitWarnings(std::function<void(std::string_view text)> warned)
{
    g_toolkitWarning = std::move(warned);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        // The headless display's notes of what it cannot do, and where it keeps its run-time files.
        const bool note = text.startsWith("This plugin does not support") || text.startsWith("QStandardPaths:");
        if (type != QtDebugMsg && type != QtInfoMsg && !note) g_toolkitWarning(text.toStdString());
    });
}

void PressKey(unsigned vk, unsigned modifiers, Window* target)
{
    const RepaintCheck check;
    QWidget* widget = KeyTarget(target);
    if (widget == nullptr) return;
    const int key = vk == VK_RETURN && (modifiers & Keypad) != 0 ? Qt::Key_Enter : QtKey(vk);
    const QString text = KeyText(vk, modifiers);
    QKeyEvent press(QEvent::KeyPress, key, QtModifiers(modifiers), text);
    QApplication::sendEvent(widget, &press);
    QWidget* after = KeyTarget(target);
    if (after == nullptr) return;
    QKeyEvent release(QEvent::KeyRelease, key, QtModifiers(modifiers), text);
    QApplication::sendEvent(after, &release);
    ReleaseModifiers(KeyTarget(target), modifiers);
}

void TypeText(std::string_view text, Window* target)
{
    const RepaintCheck check;
    for (const QChar ch : qt::ToQString(text)) {
        QWidget* widget = KeyTarget(target);
        if (widget == nullptr) return;
        const int key = ch.isLetter() ? ch.toUpper().unicode() : ch.unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void CommitText(std::string_view text, Window* target)
{
    QInputMethodEvent event;
    event.setCommitString(qt::ToQString(text));
    SendInputMethodEvent(KeyTarget(target), event);
}

void ComposeText(std::string_view text, Window* target)
{
    QInputMethodEvent event(qt::ToQString(text), {});
    SendInputMethodEvent(KeyTarget(target), event);
}

void Click(Window& window, Point point, unsigned modifiers)
{
    if (Mouse(window, QEvent::MouseButtonPress, Qt::LeftButton, point, modifiers)
        && Mouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, point, modifiers) && WidgetOf(window) != nullptr)
        ReleaseModifiers(KeyTarget(&window), modifiers);
}

void Click(Window& window)
{
    const Rect r = window.GetClientRect();
    Click(window, Point{r.Width() / 2, r.Height() / 2});
}

void DoubleClick(Window& window, Point point)
{
    Click(window, point);
    if (Mouse(window, QEvent::MouseButtonDblClick, Qt::LeftButton, point)) Mouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, point);
}

void MoveMouse(Window& window, Point point, bool dragging)
{
    const RepaintCheck check;
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return;
    const QPointF local(point.x, point.y);
    const Qt::MouseButtons buttons = dragging ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(Qt::NoButton);
    QMouseEvent event(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void PressButton(Window& window, Point point)
{
    Mouse(window, QEvent::MouseButtonPress, Qt::LeftButton, point);
}

void ReleaseButton(Window& window, Point point)
{
    Mouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, point);
}

void TurnWheel(Window& window, Point point, int delta)
{
    const RepaintCheck check;
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return;
    const QPointF local(point.x, point.y);
    QWheelEvent event(
        local, widget->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void SetWheelScrollLines(std::optional<int> lines)
{
    qt::OverrideWheelScrollLines(lines);
}

void RightClick(Window& window, Point point)
{
    if (!Mouse(window, QEvent::MouseButtonPress, Qt::RightButton, point)) return;
    if (!Mouse(window, QEvent::MouseButtonRelease, Qt::RightButton, point) || WidgetOf(window) == nullptr) return;
    const QPoint local(point.x, point.y);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, local, WidgetOf(window)->mapToGlobal(local));
    QApplication::sendEvent(WidgetOf(window), &menu);
}

void PressCloseBox(Window& topLevel)
{
    if (QWidget* widget = WidgetOf(topLevel)) {
        QCloseEvent close;
        QApplication::sendEvent(widget, &close);
    }
}

void ShowAndActivate(Window& topLevel)
{
    QWidget* widget = WidgetOf(topLevel);
    if (widget == nullptr) return;
    widget->show();
    widget->activateWindow();
    QApplication::setActiveWindow(widget);
    QApplication::processEvents();
}

void ProcessEvents()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    // A timer that expired meanwhile has its tick queued behind everything else.
    QApplication::sendPostedEvents();
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    constexpr int kWakeMs = 10; // the longest a wait goes without looking at done()
    const RepaintCheck check;
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(kWakeMs);
    while (!done()) {
        if (clock.elapsed() >= timeoutMs) return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void Repainting(const std::function<void()>& change)
{
    const RepaintCheck check;
    change();
}

Bitmap Grab(Window& window)
{
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return Bitmap(1, 1);
    Bitmap bitmap(widget->width(), widget->height());
    bitmap.Image().image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

} // namespace ui::testing
