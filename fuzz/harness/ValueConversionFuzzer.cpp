// The conversions behind the values on screen: a monitor item's raw value from the live data
// and its reading, and the map pages' cell texts and typed numbers. Raw values are any 16
// bits, typed text is anything. Typed numbers read as strtod reads them; a map stores only
// what its range allows, in order; what a page shows of a stored value types back as it.
//
// Input: [raw low][raw high][item type and live data size][item address]
//        [coefficient]\n[offset]\n[typed text].

#include "app/MonItem.h"
#include "app/MonitorFormat.h"
#include "fuzz/support/CNumber.h"
#include "fuzz/support/Check.h"
#include "pages/ByteMapScale.h"
#include "pages/PrintedNumber.h"
#include "pages/TypedNumber.h"
#include "pages/WordMapScale.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kPressureRaw = 2;
constexpr int kPressureAbs = 3;
constexpr int kByteValue = 1;
constexpr std::string_view kMmHg = "mmHg";
constexpr size_t kLongestPrinted = 351;

struct Range {
    double low;
    double high;
};
constexpr Range kAngles{-25.0, 230.0};
constexpr Range kPercent{50.0, 150.0};
constexpr Range kMilliseconds{0.0, 262.0};

// Reads the input's fields off its front.
class Fields {
public:
    explicit Fields(std::string_view input)
        : m_rest(input)
    { }
    uint8_t Byte()
    {
        if (m_rest.empty()) return 0;
        const auto byte = static_cast<uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return byte;
    }
    std::string_view Line()
    {
        const size_t end = std::min(m_rest.find('\n'), m_rest.size());
        const std::string_view line = m_rest.substr(0, end);
        m_rest.remove_prefix(std::min(end + 1, m_rest.size()));
        return line;
    }
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

void CheckTypedNumber(std::string_view text, const std::optional<double>& x)
{
    const CNumber reference = CNumber::Read(text);
    if (!reference.value) {
        FUZZ_CHECK(!x);
    } else if (reference.outOfRange) {
        FUZZ_CHECK(!x || SameNumber(*x, *reference.value));
    } else {
        FUZZ_CHECK(x && SameNumber(*x, *reference.value));
    }
}

void CheckMonitorItem(MonItem item, uint16_t raw, size_t liveSize)
{
    // Exactly as many bytes as arrived, so a read past them is caught.
    std::vector<uint8_t> live(liveSize);
    for (size_t i = 0; i < live.size(); ++i) live[i] = static_cast<uint8_t>(i % 2 == 0 ? raw & 0xFF : raw >> 8);
    const std::optional<int> read = item.ReadRaw(live);
    const size_t width = item.m_nType == kByteValue ? 1 : 2;
    FUZZ_CHECK(read.has_value() == (item.m_nAddress >= 0 && static_cast<size_t>(item.m_nAddress) + width <= live.size()));
    if (read) FUZZ_CHECK(*read >= 0 && *read < (width == 1 ? 0x100 : 0x10000));

    const MonItem::Reading reading = item.Convert(raw);
    const bool pressure = item.m_nType == kPressureRaw || item.m_nType == kPressureAbs;
    FUZZ_CHECK((reading.unit != nullptr) == pressure);
    FUZZ_CHECK(FormatMonitorValue(item.m_strFormat, reading.value).size() <= 511);
    if (!pressure) return;
    FUZZ_CHECK(std::isfinite(reading.value));
    // Within one unit a higher raw value is a higher pressure; a vacuum reads in mmHg.
    if (raw < 0xFFFF) {
        const MonItem::Reading next = item.Convert(raw + 1);
        if (std::strcmp(next.unit, reading.unit) == 0) FUZZ_CHECK(next.value > reading.value);
    }
    if (item.m_nType == kPressureAbs) FUZZ_CHECK((reading.unit == kMmHg) == (reading.value < -10.0 + 1e-9));
}

// Accepts exactly its range, stores in order and never past its limit.
template <typename Scale> void CheckAccept(const Scale& scale, Range range, int limit, double x)
{
    const std::optional<MapAccepted> accepted = scale.Accept(x);
    FUZZ_CHECK(accepted.has_value() == (x >= range.low && x <= range.high));
    if (!accepted) return;
    FUZZ_CHECK(accepted->raw <= limit);
    FUZZ_CHECK(accepted->shown.cell.size() <= kLongestPrinted && accepted->shown.readOut.size() <= kLongestPrinted);
    const double above = std::nextafter(x, std::numeric_limits<double>::infinity());
    if (const auto higher = scale.Accept(above)) FUZZ_CHECK(higher->raw >= accepted->raw);
}

// The stored value shows the same way wherever it is shown, and what is shown reads back.
template <typename Scale> void CheckShown(const Scale& scale, uint16_t raw)
{
    const std::string cell = scale.CellText(raw);
    const std::string selection = scale.SelectionText(raw);
    const MapShown again = scale.Redisplay(raw);
    FUZZ_CHECK(again.cell == cell);
    const std::optional<double> selected = ParseTypedNumber(selection);
    FUZZ_CHECK(ParseTypedNumber(cell).has_value() && selected.has_value());
    FUZZ_CHECK(ParseTypedNumber(again.readOut) == selected);
}

template <typename Scale> void CheckTypedBack(const Scale& scale, const std::string& shown, uint16_t raw)
{
    const std::optional<double> x = ParseTypedNumber(shown);
    FUZZ_CHECK(x.has_value());
    const std::optional<MapAccepted> accepted = scale.Accept(*x);
    FUZZ_CHECK(accepted && accepted->raw == raw);
}

void CheckMaps(uint16_t raw, const std::optional<double>& typed)
{
    const ByteMapScale angles(0);
    const ByteMapScale otherAngles(5);
    const ByteMapScale percent(3);
    const WordMapScale milliseconds;
    for (const ByteMapScale* scale : {&angles, &otherAngles, &percent}) CheckShown(*scale, raw);
    CheckShown(milliseconds, raw);

    const uint16_t byte = raw & 0xFF;
    // An angle cell shows its whole degrees; a percent step is exact in six decimals; the
    // word map's read-out shows every digit of its milliseconds.
    CheckTypedBack(angles, angles.CellText(byte), byte);
    CheckTypedBack(percent, PrintedNumber("%.6f", byte * 0.390625 + 50.0), byte);
    if (raw <= 65500) CheckTypedBack(milliseconds, milliseconds.SelectionText(raw), raw);

    if (!typed) return;
    CheckAccept(angles, kAngles, ByteMapScale::kUpperValueLimit, *typed);
    CheckAccept(percent, kPercent, ByteMapScale::kUpperValueLimit, *typed);
    CheckAccept(milliseconds, kMilliseconds, WordMapScale::kUpperValueLimit, *typed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    Fields fields(std::string_view(reinterpret_cast<const char*>(input), size));
    const auto raw = static_cast<uint16_t>(fields.Byte() | fields.Byte() << 8);
    const uint8_t shape = fields.Byte();
    MonItem item;
    item.m_nType = (shape & 0x07) - 1;
    item.m_nAddress = static_cast<int8_t>(fields.Byte());
    item.m_dCoefficient = ParseProfileNumber(fields.Line());
    item.m_dOffset = ParseProfileNumber(fields.Line());
    CheckMonitorItem(item, raw, shape >> 3);

    const std::string_view text = fields.Rest();
    const std::optional<double> typed = ParseTypedNumber(text);
    CheckTypedNumber(text, typed);
    CheckMaps(raw, typed);
    return 0;
}
