#include "app/MonItem.h"

namespace {

constexpr int kLastAddress = 40;
constexpr int kWordValue = 0;
constexpr int kByteValue = 1;
constexpr int kPressureRaw = 2; // below 0x8000 a vacuum in tens of mmHg, else hundredths of kgf/cm²
constexpr int kPressureAbs = 3; // ten-thousandths of kgf/cm² absolute; 10332 is one atmosphere
constexpr int kPressureRawSplit = 0x8000;
constexpr int kPressureAbsSplit = 0x27D5;
constexpr int kAtmosphere = 10332;

constexpr const char* kMmHg = "mmHg";
constexpr const char* kKgfPerCm2 = "kgf/cm²";

} // namespace

bool MonItem::IsValid() const
{
    return m_nAddress >= 0 && m_nAddress <= kLastAddress && m_nType >= kWordValue && m_nType <= kPressureAbs;
}

std::optional<int> MonItem::ReadRaw(std::span<const uint8_t> live) const
{
    const size_t at = static_cast<size_t>(m_nAddress);
    // The pressure types read their own word, as their conversions expect one.
    const size_t size = m_nType == kByteValue ? 1 : 2;
    if (m_nAddress < 0 || at + size > live.size()) return std::nullopt;
    if (size == 1) return live[at];
    return live[at] + 256 * live[at + 1];
}

MonItem::Reading MonItem::Convert(int raw) const
{
    switch (m_nType) {
    case kPressureRaw:
        if (raw < kPressureRawSplit) return {raw * 10.0, kMmHg};
        return {raw * 0.01 + 0.002, kKgfPerCm2};
    case kPressureAbs:
        if (raw < kPressureAbsSplit) return {(raw - kAtmosphere) * 0.0736, kMmHg};
        return {(raw - kAtmosphere) * 0.0001, kKgfPerCm2};
    default: return {raw * m_dCoefficient + m_dOffset, nullptr};
    }
}
