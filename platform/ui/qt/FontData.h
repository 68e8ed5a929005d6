#pragma once

#include "platform/ui/LogFont.h"

#include <QFont>

namespace ui {

// What a font object holds: the record it was made from and the toolkit font.
struct FontData {
    LOGFONT record;
    QFont font;
};

} // namespace ui
