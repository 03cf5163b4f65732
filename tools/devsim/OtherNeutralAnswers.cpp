// Another processor's choice of answers to the neutral queries (--neutral-answers other).
#include "tools/devsim/SimDevice.h"

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

} // namespace devsim
