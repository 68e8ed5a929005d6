#include "pages/CopiedValues.h"

#include "widgets/grid/PastedText.h"

#include <charconv>

namespace {

constexpr char kLineSeparator = '\n';
constexpr char kFieldSeparator = '\t';

} // namespace

std::string CopiedValues::Record() const
{
    std::string record = m_scale;
    for (const Line& line : m_lines) {
        record += kLineSeparator;
        for (size_t field = 0; field < line.size(); ++field) {
            if (field > 0) record += kFieldSeparator;
            if (line[field]) record += std::to_string(*line[field]);
        }
    }
    return record;
}

std::optional<CopiedValues> CopiedValues::FromRecord(std::string_view record)
{
    const size_t scaleEnd = record.find(kLineSeparator);
    if (scaleEnd == std::string_view::npos) return std::nullopt;
    // Split as the text is, so that both lose the same empty last line.
    std::vector<Line> lines;
    for (const PastedRow& fields : SplitPastedText(record.substr(scaleEnd + 1))) {
        Line& line = lines.emplace_back();
        for (const std::string_view field : fields) {
            if (field.empty()) {
                line.emplace_back();
                continue;
            }
            uint16_t value = 0;
            const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
            if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
            line.emplace_back(value);
        }
    }
    return CopiedValues(std::string(record.substr(0, scaleEnd)), std::move(lines));
}

bool CopiedValues::LaidOutAs(std::string_view text) const
{
    const std::vector<PastedRow> lines = SplitPastedText(text);
    if (lines.size() != m_lines.size()) return false;
    for (size_t line = 0; line < lines.size(); ++line) {
        if (lines[line].size() != m_lines[line].size()) return false;
    }
    return true;
}

std::optional<uint16_t> CopiedValues::At(size_t line, size_t field) const
{
    if (line >= m_lines.size() || field >= m_lines[line].size()) return std::nullopt;
    return m_lines[line][field];
}
