// The parameter block of each numbered command. Multi-byte values go low byte first and only
// the bytes a row names are written; every other byte stays 0x55.
#include "app/CommandEncoder.h"

#include "app/DeviceCommand.h"
#include "app/SourceCode.h"

#include <cmath>
#include <cstring>

uint8_t GammaTimesTen(float gamma) {
    // The small lift turns 2.1f (2.0999999...) into 21, not 20; it is far below a tenth, so
    // 2.25 still gives 22.
    const double tenths = std::floor(static_cast<double>(gamma) * 10.0 + 1e-4);
    if (!(tenths >= 0.0)) return 0; // NaN and negatives
    if (tenths >= 255.0) return 255;
    return static_cast<uint8_t>(tenths);
}

namespace {

class BlockWriter {
public:
    explicit BlockWriter(CommandBlockBytes& block) : m_block(block) {}
    void Byte(size_t at, uint32_t value) { m_block[at] = static_cast<uint8_t>(value); }
    void Word(size_t at, uint32_t value) { // low 16 bits, low byte first
        Byte(at, value);
        Byte(at + 1, value >> 8);
    }
    void Long(size_t at, uint32_t value) {
        Word(at, value);
        Word(at + 2, value >> 16);
    }
    void Raw(size_t at, const void* bytes, size_t count) { std::memcpy(&m_block[at], bytes, count); }
    void Args(const CommandArgs& a, size_t count) { Raw(0, a.data(), count); }

private:
    CommandBlockBytes& m_block;
};

bool EncodeOutputTiming(const DeviceState& s, BlockWriter& w) {
    const OutputTiming& t = s.OutputTiming;
    w.Byte(0, t.ResolutionIndex);
    w.Word(1, t.HActive);
    w.Word(3, t.VActive);
    w.Word(5, t.FrameRate);
    w.Word(7, t.HTotal);
    w.Word(9, t.HSync);
    w.Word(11, t.HBackPorch);
    w.Word(13, t.VTotal);
    w.Word(15, t.VSync);
    w.Word(17, t.VBackPorch);
    w.Byte(19, t.HPolarity);
    w.Byte(20, t.VPolarity);
    w.Byte(21, s.CustomTiming.TimingPanelOpen);
    return true;
}

bool EncodePicture(const DeviceState& s, uint8_t layer, BlockWriter& w) {
    const auto row = s.GetLayerInputIndex(layer);
    if (!row) return false;
    const PictureSettings& rec = s.PictureSettings[4 * *row + layer];
    w.Byte(0, s.PictureCommandMode);
    w.Byte(1, s.PictureMode);
    w.Byte(2, s.BrightLevel);
    w.Byte(3, GammaTimesTen(s.Gamma));
    w.Byte(4, layer);
    w.Byte(5, s.ApplyToAllInputs[layer]);
    w.Byte(6, rec.Brightness);
    w.Byte(7, rec.Contrast);
    w.Byte(8, rec.Saturation);
    w.Byte(9, rec.Hue);
    w.Byte(10, rec.Sharpness);
    w.Byte(11, rec.ColourTemperature);
    w.Byte(12, rec.Red);
    w.Byte(13, rec.Green);
    w.Byte(14, rec.Blue);
    w.Byte(15, s.ResetLayerPicture);
    return true;
}

bool EncodeLayerWindow(const DeviceState& s, uint8_t layer, BlockWriter& w) {
    if (layer >= LayerCount) return false;
    const LayerWindow& win = s.LayerWindow[layer];
    w.Byte(0, layer);
    w.Word(1, static_cast<uint32_t>(win.X));
    w.Word(3, static_cast<uint32_t>(win.Y));
    w.Word(5, static_cast<uint32_t>(win.Width));
    w.Word(7, static_cast<uint32_t>(win.Height));
    w.Byte(9, s.LayerWindowExtra[layer].FullScreen);
    w.Byte(10, win.Rotation);
    return true;
}

bool EncodeCrop(const DeviceState& s, uint8_t layer, uint8_t action, BlockWriter& w) {
    const auto row = s.GetLayerInputIndex(layer);
    if (!row) return false;
    const CropRect& rec = s.CropRect[4 * *row + layer];
    w.Byte(0, layer);
    w.Byte(1, rec.Enable);
    w.Word(2, rec.HStart);
    w.Word(4, rec.VStart);
    w.Word(6, rec.Width);
    w.Word(8, rec.Height);
    w.Byte(10, action); // 0 set, 1 reset
    return true;
}

bool EncodeMosaic(const DeviceState& s, uint8_t layer, uint8_t subCode, BlockWriter& w) {
    if (layer >= LayerCount) return false;
    const MosaicSettings& m = s.MosaicSettings;
    w.Byte(0, subCode);
    w.Byte(1, m.Mode);
    w.Byte(2, s.MosaicCell);
    w.Byte(3, layer);
    w.Long(4, m.HStart[layer]);
    w.Long(8, m.VStart[layer]);
    w.Long(12, m.Width[layer]);
    w.Long(16, m.Height[layer]);
    w.Long(20, m.HTotal[layer]);
    w.Long(24, m.VTotal[layer]);
    w.Byte(28, s.MosaicReset);
    w.Byte(29, m.Aux);
    return true;
}

bool EncodeLayerSource(const DeviceState& s, uint8_t layer, BlockWriter& w) {
    if (layer >= LayerCount) return false;
    const uint8_t source = s.LayerWindow[layer].Source;
    // A code beyond the input table names no input the device could switch to.
    if (source >= InputRowCount) return false;
    const int number = SourceCodeToNumber(source);
    w.Byte(0, layer);
    w.Byte(1, static_cast<uint32_t>(number / 10));
    w.Byte(2, static_cast<uint32_t>(number % 10));
    return true;
}

bool EncodePipEnable(const DeviceState& s, uint8_t pip, BlockWriter& w) {
    if (pip > 2) return false;
    const uint8_t layer = static_cast<uint8_t>(pip + 1);
    w.Byte(0, layer);
    w.Byte(1, s.LayerWindow[layer].Enable);
    w.Byte(2, s.LayerWindow[layer].Alpha);
    return true;
}

bool EncodeLogo(const DeviceState& s, uint8_t subCode, uint8_t argument, BlockWriter& w) {
    const LogoSettings& logo = s.LogoSettings;
    const uint8_t slot = subCode == 0 ? argument : subCode == 1 ? logo.CurrentSlot : s.LogoShownSlot;
    if (slot >= LogoSlotCount) return false;
    // Logo geometry once PIP-3 shows logos; the capture frame while it is a layer or for a capture.
    LogoCaptureRect rect = s.LogoCaptureFrame[slot];
    if (logo.Pip3Usage != 0 && subCode != 3)
        rect = {logo.HPos[slot], logo.VPos[slot], logo.Width[slot], logo.Height[slot]};
    w.Byte(0, subCode);
    w.Byte(1, slot);
    w.Word(2, rect.X);
    w.Word(4, rect.Y);
    w.Word(6, rect.Width);
    w.Word(8, rect.Height);
    w.Byte(10, argument);
    w.Byte(11, logo.Pip3Usage);
    w.Byte(12, logo.Enable);
    w.Byte(13, logo.Position);
    w.Byte(14, logo.Border);
    return true;
}

bool EncodeEdid(const DeviceState& s, uint8_t input, uint8_t action, BlockWriter& w) {
    const auto entry = EdidEntryIndex(input);
    if (!entry) return false;
    const EdidEntry& e = s.EdidEntry[*entry];
    w.Byte(0, e.Input);
    w.Byte(1, action);
    w.Raw(2, reinterpret_cast<const uint8_t*>(&e) + 2, sizeof(EdidEntry) - 2);
    return true;
}

bool EncodeKeyer(const DeviceState& s, uint8_t target, BlockWriter& w) {
    // Keyer record 0 keys on PIP-3, record 1 on PIP-1; no other layer has a keyer.
    if (target != 3 && target != 1) return false;
    const KeyerSettings& k = s.KeyerSettings[target == 3 ? 0 : 1];
    w.Byte(0, k.Enable);
    w.Byte(1, k.Mode);
    w.Byte(2, k.RedLow);
    w.Byte(3, k.RedHigh);
    w.Byte(4, k.GreenLow);
    w.Byte(5, k.GreenHigh);
    w.Byte(6, k.BlueLow);
    w.Byte(7, k.BlueHigh);
    w.Byte(8, k.GainIn);
    w.Byte(9, k.GainOut);
    w.Byte(10, k.GainBand);
    w.Byte(31, target);
    return true;
}

bool EncodeVga(const DeviceState& s, uint8_t section, uint8_t action, BlockWriter& w) {
    const VgaSettings& v = s.VgaSettings;
    w.Byte(0, section);
    w.Byte(1, v.Input);
    w.Byte(2, action);
    w.Word(3, v.Clock);
    w.Byte(5, v.Phase);
    w.Byte(6, static_cast<uint8_t>(v.HPosition));
    w.Byte(7, static_cast<uint8_t>(v.VPosition));
    w.Byte(8, action);
    // Offsets first, then gains, each in the order red, green, blue.
    w.Word(9, v.Adc[0]);
    w.Word(11, v.Adc[2]);
    w.Word(13, v.Adc[4]);
    w.Word(15, v.Adc[1]);
    w.Word(17, v.Adc[3]);
    w.Word(19, v.Adc[5]);
    w.Byte(21, action);
    return true;
}

bool EncodeSchedule(const DeviceState& s, uint8_t task, uint8_t subCode, BlockWriter& w) {
    if (task >= ScheduleTaskCount) return false;
    const ScheduleTask& t = s.ScheduleSettings.ScheduleTask[task];
    w.Byte(0, subCode);
    w.Byte(1, s.ScheduleSettings.Enable);
    if (subCode == 1) {
        const uint8_t when[6] = {t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second};
        w.Raw(2, when, 6);
    } else {
        const MachineTime& m = s.MachineTime;
        const uint8_t now[6] = {m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second};
        w.Raw(2, now, 6);
    }
    w.Byte(8, task);
    w.Byte(9, t.Preset);
    w.Byte(10, t.Repeat);
    return true;
}

bool EncodeFeather(const DeviceState& s, uint8_t argument, BlockWriter& w) {
    const FeatherSettings& f = s.FeatherSettings;
    w.Byte(0, f.Enable);
    for (size_t layer = 0; layer < LayerCount; ++layer) {
        w.Byte(1 + 2 * layer, f.Sharpness[layer]);
        w.Byte(2 + 2 * layer, f.Level[layer]);
    }
    w.Byte(9, argument);
    return true;
}

bool EncodeQueryEdid(const DeviceState& s, uint8_t input, BlockWriter& w) {
    const auto entry = EdidEntryIndex(input);
    if (!entry) return false;
    w.Byte(0, s.EdidEntry[*entry].Input);
    return true;
}

} // namespace

bool EncodeCommandBlock(const DeviceState& s, uint16_t command, const CommandArgs& a, CommandBlockBytes& block) {
    BlockWriter w(block);
    switch (command) {
    case CmdPreset: w.Args(a, 2); return true;
    case CmdOutputTiming: return EncodeOutputTiming(s, w);
    case CmdPicture: return EncodePicture(s, a[0], w);
    case CmdLayerWindow: return EncodeLayerWindow(s, a[0], w);
    case CmdCrop: return EncodeCrop(s, a[0], a[1], w);
    case CmdMosaic: return EncodeMosaic(s, a[0], a[1], w);
    case CmdLayerSource: return EncodeLayerSource(s, a[0], w);
    case CmdPipEnable: return EncodePipEnable(s, a[0], w);
    case CmdLogo: return EncodeLogo(s, a[0], a[1], w);
    case CmdEdid: return EncodeEdid(s, a[0], a[1], w);
    case CmdKeyer: return EncodeKeyer(s, a[31], w);
    case CmdTestPattern: w.Byte(0, s.TestPattern); return true;
    case CmdPixelGrab:
        w.Byte(0, a[0]);
        w.Raw(1, s.GrabPosition.data(), 4);
        return true;
    case CmdVga: return EncodeVga(s, a[0], a[1], w);
    case CmdSwitcherMode: w.Byte(0, s.SwitcherSettings.Mode); return true;
    case CmdSwitcherFade: w.Byte(0, s.SwitcherSettings.FadeTime); return true;
    case CmdSchedule: return EncodeSchedule(s, a[0], a[1], w);
    case CmdLoopOut: w.Byte(0, s.LoopOutSource); return true;
    case CmdTake: w.Byte(0, s.MultiMachineMode); return true;
    case CmdSync:
    case CmdExtCardSetting:
    case CmdMediaPlayerKey: w.Args(a, 2); return true;
    case CmdCaptionLayout:
    case CmdCaption: w.Args(a, 10); return true;
    case CmdPreviewEncoder: w.Args(a, 9); return true;
    case CmdRaw32: w.Args(a, 18); return true;
    case CmdFeather: return EncodeFeather(s, a[0], w);
    case CmdQueryEdid: return EncodeQueryEdid(s, a[0], w);
    case CmdQuery52:
    case CmdQuery54:
    case CmdQuery55:
    case CmdQuery56:
        if (a[0] >= LayerCount) return false; // the answer is filed under this layer
        w.Byte(0, a[0]);
        return true;
    case CmdFreeze:
    case CmdQueryInputSignal:
    case CmdQueryVga:
    case CmdQuery51:
    case CmdQueryKeyer:
    case CmdQueryEncoder:
    case CmdSearchDevices:
    case CmdQuery70: w.Byte(0, a[0]); return true;
    case CmdRaw71:
    case CmdRaw72: w.Args(a, 32); return true;
    default: return true; // the reads, the bare queries and the unnamed numbers: a bare block
    }
}
