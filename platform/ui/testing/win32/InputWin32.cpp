// Real input on Win32: keys and clicks enter the system's input queue (SendInput) and reach the
// program through its own message loop, pre-translation and dialog keys included, as a user's
// do. Pairs with testing/qt/InputQt.cpp.

#include "platform/ui/testing/Input.h"

#include "platform/ui/MessagePump.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/win32/BitmapData.h"
#include "platform/ui/win32/SystemSettings.h"
#include "platform/ui/win32/WindowBridge.h"

#include <imm.h>

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

bool IsOurs(HWND hwnd)
{
    wchar_t name[32] = {};
    ::GetClassNameW(hwnd, name, 32);
    return std::wstring_view(name) == WindowBridge::kWindowClass || std::wstring_view(name) == WindowBridge::kDialogClass;
}

// The pixels of a top-level window's client area that the program draws itself: what the
// windows of our classes show of themselves, frames included, and not their children. The
// system's controls repaint themselves, each in its own way.
std::vector<RECT> DrawnByTheProgram(HWND top)
{
    struct Union {
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        // The part of the screen a device context of the window may paint.
        void AddVisible(HWND hwnd, DWORD flags, const RECT* except = nullptr)
        {
            HDC dc = ::GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | flags);
            if (dc == nullptr) return;
            HRGN visible = ::CreateRectRgn(0, 0, 0, 0);
            if (::GetRandomRgn(dc, visible, SYSRGN) == 1) {
                if (except != nullptr) {
                    HRGN cut = ::CreateRectRgnIndirect(except);
                    ::CombineRgn(visible, visible, cut, RGN_DIFF);
                    ::DeleteObject(cut);
                }
                ::CombineRgn(region, region, visible, RGN_OR);
            }
            ::DeleteObject(visible);
            ::ReleaseDC(hwnd, dc);
        }
        void Add(HWND hwnd)
        {
            if (!IsOurs(hwnd) || !::IsWindowVisible(hwnd)) return;
            AddVisible(hwnd, DCX_CLIPCHILDREN);
            // The frame: a window's device context takes no notice of its children, which lie
            // inside the client area.
            RECT client{};
            ::GetClientRect(hwnd, &client);
            ::MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
            AddVisible(hwnd, DCX_WINDOW, &client);
        }
    } drawn;
    drawn.Add(top);
    ::EnumChildWindows(
        top,
        [](HWND child, LPARAM to) {
            reinterpret_cast<Union*>(to)->Add(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&drawn));
    // From the screen's coordinates to the client area's, and no further than it.
    POINT origin{0, 0};
    ::ClientToScreen(top, &origin);
    ::OffsetRgn(drawn.region, -origin.x, -origin.y);
    RECT client{};
    ::GetClientRect(top, &client);
    HRGN clip = ::CreateRectRgnIndirect(&client);
    ::CombineRgn(drawn.region, drawn.region, clip, RGN_AND);
    ::DeleteObject(clip);
    std::vector<RECT> rects;
    if (const DWORD size = ::GetRegionData(drawn.region, 0, nullptr); size != 0) {
        std::vector<std::byte> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (::GetRegionData(drawn.region, size, header) != 0) {
            const auto* first = reinterpret_cast<const RECT*>(header->Buffer);
            rects.assign(first, first + header->rdh.nCount);
        }
    }
    ::DeleteObject(drawn.region);
    return rects;
}

// Whether two captures of a client area width pixels across differ inside the rectangles.
bool Differ(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int width, const std::vector<RECT>& inside)
{
    if (a.size() != b.size()) return true;
    for (const RECT& r : inside) {
        for (LONG y = r.top; y < r.bottom; ++y) {
            const auto row = static_cast<size_t>(y) * static_cast<size_t>(width);
            if (!std::equal(a.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(r.left)),
                    a.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(r.right)),
                    b.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(r.left))))
                return true;
        }
    }
    return false;
}

std::string TitleOf(HWND hwnd)
{
    wchar_t title[256] = {};
    ::GetWindowTextW(::GetAncestor(hwnd, GA_ROOT), title, 256);
    return win32::Narrow(title);
}

// The program's top-level windows shown now.
std::vector<HWND> ShownTopLevels()
{
    std::vector<HWND> found;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND top, LPARAM list) {
            if (::IsWindowVisible(top)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(top);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void DrainQueue()
{
    while (PumpMessage()) { }
}

// Runs an input and what it brings about (posted messages, paints), but no timer's tick: a test
// sends a tick itself or waits for one with RunUntil, whatever the machine's speed.
void DeliverInput()
{
    // A tick is the system's last message: once one is next, nothing else waits.
    MSG msg{};
    const auto peek = [&msg](UINT remove) { return ::PeekMessageW(&msg, nullptr, 0, 0, remove | WindowBridge::QueueFilter()) != 0; };
    while (peek(PM_NOREMOVE) && msg.message != WM_TIMER && peek(PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        WindowBridge::Route(msg);
    }
}

// Runs the paints windows asked for, and nothing else that waits.
void PaintPendingUpdates()
{
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND top, LPARAM) {
            ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return TRUE;
        },
        0);
}

constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN;

// Around one input or one wait: the screen is first brought up to date, as code may change what
// a window shows and repaint later; once the paints the input asked for have run, each shown
// window the program draws must look as a fresh paint of it does.
struct RepaintCheck {
    RepaintCheck()
    {
        if (!g_staleScreen) return;
        for (HWND top : ShownTopLevels()) ::RedrawWindow(top, nullptr, nullptr, kRepaintAll);
    }
    ~RepaintCheck()
    {
        if (!g_staleScreen) return;
        PaintPendingUpdates();
        for (HWND hwnd : ShownTopLevels()) {
            const std::vector<uint32_t> shown = Capture(hwnd);
            ::RedrawWindow(hwnd, nullptr, nullptr, kRepaintAll);
            const std::vector<uint32_t> fresh = Capture(hwnd);
            RECT client{};
            ::GetClientRect(hwnd, &client);
            if (Differ(shown, fresh, client.right, DrawnByTheProgram(hwnd))) g_staleScreen(TitleOf(hwnd));
        }
    }
};

void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    DeliverInput();
}

INPUT Key(WORD vk, bool up, DWORD flags = 0)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// The time of the next press. Presses a test makes one after the other are separate clicks, as
// a user's slower ones are: each comes a double-click time after the last, unless it is meant to
// make a double-click.
DWORD g_lastPress = 0;

DWORD PressTime(bool doubling)
{
    const DWORD apart = doubling ? 1 : ::GetDoubleClickTime() + 1;
    g_lastPress = std::max<DWORD>(::GetTickCount(), g_lastPress + apart);
    return g_lastPress;
}

INPUT Mouse(DWORD flags, DWORD data = 0, DWORD time = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.time = time;
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

void Button(Window& window, Point point, DWORD down, DWORD up, unsigned modifiers = None, bool doubling = false)
{
    const RepaintCheck check;
    if (!window.IsWindow()) return;
    PointerTo(window, point);
    std::vector<INPUT> inputs;
    const DWORD time = PressTime(doubling);
    if (down != 0) inputs.push_back(Mouse(down, 0, time));
    if (up != 0) inputs.push_back(Mouse(up, 0, time));
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

void CommitText(std::string_view text, Window* target)
{
    // As the system's input method sends a committed text: each UTF-16 unit, straight to the focus.
    const RepaintCheck check;
    HWND focus = target != nullptr ? Handle(*target) : ::GetFocus();
    if (focus == nullptr) return;
    for (wchar_t unit : win32::Widen(text)) ::SendMessageW(focus, WM_IME_CHAR, unit, 1);
    DeliverInput();
}

void ComposeText(std::string_view, Window* target)
{
    // The composition is the input method's to show: the window is told only that it goes on.
    const RepaintCheck check;
    HWND focus = target != nullptr ? Handle(*target) : ::GetFocus();
    if (focus == nullptr) return;
    ::SendMessageW(focus, WM_IME_STARTCOMPOSITION, 0, 0);
    ::SendMessageW(focus, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    DeliverInput();
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
    Button(window, point, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, None, true);
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
    DeliverInput();
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

Bitmap Grab(Window& window)
{
    if (!window.IsWindow()) return Bitmap(1, 1);
    HWND hwnd = Handle(window);
    // Painted afresh, frame and children included, then taken from the screen.
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT outside{};
    ::GetWindowRect(hwnd, &outside);
    Bitmap bitmap(std::max(1, static_cast<int>(outside.right - outside.left)), std::max(1, static_cast<int>(outside.bottom - outside.top)));
    HDC screen = ::GetWindowDC(hwnd);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ previous = ::SelectObject(memory, bitmap.Image().handle);
    ::BitBlt(memory, 0, 0, bitmap.Width(), bitmap.Height(), screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::ReleaseDC(hwnd, screen);
    return bitmap;
}

void Repainting(const std::function<void()>& change)
{
    const RepaintCheck check;
    change();
}

} // namespace ui::testing
