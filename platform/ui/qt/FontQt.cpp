#include "platform/ui/Font.h"

#include "platform/ui/qt/FontData.h"
#include "platform/ui/qt/QtConvert.h"

namespace ui {

Font::Font() = default;
Font::~Font() = default;

bool Font::CreateFontIndirect(const LOGFONT& logFont)
{
    if (m_data) return false; // a font object holds one font until deleted
    m_data = std::make_unique<FontData>(FontData{logFont, qt::ToQFont(logFont)});
    return true;
}

bool Font::CreatePointFont(int tenthsOfPoint, const char* faceName)
{
    return CreateFontIndirect(qt::PointFontRecord(tenthsOfPoint, faceName != nullptr ? faceName : ""));
}

void Font::DeleteObject()
{
    m_data.reset();
}

bool Font::GetLogFont(LOGFONT& logFont) const
{
    if (!m_data) return false;
    logFont = m_data->record;
    return true;
}

} // namespace ui
