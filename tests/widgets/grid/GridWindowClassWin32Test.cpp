// The grid's window on Windows is of the class dialog templates name it by.

#include "GridFixture.h"

#include "platform/win32/Wide.h"

namespace {

using namespace gridtest;

constexpr int kTemplateHost = 9402;
// Taken before the system's headers, whose macros bear the same names.
constexpr uint32_t kPageStyle = ui::WS_POPUP | ui::WS_CAPTION;
constexpr uint32_t kGridStyle = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_TABSTOP;

} // namespace

#include "platform/win32/Windows.h"

namespace {

// The host's child windows of the grid's class, found by the system by its caption and class.
int GridWindowsIn(const wchar_t* caption)
{
    HWND host = ::FindWindowW(nullptr, caption);
    int found = 0;
    for (HWND child = ::FindWindowExW(host, nullptr, win32::Widen(CGridCtrl::kWindowClass).c_str(), nullptr); child != nullptr;
         child = ::FindWindowExW(host, child, win32::Widen(CGridCtrl::kWindowClass).c_str(), nullptr))
        ++found;
    return host != nullptr ? found : -1;
}

// A page holding a grid its template makes, as the map pages do.
class GridPage : public ui::Dialog {
public:
    GridPage()
        : Dialog(kTemplateHost)
    { }
    CGridCtrl grid{3, 3};

protected:
    void DoDataExchange() override { BindControl(kGridId, grid); }
};

using GridWindowClass = GridTest;

// Made in code or from a template, a grid is a window of its own class, bound to its object.
TEST_F(GridWindowClass, AGridMadeInCodeOrFromATemplateIsOfItsOwnClass)
{
    CGridCtrl made(2, 2);
    Place(made, 100, 50);
    EXPECT_EQ(GridWindowsIn(L"Grids"), 1);

    ui::Resources::AddDialog({kTemplateHost, 200, 100, "MS UI Gothic", 9, "Grid from a template", kPageStyle, 0,
        {{kGridId, res::kGridWindowClass, "", 0, 0, 150, 80, kGridStyle}}});
    GridPage page;
    ASSERT_TRUE(page.Create());
    EXPECT_EQ(GridWindowsIn(L"Grid from a template"), 1);
    EXPECT_EQ(page.GetDlgItem(kGridId), &page.grid);
    EXPECT_GT(page.grid.GetClientRect().Width(), 0);
}

} // namespace
