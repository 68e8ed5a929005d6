#pragma once

#include "platform/profile/Cp932.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

// The bytes of one INI file and the lookups on them. Sections are "[name]" lines, entries are
// "key=value" lines, a line whose first non-blank character is ';' is a comment; names match
// without regard to ASCII case and the first match wins. The whole file is read as UTF-8 or as
// CP932, never a mix: UTF-8 when a byte order mark says so, or when it is well-formed UTF-8 and
// holds a character of three bytes or more (any kana or kanji); a leading byte order mark is
// skipped. Edits work on the raw bytes, so every byte outside the edit stays as it was.
class IniText {
public:
    explicit IniText(std::string bytes);

    bool IsCp932() const { return m_cp932.has_value(); }

    // The value of the first matching key in the first matching section, in UTF-8 with the
    // blanks around it removed; empty when the section or key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The whole file with that key set to `value`: the value replaced in place, or the key added
    // after the last non-blank line of the section, or the section added at the end, in the
    // file's own line ending. Empty when a name cannot be stored (a line break, a '=' in the
    // key, a ']' in the section, or a character this file's code page lacks).
    std::optional<std::string> WithValue(std::string_view section, std::string_view key, std::string_view value) const;

private:
    // Content is [begin, end); the line ending, if any, is [end, next).
    struct Line {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t next = 0;
    };
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    struct Entry {
        std::string key;
        Span value;
    };
    struct Lookup {
        std::optional<std::size_t> sectionLine; // header of the first matching section
        std::size_t lastFilledLine = 0;         // its last non-blank line, scanned up to the key
        std::optional<Span> value;
    };

    void SplitLines();
    Lookup Find(std::string_view section, std::string_view key) const;
    std::optional<std::string> SectionName(const Line& line) const;
    std::optional<Entry> EntryOf(const Line& line) const;
    Span Trimmed(std::size_t begin, std::size_t end) const;
    std::string_view View(Span span) const;
    std::string Decode(std::string_view raw) const;
    std::optional<std::string> Encode(std::string_view utf8) const;
    std::string LineEnding() const;

    std::string m_bytes;
    std::size_t m_bodyBegin = 0; // past a byte order mark
    std::vector<Line> m_lines;
    std::optional<Cp932> m_cp932; // present when the file is read as CP932
};

} // namespace profile
