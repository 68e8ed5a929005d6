#pragma once

#include "platform/ui/Colors.h"

#include <memory>
#include <string_view>

namespace ui {

// An off-screen picture to draw on and read back.
class Bitmap {
public:
    Bitmap(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~Bitmap();
    Bitmap(Bitmap&&) noexcept;
    Bitmap& operator=(Bitmap&&) noexcept;

    int Width() const;
    int Height() const;
    COLORREF GetPixel(int x, int y) const;

    struct Data;
    Data& Image() const { return *m_data; }

private:
    std::unique_ptr<Data> m_data;
};

} // namespace ui
