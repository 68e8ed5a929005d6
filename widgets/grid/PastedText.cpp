#include "widgets/grid/PastedText.h"

namespace {

constexpr char kLineSeparator = '\n';
// A pasted field ends at either of these.
constexpr std::string_view kFieldSeparators = "\t,";
constexpr std::string_view kWhiteSpace = " \t\r";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

PastedRow SplitLine(std::string_view line)
{
    PastedRow fields;
    size_t fieldStart = 0;
    while (fieldStart <= line.size()) {
        size_t fieldEnd = line.find_first_of(kFieldSeparators, fieldStart);
        if (fieldEnd == std::string_view::npos) fieldEnd = line.size();
        fields.push_back(Trim(line.substr(fieldStart, fieldEnd - fieldStart)));
        fieldStart = fieldEnd + 1;
    }
    return fields;
}

} // namespace

std::vector<PastedRow> SplitPastedText(std::string_view text)
{
    // Pasting an empty row after the block would blank the cells below it.
    if (text.ends_with(kLineSeparator)) text.remove_suffix(1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    std::vector<PastedRow> rows;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find(kLineSeparator, lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        rows.push_back(SplitLine(text.substr(lineStart, lineEnd - lineStart)));
        lineStart = lineEnd + 1;
    }
    return rows;
}
