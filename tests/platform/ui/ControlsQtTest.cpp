// How the Qt backend renders style bits: the widgets' own frames, alignments, scroll-bar
// policies and focus policies.

#include "ControlsFixture.h"

#include "platform/ui/qt/WindowBridge.h"

#include <QLabel>
#include <QListWidget>

// Style bits give the look and the reach they name: frames, alignment, wrapping, scroll bars,
// the title and close box, and which controls the keyboard and the mouse can focus.
TEST_F(FormControls, StyleBitsGiveTheLookAndReachTheyName)
{
    const auto label = [this](int id) { return qobject_cast<QLabel*>(WidgetOf(dialog.GetDlgItem(id))); };
    const auto focus = [this](int id) { return WidgetOf(dialog.GetDlgItem(id))->focusPolicy(); };
    const auto* list = qobject_cast<QListWidget*>(WidgetOf(dialog.GetDlgItem(kList)));
    FormDialog noSystemMenu(kNoDefault);
    ASSERT_TRUE(noSystemMenu.Create());
    const auto closeBox = [](Dialog& d) { return (WidgetOf(d)->windowFlags() & Qt::WindowCloseButtonHint) != 0; };
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"a modal frame is a raised panel",
            [&] { return label(kClickable)->frameStyle() == (QFrame::Panel | QFrame::Raised) && label(kClickable)->lineWidth() == 2; }},
        {"centred text", [&] { return label(kClickable)->alignment() == (Qt::AlignHCenter | Qt::AlignTop); }},
        {"left text wraps from the top",
            [&] { return label(kLabel)->alignment() == (Qt::AlignLeft | Qt::AlignTop) && label(kLabel)->wordWrap(); }},
        {"a centred image is one line",
            [&] { return label(kCentred)->alignment() == (Qt::AlignLeft | Qt::AlignVCenter) && !label(kCentred)->wordWrap(); }},
        {"a list box scrolls only down",
            [&] {
                return list->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                    && list->verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded;
            }},
        {"a tab stop takes keys and clicks", [&] { return focus(kEdit) == Qt::StrongFocus && focus(kList) == Qt::StrongFocus; }},
        {"no tab stop takes only clicks", [&] { return focus(kFramed) == Qt::ClickFocus; }},
        {"a static takes no focus", [&] { return focus(kLabel) == Qt::NoFocus && focus(kClickable) == Qt::NoFocus; }},
        {"a system menu brings the close box", [&] { return closeBox(dialog) && !closeBox(noSystemMenu); }},
        {"the dialog's font is its own", [&] { return dialog.GetFont() != nullptr; }},
        {"the caption is the title", [&] { return dialog.GetWindowText() == "Form" && WidgetOf(dialog)->windowTitle() == "Form"; }},
    };
    for (const auto& [name, holds] : cases) EXPECT_TRUE(holds()) << name;
}
