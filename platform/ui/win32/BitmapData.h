#pragma once

#include "platform/ui/Bitmap.h"

#include <cstdint>

#include "platform/win32/Windows.h"

namespace ui {

// What a bitmap holds on Windows: a 32-bit top-down DIB section, so that GDI draws into it
// through a memory context while its pixels are read straight from memory.
struct Bitmap::Data {
    Data(int width, int height);
    ~Data();
    Data(const Data&) = delete;
    Data& operator=(const Data&) = delete;

    int width = 0;
    int height = 0;
    BITMAPINFO info{};
    HBITMAP handle = nullptr; // none for an empty picture, or when GDI refused one
    uint32_t* bits = nullptr; // 0x00RRGGBB, rows from the top, width pixels each
};

} // namespace ui
