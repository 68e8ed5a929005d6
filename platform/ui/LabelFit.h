#pragma once

#include "platform/ui/Geometry.h"

#include <functional>
#include <optional>

namespace ui {

// The text's width and one line's height at a font's pixel size.
using TextMeasure = std::function<Size(int pixelSize)>;

// A one-line label whose text is wider than its template gives it (the faces standing in for the
// Japanese ones may run wider) takes a smaller font rather than a cut text: the largest pixel size
// from original down to 8 at which the text fits the label's width, or a second line its height.
// None when no size does.
std::optional<int> FittingLabelSize(int original, Size label, const TextMeasure& measure);

} // namespace ui
