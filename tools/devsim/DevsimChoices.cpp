// Choices a test makes for the simulated processor: another processor's answers to the neutral
// queries (--neutral-answers other), and presets already stored (--presets-stored).
#include "tools/devsim/SimDevice.h"

#include "tools/devsim/StateLayout.h"

namespace devsim {

// The README repeats this table.
const std::array<OtherNeutralAnswer, 2> kOtherNeutralAnswers = {{
    {58, 17, "preset states"},
    {62, 19, "system information"},
}};

std::optional<Reply> SimDevice::OtherNeutralAnswerTo(uint32_t command) const {
    switch (command) {
    case 58: return Reply{17, std::vector<uint8_t>(presetUsed_.begin(), presetUsed_.end())};
    case 62: return SystemInfoReply();
    default: return std::nullopt;
    }
}

void SimDevice::StorePresets(int leftEmpty) {
    // MAIN's source tells the presets apart: DVI-1, HDMI-1, DP-1, DVI-1, ...
    constexpr uint8_t sources[3] = {0, 1, 4};
    for (size_t slot = 0; slot < presets_.size(); ++slot) {
        if (static_cast<int>(slot) == leftEmpty) continue;
        presets_[slot] = state_;
        presets_[slot][layout::kLayerWindow + 2] = sources[slot % 3];
        presetUsed_[slot] = 1;
    }
}

} // namespace devsim
