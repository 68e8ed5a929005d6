#pragma once

#include "widgets/list/CListCtrlEx.h"
#include "widgets/list/WindowPos.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

namespace listtest {

constexpr int kListDialog = 9201;          // the list and an edit to take the focus
constexpr int kShowSelectionDialog = 9202; // the same with the show-selection-always style
constexpr int kListId = 100;
constexpr int kEditId = 101;

// The fixture's columns: a label, a right-aligned value and a centred unit.
constexpr int kLabelWidth = 60;
constexpr int kValueWidth = 70;
constexpr int kUnitWidth = 50;
constexpr int kColumnsWidth = kLabelWidth + kValueWidth + kUnitWidth;

// Keeps every window-position record the list receives.
class WatchedList : public CListCtrlEx {
public:
    ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;

    std::vector<listctrl::WINDOWPOS> positions;
};

class ListHost : public ui::Dialog {
public:
    explicit ListHost(int templateId) : Dialog(templateId) {}

    WatchedList list;

protected:
    void DoDataExchange() override { BindControl(kListId, list); }
};

// Where an area's pixels differ from its background (inclusive bounds).
struct Ink {
    bool any = false;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int Height() const { return bottom - top + 1; }
};

// The list as painted, read in client coordinates.
class Picture {
public:
    Picture(ui::Bitmap bitmap, int border) : m_bitmap(std::move(bitmap)), m_border(border) {}

    ui::COLORREF At(int x, int y) const { return m_bitmap.GetPixel(x + m_border, y + m_border); }
    Ink InkIn(const ui::Rect& area, ui::COLORREF background) const;
    // Pixels of area that differ from the same pixels of reference (drawn at area's origin).
    int Differences(const ui::Rect& area, const ui::Bitmap& reference) const;

private:
    ui::Bitmap m_bitmap;
    int m_border = 0;
};

class ListFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    virtual int TemplateId() const { return kListDialog; }

    WatchedList& List() { return host->list; }
    Picture Grab();
    int ClientWidth() const { return host->list.GetClientRect().Width(); }
    // A column's share of a row, in client coordinates.
    ui::Rect Cell(int item, int column) const;
    int MiddleOf(int item) const;
    void FocusEdit();
    void FocusList();
    // text as a value column shows it: in the value font, black, inset 2 pixels, over fill.
    ui::Bitmap ValueReference(const ui::Rect& cell, std::string_view text, unsigned align, ui::COLORREF fill);

    ui::COLORREF window = ui::GetSysColor(ui::COLOR_WINDOW);
    ui::COLORREF highlight = ui::GetSysColor(ui::COLOR_HIGHLIGHT);
    ui::Font arial9; // the control's font in most tests, and the value font's twin
    ui::Font otherFont; // a font a test gives the control instead
    std::unique_ptr<ListHost> host;
};

class ShowSelectionFixture : public ListFixture {
protected:
    int TemplateId() const override { return kShowSelectionDialog; }
};

} // namespace listtest
