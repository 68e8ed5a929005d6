#pragma once

#include "platform/ui/Bitmap.h"

#include <QImage>

namespace ui {

struct Bitmap::Data {
    QImage image;
};

} // namespace ui
