#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Geometry.h"

#include <vector>

namespace ui {

class DC;

// Pictures of one size, drawn by index.
class ImageList {
public:
    ImageList(int width, int height)
        : m_size{width, height}
    { }

    // The new image's index; -1 when its size differs from the list's.
    int Add(Bitmap image);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    Size GetImageSize() const { return m_size; }
    // False for an index the list does not hold.
    bool Draw(DC& dc, int index, Point at) const;

private:
    Size m_size;
    std::vector<Bitmap> m_images;
};

} // namespace ui
