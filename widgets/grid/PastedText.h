#pragma once

#include <string_view>
#include <vector>

// One line of pasted text: its fields, left to right.
using PastedRow = std::vector<std::string_view>;

// Text from the clipboard read as a block of cells, as the grid pastes it: a row per line
// ('\n'), a field per cell ('\t' or ','), each field without the blanks and carriage returns
// around it. A text that ends its last line, as other programs' copies do, has no empty row
// after it. The fields view into `text`.
std::vector<PastedRow> SplitPastedText(std::string_view text);
