#include "platform/ui/SystemMetrics.h"

#include "platform/ui/Messages.h"
#include "platform/ui/win32/SystemSettings.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Windows.h"

namespace ui {

namespace {

std::optional<int> g_wheelScrollLines;

} // namespace

void OverrideWheelScrollLines(std::optional<int> lines)
{
    g_wheelScrollLines = lines;
}

LOGFONT GetMessageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONT record;
    record.lfWeight = FW_NORMAL;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return record;
    const LOGFONTW& font = metrics.lfMessageFont;
    record.lfHeight = font.lfHeight;
    record.lfWidth = font.lfWidth;
    record.lfWeight = font.lfWeight;
    record.lfItalic = font.lfItalic;
    record.lfCharSet = font.lfCharSet;
    record.lfQuality = font.lfQuality;
    record.lfPitchAndFamily = font.lfPitchAndFamily;
    const std::string face = win32::Narrow(font.lfFaceName);
    std::memcpy(record.lfFaceName, face.data(), std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1)));
    return record;
}

int GetWheelScrollLines()
{
    if (g_wheelScrollLines) return *g_wheelScrollLines;
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

int GetScrollBarSize()
{
    return ::GetSystemMetrics(SM_CXVSCROLL);
}

int ScreenPixelsPerInch()
{
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return pixelsPerInch;
}

int ScaleToScreen(int pixels)
{
    return MulDiv(pixels, ScreenPixelsPerInch(), 96);
}

bool IsKeyDown(unsigned vk)
{
    return (::GetKeyState(static_cast<int>(vk)) & 0x8000) != 0;
}

} // namespace ui
