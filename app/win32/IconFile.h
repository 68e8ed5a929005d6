#pragma once

// The program's XPM icons turned into what Windows reads: scaled images in .ico files. Plain
// C++, so the tool that writes them runs wherever the build does.

#include <cstdint>
#include <span>
#include <vector>

namespace icon {

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;

    bool operator==(const Rgba&) const = default;
};

// Rows top down; colours are not premultiplied, and a transparent pixel is all zero.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Rgba At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
    bool operator==(const Image&) const = default;
};

// XPM as compiled in: the values line, the colour lines, the pixel rows. Colours are #RRGGBB or
// None; std::runtime_error names the line that is neither.
Image ReadXpm(std::span<const char* const> lines);

// Each pixel is its area of the source, averaged by coverage and alpha: whole multiples keep the
// drawing's hard edges, other sizes blend only where a pixel straddles two.
Image Scale(const Image& source, int width, int height);

// One image as an .ico entry and an RT_ICON resource hold it: BITMAPINFOHEADER, 32-bit BGRA rows
// bottom up, then the 1-bit mask. Sides are 1 to 256 pixels.
std::vector<uint8_t> EncodeIconImage(const Image& image);

// An .ico file of the images in their order.
std::vector<uint8_t> EncodeIco(std::span<const Image> images);

} // namespace icon
