#include "pages/KeyerPageLogic.h"

#include "app/DeviceCommand.h"

bool KeyerLayerOn(const DeviceState& s, int target) {
    return s.LayerWindow[target == 1 ? 1 : 3].Enable != 0;
}

namespace {
uint8_t Held(float value, int max) {
    if (!(value > 0)) return 0;
    if (value >= static_cast<float>(max)) return static_cast<uint8_t>(max);
    return static_cast<uint8_t>(value);
}
}  // namespace

void StoreKeyerValues(KeyerSettings& k, const KeyerValues& v) {
    uint8_t* fields[9] = {&k.RedLow, &k.RedHigh, &k.GreenLow, &k.GreenHigh, &k.BlueLow,
                          &k.BlueHigh, &k.GainIn, &k.GainOut, &k.GainBand};
    for (size_t i = 0; i < 9; ++i) *fields[i] = Held(v[i], KeyerValueMax[i]);
}

KeyerValues KeyerValuesOf(const KeyerSettings& k) {
    return {float(k.RedLow),   float(k.RedHigh), float(k.GreenLow), float(k.GreenHigh), float(k.BlueLow),
            float(k.BlueHigh), float(k.GainIn),  float(k.GainOut),  float(k.GainBand)};
}

void ResetKeyerRange(KeyerSettings& k) {
    k.Mode = 0;
    k.RedLow = k.GreenLow = k.BlueLow = 0;
    k.RedHigh = k.GreenHigh = k.BlueHigh = 255;
}

int SendKeyer(DeviceState& s, int target) {
    CommandArgs args{};
    args[31] = KeyerTargetByte(target);
    return s.SendCommand(CmdKeyer, args);
}

int SendKeyerQuery(DeviceState& s, int target) { return s.SendCommand(CmdQueryKeyer, KeyerTargetByte(target)); }
