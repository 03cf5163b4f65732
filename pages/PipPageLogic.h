#pragma once
// The PIP page's rules without windows: which inputs its lists offer, which controls of each PIP
// group the switcher mode and the logo use leave enabled.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DeviceState;
struct InputEntry;

inline constexpr int PipCount = 3;  // PIP index i is layer i + 1
inline constexpr int PipInputListIds[PipCount] = {45040, 45041, 45042};
inline constexpr int PipAlphaEditIds[PipCount] = {1260, 1264, 1269};
inline constexpr int PipOnOffIds[PipCount] = {1185, 1193, 1198};
inline constexpr int PipGroupIds[PipCount] = {1259, 1261, 1266};

// The PIP whose alpha edit or input list has this id, or -1.
int PipOfAlphaEdit(int controlId);
int PipOfInputList(int listId);

struct PipInputItem {
    std::string Name;
    long Input;  // the input's row: what a pick stores as the layer's source
};
// The inputs the processor has, in table order.
std::vector<PipInputItem> PipInputItems(const std::array<InputEntry, 12>& table);

// A switch of PIP `pip` is refused while it shows the logo (PIP-3 in logo use).
bool PipSwitchRefused(const DeviceState& state, int pip);

struct PipGroupEnables {
    std::optional<bool> OnOff, Alpha, List;   // none: left as it is
    std::optional<std::string> Caption;       // PIP-1's group only
};
// What each group's controls become by the switcher mode and the logo use.
std::array<PipGroupEnables, PipCount> PipEnablesForMode(const DeviceState& state);
