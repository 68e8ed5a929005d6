#include "widgets/grid/CInPlaceEdit.h"

#include "widgets/grid/CGridCtrl.h"
#include "widgets/grid/GridDefs.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int kTextEnd = std::numeric_limits<int>::max();
// Room left after the text when the editor widens to fit it.
constexpr const char* kWidthSlack = "  ";

// Ending an edit sends a record whose handler may move the focus again; one flag for all
// editors keeps that from ending anything a second time.
bool s_bEndingEdit = false;

// Every editor made; one is freed once its window is gone, which may be long after the edit
// ended (the window closes after the key that ended it has been delivered).
std::vector<std::unique_ptr<CInPlaceEdit>>& Editors()
{
    static std::vector<std::unique_ptr<CInPlaceEdit>> editors;
    return editors;
}

void FreeClosedEditors()
{
    std::erase_if(Editors(), [](const std::unique_ptr<CInPlaceEdit>& editor) { return !editor->IsWindow(); });
}

bool IsNavigationKey(ui::UINT vk)
{
    switch (vk) {
    case ui::VK_PRIOR:
    case ui::VK_NEXT:
    case ui::VK_LEFT:
    case ui::VK_UP:
    case ui::VK_RIGHT:
    case ui::VK_DOWN: return true;
    default: return false;
    }
}

// Keys that end the edit whatever the editor was opened with.
bool IsLeavingKey(ui::UINT vk)
{
    return vk == ui::VK_TAB || vk == ui::VK_RETURN || vk == ui::VK_ESCAPE;
}

std::string Utf8(ui::UINT ch)
{
    std::string out;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return out;
}

// The text without its last character (UTF-8).
std::string DropLastChar(std::string text)
{
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) break;
    }
    return text;
}

} // namespace

CInPlaceEdit::CInPlaceEdit(int row, int col, const std::string& text, ui::UINT firstChar, const ui::Rect& rect)
    : m_nRow(row)
    , m_nColumn(col)
    , m_sInitText(text)
    , m_bExitOnArrows(firstChar != kCaretAtEnd)
    , m_Rect(rect)
{ }

CInPlaceEdit::~CInPlaceEdit() = default;

CInPlaceEdit* CInPlaceEdit::Open(
    CGridCtrl& grid, const ui::Rect& rect, uint32_t alignment, int id, int row, int col, const std::string& text, ui::UINT firstChar)
{
    FreeClosedEditors();
    std::unique_ptr<CInPlaceEdit> editor(new CInPlaceEdit(row, col, text, firstChar, rect));
    const uint32_t style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER | ui::ES_AUTOHSCROLL | alignment;
    if (!editor->Create(style, rect, grid, id)) return nullptr;
    CInPlaceEdit* opened = editor.get();
    Editors().push_back(std::move(editor));

    if (CGridDefaultCell* defaultCell = grid.GetDefaultCell(false, false)) opened->SetFont(defaultCell->GetRealizedFont());
    opened->SetWindowText(text);
    opened->SetFocus();
    opened->PlaceSelection(firstChar);
    return opened;
}

void CInPlaceEdit::PlaceSelection(ui::UINT firstChar)
{
    switch (firstChar) {
    case kCaretAtEnd:
    case ui::VK_RETURN: SetSel(kTextEnd, -1); break;
    case ui::VK_BACK:
        SetWindowText(DropLastChar(GetWindowText()));
        SetSel(kTextEnd, -1);
        break;
    case ui::VK_TAB:
    case ui::VK_SPACE:
    case ui::VK_PRIOR:
    case ui::VK_NEXT:
    case ui::VK_END:
    case ui::VK_HOME:
    case ui::VK_LEFT:
    case ui::VK_UP:
    case ui::VK_RIGHT:
    case ui::VK_DOWN: SetSel(0, -1); break;
    default:
        SetSel(0, -1);
        Type(firstChar);
        break;
    }
}

void CInPlaceEdit::Type(ui::UINT ch)
{
    ReplaceSel(Utf8(ch));
    WidenToText();
}

void CInPlaceEdit::Leave(ui::UINT key)
{
    if (key == ui::VK_ESCAPE) SetWindowText(m_sInitText);
    m_nLastChar = key;
    if (ui::Window* grid = GetParent()) grid->SetFocus();
    // Without a focus change (an inactive window) the edit still has to end.
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    if (m_bEnded || s_bEndingEdit || !IsWindow()) return;
    m_bEnded = true;
    s_bEndingEdit = true;

    GV_DISPINFO info;
    info.hdr.code = GVN_ENDLABELEDIT;
    info.item.row = m_nRow;
    info.item.col = m_nColumn;
    info.item.mask = GVIF_TEXT | GVIF_PARAM;
    info.item.lParam = static_cast<ui::LPARAM>(m_nLastChar);
    info.item.strText = GetWindowText();
    SendNotify(info.hdr);

    ui::Window* grid = GetParent();
    if (grid != nullptr && ui::Window::GetFocus() == this) grid->SetFocus();
    // The key that ended the edit may still be on its way through this window's widget.
    ShowWindow(ui::SW_HIDE);
    PostMessage(ui::WM_CLOSE);
    s_bEndingEdit = false;
}

void CInPlaceEdit::WidenToText()
{
    ui::Window* grid = GetParent();
    std::unique_ptr<ui::DC> dc = GetDC();
    if (grid == nullptr || !dc) return;
    dc->SelectFont(GetFont());
    const int width = dc->GetTextExtent(GetWindowText() + kWidthSlack).cx;
    if (width <= m_Rect.Width()) return;
    const int right = std::min(m_Rect.left + width, grid->GetClientRect().right);
    if (right <= m_Rect.right) return;
    m_Rect.right = right;
    MoveWindow(m_Rect);
}

ui::LRESULT CInPlaceEdit::WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam)
{
    // Alt-characters would otherwise be typed.
    if (message == ui::WM_SYSCHAR) return 0;
    return Edit::WindowProc(message, wParam, lParam);
}

ui::UINT CInPlaceEdit::OnGetDlgCode()
{
    return ui::DLGC_WANTALLKEYS;
}

void CInPlaceEdit::OnKeyDown(ui::UINT vk, ui::UINT repeat, ui::UINT flags)
{
    if (m_bEnded) return;
    if (IsLeavingKey(vk) || (IsNavigationKey(vk) && (m_bExitOnArrows || ui::IsKeyDown(ui::VK_CONTROL)))) {
        Leave(vk);
        return;
    }
    Edit::OnKeyDown(vk, repeat, flags);
}

void CInPlaceEdit::OnChar(ui::UINT ch, ui::UINT repeat, ui::UINT flags)
{
    // Tab, Return and Escape were dealt with as keys; after the end nothing types.
    if (m_bEnded || IsLeavingKey(ch)) return;
    // A character sent in code (no repeat count) comes with no key for the toolkit to type.
    if (repeat == 0) {
        Type(ch);
        return;
    }
    Edit::OnChar(ch, repeat, flags);
    WidenToText();
}

void CInPlaceEdit::OnKillFocus(ui::Window* newFocus)
{
    Edit::OnKillFocus(newFocus);
    EndEdit();
}
