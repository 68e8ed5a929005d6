// Real input on Win32: keys and clicks enter the system's input queue (SendInput) and reach the
// program through its own message loop, pre-translation and dialog keys included, as a user's
// do. Pairs with testing/qt/InputQt.cpp.

#include "platform/ui/testing/Input.h"

#include "platform/ui/MessagePump.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/win32/Wide.h"

#include <chrono>
#include <utility>
#include <vector>

#include "platform/ui/win32/SystemSettings.h"
#include "platform/ui/win32/WindowBridge.h"

namespace ui::testing {

namespace {

std::function<void(std::string_view)> g_staleScreen;

HWND Handle(Window& window)
{
    return WindowBridge::HandleOf(window);
}

// The client area of a window as the screen shows it.
std::vector<uint32_t> Capture(HWND hwnd)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetDC(hwnd);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap != nullptr) {
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* begin = static_cast<const uint32_t*>(bits);
        pixels.assign(begin, begin + static_cast<size_t>(width) * static_cast<size_t>(height));
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(hwnd, screen);
    return pixels;
}

std::string TitleOf(HWND hwnd)
{
    wchar_t title[256] = {};
    ::GetWindowTextW(::GetAncestor(hwnd, GA_ROOT), title, 256);
    return win32::Narrow(title);
}

// The windows the program draws itself, shown now: the system's controls repaint themselves.
std::vector<HWND> ShownOwnWindows()
{
    std::vector<HWND> found;
    const auto collect = [](HWND hwnd, LPARAM list) {
        wchar_t name[32] = {};
        ::GetClassNameW(hwnd, name, 32);
        if (::IsWindowVisible(hwnd) && std::wstring_view(name) == WindowBridge::kWindowClass) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        }
        return TRUE;
    };
    std::pair<WNDENUMPROC, std::vector<HWND>*> context{collect, &found};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND top, LPARAM pair) {
            const auto& [collectChild, list] = *reinterpret_cast<std::pair<WNDENUMPROC, std::vector<HWND>*>*>(pair);
            collectChild(top, reinterpret_cast<LPARAM>(list));
            ::EnumChildWindows(top, collectChild, reinterpret_cast<LPARAM>(list));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return found;
}

void DrainQueue()
{
    while (PumpMessage()) { }
}

// Around one input or one wait: once the paints it asked for have run, each shown window the
// program draws must look as a fresh paint of it does.
struct RepaintCheck {
    ~RepaintCheck()
    {
        if (!g_staleScreen) return;
        DrainQueue();
        for (HWND hwnd : ShownOwnWindows()) {
            const std::vector<uint32_t> shown = Capture(hwnd);
            ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            if (shown != Capture(hwnd)) g_staleScreen(TitleOf(hwnd));
        }
    }
};

void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    DrainQueue();
}

INPUT Key(WORD vk, bool up, DWORD flags = 0)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

INPUT Mouse(DWORD flags, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

std::vector<WORD> ModifierKeys(unsigned modifiers)
{
    std::vector<WORD> keys;
    if ((modifiers & Shift) != 0) keys.push_back(VK_SHIFT);
    if ((modifiers & Control) != 0) keys.push_back(VK_CONTROL);
    if ((modifiers & Alt) != 0) keys.push_back(VK_MENU);
    return keys;
}

// Keys between modifier presses and releases, as one stroke.
void WithModifiers(unsigned modifiers, std::vector<INPUT> middle)
{
    std::vector<INPUT> inputs;
    for (WORD key : ModifierKeys(modifiers)) inputs.push_back(Key(key, false));
    inputs.insert(inputs.end(), middle.begin(), middle.end());
    for (WORD key : ModifierKeys(modifiers)) inputs.push_back(Key(key, true));
    Send(std::move(inputs));
}

// The system's input goes to the focus: a key for another window moves the focus there first.
void FocusOn(Window* target)
{
    if (target != nullptr && target->IsWindow() && ::GetFocus() != Handle(*target)) target->SetFocus();
}

void PointerTo(Window& window, Point point)
{
    POINT screen{point.x, point.y};
    ::ClientToScreen(Handle(window), &screen);
    ::SetCursorPos(screen.x, screen.y);
}

void Button(Window& window, Point point, DWORD down, DWORD up, unsigned modifiers = None)
{
    const RepaintCheck check;
    if (!window.IsWindow()) return;
    PointerTo(window, point);
    std::vector<INPUT> inputs;
    if (down != 0) inputs.push_back(Mouse(down));
    if (up != 0) inputs.push_back(Mouse(up));
    WithModifiers(modifiers, std::move(inputs));
}

} // namespace

void CheckRepaintsAfterInput(std::function<void(std::string_view title)> stale)
{
    g_staleScreen = std::move(stale);
}

void CheckToolkitWarnings(std::function<void(std::string_view text)> warned)
{
    SetWarningSink(std::move(warned));
}

void PressKey(unsigned vk, unsigned modifiers, Window* target)
{
    const RepaintCheck check;
    FocusOn(target);
    const DWORD extended = (modifiers & Keypad) != 0 && vk == VK_RETURN ? KEYEVENTF_EXTENDEDKEY : 0;
    WithModifiers(modifiers, {Key(static_cast<WORD>(vk), false, extended), Key(static_cast<WORD>(vk), true, extended)});
}

void TypeText(std::string_view text, Window* target)
{
    const RepaintCheck check;
    FocusOn(target);
    for (wchar_t ch : win32::Widen(text)) {
        // A character of the keyboard is typed as its key; any other arrives as the character.
        const SHORT key = ::VkKeyScanW(ch);
        if (key != -1 && (key & 0x0600) == 0) {
            WithModifiers((key & 0x0100) != 0 ? Shift : None, {Key(LOBYTE(key), false), Key(LOBYTE(key), true)});
        } else {
            INPUT down = Key(0, false, KEYEVENTF_UNICODE);
            down.ki.wScan = ch;
            INPUT up = Key(0, true, KEYEVENTF_UNICODE);
            up.ki.wScan = ch;
            Send({down, up});
        }
    }
}

void Click(Window& window, Point point, unsigned modifiers)
{
    Button(window, point, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, modifiers);
}

void Click(Window& window)
{
    const Rect r = window.GetClientRect();
    Click(window, Point{r.Width() / 2, r.Height() / 2});
}

void DoubleClick(Window& window, Point point)
{
    Click(window, point);
    Click(window, point);
}

void RightClick(Window& window, Point point)
{
    Button(window, point, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void PressButton(Window& window, Point point)
{
    Button(window, point, MOUSEEVENTF_LEFTDOWN, 0);
}

void ReleaseButton(Window& window, Point point)
{
    Button(window, point, 0, MOUSEEVENTF_LEFTUP);
}

void MoveMouse(Window& window, Point point, bool)
{
    // Whether the button is held is the system's to know: PressButton holds it.
    Button(window, point, MOUSEEVENTF_MOVE, 0);
}

void TurnWheel(Window& window, Point point, int delta)
{
    const RepaintCheck check;
    if (!window.IsWindow()) return;
    PointerTo(window, point);
    Send({Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta))});
}

void SetWheelScrollLines(std::optional<int> lines)
{
    OverrideWheelScrollLines(lines);
}

void PressCloseBox(Window& topLevel)
{
    // What the caption's close box sends.
    const RepaintCheck check;
    if (topLevel.IsWindow()) ::PostMessageW(Handle(topLevel), WM_SYSCOMMAND, SC_CLOSE, 0);
    DrainQueue();
}

void ShowAndActivate(Window& topLevel)
{
    if (!topLevel.IsWindow()) return;
    HWND hwnd = Handle(topLevel);
    ::ShowWindow(hwnd, SW_SHOW);
    ::SetForegroundWindow(hwnd);
    ::SetActiveWindow(hwnd);
    DrainQueue();
}

void ProcessEvents()
{
    DrainQueue();
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    constexpr DWORD kWakeMs = 10; // the longest a wait goes without looking at done()
    const RepaintCheck check;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, kWakeMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        DrainQueue();
    }
    return true;
}

void Repainting(const std::function<void()>& change)
{
    const RepaintCheck check;
    change();
}

} // namespace ui::testing
