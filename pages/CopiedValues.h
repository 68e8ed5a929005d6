#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The stored values of a block of map cells, carried on the clipboard beside the block's text:
// a paste inside the program puts the values back, where the text shown would be read again
// and rounded. Laid out like the text, a line per row and a field per cell; a field has no
// value where the cell was not selected or showed none.
class CopiedValues {
public:
    using Line = std::vector<std::optional<uint16_t>>;

    CopiedValues(std::string scale, std::vector<Line> lines)
        : m_scale(std::move(scale))
        , m_lines(std::move(lines))
    { }

    // The clipboard record: the scale the values count in, then the lines.
    std::string Record() const;
    // A record read back; nothing when it is not one.
    static std::optional<CopiedValues> FromRecord(std::string_view record);

    const std::string& Scale() const { return m_scale; }
    // Whether the values were copied with `text`: it has their lines and fields.
    bool LaidOutAs(std::string_view text) const;
    std::optional<uint16_t> At(size_t line, size_t field) const;

private:
    std::string m_scale;
    std::vector<Line> m_lines;
};
