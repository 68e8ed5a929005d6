#include "platform/ui/Bitmap.h"

#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/QtConvert.h"

namespace ui {

Bitmap::Bitmap(int width, int height, COLORREF fill)
    : m_data(std::make_unique<Data>(Data{QImage(width, height, QImage::Format_RGB32)}))
{
    m_data->image.fill(qt::ToQColor(fill));
}

Bitmap::~Bitmap() = default;
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;

int Bitmap::Width() const
{
    return m_data->image.width();
}
int Bitmap::Height() const
{
    return m_data->image.height();
}

COLORREF Bitmap::GetPixel(int x, int y) const
{
    if (!m_data->image.valid(x, y)) return 0xFFFFFFFF;
    return qt::FromQColor(m_data->image.pixelColor(x, y));
}

} // namespace ui
