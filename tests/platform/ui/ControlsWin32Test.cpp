// What the Win32 backend adds to the dialog manager's controls.

#include "UiFixture.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Font.h"

#include <cstdlib>

namespace {

constexpr int kLabels = 9101;
constexpr int kRoomy = 1, kCramped = 2, kTwoLines = 3;
// Its width is 52 average characters, the system's own measure of the dialog's units: about 208
// of them, whatever the face.
constexpr const char* kText = "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz";

using Labels = UiFixture;

// A one-line label its text overflows takes a smaller font in which the text fits; one with room
// for it, or with room for a second line, keeps the dialog's.
TEST_F(Labels, ALabelItsTextOverflowsTakesASmallerFontInWhichItFits)
{
    constexpr uint32_t label = ui::WS_CHILD | ui::WS_VISIBLE | ui::SS_LEFT;
    ui::Resources::AddDialog({kLabels, 320, 60, "MS Shell Dlg", 8, "Labels", ui::WS_POPUP | ui::WS_CAPTION, 0,
        {{kRoomy, ui::wc::Static, kText, 7, 7, 300, 8, label}, {kCramped, ui::wc::Static, kText, 7, 20, 180, 8, label},
            {kTwoLines, ui::wc::Static, kText, 7, 32, 180, 20, label}}});
    ui::Dialog dialog(kLabels);
    ASSERT_TRUE(dialog.Create());
    const auto height = [](const ui::Font* font) {
        ui::LOGFONT record;
        return font != nullptr && font->GetLogFont(record) ? std::abs(record.lfHeight) : 0;
    };
    const int dialogHeight = height(dialog.GetFont());
    ASSERT_GT(dialogHeight, 0);
    EXPECT_EQ(dialog.GetDlgItem(kRoomy)->GetFont(), dialog.GetFont());
    EXPECT_EQ(dialog.GetDlgItem(kTwoLines)->GetFont(), dialog.GetFont());
    ui::Window* cramped = dialog.GetDlgItem(kCramped);
    ASSERT_NE(cramped->GetFont(), dialog.GetFont());
    EXPECT_LT(height(cramped->GetFont()), dialogHeight);
    ui::DC dc;
    dc.SelectFont(cramped->GetFont());
    EXPECT_LE(dc.GetTextExtent(kText).cx, cramped->GetClientRect().Width());
}

} // namespace
