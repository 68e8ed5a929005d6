#include "platform/profile/IniText.h"

#include "platform/profile/Utf8.h"

#include <algorithm>

namespace profile {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// Every kana and kanji takes three bytes in UTF-8.
constexpr int kJapaneseUtf8Length = 3;
constexpr unsigned char kLastAscii = 0x7F;
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kNewFileLineEnding = "\n";
constexpr std::string_view kCrLf = "\r\n";
constexpr char kCommentMark = ';';
constexpr char kSectionOpen = '[';
constexpr char kSectionClose = ']';
constexpr char kAssign = '=';

// A two-byte UTF-8 character that a unit or a note may hold (the Latin-1 signs such as "°",
// "²", "µ", "×"), as opposed to a letter such as "ý": CP932 half-width kana pair up as the latter.
bool IsUtf8Sign(unsigned char lead, unsigned char next)
{
    constexpr unsigned char kSignsLead = 0xC2, kFirstSign = 0xA0; // U+00A0..U+00BF
    constexpr unsigned char kLettersLead = 0xC3, kTimes = 0x97, kDivide = 0xB7; // U+00D7, U+00F7
    return (lead == kSignsLead && next >= kFirstSign) || (lead == kLettersLead && (next == kTimes || next == kDivide));
}

// True when every character past ASCII in well-formed UTF-8 is such a sign.
bool HoldsOnlyUtf8Signs(std::string_view body)
{
    for (std::size_t i = 0; i < body.size(); ++i) {
        const auto lead = static_cast<unsigned char>(body[i]);
        if (lead <= kLastAscii) continue;
        if (i + 1 >= body.size() || !IsUtf8Sign(lead, static_cast<unsigned char>(body[i + 1]))) return false;
        ++i;
    }
    return true;
}

// A file is UTF-8 when its byte order mark says so, or when it is well-formed UTF-8 and holds a
// Japanese character or another of three bytes or more. CP932 half-width kana pair up into
// two-byte UTF-8 ("ﾃｽ" is C3 BD, "ý"), so two-byte characters alone make a file UTF-8 only when
// all of them are signs a unit would hold ("kgf/cm²", "°C"); a file of other two-byte characters
// or of plain ASCII is CP932 as Windows writes it. A body that is not well-formed UTF-8 is CP932
// even after a byte order mark.
bool ReadsAsUtf8(std::string_view body, bool marked)
{
    const std::optional<int> longest = LongestUtf8Character(body);
    return longest && (marked || *longest >= kJapaneseUtf8Length || HoldsOnlyUtf8Signs(body));
}

bool IsBlank(char c)
{
    return kBlanks.find(c) != std::string_view::npos;
}

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool Contains(std::string_view text, std::string_view characters)
{
    return text.find_first_of(characters) != std::string_view::npos;
}

// Names that read back as themselves once written.
bool IsStorableSection(std::string_view name)
{
    return !Contains(name, kLineBreaks) && name.find(kSectionClose) == std::string_view::npos;
}

bool IsStorableKey(std::string_view name)
{
    return !name.empty() && name.front() != kCommentMark && name.front() != kSectionOpen && !Contains(name, kLineBreaks)
        && name.find(kAssign) == std::string_view::npos;
}

} // namespace

IniText::IniText(std::string bytes)
    : m_bytes(std::move(bytes))
{
    const bool marked = std::string_view(m_bytes).starts_with(kUtf8ByteOrderMark);
    if (marked) m_bodyBegin = kUtf8ByteOrderMark.size();
    if (!ReadsAsUtf8(std::string_view(m_bytes).substr(m_bodyBegin), marked)) m_cp932.emplace();
    SplitLines();
}

// "\r\n", "\n" and a lone "\r" each end a line. None of these bytes can be the second byte of a
// CP932 character, so the split is safe on raw bytes in either encoding; the same holds for the
// blanks, '[', ';' and '=' looked for below.
void IniText::SplitLines()
{
    std::size_t begin = m_bodyBegin;
    while (begin < m_bytes.size()) {
        const std::size_t end = std::min(m_bytes.find_first_of(kLineBreaks, begin), m_bytes.size());
        std::size_t next = end;
        if (next < m_bytes.size()) {
            next += m_bytes.compare(next, kCrLf.size(), kCrLf) == 0 ? kCrLf.size() : 1;
        }
        m_lines.push_back({begin, end, next});
        begin = next;
    }
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const
{
    const Lookup found = Find(Trim(section), Trim(key));
    if (!found.value) return std::nullopt;
    return Decode(View(*found.value));
}

std::optional<std::string> IniText::WithValue(std::string_view section, std::string_view key, std::string_view value) const
{
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    if (!IsStorableSection(sectionName) || !IsStorableKey(keyName) || Contains(value, kLineBreaks)) return std::nullopt;
    const std::optional<std::string> encodedValue = Encode(value);
    if (!encodedValue) return std::nullopt;

    const Lookup found = Find(sectionName, keyName);
    std::string result = m_bytes;
    if (found.value) {
        result.replace(found.value->begin, found.value->end - found.value->begin, *encodedValue);
        return result;
    }

    const std::string lineEnding = LineEnding();
    const std::optional<std::string> encodedKey = Encode(keyName);
    if (!encodedKey) return std::nullopt;
    const std::string entryLine = *encodedKey + kAssign + *encodedValue + lineEnding;

    if (found.sectionLine) {
        const Line& after = m_lines[found.lastFilledLine];
        const bool unterminated = after.next == after.end;
        result.insert(after.next, (unterminated ? lineEnding : std::string()) + entryLine);
        return result;
    }

    const std::optional<std::string> encodedSection = Encode(sectionName);
    if (!encodedSection) return std::nullopt;
    if (!m_lines.empty() && m_lines.back().next == m_lines.back().end) result += lineEnding;
    result += kSectionOpen + *encodedSection + kSectionClose + lineEnding + entryLine;
    return result;
}

IniText::Lookup IniText::Find(std::string_view section, std::string_view key) const
{
    Lookup found;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (const std::optional<std::string> name = SectionName(line)) {
            if (found.sectionLine) break; // only the first matching section counts
            if (EqualsIgnoringAsciiCase(*name, section)) {
                found.sectionLine = i;
                found.lastFilledLine = i;
            }
            continue;
        }
        if (!found.sectionLine) continue;
        const Span content = Trimmed(line.begin, line.end);
        if (content.begin == content.end) continue;
        found.lastFilledLine = i;
        const std::optional<Entry> entry = EntryOf(line);
        if (entry && EqualsIgnoringAsciiCase(entry->key, key)) {
            found.value = entry->value;
            break;
        }
    }
    return found;
}

std::optional<std::string> IniText::SectionName(const Line& line) const
{
    const Span content = Trimmed(line.begin, line.end);
    if (content.begin == content.end || m_bytes[content.begin] != kSectionOpen) return std::nullopt;
    // Decoded before looking for ']': in CP932 that byte can be the second half of a character.
    const std::string rest = Decode(View({content.begin + 1, content.end}));
    return std::string(Trim(std::string_view(rest).substr(0, rest.find(kSectionClose))));
}

std::optional<IniText::Entry> IniText::EntryOf(const Line& line) const
{
    const Span content = Trimmed(line.begin, line.end);
    if (content.begin == content.end) return std::nullopt;
    const char first = m_bytes[content.begin];
    if (first == kCommentMark || first == kSectionOpen) return std::nullopt;
    const std::size_t assign = View(content).find(kAssign);
    if (assign == std::string_view::npos) return std::nullopt;
    const std::size_t assignAt = content.begin + assign;
    return Entry{Decode(View(Trimmed(content.begin, assignAt))), Trimmed(assignAt + 1, content.end)};
}

IniText::Span IniText::Trimmed(std::size_t begin, std::size_t end) const
{
    while (begin < end && IsBlank(m_bytes[begin])) ++begin;
    while (end > begin && IsBlank(m_bytes[end - 1])) --end;
    return {begin, end};
}

std::string_view IniText::View(Span span) const
{
    return std::string_view(m_bytes).substr(span.begin, span.end - span.begin);
}

std::string IniText::Decode(std::string_view raw) const
{
    return m_cp932 ? m_cp932->ToUtf8(raw) : std::string(raw);
}

std::optional<std::string> IniText::Encode(std::string_view utf8) const
{
    if (m_cp932) return m_cp932->FromUtf8(utf8);
    return IsValidUtf8(utf8) ? std::optional<std::string>(utf8) : std::nullopt;
}

// The ending of the file's first line that has one; a file without any gets the new-file style.
std::string IniText::LineEnding() const
{
    for (const Line& line : m_lines) {
        if (line.next != line.end) return m_bytes.substr(line.end, line.next - line.end);
    }
    return std::string(kNewFileLineEnding);
}

} // namespace profile
