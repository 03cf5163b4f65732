#pragma once
// The VGA page's rules without a window: which VgaSettings field an edit writes and which
// section of the VGA command it sends, the card slot of a layer's input, the access code, and
// the commands of the page's buttons.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "app/DeviceState.h"

enum VgaControlId : int {
    IdVgaGroupDisplay = 1347, IdVgaGroupAdc = 1351, IdVgaGroupDdc = 1360,
    IdVgaInputSource = 1353,
    IdVgaClock = 1354, IdVgaPhase = 1355, IdVgaHPosition = 1356, IdVgaVPosition = 1357,
    IdVgaAutoAdjust = 1352, IdVgaDdcOnOff = 1364,
    IdVgaCodeLabel = 1362, IdVgaCode = 1368, IdVgaEnter = 1372, IdVgaAdcOnOff = 1440,
    IdVgaRedOffset = 1001, IdVgaGreenOffset = 1008, IdVgaBlueOffset = 1013,
    IdVgaRedGain = 1018, IdVgaGreenGain = 1023, IdVgaBlueGain = 1026,
    IdVgaCalibrate = 1186, IdVgaRest = 1195,
};

// Sections of the VGA command (its first argument).
enum VgaSection : uint8_t { VgaDisplaySection = 0, VgaAdcSection = 1, VgaDdcSection = 2 };

struct VgaEditSpec {
    int Id;
    float Min, Max;
};
// The four display edits (clock, phase, H and V position) and the six ADC edits, in the order
// of VgaSettings.Adc (red, green, blue offset, then red, green, blue gain).
extern const std::array<VgaEditSpec, 4> VgaDisplayEdits;
extern const std::array<VgaEditSpec, 6> VgaAdcEdits;

// The access code that unlocks the ADC panel.
inline constexpr float VgaAccessCode = 5807.0f;
bool VgaAccessCodeMatches(float typed);

// Writes a committed edit into VgaSettings; the section to send, or none for another id.
std::optional<VgaSection> ApplyVgaEdit(VgaSettings& vga, int id, float value);

// The section whose edits include `id` (display or ADC), none for another id; and the edits of
// a section. A commit sends the values of all edits of its section, as the page shows them.
std::optional<VgaSection> VgaSectionOfEdit(int id);
std::span<const VgaEditSpec> VgaEditsOf(VgaSection section);

// The card slot of input row `input` (rows 8, 9 sit on slot 4, rows 10, 11 on slot 6); none for
// a value that is no input row.
std::optional<uint8_t> VgaCardSlotOfInput(uint32_t input);

// What UpdateInputSource does for a layer.
struct VgaSourceView {
    bool IsVga = false;          // the layer's input is on a VGA card: the page queries it
    uint8_t Slot = 0;
    bool CodeEnabled = false;    // the code edit and "enter" (only for MAIN)
};
VgaSourceView ComputeVgaSource(const DeviceState& s, int layer);

// The commands of the page.
void SendVgaSet(DeviceState& s, VgaSection section);           // edits: action 0
void SendVgaAutoAdjust(DeviceState& s);                         // then the query of the input
void SendVgaQuery(DeviceState& s, uint8_t slot);
void SendVgaDdc(DeviceState& s, bool on);
void SendVgaCalibrate(DeviceState& s);
void SendVgaReset(DeviceState& s);                              // then the query of slot 0
