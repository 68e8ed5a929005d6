#include "ListFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"

namespace listtest {

using namespace ui;

LRESULT WatchedList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED && lParam != 0) positions.push_back(*reinterpret_cast<const listctrl::WINDOWPOS*>(lParam));
    return CListCtrlEx::WindowProc(message, wParam, lParam);
}

Ink Picture::InkIn(const Rect& area, COLORREF background) const
{
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) == background) continue;
            if (!ink.any) ink = Ink{true, x, x, y, y};
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

int Picture::Differences(const Rect& area, const Bitmap& reference) const
{
    int differences = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) != reference.GetPixel(x - area.left, y - area.top)) ++differences;
        }
    }
    return differences;
}

void ListFixture::SetUpTestSuite()
{
    constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
    constexpr uint32_t kList = kChild | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP;
    for (const auto& [id, extra] : {std::pair{kListDialog, 0u}, std::pair{kShowSelectionDialog, LVS_SHOWSELALWAYS}}) {
        Resources::AddDialog({id, 220, 120, "MS UI Gothic", 9, "List", WS_POPUP | WS_CAPTION, 0,
                              {
                                  {kListId, wc::ListView, "", 5, 5, 210, 80, kList | extra},
                                  {kEditId, wc::Edit, "", 5, 95, 60, 12, kChild | WS_BORDER | WS_TABSTOP},
                              }});
    }
}

void ListFixture::SetUp()
{
    ASSERT_TRUE(arial9.CreatePointFont(90, "Arial"));
    host = std::make_unique<ListHost>(TemplateId());
    ASSERT_TRUE(host->Create());
    ui::testing::ShowAndActivate(*host);
    ASSERT_GT(ClientWidth(), kColumnsWidth + 20) << "the columns must end short of the right edge";
    List().SetFont(&arial9);
    List().InsertColumn(0, "", LVCFMT_LEFT, kLabelWidth);
    List().InsertColumn(1, "", LVCFMT_RIGHT, kValueWidth);
    List().InsertColumn(2, "", LVCFMT_CENTER, kUnitWidth);
    List().InsertItem(0, "Speed");
    List().InsertItem(1, "Boost");
}

Picture ListFixture::Grab()
{
    const int border = (List().GetWindowRect().Width() - ClientWidth()) / 2;
    return Picture(ui::testing::Grab(List()), border);
}

Rect ListFixture::Cell(int item, int column) const
{
    Rect bounds;
    EXPECT_TRUE(host->list.GetItemRect(item, bounds, LVIR_BOUNDS));
    int left = 0;
    int format = 0;
    int width = 0;
    for (int c = 0; c < column && host->list.GetColumn(c, format, width); ++c) left += width;
    host->list.GetColumn(column, format, width);
    return Rect{left, bounds.top, left + width, bounds.bottom};
}

int ListFixture::MiddleOf(int item) const
{
    const Rect row = Cell(item, 0);
    return (row.top + row.bottom) / 2;
}

void ListFixture::FocusEdit()
{
    Window* edit = host->GetDlgItem(kEditId);
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    ui::testing::ProcessEvents();
    ASSERT_EQ(Window::GetFocus(), edit);
}

void ListFixture::FocusList()
{
    List().SetFocus();
    ui::testing::ProcessEvents();
    ASSERT_EQ(Window::GetFocus(), &List());
}

Bitmap ListFixture::ValueReference(const Rect& cell, std::string_view text, unsigned align, COLORREF fill)
{
    Bitmap reference(cell.Width(), cell.Height(), fill);
    DC dc(reference);
    dc.SelectFont(&arial9); // the value font's twin
    Rect area{2, 0, cell.Width() - 2, cell.Height()};
    dc.DrawText(text, area, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return reference;
}

} // namespace listtest
