// Off-screen pictures on Windows: DIB sections. Pairs with qt/BitmapQt.cpp.

#include "platform/ui/Bitmap.h"

#include <algorithm>
#include <cstddef>

#include "platform/ui/win32/BitmapData.h"

namespace ui {

namespace {

// A DIB's pixel has blue in its low byte where a colour reference has red: the same swap
// turns either into the other. The top byte stays zero.
uint32_t SwapRedAndBlue(uint32_t value)
{
    return (value & 0x0000FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

} // namespace

Bitmap::Data::Data(int width, int height)
{
    if (width <= 0 || height <= 0) return;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    handle = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (handle == nullptr) return; // out of GDI resources: an empty picture rather than a crash
    bits = static_cast<uint32_t*>(memory);
    this->width = width;
    this->height = height;
}

Bitmap::Data::~Data()
{
    if (handle != nullptr) ::DeleteObject(handle);
}

Bitmap::Bitmap(int width, int height, COLORREF fill)
    : m_data(std::make_unique<Data>(width, height))
{
    std::fill_n(m_data->bits, static_cast<size_t>(m_data->width) * static_cast<size_t>(m_data->height), SwapRedAndBlue(fill));
}

Bitmap::~Bitmap() = default;
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;

int Bitmap::Width() const
{
    return m_data->width;
}
int Bitmap::Height() const
{
    return m_data->height;
}

COLORREF Bitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_data->width || y >= m_data->height) return 0xFFFFFFFF;
    // GDI may still hold drawing into the section in its batch.
    ::GdiFlush();
    return SwapRedAndBlue(m_data->bits[static_cast<size_t>(y) * static_cast<size_t>(m_data->width) + static_cast<size_t>(x)]);
}

} // namespace ui
