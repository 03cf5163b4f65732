#include "tools/devsim/SimDevice.h"

#include <arpa/inet.h>

#include "tools/devsim/StateLayout.h"

#include <algorithm>
#include <cstring>

namespace devsim {

using namespace layout;
using velklink::GetU16;
using velklink::GetU32;
using velklink::PutU16;
using velklink::PutU32;

// The queries whose answer the processor chooses. The README repeats this table.
const std::array<NeutralQueryAnswer, 15> kNeutralQueryAnswers = {{
    {51, 13, "date and time"},
    {52, 8, "picture of layer a0"},
    {54, 10, "layer window of layer a0"},
    {55, 11, "crop of layer a0"},
    {56, 12, "mosaic, argument = layer a0"},
    {57, 14, "layer sources of the four layers"},
    {58, 15, "logo"},
    {60, 20, "PGM/PVW"},
    {62, 17, "preset states"},
    {63, 21, "DP split, one reply per split (index 0, then 1)"},
    {65, 19, "system information"},
    {67, 29, "extension card"},
    {68, 31, "freeze state"},
    {70, 25, "caption record a0 (0..3; other values give record 0)"},
    {73, 30, "feathering"},
}};

namespace {

constexpr size_t kMaxCaptionBytes = 4 * 1024 * 1024;

int16_t S16(const uint8_t* b) { return static_cast<int16_t>(GetU16(b)); }

// Command 7 carries the source as a two-digit number: tens and units.
int SourceCodeFromNumber(int n) {
    switch (n) {
    case 40: return 8;
    case 41: return 9;
    case 60: return 10;
    case 61: return 11;
    default: return (n % 10 == 0 && n / 10 < 8) ? n / 10 : -1;
    }
}

// The first arrangement cell of a panel mode: x2 and x2_1 0, x3 2, x4 5; -1 for modes without.
int FirstArrangementOf(uint8_t mode) {
    switch (mode) {
    case 2:
    case 3: return 0;
    case 4: return 2;
    case 5: return 5;
    default: return -1;
    }
}

} // namespace

std::vector<Reply> SimDevice::SwitchMode(uint8_t mode) {
    state_[kSwitcher] = mode;
    return {StateSlice(20, kSwitcher, kSwitcherSize)};
}

std::vector<Reply> SimDevice::ChangeMosaicMode(uint32_t mode) {
    PutU32(state_.data() + kMosaicMode, mode);
    return {MosaicReply(3)};
}

std::vector<Reply> SimDevice::ChangePreview(bool on) {
    previewOn_ = on;
    return {{1, {uint8_t(on ? 1 : 0)}}};
}

std::vector<Reply> SimDevice::ChangeFeather(bool on) {
    PutU32(&feather_[0], on ? 1 : 0);
    return {Reply{30, std::vector<uint8_t>(feather_.begin(), feather_.end())}};
}

SimDevice::SimDevice(uint8_t id, std::string ipText, const StateBlock& state)
    : id_(id), ip_(std::move(ipText)), state_(state), factory_(state) {
    mac_ = {0x02, 0x56, 0x4C, 0x4B, 0x00, id};
    for (size_t c = 0; c < captions_.size(); ++c) {
        auto& r = captions_[c];
        r.fill(0);
        PutU16(&r[0], 256);
        PutU16(&r[2], 32);
        PutU16(&r[4], 0);
        // Four bands of the tallest caption, 128 rows, stacked at the bottom of the 1080-row
        // output: each caption has room to grow to its full height.
        PutU16(&r[6], static_cast<uint16_t>(1080 - 128 * (4 - c)));
        PutU16(&r[8], 1920);
        r[10] = 0; // scroll direction
        r[11] = 3; // scroll speed
        r[12] = 0; // off
        r[13] = 0;
        r[14] = static_cast<uint8_t>(c);
        PutU32(&r[16], 0x00FFFFFF);
        PutU32(&r[20], 0x00000000);
        r[24] = 1;
        r[28] = 0;
    }
    vga_.fill(0);
    vga_[0] = 0;
    PutU32(&vga_[4], 1344);
    PutU32(&vga_[8], 16);
    for (size_t k = 0; k < 6; ++k) PutU16(&vga_[14 + 2 * k], k < 3 ? 64 : 512);
    PutU32(&feather_[0], 0);
    for (size_t j = 0; j < 4; ++j) {
        PutU32(&feather_[4 + 4 * j], 8);
        PutU32(&feather_[20 + 4 * j], 16);
    }
}

Reply SimDevice::SearchAnswer() const {
    Reply r{27, std::vector<uint8_t>(22, 0)};
    std::copy_n(ip_.begin(), std::min<size_t>(ip_.size(), 15), r.payload.begin());
    std::copy(mac_.begin(), mac_.end(), r.payload.begin() + 16);
    return r;
}

std::vector<Reply> SimDevice::Handle(const velklink::Frame& frame) {
    std::vector<Reply> replies = HandleFrame(frame);
    // The order of one frame's replies is the device's choice: optionally the status goes first.
    if (statusFirst_)
        std::stable_partition(replies.begin(), replies.end(), [](const Reply& r) { return r.slot == kOperationStatusSlot; });
    return replies;
}

std::vector<Reply> SimDevice::HandleFrame(const velklink::Frame& frame) {
    switch (frame.type) {
    case velklink::FrameHello:
        return {{0, {1}}, {1, {uint8_t(previewOn_ ? 1 : 0)}}};
    case velklink::FramePing:
        return {{23, {1}}};
    case velklink::FrameCommand:
        if (frame.payload.size() < 4 + velklink::kCommandBlockSize) return {};
        {
            const uint32_t command = GetU32(frame.payload.data());
            std::vector<Reply> replies = HandleCommand(command, frame.payload.data() + 4);
            if (std::find(unanswered_.begin(), unanswered_.end(), command) != unanswered_.end()) return {};
            for (const StatusConfirmation& c : statusConfirmations_) {
                if (c.command != command) continue;
                if (c.instead) replies.clear();
                replies.push_back(OperationStatus(c.operation, 0));
            }
            return replies;
        }
    case velklink::FrameStateBlock:
        if (frame.payload.size() != velklink::kStateBlockSize) return {};
        std::copy(frame.payload.begin(), frame.payload.end(), state_.begin());
        return {OperationStatus(5, 1)};
    case velklink::FrameCaptionChunk: {
        if (frame.payload.size() < 6) return {};
        const uint32_t offset = GetU32(frame.payload.data());
        const uint16_t length = GetU16(frame.payload.data() + 4);
        const bool fits = length <= velklink::kMaxCaptionChunk && frame.payload.size() == size_t(6) + length &&
                          size_t(offset) + length <= kMaxCaptionBytes;
        if (fits) {
            if (caption_.size() < size_t(offset) + length) caption_.resize(size_t(offset) + length);
            std::copy(frame.payload.begin() + 6, frame.payload.end(), caption_.begin() + offset);
        }
        Reply ack{24, std::vector<uint8_t>(8, 0)};
        ack.payload[0] = 7;
        PutU16(&ack.payload[1], length);
        ack.payload[3] = fits ? 1 : 0;
        PutU32(&ack.payload[4], offset);
        return {ack};
    }
    default:
        return {};
    }
}

std::vector<Reply> SimDevice::HandleCommand(uint32_t command, const uint8_t* b) {
    uint8_t* s = state_.data();
    if (neutralAnswers_ == NeutralAnswers::Other)
        if (auto answer = OtherNeutralAnswerTo(command)) return {std::move(*answer)};
    switch (command) {
    case 0:
        return {Reply{2, std::vector<uint8_t>(state_.begin(), state_.end())}};
    case 1: { // presets: 0 load template, 1 load preset, 2 save preset
        const uint8_t slot = b[1];
        if (slot >= presets_.size()) return {OperationStatus(3, 1)};
        if (b[0] == 2) {
            presets_[slot] = state_;
            presetUsed_[slot] = 1;
            return {Reply{17, std::vector<uint8_t>(presetUsed_.begin(), presetUsed_.end())}};
        }
        if (b[0] == 1 && presetUsed_[slot]) state_ = presets_[slot];
        return {OperationStatus(3, 0)};
    }
    case 2: {
        PutU32(s + 0, b[0]);
        PutU16(s + 4, GetU16(b + 1));
        PutU16(s + 6, GetU16(b + 3));
        PutU16(s + 8, GetU16(b + 5));
        PutU16(s + 10, GetU16(b + 7));
        PutU16(s + 14, GetU16(b + 9));
        PutU16(s + 18, GetU16(b + 11));
        PutU16(s + 12, GetU16(b + 13));
        PutU16(s + 16, GetU16(b + 15));
        PutU16(s + 20, GetU16(b + 17));
        s[22] = b[19];
        s[23] = b[20];
        return {StateSlice(9, kOutputTiming, kOutputTimingSize)};
    }
    case 3: {
        const int layer = b[4];
        const int row = LayerInputRow(state_, layer);
        if (row < 0) return {};
        PutU32(s + kPictureMode, b[1]);
        PutU32(s + kBrightLevel, b[2]);
        const float gamma = static_cast<float>(b[3]) / 10.0f;
        std::memcpy(s + kGamma, &gamma, sizeof gamma);
        auto apply = [&](int r) {
            uint8_t* rec = s + kPictureSettings + kPictureRecordSize * size_t(4 * r + layer);
            if (b[15]) { // reset to the processor's own defaults
                rec[0] = 50; rec[1] = 50; rec[2] = 12; rec[3] = 50; rec[4] = 50;
                PutU32(rec + 8, 2);
                rec[12] = rec[13] = rec[14] = 128;
                return;
            }
            rec[0] = b[6];
            rec[1] = b[7];
            rec[3] = b[8];
            rec[4] = b[9];
            rec[2] = b[10];
            PutU32(rec + 8, b[11]);
            rec[12] = b[12];
            rec[13] = b[13];
            rec[14] = b[14];
        };
        if (b[5]) {
            for (int r = 0; r < int(kInputRows); ++r) apply(r);
        } else {
            apply(row);
        }
        return {PictureReply(layer)};
    }
    case 4: {
        const int layer = b[0];
        if (layer > 3) return {};
        uint8_t* w = s + kLayerWindow + kLayerWindowSize * size_t(layer);
        PutU32(w + 4, static_cast<uint32_t>(int32_t(S16(b + 1))));
        PutU32(w + 8, static_cast<uint32_t>(int32_t(S16(b + 3))));
        PutU32(w + 12, static_cast<uint32_t>(int32_t(S16(b + 5))));
        PutU32(w + 16, static_cast<uint32_t>(int32_t(S16(b + 7))));
        PutU32(w + 20, b[10]);
        return {LayerWindowReply(layer)};
    }
    case 5: {
        const int layer = b[0];
        const int row = LayerInputRow(state_, layer);
        if (row < 0) return {};
        uint8_t* rec = s + kCropRect + kCropRecordSize * size_t(4 * row + layer);
        rec[0] = b[1];
        if (b[10] == 1) {
            PutU16(rec + 2, 0);
            PutU16(rec + 4, 0);
            PutU16(rec + 6, GetU16(rec + 10));
            PutU16(rec + 8, GetU16(rec + 12));
        } else {
            PutU16(rec + 2, GetU16(b + 2));
            PutU16(rec + 4, GetU16(b + 4));
            PutU16(rec + 6, GetU16(b + 6));
            PutU16(rec + 8, GetU16(b + 8));
        }
        return {CropReply(layer)};
    }
    case 6: {
        const size_t layer = b[3];
        PutU32(s + kMosaicMode, b[1]);
        if (b[0] == 1) PutU32(s + kMosaicArrangement, b[2]);
        // A new panel mode starts from its first arrangement (modes without any keep theirs).
        if (b[0] == 0) {
            if (const int first = FirstArrangementOf(b[1]); first >= 0) PutU32(s + kMosaicArrangement, uint32_t(first));
        }
        if (b[0] == 2 && layer < 4)
            for (size_t a = 0; a < 6; ++a) PutU32(s + kMosaicArrays + 16 * a + 4 * layer, GetU32(b + 4 + 4 * a));
        // A new mode or arrangement rebuilds the output: the processor reports the operation done
        // (operation 11, result 0), and the program reads the layers back and closes its busy box.
        if (b[0] == 0 || b[0] == 1) return {MosaicReply(3), OperationStatus(11, 0)};
        return {MosaicReply(3)};
    }
    case 7: {
        const int layer = b[0];
        const int code = SourceCodeFromNumber(b[1] * 10 + b[2]);
        if (layer > 3 || code < 0) return {};
        s[kLayerWindow + kLayerWindowSize * size_t(layer) + 2] = static_cast<uint8_t>(code);
        return {LayerSourcesReply()};
    }
    case 8: {
        const int layer = b[0];
        if (layer < 1 || layer > 3) return {};
        uint8_t* w = s + kLayerWindow + kLayerWindowSize * size_t(layer);
        w[0] = b[1];
        w[1] = b[2];
        return {LayerSourcesReply()};
    }
    case 9: {
        uint8_t* logo = s + kLogo;
        const uint8_t sub = b[0], slot = b[1];
        logo[0] = b[11];
        logo[2] = b[12];
        logo[3] = b[13];
        logo[4] = b[14];
        if (slot < 4) {
            if (sub == 0) logo[38 + b[10] % 4] = 0;
            if (sub == 1) {
                logo[1] = slot;
                // In logo use the load places the logo where the command says, and keeps it there.
                if (b[11] == 1) {
                    PutU16(logo + 6 + 2 * slot, GetU16(b + 2));
                    PutU16(logo + 14 + 2 * slot, GetU16(b + 4));
                    PutU16(logo + 22 + 2 * slot, GetU16(b + 6));
                    PutU16(logo + 30 + 2 * slot, GetU16(b + 8));
                }
            }
            if (sub == 2) {
                logo[38 + slot] = 1;
                PutU16(logo + 6 + 2 * slot, GetU16(b + 2));
                PutU16(logo + 14 + 2 * slot, GetU16(b + 4));
                PutU16(logo + 22 + 2 * slot, GetU16(b + 6));
                PutU16(logo + 30 + 2 * slot, GetU16(b + 8));
            }
        }
        return {StateSlice(15, kLogo, kLogoSize)};
    }
    case 10: {
        for (size_t k = 0; k < kEdidEntryCount; ++k) {
            uint8_t* e = s + kEdidEntry + kEdidEntrySize * k;
            if (e[0] != b[0]) continue;
            if (b[1] == 0) {
                PutU16(e + 2, 1920);
                PutU16(e + 4, 1080);
                PutU16(e + 6, 6000);
                PutU16(e + 8, 280);
                PutU16(e + 10, 45);
            } else {
                std::copy(b + 2, b + 12, e + 2);
            }
            return {OperationStatus(0, 0, 1), EdidReply(b[0])};
        }
        return {OperationStatus(0, 1, 0)};
    }
    case 11: {
        const size_t k = b[31] == 3 ? 0 : b[31] == 1 ? 1 : 2;
        if (k > 1) return {};
        uint8_t* key = s + kKeyer + kKeyerSize * k;
        key[1] = b[0];
        PutU32(key + 4, b[1]);
        std::copy(b + 2, b + 11, key + 8);
        return {StateSlice(16, kKeyer + kKeyerSize * k, kKeyerSize)};
    }
    case 12:
        return {OperationStatus(2, 0)};
    case 13: {
        if (!b[0]) return {};
        // A colour that depends on where the grab is, so the page can see it follow the position.
        Reply r{3, std::vector<uint8_t>(6, 0)};
        PutU16(&r.payload[0], static_cast<uint16_t>(GetU16(b + 1) % 1024));
        PutU16(&r.payload[2], static_cast<uint16_t>(GetU16(b + 3) % 1024));
        PutU16(&r.payload[4], 512);
        return {r};
    }
    case 14: {
        // b[0] section (0 display, 1 ADC, 2 DDC), b[2] action (0 set). The DDC switch changes
        // nothing shown; a set is answered with the record only; auto adjust, calibration and
        // reset report their result first.
        if (b[0] == 2) return {};
        vga_[0] = b[1];
        PutU32(&vga_[4], GetU16(b + 3));
        PutU32(&vga_[8], b[5]);
        vga_[12] = b[6];
        vga_[13] = b[7];
        const size_t adcOrder[6] = {0, 2, 4, 1, 3, 5};
        for (size_t k = 0; k < 6; ++k) PutU16(&vga_[14 + 2 * adcOrder[k]], GetU16(b + 9 + 2 * k));
        Reply record{5, std::vector<uint8_t>(vga_.begin(), vga_.end())};
        if (b[2] == 0) return {record};
        return {OperationStatus(1, 1), record};
    }
    case 15: // the page waits in its busy box until the status says the mode is set
        s[kSwitcher] = b[0];
        return {StateSlice(20, kSwitcher, kSwitcherSize), OperationStatus(4, 0)};
    case 16:
        PutU32(s + kSwitcherFadeTime, b[0]);
        return {StateSlice(20, kSwitcher, kSwitcherSize)};
    case 17: {
        const uint8_t sub = b[0], task = b[8];
        s[kSchedule] = b[1];
        if (sub == 0) {
            std::copy(b + 2, b + 8, machineTime_.begin());
            return {Reply{13, std::vector<uint8_t>(machineTime_.begin(), machineTime_.end())}};
        }
        if (sub == 1 && task < 10) {
            uint8_t* t = s + kScheduleTask + 12 * size_t(task);
            std::copy(b + 2, b + 8, t);
            t[6] = b[9];
            PutU32(t + 8, b[10]);
        }
        return {StateSlice(7, kSchedule, kScheduleSize)};
    }
    case 18:
        s[kLoopOutSource] = b[0];
        return {StateSlice(18, kLoopOutSource, 1)};
    case 19:
        state_ = factory_;
        return {OperationStatus(6, 1)};
    case 20: // TAKE: what was on preview goes to program
        for (size_t i = 0; i < 4; ++i) std::swap(s[kSwitcherOnProgram + i], s[kSwitcherOnPreview + i]);
        return {StateSlice(20, kSwitcher, kSwitcherSize), OperationStatus(4, 0)};
    case 21:
        PutU32(s + (b[0] == 0 ? kSyncLockMode : kSyncMode), b[1]);
        return {OperationStatus(4, 0)};
    case 23:
    case 24: {
        const uint8_t c = b[0] < 4 ? b[0] : 0;
        // A command for one caption selects it, as on a processor; the initialise (0x55) does not.
        if (b[0] < 4) selectedCaption_ = b[0];
        auto& r = captions_[c];
        const uint8_t sub = b[1];
        if (command == 23) {
            if (sub == 0) {
                PutU16(&r[0], GetU16(b + 2));
                PutU16(&r[2], GetU16(b + 4));
                caption_.clear();
                return {OperationStatus(12, 0)};
            }
            if (sub == 1) return {OperationStatus(8, 0), CaptionReply(c)};
            if (sub == 2) {
                PutU16(&r[4], GetU16(b + 2));
                PutU16(&r[6], GetU16(b + 4));
                PutU16(&r[8], GetU16(b + 6));
            }
            return {CaptionReply(c)};
        }
        switch (sub) {
        case 0: r[11] = b[2]; r[10] = b[3]; break;
        case 1: return {OperationStatus(8, 0)};
        case 2: r[12] = b[2]; break;
        case 3:
            PutU32(&r[16], uint32_t(b[2]) | uint32_t(b[3]) << 8 | uint32_t(b[4]) << 16);
            PutU32(&r[20], uint32_t(b[6]) | uint32_t(b[7]) << 8 | uint32_t(b[8]) << 16);
            r[13] = b[9];
            break;
        case 4: std::copy(b + 2, b + 6, r.begin() + 24); break;
        case 5: return {OperationStatus(10, 0)};
        default: break;
        }
        return {CaptionReply(c)};
    }
    case 25: // a0 = 0, frame rate, resolution code, kbps high, kbps low (then again, or FF x 4)
        encoder_[2] = b[1];
        encoder_[3] = b[2];
        encoder_[4] = b[3];
        encoder_[5] = b[4];
        return {EncoderReply(2)};
    case 33:
        if (b[0] == 0 && b[1] < 3) PutU32(s + kExtensionActiveSource, b[1]);
        if (b[0] == 1) PutU32(s + kExtensionMode, b[1]);
        return {StateSlice(29, kExtensionCard, kExtensionCardSize)};
    case 34:
        return {OperationStatus(9, 0)};
    case 35:
        PutU32(&feather_[0], b[0]);
        for (size_t j = 0; j < 4; ++j) {
            PutU32(&feather_[4 + 4 * j], b[1 + 2 * j]);
            PutU32(&feather_[20 + 4 * j], b[2 + 2 * j]);
        }
        return {Reply{30, std::vector<uint8_t>(feather_.begin(), feather_.end())}};
    case 36:
        s[kFreezeState] = b[0];
        return {StateSlice(31, kFreezeState, 1)};
    case 48: {
        std::vector<Reply> out;
        for (int slot = 0; slot < 8; ++slot)
            if ((b[0] == 255 && s[kInputSignalPresent + size_t(slot)]) || b[0] == slot)
                out.push_back(InputSignalReply(slot));
        if (b[0] == 255) out.push_back(StateSlice(22, kInputSignalPresent, 8));
        return out;
    }
    case 49:
        return {Reply{5, std::vector<uint8_t>(vga_.begin(), vga_.end())}};
    case 50:
        return {EdidReply(b[0])};
    case 59: {
        const size_t k = b[0] == 3 ? 0 : b[0] == 1 ? 1 : 2;
        if (k > 1) return {};
        return {StateSlice(16, kKeyer + kKeyerSize * k, kKeyerSize)};
    }
    case 66:
        return {EncoderReply(b[0])};
    // The neutral queries: the table kNeutralQueryAnswers above.
    case 51: return {Reply{13, std::vector<uint8_t>(machineTime_.begin(), machineTime_.end())}};
    case 52: return b[0] < 4 ? std::vector<Reply>{PictureReply(b[0])} : std::vector<Reply>{};
    case 54: return b[0] < 4 ? std::vector<Reply>{LayerWindowReply(b[0])} : std::vector<Reply>{};
    case 55: return b[0] < 4 ? std::vector<Reply>{CropReply(b[0])} : std::vector<Reply>{};
    case 56: return {MosaicReply(b[0])};
    case 57: return {LayerSourcesReply()};
    case 58: return {StateSlice(15, kLogo, kLogoSize)};
    case 60: return {StateSlice(20, kSwitcher, kSwitcherSize)};
    case 62: return {Reply{17, std::vector<uint8_t>(presetUsed_.begin(), presetUsed_.end())}};
    case 63: return {Reply{21, {0, s[kDpSplit]}}, Reply{21, {1, s[kDpSplit + 1]}}};
    case 65: return {SystemInfoReply()};
    case 67: return {StateSlice(29, kExtensionCard, kExtensionCardSize)};
    case 68: return {StateSlice(31, kFreezeState, 1)};
    case 69: return {SearchAnswer()};
    case 70: return {CaptionReply(b[0] < 4 ? b[0] : 0)};
    case 73: return {Reply{30, std::vector<uint8_t>(feather_.begin(), feather_.end())}};
    default:
        return {};
    }
}

Reply SimDevice::StateSlice(uint8_t slot, size_t offset, size_t size) const {
    return Reply{slot, std::vector<uint8_t>(state_.begin() + static_cast<std::ptrdiff_t>(offset),
                                            state_.begin() + static_cast<std::ptrdiff_t>(offset + size))};
}

Reply SimDevice::PictureReply(int layer) const {
    Reply r{8, std::vector<uint8_t>(37, 0)};
    std::copy_n(state_.begin() + kPictureMode, 12, r.payload.begin());
    const int row = std::max(LayerInputRow(state_, layer), 0);
    std::copy_n(state_.begin() + static_cast<std::ptrdiff_t>(kPictureSettings + kPictureRecordSize * size_t(4 * row + layer)),
                20, r.payload.begin() + 12);
    r.payload[32] = static_cast<uint8_t>(layer);
    return r;
}

Reply SimDevice::LayerWindowReply(int layer) const {
    Reply r = StateSlice(10, kLayerWindow + kLayerWindowSize * size_t(layer) + 4, 20);
    r.payload.push_back(static_cast<uint8_t>(layer));
    return r;
}

Reply SimDevice::CropReply(int layer) const {
    const int row = std::max(LayerInputRow(state_, layer), 0);
    Reply r = StateSlice(11, kCropRect + kCropRecordSize * size_t(4 * row + layer), kCropRecordSize);
    r.payload.push_back(static_cast<uint8_t>(layer));
    r.payload.resize(19, 0);
    return r;
}

Reply SimDevice::MosaicReply(uint32_t argument) const {
    Reply r = StateSlice(12, kMosaic, kMosaicSize);
    r.payload.resize(112);
    PutU32(&r.payload[108], argument);
    return r;
}

Reply SimDevice::SetLayerSource(int layer, uint8_t source) {
    if (layer >= 0 && layer < static_cast<int>(kLayers))
        state_[kLayerWindow + kLayerWindowSize * static_cast<size_t>(layer) + 2] = source;
    return LayerSourcesReply();
}

Reply SimDevice::LayerSourcesReply() const {
    Reply r{14, std::vector<uint8_t>(1 + 3 * kLayers, 0)};
    r.payload[0] = static_cast<uint8_t>(kLayers);
    for (size_t layer = 0; layer < kLayers; ++layer) {
        const uint8_t* w = state_.data() + kLayerWindow + kLayerWindowSize * layer;
        std::copy(w, w + 3, r.payload.begin() + static_cast<std::ptrdiff_t>(1 + 3 * layer));
    }
    return r;
}

Reply SimDevice::OperationStatus(uint8_t operation, uint8_t result, uint8_t detail) const {
    Reply r{24, std::vector<uint8_t>(8, 0)};
    r.payload[0] = operation;
    r.payload[1] = result;
    r.payload[2] = detail;
    return r;
}

Reply SimDevice::CaptionReply(int caption) const {
    Reply r{25, std::vector<uint8_t>(captions_[size_t(caption)].begin(), captions_[size_t(caption)].end())};
    r.payload[28] = selectedCaption_;
    return r;
}

Reply SimDevice::EncoderReply(uint8_t kind) const {
    Reply r{28, std::vector<uint8_t>(encoder_.begin(), encoder_.end())};
    r.payload[0] = kind;
    // Settings: frame rate in byte 2, resolution code in 3, kbit/s in 4 (high) and 5 (low), as the
    // settings page reads them; until told otherwise 30 fps, code 1 (352 x 240), 2048 kbit/s.
    if (kind == 2 && r.payload[2] == 0) {
        r.payload[2] = 30;
        r.payload[3] = 1;
        r.payload[4] = 0x08;
        r.payload[5] = 0x00;
    }
    if (kind == 0) { // the encoder's address: the device's own (a serial device: 127.0.0.id)
        uint8_t address[4] = {127, 0, 0, id_};
        in_addr a{};
        if (!ip_.empty() && inet_pton(AF_INET, ip_.c_str(), &a) == 1) std::memcpy(address, &a.s_addr, 4);
        std::copy(address, address + 4, r.payload.begin() + 5);
    }
    if (kind == 1) { // version 2.3
        r.payload[1] = 2;
        r.payload[2] = 3;
    }
    return r;
}

Reply SimDevice::SystemInfoReply() const {
    Reply r{19, std::vector<uint8_t>(18, 0)};
    PutU16(&r.payload[2], 1210);        // 12.10 V
    std::memcpy(&r.payload[4], "V2.1", 4);
    PutU16(&r.payload[8], 2);
    PutU16(&r.payload[10], 1);
    PutU16(&r.payload[12], 7);
    PutU16(&r.payload[14], 3);
    r.payload[16] = 1;
    return r;
}

Reply SimDevice::InputSignalReply(int cardSlot) const {
    Reply r = StateSlice(4, kInputSignal + 10 * size_t(cardSlot), 10);
    r.payload[0] = static_cast<uint8_t>(cardSlot);
    return r;
}

Reply SimDevice::EdidReply(uint8_t input) const {
    for (size_t k = 0; k < kEdidEntryCount; ++k)
        if (state_[kEdidEntry + kEdidEntrySize * k] == input) return StateSlice(6, kEdidEntry + kEdidEntrySize * k, 12);
    Reply r{6, std::vector<uint8_t>(12, 0)};
    r.payload[0] = input;
    return r;
}

} // namespace devsim
