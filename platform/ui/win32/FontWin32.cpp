// Fonts on Windows: a LOGFONTW realised by GDI. Pairs with qt/FontQt.cpp.

#include "platform/ui/Font.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/win32/SystemSettings.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/win32/FontData.h"

namespace ui {

namespace {

LOGFONTW ToLogFontW(const LOGFONT& record)
{
    LOGFONTW native{};
    native.lfHeight = record.lfHeight;
    native.lfWidth = record.lfWidth;
    native.lfEscapement = record.lfEscapement;
    native.lfOrientation = record.lfOrientation;
    native.lfWeight = record.lfWeight;
    native.lfItalic = record.lfItalic;
    native.lfUnderline = record.lfUnderline;
    native.lfStrikeOut = record.lfStrikeOut;
    native.lfCharSet = record.lfCharSet;
    native.lfOutPrecision = record.lfOutPrecision;
    native.lfClipPrecision = record.lfClipPrecision;
    native.lfQuality = record.lfQuality;
    native.lfPitchAndFamily = record.lfPitchAndFamily;
    const std::wstring face = win32::Widen(std::string_view(record.lfFaceName, ::strnlen(record.lfFaceName, LF_FACESIZE)));
    std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), native.lfFaceName);
    return native;
}

} // namespace

Font::Font() = default;
Font::~Font() = default;

bool Font::CreateFontIndirect(const LOGFONT& logFont)
{
    if (m_data) return false; // a font object holds one font until deleted
    const LOGFONTW native = ToLogFontW(logFont);
    HFONT handle = ::CreateFontIndirectW(&native);
    if (handle == nullptr) return false;
    m_data = std::make_unique<FontData>(logFont, handle);
    return true;
}

bool Font::CreatePointFont(int tenthsOfPoint, const char* faceName)
{
    // Points become pixels at the screen's resolution, so a scaled desktop gets larger text.
    LOGFONT record;
    record.lfHeight = -MulDiv(tenthsOfPoint, ScreenPixelsPerInch(), 720);
    record.lfWeight = FW_NORMAL;
    record.lfCharSet = DEFAULT_CHARSET;
    const std::string_view face = faceName != nullptr ? faceName : "";
    const size_t n = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::memcpy(record.lfFaceName, face.data(), n);
    return CreateFontIndirect(record);
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
