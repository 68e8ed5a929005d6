// The grid's reading of pasted text. Every field lies inside the text, holds no separator and
// no blank at its ends; there is a row per line and a field per separator; and a block the
// grid would copy (tab-separated fields, a line per row) pastes back as the same block.
//
// Input: the clipboard text.

#include "fuzz/support/Check.h"
#include "widgets/grid/PastedText.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kSeparators = "\t,\n";
constexpr std::string_view kBlanks = " \t\r";

std::string Copied(const std::vector<PastedRow>& rows)
{
    std::string text;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) text += '\n';
        for (size_t f = 0; f < rows[r].size(); ++f) {
            if (f > 0) text += '\t';
            text += rows[r][f];
        }
    }
    return text;
}

bool SameBlock(const std::vector<PastedRow>& a, const std::vector<PastedRow>& b)
{
    return std::ranges::equal(a, b, [](const PastedRow& x, const PastedRow& y) { return std::ranges::equal(x, y); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(input), size);
    const std::vector<PastedRow> rows = SplitPastedText(text);

    std::string_view body = text;
    if (body.ends_with('\n')) body.remove_suffix(1);
    if (body.ends_with('\r')) body.remove_suffix(1);
    FUZZ_CHECK(rows.size() == static_cast<size_t>(std::ranges::count(body, '\n')) + 1);
    size_t separators = 0;
    for (const PastedRow& row : rows) {
        FUZZ_CHECK(!row.empty());
        separators += row.size() - 1;
        for (const std::string_view field : row) {
            if (field.empty()) continue;
            FUZZ_CHECK(field.data() >= text.data() && field.data() + field.size() <= text.data() + text.size());
            FUZZ_CHECK(field.find_first_of(kSeparators) == std::string_view::npos);
            FUZZ_CHECK(kBlanks.find(field.front()) == std::string_view::npos && kBlanks.find(field.back()) == std::string_view::npos);
        }
    }
    FUZZ_CHECK(separators == static_cast<size_t>(std::ranges::count_if(body, [](char c) { return c == '\t' || c == ','; })));

    // Copied back, with or without an ending for its last line, the block pastes as itself.
    const std::string copied = Copied(rows);
    for (const std::string_view ending : {"\n", "\r\n"}) FUZZ_CHECK(SameBlock(SplitPastedText(copied + std::string(ending)), rows));
    const bool endsInOneEmptyField = rows.size() > 1 && rows.back().size() == 1 && rows.back().front().empty();
    if (!endsInOneEmptyField) FUZZ_CHECK(SameBlock(SplitPastedText(copied), rows));
    return 0;
}
