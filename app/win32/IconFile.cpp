#include "app/win32/IconFile.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace icon {

namespace {

constexpr int kMaxIconSide = 256;

[[noreturn]] void Fail(size_t line, const std::string& what)
{
    throw std::runtime_error("XPM line " + std::to_string(line + 1) + ": " + what);
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    for (size_t at = 0;;) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) return words;
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::optional<int> PositiveNumber(std::string_view word)
{
    int value = 0;
    const auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (failure != std::errc{} || end != word.data() + word.size() || value < 1) return std::nullopt;
    return value;
}

bool IsContextKey(std::string_view word)
{
    return word == "c" || word == "m" || word == "g" || word == "g4" || word == "s";
}

std::optional<Rgba> ParseColour(std::string_view value)
{
    const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    if (value.size() == 4 && std::equal(value.begin(), value.end(), "none", [&](char a, char b) { return lower(a) == b; })) return Rgba{};
    if (value.size() != 7 || value[0] != '#') return std::nullopt;
    uint8_t channels[3];
    for (int i = 0; i < 3; ++i) {
        const char* first = value.data() + 1 + 2 * i;
        const auto [end, failure] = std::from_chars(first, first + 2, channels[i], 16);
        if (failure != std::errc{} || end != first + 2) return std::nullopt;
    }
    return Rgba{channels[0], channels[1], channels[2], 255};
}

// A colour line's value for the colour display ("c"), which may be several words long; the
// other displays' values (mono, grey, symbolic name) are not ours to use.
std::optional<std::string> ColourValue(std::string_view rest)
{
    const std::vector<std::string_view> words = Words(rest);
    std::optional<std::string> value;
    bool inColour = false;
    for (const std::string_view word : words) {
        if (IsContextKey(word)) {
            inColour = word == "c";
            if (inColour) value.emplace();
        } else if (inColour) {
            if (!value->empty()) *value += ' ';
            *value += word;
        }
    }
    return value;
}

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xffffu);
    Put16(out, value >> 16);
}

// Source pixel i spans [i*to, (i+1)*to) and target pixel d spans [d*from, (d+1)*from): in those
// units every overlap is a whole number, so the weights of a target pixel add up to exactly from.
struct Tap {
    int index;
    uint64_t weight;
};

std::vector<std::vector<Tap>> Taps(int from, int to)
{
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    for (int d = 0; d < to; ++d) {
        const int64_t begin = int64_t{d} * from;
        const int64_t end = begin + from;
        for (int i = static_cast<int>(begin / to); i < from && int64_t{i} * to < end; ++i) {
            const int64_t overlap = std::min(end, int64_t{i + 1} * to) - std::max(begin, int64_t{i} * to);
            if (overlap > 0) taps[static_cast<size_t>(d)].push_back({i, static_cast<uint64_t>(overlap)});
        }
    }
    return taps;
}

uint8_t RoundedQuotient(uint64_t numerator, uint64_t denominator)
{
    return static_cast<uint8_t>((numerator + denominator / 2) / denominator);
}

void CheckIconSides(const Image& image)
{
    if (image.width < 1 || image.width > kMaxIconSide || image.height < 1 || image.height > kMaxIconSide)
        throw std::invalid_argument(
            "an icon image is 1 to 256 pixels a side, not " + std::to_string(image.width) + "x" + std::to_string(image.height));
}

} // namespace

Image ReadXpm(std::span<const char* const> lines)
{
    if (lines.empty()) throw std::runtime_error("XPM data is empty");
    const std::vector<std::string_view> values = Words(lines[0]);
    std::optional<int> numbers[4];
    for (size_t i = 0; i < 4 && i < values.size(); ++i) numbers[i] = PositiveNumber(values[i]);
    if (!std::all_of(std::begin(numbers), std::end(numbers), [](const std::optional<int>& n) { return n.has_value(); }))
        Fail(0, "expected \"width height colours characters-per-pixel\", found \"" + std::string(lines[0]) + "\"");
    const int width = *numbers[0];
    const int height = *numbers[1];
    const size_t colourCount = static_cast<size_t>(*numbers[2]);
    const size_t keyLength = static_cast<size_t>(*numbers[3]);
    if (lines.size() < 1 + colourCount + static_cast<size_t>(height))
        throw std::runtime_error("XPM data has " + std::to_string(lines.size()) + " lines, too few for " + std::to_string(colourCount)
            + " colours and " + std::to_string(height) + " rows");

    std::map<std::string_view, Rgba> colours;
    for (size_t line = 1; line <= colourCount; ++line) {
        const std::string_view text = lines[line];
        if (text.size() < keyLength) Fail(line, "shorter than its " + std::to_string(keyLength) + "-character key");
        const std::string_view key = text.substr(0, keyLength);
        const std::optional<std::string> value = ColourValue(text.substr(keyLength));
        if (!value || value->empty()) Fail(line, "no colour (\"c\") value");
        const std::optional<Rgba> colour = ParseColour(*value);
        if (!colour) Fail(line, "colour \"" + *value + "\" is neither #RRGGBB nor None");
        if (!colours.emplace(key, *colour).second) Fail(line, "key \"" + std::string(key) + "\" is given twice");
    }

    Image image{width, height, {}};
    image.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    const size_t rowLength = static_cast<size_t>(width) * keyLength;
    for (size_t line = 1 + colourCount; line < 1 + colourCount + static_cast<size_t>(height); ++line) {
        const std::string_view row = lines[line];
        if (row.size() != rowLength) Fail(line, "row is " + std::to_string(row.size()) + " characters, not " + std::to_string(rowLength));
        for (size_t at = 0; at < rowLength; at += keyLength) {
            const auto found = colours.find(row.substr(at, keyLength));
            if (found == colours.end()) Fail(line, "pixel key \"" + std::string(row.substr(at, keyLength)) + "\" has no colour");
            image.pixels.push_back(found->second);
        }
    }
    return image;
}

Image Scale(const Image& source, int width, int height)
{
    if (source.width < 1 || source.height < 1 || width < 1 || height < 1)
        throw std::invalid_argument("cannot scale " + std::to_string(source.width) + "x" + std::to_string(source.height) + " to "
            + std::to_string(width) + "x" + std::to_string(height));
    const std::vector<std::vector<Tap>> columns = Taps(source.width, width);
    const std::vector<std::vector<Tap>> rows = Taps(source.height, height);
    const uint64_t area = static_cast<uint64_t>(source.width) * static_cast<uint64_t>(source.height);

    Image scaled{width, height, {}};
    scaled.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (const std::vector<Tap>& row : rows) {
        for (const std::vector<Tap>& column : columns) {
            // Premultiplied, so that a transparent pixel's colour, which is none, does not darken
            // the edge it shares with the drawing.
            uint64_t alpha = 0, red = 0, green = 0, blue = 0;
            for (const Tap& y : row) {
                for (const Tap& x : column) {
                    const Rgba p = source.At(x.index, y.index);
                    const uint64_t weight = x.weight * y.weight * p.a;
                    alpha += weight;
                    red += weight * p.r;
                    green += weight * p.g;
                    blue += weight * p.b;
                }
            }
            const uint8_t a = RoundedQuotient(alpha, area);
            scaled.pixels.push_back(
                a == 0 ? Rgba{} : Rgba{RoundedQuotient(red, alpha), RoundedQuotient(green, alpha), RoundedQuotient(blue, alpha), a});
        }
    }
    return scaled;
}

std::vector<uint8_t> EncodeIconImage(const Image& image)
{
    CheckIconSides(image);
    const auto width = static_cast<uint32_t>(image.width);
    const auto height = static_cast<uint32_t>(image.height);
    const uint32_t maskStride = (width + 31) / 32 * 4;
    const uint32_t colourBytes = width * height * 4;
    const uint32_t maskBytes = maskStride * height;

    std::vector<uint8_t> out;
    out.reserve(40 + colourBytes + maskBytes);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, 2 * height); // the colour rows and the mask's, one above the other
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0); // BI_RGB
    Put32(out, colourBytes + maskBytes);
    for (int i = 0; i < 4; ++i) Put32(out, 0);

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.At(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    // Drawing that ignores alpha (a mask-only cursor copy, a remote session at low depth) still
    // leaves the fully transparent pixels out.
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        out.resize(rowStart + maskStride);
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y).a == 0) out[rowStart + static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80u >> (x % 8));
        }
    }
    return out;
}

std::vector<uint8_t> EncodeIco(std::span<const Image> images)
{
    if (images.empty() || images.size() > 0xffff) throw std::invalid_argument("an icon file holds 1 to 65535 images");
    std::vector<std::vector<uint8_t>> entries;
    for (const Image& image : images) entries.push_back(EncodeIconImage(image));

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // icon, not cursor
    Put16(out, static_cast<uint32_t>(images.size()));
    auto offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        // 256 does not fit the byte; 0 stands for it.
        out.push_back(static_cast<uint8_t>(images[i].width % kMaxIconSide));
        out.push_back(static_cast<uint8_t>(images[i].height % kMaxIconSide));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<uint32_t>(entries[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const std::vector<uint8_t>& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

} // namespace icon
