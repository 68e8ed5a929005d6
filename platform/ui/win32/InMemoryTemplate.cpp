#include "platform/ui/win32/InMemoryTemplate.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Styles.h"
#include "platform/win32/Wide.h"

#include <string>

#include "platform/win32/Windows.h"

namespace ui {

namespace {

class Words {
public:
    void Word(uint16_t value) { m_words.push_back(value); }
    void Dword(uint32_t value)
    {
        Word(static_cast<uint16_t>(value & 0xFFFF));
        Word(static_cast<uint16_t>(value >> 16));
    }
    void Text(const std::wstring& text)
    {
        for (wchar_t c : text) Word(static_cast<uint16_t>(c));
        Word(0);
    }
    // Items start on a 4-byte boundary.
    void AlignDword()
    {
        if (m_words.size() % 2 != 0) Word(0);
    }
    std::vector<uint16_t> Take() { return std::move(m_words); }

private:
    std::vector<uint16_t> m_words;
};

bool IsSystemClass(std::string_view name)
{
    return name == wc::Button || name == wc::Static || name == wc::Edit || name == wc::ListBox || name == wc::TabControl;
}

// A class of ours registered under the template's name (the grid's) keeps it; any other the
// system does not know is made as ownClass.
std::wstring ClassOf(std::string_view name, const OwnClasses& own)
{
    std::wstring wide = win32::Widen(name);
    return IsSystemClass(name) || own.isOwn(wide) ? wide : std::wstring(own.fallback);
}

} // namespace

std::vector<uint16_t> InMemoryTemplate(const DialogTemplate& dialogTemplate, const wchar_t* windowClass, const OwnClasses& own)
{
    const bool child = (dialogTemplate.style & WS_CHILD) != 0;
    // Shown once initialised; a child page lets Tab move into and out of it.
    uint32_t style = (dialogTemplate.style & ~WS_VISIBLE) | DS_SETFONT;
    uint32_t exStyle = dialogTemplate.exStyle;
    if (child) {
        style |= DS_CONTROL | WS_CLIPSIBLINGS;
        exStyle |= WS_EX_CONTROLPARENT;
    } else {
        style |= DS_CENTER;
    }
    Words words;
    words.Word(1);      // dlgVer
    words.Word(0xFFFF); // signature of the extended template
    words.Dword(0);     // helpID
    words.Dword(exStyle);
    words.Dword(style);
    words.Word(static_cast<uint16_t>(dialogTemplate.controls.size()));
    for (int value : {0, 0, dialogTemplate.cx, dialogTemplate.cy}) words.Word(static_cast<uint16_t>(value));
    words.Word(0); // no menu
    words.Text(windowClass);
    words.Text(win32::Widen(dialogTemplate.caption));
    words.Word(static_cast<uint16_t>(dialogTemplate.pointSize));
    words.Word(FW_NORMAL);
    words.Word(DEFAULT_CHARSET << 8); // italic 0, then the character set
    words.Text(win32::Widen(dialogTemplate.fontFace));

    for (const ControlTemplate& control : dialogTemplate.controls) {
        words.AlignDword();
        words.Dword(0); // helpID
        words.Dword(control.exStyle);
        // A control does not paint over a sibling above it, and a window the program draws never
        // over its children (the grid's editor). Group boxes and statics are what the controls
        // around them are read against: a later one shows over the earlier ones, as on Linux.
        const bool decoration
            = control.windowClass == wc::Static || (control.windowClass == wc::Button && (control.style & BS_TYPEMASK) == BS_GROUPBOX);
        const uint32_t clipping = decoration ? 0 : IsSystemClass(control.windowClass) ? WS_CLIPSIBLINGS : WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        // A list box keeps the height its template gives, as on Linux, not whole rows only.
        const uint32_t height = control.windowClass == wc::ListBox ? LBS_NOINTEGRALHEIGHT : 0;
        words.Dword(control.style | clipping | height);
        for (int value : {control.x, control.y, control.cx, control.cy}) words.Word(static_cast<uint16_t>(value));
        words.Dword(static_cast<uint32_t>(control.id));
        words.Text(ClassOf(control.windowClass, own));
        // An icon static names its icon resource by number; the dialog manager loads it from the
        // program file.
        if ((control.style & SS_TYPEMASK) == SS_ICON && control.windowClass == wc::Static) {
            words.Word(0xFFFF);
            words.Word(static_cast<uint16_t>(control.iconId));
        } else {
            words.Text(win32::Widen(control.text));
        }
        words.Word(0); // no creation data
    }
    return words.Take();
}

} // namespace ui
