#pragma once

#include "platform/ui/LogFont.h"

#include "platform/win32/Windows.h"

namespace ui {

// What a font object holds on Windows: the record it was made from and the GDI font.
struct FontData {
    FontData(const LOGFONT& logFont, HFONT handle)
        : record(logFont)
        , font(handle)
    { }
    ~FontData() { ::DeleteObject(font); }
    FontData(const FontData&) = delete;
    FontData& operator=(const FontData&) = delete;

    LOGFONT record;
    HFONT font;
};

} // namespace ui
