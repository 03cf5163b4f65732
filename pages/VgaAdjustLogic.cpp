#include "pages/VgaAdjustLogic.h"

#include <cmath>

#include "app/DeviceCommand.h"

const std::array<VgaEditSpec, 4> VgaDisplayEdits{{
    {IdVgaClock, 500, 4096}, {IdVgaPhase, 0, 63}, {IdVgaHPosition, -100, 100}, {IdVgaVPosition, -16, 16}}};
const std::array<VgaEditSpec, 6> VgaAdcEdits{{{IdVgaRedOffset, 0, 1023}, {IdVgaGreenOffset, 0, 1023},
                                              {IdVgaBlueOffset, 0, 1023}, {IdVgaRedGain, 0, 1023},
                                              {IdVgaGreenGain, 0, 1023}, {IdVgaBlueGain, 0, 1023}}};

namespace {
// The committed number clamped to the edit's range (NaN counts as the bottom), truncated.
int EditInt(const VgaEditSpec& spec, float value) {
    if (!(value >= spec.Min)) value = spec.Min;
    if (value > spec.Max) value = spec.Max;
    return static_cast<int>(std::trunc(value));
}
}  // namespace

bool VgaAccessCodeMatches(float typed) { return typed == VgaAccessCode; }

std::optional<VgaSection> ApplyVgaEdit(VgaSettings& vga, int id, float value) {
    for (size_t i = 0; i < VgaDisplayEdits.size(); ++i) {
        if (VgaDisplayEdits[i].Id != id) continue;
        const int v = EditInt(VgaDisplayEdits[i], value);
        switch (i) {
        case 0: vga.Clock = static_cast<uint32_t>(v); break;
        case 1: vga.Phase = static_cast<uint32_t>(v); break;
        case 2: vga.HPosition = static_cast<int8_t>(v); break;
        default: vga.VPosition = static_cast<int8_t>(v); break;
        }
        return VgaDisplaySection;
    }
    for (size_t i = 0; i < VgaAdcEdits.size(); ++i)
        if (VgaAdcEdits[i].Id == id) {
            vga.Adc[i] = static_cast<uint16_t>(EditInt(VgaAdcEdits[i], value));
            return VgaAdcSection;
        }
    return std::nullopt;
}

std::optional<VgaSection> VgaSectionOfEdit(int id) {
    for (const VgaEditSpec& spec : VgaDisplayEdits)
        if (spec.Id == id) return VgaDisplaySection;
    for (const VgaEditSpec& spec : VgaAdcEdits)
        if (spec.Id == id) return VgaAdcSection;
    return std::nullopt;
}

std::span<const VgaEditSpec> VgaEditsOf(VgaSection section) {
    if (section == VgaDisplaySection) return VgaDisplayEdits;
    if (section == VgaAdcSection) return VgaAdcEdits;
    return {};
}

std::optional<uint8_t> VgaCardSlotOfInput(uint32_t input) {
    if (input < 8) return static_cast<uint8_t>(input);
    if (input < 10) return uint8_t{4};
    if (input < 12) return uint8_t{6};
    return std::nullopt;
}

VgaSourceView ComputeVgaSource(const DeviceState& s, int layer) {
    VgaSourceView v;
    if (layer < 0 || layer >= LayerCount) return v;
    const auto slot = VgaCardSlotOfInput(s.LayerWindow[layer].Source);
    if (!slot || s.InputCardType[*slot] != 3) return v;
    v.IsVga = true;
    v.Slot = *slot;
    v.CodeEnabled = layer == 0;
    return v;
}

void SendVgaSet(DeviceState& s, VgaSection section) { s.SendCommand(CmdVga, section, 0); }

void SendVgaQuery(DeviceState& s, uint8_t slot) { s.SendCommand(CmdQueryVga, slot); }

void SendVgaAutoAdjust(DeviceState& s) {
    s.SendCommand(CmdVga, VgaDisplaySection, 1);
    SendVgaQuery(s, s.VgaSettings.Input);
}

void SendVgaDdc(DeviceState& s, bool on) { s.SendCommand(CmdVga, VgaDdcSection, on ? 1 : 0); }

void SendVgaCalibrate(DeviceState& s) { s.SendCommand(CmdVga, VgaAdcSection, 1); }

void SendVgaReset(DeviceState& s) {
    s.SendCommand(CmdVga, VgaAdcSection, 2);
    SendVgaQuery(s, 0);
}
