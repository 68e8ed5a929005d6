#include "platform/ui/ImageList.h"

#include "platform/ui/DeviceContext.h"

namespace ui {

int ImageList::Add(Bitmap image)
{
    if (image.Width() != m_size.cx || image.Height() != m_size.cy) return -1;
    m_images.push_back(std::move(image));
    return GetImageCount() - 1;
}

bool ImageList::Draw(DC& dc, int index, Point at) const
{
    if (index < 0 || index >= GetImageCount()) return false;
    dc.DrawBitmap(m_images[static_cast<size_t>(index)], at.x, at.y);
    return true;
}

} // namespace ui
