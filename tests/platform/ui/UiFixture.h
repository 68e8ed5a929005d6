#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"
#include "tests/support/DialogHost.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace uitest {

constexpr int kFormDialog = 9001; // OK (default), Cancel, an edit, a sorted list box, three statics, a framed window
constexpr int kNoDefault = 9002;  // an edit and a push button, no default button
constexpr int kHostDialog = 9003; // a tab control and a custom window
constexpr int kChildPage = 9004;  // an empty child page
constexpr int kListDialog = 9005; // an owner-drawn report list view filling the dialog

// Control ids used across the templates.
enum : int { kEdit = 100, kList, kLabel, kButton, kTab, kCustom, kClickable, kListView, kCentred, kFramed };

// The smallest rectangle holding a picture's dark pixels, the text drawn on a light ground;
// empty when there are none.
inline ui::Rect DarkInk(const ui::Bitmap& picture)
{
    ui::Rect ink{picture.Width(), picture.Height(), 0, 0};
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (ui::GetGValue(picture.GetPixel(x, y)) < 100)
                ink = ui::Rect{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
        }
    }
    return ink.IsEmpty() ? ui::Rect{} : ink;
}

} // namespace uitest

// Every window-layer test starts with the test templates registered and a fresh recorder.
class UiFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        using namespace ui;
        using namespace uitest;
        constexpr uint32_t child = WS_CHILD | WS_VISIBLE;
        Resources::AddDialog({kFormDialog, 200, 100, "MS Shell Dlg", 8, "Form", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
            {{kEdit, wc::Edit, "", 7, 7, 60, 12, child | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
                {IDOK, wc::Button, "OK", 143, 7, 50, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP},
                {IDCANCEL, wc::Button, "キャンセル", 143, 24, 50, 14, child | BS_PUSHBUTTON | WS_TABSTOP},
                {kList, wc::ListBox, "", 7, 24, 100, 60, child | WS_BORDER | LBS_NOTIFY | LBS_SORT | WS_TABSTOP},
                {kLabel, wc::Static, "ラベル", 110, 50, 30, 8, child | SS_LEFT},
                {kClickable, wc::Static, "押す", 110, 70, 30, 12, child | SS_NOTIFY | SS_CENTER, WS_EX_DLGMODALFRAME},
                {kCentred, wc::Static, "8", 175, 45, 20, 40, child | SS_LEFT | SS_CENTERIMAGE},
                {kFramed, "TestCustomClass", "", 150, 88, 40, 10, child | WS_BORDER}}});
        Resources::AddDialog({kNoDefault, 120, 60, "MS UI Gothic", 9, "No default", WS_POPUP | WS_CAPTION, 0,
            {{kEdit, wc::Edit, "", 7, 7, 60, 12, child | WS_BORDER | WS_TABSTOP},
                {kButton, wc::Button, "Push", 7, 30, 50, 14, child | BS_PUSHBUTTON | WS_TABSTOP}}});
        Resources::AddDialog({kHostDialog, 300, 200, "MS UI Gothic", 9, "Host", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
            {{kTab, wc::TabControl, "", 7, 7, 200, 180, child | WS_TABSTOP},
                {kCustom, "TestCustomClass", "", 210, 7, 80, 80, child | WS_TABSTOP}}});
        Resources::AddDialog({kChildPage, 60, 20, "MS Shell Dlg", 8, "", WS_CHILD, 0, {}});
        Resources::AddDialog({kListDialog, 160, 120, "MS UI Gothic", 9, "List", WS_POPUP | WS_CAPTION, 0,
            {{kListView, wc::ListView, "", 0, 0, 160, 120,
                child | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | WS_TABSTOP}}});
    }

    ui::testing::Recorder recorder;
};
