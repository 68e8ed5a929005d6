// Dialogs on Win32: the system's dialog manager builds the window and its controls from our
// template in memory (our dialog class, the template's font, dialog units as the system computes
// them); each control is subclassed and bound to its object. A modal dialog runs our own loop,
// so every queued key and click passes the pre-translation walk first. Pairs with
// qt/DialogQt.cpp; items, keys and focus order are shared (Dialog.cpp).

#include "platform/ui/Dialog.h"

#include "platform/ui/ControlStandIn.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Font.h"
#include "platform/ui/InteractionHooks.h"
#include "platform/ui/LabelFit.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

#include <climits>
#include <cstdlib>
#include <string>

#include "platform/win32/Wide.h"

#include "platform/ui/win32/FontData.h"
#include "platform/ui/win32/InMemoryTemplate.h"
#include "platform/ui/win32/WindowBridge.h"

namespace ui {

// The modal loop of a dialog: it runs until the dialog ends or the application quits.
class ModalLoop {
public:
    explicit ModalLoop(HWND dialog)
        : m_dialog(dialog)
    { }
    void Run(const bool& ended)
    {
        MSG msg{};
        while (!ended && ::IsWindow(m_dialog)) {
            if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // the outer loop ends too
                return;
            }
            WindowBridge::Route(msg);
        }
    }
    // Wakes the loop, which may be waiting for a message, to see that the dialog ended.
    void Wake() { ::PostMessageW(m_dialog, WM_NULL, 0, 0); }

private:
    HWND m_dialog;
};

namespace {

// While a modal dialog runs, the other windows of the program take no input.
class DisabledOthers {
public:
    explicit DisabledOthers(HWND dialog)
        : m_dialog(dialog)
    {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM self) {
                auto& others = *reinterpret_cast<DisabledOthers*>(self);
                if (hwnd != others.m_dialog && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
                    ::EnableWindow(hwnd, FALSE);
                    others.m_disabled.push_back(hwnd);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
    }
    ~DisabledOthers()
    {
        for (HWND hwnd : m_disabled) ::EnableWindow(hwnd, TRUE);
    }
    DisabledOthers(const DisabledOthers&) = delete;
    DisabledOthers& operator=(const DisabledOthers&) = delete;

private:
    HWND m_dialog;
    std::vector<HWND> m_disabled;
};

// The smaller font a label its text overflows takes; none when it keeps the dialog's.
std::unique_ptr<Font> FittedLabelFont(HWND label, const ControlTemplate& control, const Font& font)
{
    if (control.windowClass != wc::Static || (control.style & SS_TYPEMASK) == SS_ICON || control.text.empty()) return nullptr;
    RECT client{};
    ::GetClientRect(label, &client);
    const std::wstring text = win32::Widen(control.text);
    LOGFONT record;
    if (!font.GetLogFont(record)) return nullptr;
    const int original = std::abs(record.lfHeight);
    HDC dc = ::GetDC(label);
    const std::optional<int> size = FittingLabelSize(original, Size{client.right, client.bottom}, [&](int pixelSize) {
        Font sized;
        LOGFONT sizedRecord = record;
        sizedRecord.lfHeight = -pixelSize;
        if (pixelSize != original && !sized.CreateFontIndirect(sizedRecord)) return Size{INT_MAX, INT_MAX};
        const HGDIOBJ previous = ::SelectObject(dc, (pixelSize == original ? font : sized).Data()->font);
        SIZE extent{};
        TEXTMETRICW metrics{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::GetTextMetricsW(dc, &metrics);
        ::SelectObject(dc, previous);
        return Size{extent.cx, metrics.tmHeight};
    });
    ::ReleaseDC(label, dc);
    if (!size || *size == original) return nullptr;
    auto fitted = std::make_unique<Font>();
    record.lfHeight = -*size;
    return fitted->CreateFontIndirect(record) ? std::move(fitted) : nullptr;
}

} // namespace

bool Dialog::Instantiate(const DialogTemplate& dialogTemplate, Window* parent)
{
    const bool child = (dialogTemplate.style & WS_CHILD) != 0;
    HWND parentHandle = WindowBridge::HandleOf(parent);
    if ((child && parentHandle == nullptr) || !WindowBridge::RegisterClasses()) return false;
    if (!child && parentHandle != nullptr) parentHandle = ::GetAncestor(parentHandle, GA_ROOT);

    const std::vector<uint16_t> words = InMemoryTemplate(
        dialogTemplate, WindowBridge::kDialogClass, OwnClasses{WindowBridge::IsOwnClassName, WindowBridge::kWindowClass});
    WindowBridge::CreatingFor(this, NativeWidget::Kind::Dialog);
    HWND hwnd = ::CreateDialogIndirectParamW(
        ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), parentHandle, nullptr, 0);
    WindowBridge::CreatingFor(nullptr, NativeWidget::Kind::Dialog);
    if (hwnd == nullptr || !IsWindow()) {
        Warn("CreateDialogIndirectParamW failed");
        if (hwnd != nullptr) ::DestroyWindow(hwnd);
        return false;
    }
    SetStyle(dialogTemplate.style);

    m_font = std::make_unique<Font>();
    m_font->CreatePointFont(dialogTemplate.pointSize * 10, std::string(dialogTemplate.fontFace).c_str());
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), 0);
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(hwnd, &units);
    m_baseUnits = Size{units.right, units.bottom};

    // The dialog manager makes the controls in template order, each at the end of the z-order.
    m_controls.clear();
    m_labelFonts.clear();
    HWND item = ::GetWindow(hwnd, GW_CHILD);
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (item == nullptr) break;
        std::unique_ptr<Window> standIn = StandInFor(control);
        const auto kind = WindowBridge::IsOwnClass(item) ? NativeWidget::Kind::Own : NativeWidget::Kind::Control;
        WindowBridge::Attach(*standIn, item, kind, control.id, control.style, m_font.get());
        if (std::unique_ptr<Font> fitted = FittedLabelFont(item, control, *m_font)) {
            standIn->SetFont(fitted.get(), false);
            m_labelFonts.push_back(std::move(fitted));
        }
        if (kind == NativeWidget::Kind::Own && (control.style & WS_BORDER) != 0) {
            // The dialog manager made the border a sunken edge; a window of ours has the plain
            // one its template asks for, which it draws itself.
            ::SetWindowLongW(item, GWL_EXSTYLE, ::GetWindowLongW(item, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
            ::SetWindowLongW(item, GWL_STYLE, ::GetWindowLongW(item, GWL_STYLE) | WS_BORDER);
            ::SetWindowPos(item, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        m_controls.push_back(std::move(standIn));
        m_items[control.id >= 0 ? control.id : -1 - static_cast<int>(m_controls.size())] = m_controls.back().get();
        item = ::GetWindow(item, GW_HWNDNEXT);
    }
    return true;
}

int Dialog::DoModal()
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr || IsWindow()) return -1;
    m_ended = false;
    m_result = -1;
    m_modalStarting = true;
    if (!Instantiate(*dialogTemplate, m_parentWindow)) {
        m_modalStarting = false;
        return -1;
    }
    HWND hwnd = WindowBridge::HandleOf(*this);
    {
        const DisabledOthers disabled(hwnd);
        const bool focusFirst = OnInitDialog();
        if (!m_ended && IsWindow()) {
            ::ShowWindow(hwnd, SW_SHOW);
            ::SetForegroundWindow(hwnd);
            if (focusFirst) FocusFirstTabStop();
            if (InteractionHooks* hooks = InteractionHooks::Installed()) {
                // A test never waits on a dialog: one its script left open is cancelled.
                hooks->OnModalDialog(*this);
                if (!m_ended) EndDialog(IDCANCEL);
            }
            if (!m_ended && IsWindow()) {
                ModalLoop loop(hwnd);
                m_loop = &loop;
                loop.Run(m_ended);
                m_loop = nullptr;
            }
        }
        m_modalStarting = false;
        // The owner is enabled again before the dialog goes, so the system activates it.
    }
    DestroyWindow();
    m_items.clear();
    m_controls.clear();
    return m_result;
}

bool Dialog::Create(Window* parent)
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr || IsWindow()) return false;
    if (parent != nullptr) m_parentWindow = parent;
    if (!Instantiate(*dialogTemplate, m_parentWindow)) return false;
    const bool child = (dialogTemplate->style & WS_CHILD) != 0;
    if (child) WindowBridge::StackOnTop(WindowBridge::HandleOf(*this));
    const bool focusFirst = OnInitDialog();
    if ((dialogTemplate->style & WS_VISIBLE) != 0 || !child) {
        ::ShowWindow(WindowBridge::HandleOf(*this), SW_SHOW);
        if (focusFirst && !child) FocusFirstTabStop();
    }
    return true;
}

void Dialog::EndDialog(int result)
{
    if (!IsModal()) return;
    m_result = result;
    m_ended = true;
    if (m_loop != nullptr) m_loop->Wake();
}

void Dialog::BindControl(int id, Window& control)
{
    auto found = m_items.find(id);
    if (found == m_items.end() || found->second == nullptr || !found->second->IsWindow()) return;
    Window* standIn = found->second;
    HWND hwnd = WindowBridge::HandleOf(*standIn);
    const uint32_t style = standIn->GetStyle();
    Font* font = standIn->GetFont();
    const auto kind = WindowBridge::IsOwnClass(hwnd) ? NativeWidget::Kind::Own : NativeWidget::Kind::Control;
    WindowBridge::Detach(*standIn);
    WindowBridge::Attach(control, hwnd, kind, id, style, font);
    found->second = &control;
    control.PreSubclassWindow();
    if (kind == NativeWidget::Kind::Own) {
        // Its size came while no object stood for it; a window the program draws lays out by it.
        const Rect client = control.GetClientRect();
        control.SendMessage(WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
    }
}

} // namespace ui
