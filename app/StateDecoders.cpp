// The decoders of DeviceState: what a full state, an extension-card report, a split change or
// a signal report means for the input table, the layer sources and the crop records.
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/LittleEndian.h"
#include "app/ReplyCommands.h"

#include <cstring>

namespace {

constexpr uint32_t VgaCard = 3;
constexpr uint32_t HdmiCard = 6;
constexpr uint32_t DpCard = 8;

// The name an option-slot row (6 or 7) takes from its card type; null keeps the name.
const char* OptionSlotName(uint32_t slot, uint32_t cardType) {
    const bool first = slot == 6;
    switch (cardType) {
    case 3: return first ? " VGA-1" : " VGA-2";
    case 4: return first ? " DVI-3" : " DVI-4";
    case 6: return first ? " HDMI-3" : " HDMI-4";
    case 7: return first ? " SDI-2" : " SDI-3";
    case 8: return first ? " DP-2" : nullptr;
    case 9: return first ? " UDISK-1" : " UDISK-2";
    default: return nullptr;
    }
}

void MoveLayerSources(DeviceState& s, uint8_t from, uint8_t to) {
    for (auto& layer : s.LayerWindow)
        if (layer.Source == from) layer.Source = to;
}

// Clipping after a new source size resets the whole rectangle when it no longer fits.
void ClipToSource(CropRect& crop) {
    if (crop.HStart + crop.Width > crop.SourceWidth || crop.VStart + crop.Height > crop.SourceHeight) {
        crop.HStart = 0;
        crop.VStart = 0;
        crop.Width = crop.SourceWidth;
        crop.Height = crop.SourceHeight;
    }
}

} // namespace

void DeviceState::ApplyStateBlock(const void* block) {
    for (auto& row : InputTable) row.Present = 0;
    StateBlock::Assign(block);
    for (uint32_t slot = 0; slot < CardSlotCount; ++slot) {
        const uint32_t card = InputCardType[slot];
        if (card < 10) {
            InputTable[slot].Present = 1;
            if (slot >= 6)
                if (const char* name = OptionSlotName(slot, card)) InputTable[slot].Name = name;
            if (card == VgaCard) SendQuery(CmdQueryVga, static_cast<uint8_t>(slot));
        } else {
            InputTable[slot].Present = 0;
        }
        if (InputSignalPresent[slot] && !LoadedFromProject) SendQuery(CmdQueryInputSignal, static_cast<uint8_t>(slot));
    }
    if (!LoadedFromProject) {
        ApplyDpSplitMode();
        return;
    }
    // A project carries the extension card's record; the device reports it separately.
    ::ExtensionCardInfo card = ExtensionCardInfo;
    ApplyExtensionCard(&card);
    FeatherSettings.Enable = 0;
    LoadedFromProject = 0;
    ApplyDpSplitMode();
}

void DeviceState::ApplyExtensionCard(const void* record) {
    if (!record) return;
    ExtensionCardInfo.Assign(record);
    const auto& card = ExtensionCardInfo;
    // An active source beyond the card's three is a bad record: it names no card type.
    if (!card.Present || card.ActiveSource > 2) return;
    const uint32_t type = card.InputSource[card.ActiveSource];
    InputCardType[6] = type;
    InputSignal[6].HActive = card.HActive;
    InputSignal[6].VActive = card.VActive;
    InputSignal[6].FrameRate = card.FrameRate;
    InputSignal[6].Interlaced = card.Interlaced;
    DpSplit[1] = card.DualMode;

    if (type == DpCard) InputTable[6].Name = " DP-2";
    else if (type == HdmiCard && card.ActiveSource == 0) InputTable[6].Name = " DVI-3*";
    else if (type == HdmiCard && card.ActiveSource == 1) InputTable[6].Name = " HDMI-3";

    if (type != DpCard && type != HdmiCard) return;
    if (card.DualMode == 0) {
        InputTable[6].Present = 1;
        InputTable[10].Present = 0;
        InputTable[11].Present = 0;
        MoveLayerSources(*this, 10, 6);
        MoveLayerSources(*this, 11, 6);
    } else if (card.DualMode == 1) {
        InputTable[6].Present = 0;
        InputTable[10].Present = 1;
        InputTable[11].Present = 1;
        MoveLayerSources(*this, 6, 10);
        if (type == DpCard) {
            InputTable[10].Name = " DP2-L ";
            InputTable[11].Name = " DP2-R ";
        } else if (card.ActiveSource == 0) {
            InputTable[10].Name = " DVI3*-L ";
            InputTable[11].Name = " DVI3*-R ";
        } else if (card.ActiveSource == 1) {
            InputTable[10].Name = " HDMI3-L ";
            InputTable[11].Name = " HDMI3-R ";
        }
    }
}

void DeviceState::ApplyDpSplitMode() {
    if (DpSplit[0] == 0) {
        InputTable[4].Present = 1;
        InputTable[8].Present = 0;
        InputTable[9].Present = 0;
        MoveLayerSources(*this, 8, 4);
        MoveLayerSources(*this, 9, 4);
    } else if (DpSplit[0] == 1) {
        InputTable[4].Present = 0;
        InputTable[8].Present = 1;
        InputTable[9].Present = 1;
        MoveLayerSources(*this, 4, 8);
    }
    if (InputCardType[6] != DpCard) return;
    if (DpSplit[1] == 0) {
        InputTable[6].Present = 1;
        InputTable[6].Name = " DP-2";
        InputTable[10].Present = 0;
        InputTable[11].Present = 0;
        MoveLayerSources(*this, 10, 6);
        MoveLayerSources(*this, 11, 6);
    } else if (DpSplit[1] == 1) {
        InputTable[6].Present = 0;
        InputTable[10].Present = 1;
        InputTable[11].Present = 1;
        MoveLayerSources(*this, 6, 10);
        InputTable[10].Name = " DP2-L ";
        InputTable[11].Name = " DP2-R ";
    }
}

void DeviceState::ApplyInputSignal(const uint8_t* data) {
    if (!data || data[0] >= CardSlotCount) return;
    const uint32_t slot = data[0];
    auto& signal = InputSignal[slot];
    signal.ResolutionIndex = data[0]; // the reply carries the card slot here
    signal.HActive = ReadU16(data + 2);
    signal.VActive = ReadU16(data + 4);
    signal.FrameRate = ReadU16(data + 6);
    signal.Interlaced = data[8];
    SignalInput = slot;

    const uint16_t width = signal.HActive;
    const uint16_t height = signal.VActive;
    const uint32_t card = InputCardType[6];
    const bool extensionPresent = ExtensionCardInfo.Present != 0;
    const uint32_t active = ExtensionCardInfo.ActiveSource;
    for (uint32_t layer = 0; layer < LayerCount; ++layer) {
        // "Row" is the row of the per-input crop records, numbered as the layer input rows are:
        // a split input's halves live in rows 4/8, and the extension card's in 6/9 or 10/11.
        auto crop = [&](uint32_t row) -> ::CropRect& { return CropRect[4 * row + layer]; };
        crop(slot).SourceWidth = width;
        crop(slot).SourceHeight = height;
        if (slot == 4 && DpSplit[0]) {
            crop(4).SourceWidth = width / 2;
            crop(8).SourceWidth = width / 2;
            ClipToSource(crop(8));
        } else if (slot == 6 && DpSplit[1]) {
            if (card == DpCard || (card == HdmiCard && extensionPresent && active == 1)) {
                crop(6).SourceWidth = width / 2;
                crop(9).SourceWidth = width / 2;
                ClipToSource(crop(9));
            } else if (card == HdmiCard && extensionPresent && active == 0) {
                for (uint32_t half : {10u, 11u}) {
                    crop(half).SourceWidth = width / 2;
                    crop(half).SourceHeight = height;
                    ClipToSource(crop(half));
                }
            }
        }
        ClipToSource(crop(slot));
    }
}

void DeviceState::ApplyVgaReply(const uint8_t* data) {
    if (!data) return;
    VgaSettings.Input = data[0];
    VgaSettings.Clock = ReadU32(data + 4);
    VgaSettings.Phase = ReadU32(data + 8);
    VgaSettings.HPosition = static_cast<int8_t>(data[12]);
    VgaSettings.VPosition = static_cast<int8_t>(data[13]);
    for (int i = 0; i < 6; ++i) VgaSettings.Adc[i] = ReadU16(data + 14 + 2 * i);
}

void DeviceState::ApplyEdidReply(const uint8_t* data) {
    if (!data) return;
    for (auto& entry : EdidEntry) {
        if (entry.Input != data[0]) continue;
        entry.HActive = ReadU16(data + 2);
        entry.VActive = ReadU16(data + 4);
        entry.FrameRate = ReadU16(data + 6);
        entry.HBlank = ReadU16(data + 8);
        entry.VBlank = ReadU16(data + 10);
        return;
    }
}

void DeviceState::SetDeviceInfo(const std::string& ip, const uint8_t* mac) {
    FoundMachineIp = ip;
    if (mac) std::memcpy(FoundMachineMac.data(), mac, FoundMachineMac.size());
    else FoundMachineMac.fill(0);
}
