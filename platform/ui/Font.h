#pragma once

#include "platform/ui/LogFont.h"

#include <memory>

namespace ui {

struct FontData;

// A realised font object. Windows refer to fonts by pointer and never own them.
class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool CreateFontIndirect(const LOGFONT& logFont);
    // Size in tenths of a point at 96 pixels per inch.
    bool CreatePointFont(int tenthsOfPoint, const char* faceName);
    void DeleteObject();
    bool IsNull() const { return m_data == nullptr; }
    bool GetLogFont(LOGFONT& logFont) const;

    const FontData* Data() const { return m_data.get(); }

private:
    std::unique_ptr<FontData> m_data;
};

} // namespace ui
