#include "pages/EdidPageLogic.h"

#include <cmath>
#include <limits>

std::vector<uint32_t> EdidListInputs(const DeviceState& s) {
    std::vector<uint32_t> inputs;
    for (uint32_t i = 0; i < 8; ++i) {
        const uint32_t type = s.InputCardType[i];
        if (i == 5 || type == CardSdi || type == CardUdisk) continue;
        if (i < 5) {
            inputs.push_back(i);
            continue;
        }
        // The extension input split into halves still takes an EDID for the whole connector.
        if (s.InputTable[i].Present > 0 || ((type == CardDp || type == CardHdmi) && s.DpSplit[1] == 1))
            inputs.push_back(i);
    }
    return inputs;
}

std::optional<size_t> FindEdidEntryByInput(const DeviceState& s, uint32_t input) {
    for (size_t k = 0; k < EdidEntryCount; ++k)
        if (s.EdidEntry[k].Input == input) return k;
    return std::nullopt;
}

std::optional<double> EdidPixelClockLimit(uint32_t cardType, uint32_t input) {
    if (cardType == CardDvi || cardType == CardVga || (cardType == CardHdmi && input < 6)) return 165000000.0;
    // Both extension inputs sit on the same receiver, so HDMI on input 7 gets the limit of input 6.
    if (cardType == CardDp || (cardType == CardHdmi && (input == 6 || input == 7))) return 300000000.0;
    return std::nullopt;
}

std::optional<int> EdidFieldBound(EdidField field, const EdidTiming& t, double limit) {
    // Sums and products in single precision, the quotient in double, narrowed back to single.
    float product = 0;
    float subtract = 0;
    switch (field) {
    case EdidField::HActive:
        product = (t.VActive + t.VBlank) * t.FrameRate;
        subtract = t.HBlank;
        break;
    case EdidField::VActive:
        product = (t.HActive + t.HBlank) * t.FrameRate;
        subtract = t.VBlank;
        break;
    case EdidField::HBlank:
        product = (t.VActive + t.VBlank) * t.FrameRate;
        subtract = t.HActive;
        break;
    case EdidField::VBlank:
        product = (t.HActive + t.HBlank) * t.FrameRate;
        subtract = t.VActive;
        break;
    case EdidField::FrameRate:
        product = (t.HActive + t.HBlank) * (t.VActive + t.VBlank);
        break;
    }
    if (!(product > 0)) return std::nullopt;
    const float bound = static_cast<float>(limit / static_cast<double>(product) - static_cast<double>(subtract));
    if (!std::isfinite(bound)) return std::nullopt;
    if (bound >= static_cast<float>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (bound <= static_cast<float>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(bound);
}

namespace {
float FieldValue(EdidField field, const EdidTiming& t) {
    switch (field) {
    case EdidField::HActive: return t.HActive;
    case EdidField::VActive: return t.VActive;
    case EdidField::FrameRate: return t.FrameRate;
    case EdidField::HBlank: return t.HBlank;
    case EdidField::VBlank: return t.VBlank;
    }
    return 0;
}

uint16_t ToU16(float v) {
    if (!(v > 0)) return 0;
    if (v >= 65535.0f) return 65535;
    return static_cast<uint16_t>(v);
}
}  // namespace

std::optional<int> EdidClampedValue(EdidField field, const EdidTiming& t, double limit) {
    const std::optional<int> bound = EdidFieldBound(field, t, limit);
    if (!bound) return std::nullopt;
    if (static_cast<int>(FieldValue(field, t)) > *bound) return bound;
    return std::nullopt;
}

bool StoreEdidTiming(DeviceState& s, uint32_t input, const EdidTiming& t) {
    const std::optional<size_t> k = EdidEntryIndex(input);
    if (!k) return false;
    EdidEntry& e = s.EdidEntry[*k];
    e.HActive = ToU16(t.HActive);
    e.VActive = ToU16(t.VActive);
    e.FrameRate = ToU16(static_cast<float>(static_cast<int>(t.FrameRate) * 100));
    e.HBlank = ToU16(t.HBlank);
    e.VBlank = ToU16(t.VBlank);
    return true;
}
