// A realistic state for a processor fresh from the box, with a few inputs live.
#include "tools/devsim/SimDevice.h"
#include "tools/devsim/StateLayout.h"

#include <cstring>

namespace devsim {

using namespace layout;
using velklink::PutU16;
using velklink::PutU32;

StateBlock BuiltinStateBlock() {
    StateBlock s{};
    // Reserved bytes carry a pattern, so a block that travels back unchanged proves the round trip.
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<uint8_t>(0xC0 | (i & 0x0F));
    uint8_t* p = s.data();

    // 1920 x 1080 at 60 Hz (CEA timing).
    PutU32(p + 0, 10);
    PutU16(p + 4, 1920);
    PutU16(p + 6, 1080);
    PutU16(p + 8, 6000);
    PutU16(p + 10, 2200);
    PutU16(p + 12, 1125);
    PutU16(p + 14, 44);
    PutU16(p + 16, 5);
    PutU16(p + 18, 148);
    PutU16(p + 20, 36);
    p[22] = 1;
    p[23] = 1;
    PutU32(p + kPictureMode, 0);
    PutU32(p + kBrightLevel, 17);
    const float gamma = 2.2f;
    std::memcpy(p + kGamma, &gamma, sizeof gamma);

    // Mosaic off; Aux is the processor's own value.
    PutU32(p + kMosaicMode, 0);
    PutU32(p + 40, 0x1234);
    PutU32(p + kMosaicArrangement, 5);
    for (size_t layer = 0; layer < kLayers; ++layer) {
        const uint32_t values[6] = {0, 0, 1920, 1080, 1920, 1080};
        for (size_t a = 0; a < 6; ++a) PutU32(p + kMosaicArrays + 16 * a + 4 * layer, values[a]);
    }

    // MAIN full screen on HDMI-1; PIP-1 on DVI-1 in a corner; PIP-2 and PIP-3 off.
    const struct { uint8_t enable, alpha, source; int x, y, w, h; } windows[4] = {
        {1, 64, 1, 0, 0, 1920, 1080}, {1, 64, 0, 1280, 60, 576, 324},
        {0, 64, 2, 0, 540, 960, 540}, {0, 64, 3, 960, 540, 960, 540}};
    for (size_t layer = 0; layer < kLayers; ++layer) {
        uint8_t* w = p + kLayerWindow + kLayerWindowSize * layer;
        w[0] = windows[layer].enable;
        w[1] = windows[layer].alpha;
        w[2] = windows[layer].source;
        PutU32(w + 4, static_cast<uint32_t>(windows[layer].x));
        PutU32(w + 8, static_cast<uint32_t>(windows[layer].y));
        PutU32(w + 12, static_cast<uint32_t>(windows[layer].w));
        PutU32(w + 16, static_cast<uint32_t>(windows[layer].h));
        PutU32(w + 20, 0);
    }

    // Card slots: DVI, HDMI, DVI, HDMI, DP, SDI, an HDMI option card, an empty option slot
    // (type 0 would be a card there: an empty slot reports a type of 10 or more).
    const uint32_t cards[8] = {4, 6, 4, 6, 8, 7, 6, 255};
    for (size_t slot = 0; slot < 8; ++slot) PutU32(p + kInputCardType + 4 * slot, cards[slot]);
    const uint8_t present[8] = {1, 1, 0, 0, 1, 0, 0, 0};
    std::memcpy(p + kInputSignalPresent, present, 8);
    for (size_t slot = 0; slot < 8; ++slot) {
        uint8_t* sig = p + kInputSignal + 10 * slot;
        sig[0] = present[slot] ? 10 : 0;
        PutU16(sig + 2, present[slot] ? 1920 : 0);
        PutU16(sig + 4, present[slot] ? 1080 : 0);
        PutU16(sig + 6, present[slot] ? 6000 : 0);
        sig[8] = 0;
    }

    for (size_t r = 0; r < kInputRows * kLayers; ++r) {
        uint8_t* rec = p + kPictureSettings + kPictureRecordSize * r;
        rec[0] = 50; rec[1] = 50; rec[2] = 12; rec[3] = 50; rec[4] = 50;
        PutU32(rec + 8, 2);
        rec[12] = 128; rec[13] = 128; rec[14] = 128;
        rec[16] = 0;
        uint8_t* crop = p + kCropRect + kCropRecordSize * r;
        crop[0] = 0;
        PutU16(crop + 2, 0);
        PutU16(crop + 4, 0);
        PutU16(crop + 6, 1920);
        PutU16(crop + 8, 1080);
        PutU16(crop + 10, 1920);
        PutU16(crop + 12, 1080);
    }

    p[kDpSplit] = 0;
    p[kDpSplit + 1] = 0;
    const uint8_t edidInputs[kEdidEntryCount] = {0, 1, 2, 3, 4, 6, 7};
    for (size_t k = 0; k < kEdidEntryCount; ++k) {
        uint8_t* e = p + kEdidEntry + kEdidEntrySize * k;
        e[0] = edidInputs[k];
        PutU16(e + 2, 1920);
        PutU16(e + 4, 1080);
        PutU16(e + 6, 6000);
        PutU16(e + 8, 280);
        PutU16(e + 10, 45);
    }

    p[kSchedule] = 0;
    for (size_t t = 0; t < 10; ++t) {
        uint8_t* task = p + kScheduleTask + 12 * t;
        const uint8_t when[6] = {26, 1, 1, 12, 0, 0};
        std::memcpy(task, when, 6);
        task[6] = static_cast<uint8_t>(t);
        PutU32(task + 8, 0);
    }

    uint8_t* logo = p + kLogo;
    logo[0] = 0; logo[1] = 0; logo[2] = 0; logo[3] = 0; logo[4] = 0;
    for (size_t slot = 0; slot < 4; ++slot) {
        PutU16(logo + 6 + 2 * slot, 100);
        PutU16(logo + 14 + 2 * slot, 100);
        PutU16(logo + 22 + 2 * slot, 200);
        PutU16(logo + 30 + 2 * slot, 100);
        logo[38 + slot] = 0;
    }

    p[kSwitcher] = 0;
    PutU32(p + kSwitcherFadeTime, 5);
    const uint8_t onProgram[4] = {1, 0, 0, 0}, onPreview[4] = {0, 1, 0, 0};
    std::memcpy(p + kSwitcherOnProgram, onProgram, 4);
    std::memcpy(p + kSwitcherOnPreview, onPreview, 4);

    for (size_t k = 0; k < 2; ++k) {
        uint8_t* key = p + kKeyer + kKeyerSize * k;
        key[0] = k == 0 ? 3 : 1;
        key[1] = 0;
        PutU32(key + 4, 0);
        const uint8_t ranges[6] = {0, 60, 160, 255, 0, 60};
        std::memcpy(key + 8, ranges, 6);
        key[14] = 32; key[15] = 32; key[16] = 16;
    }

    p[kLoopOutSource] = 0;
    p[kFreezeState] = 0;
    PutU32(p + kSyncLockMode, 0);
    PutU32(p + kSyncMode, 0);

    // An HDMI extension card with three sources, the first one live.
    uint8_t* ext = p + kExtensionCard;
    ext[0] = 1;
    PutU32(ext + 4, 6);
    PutU32(ext + 8, 4);
    PutU32(ext + 12, 8);
    PutU32(ext + 16, 0);
    ext[20] = 1;
    PutU16(ext + 22, 1920);
    PutU16(ext + 26, 1080);
    PutU16(ext + 30, 6000);
    ext[34] = 0;
    ext[36] = 0;
    PutU32(ext + 40, 0);
    return s;
}

constexpr uint32_t kNoCard = 255;

bool SetExtensionCard(StateBlock& state, const std::string& kind) {
    uint8_t* ext = state.data() + kExtensionCard;
    uint32_t card = 0, ports = 0;
    if (kind == "hdmi") {
        card = 6;
        ports = 6;
    } else if (kind == "dp") {
        card = 8;
        ports = 8;
    } else if (kind != "none") {
        return false;
    }
    ext[0] = card != 0 ? 1 : 0;
    PutU32(ext + 4, ports);
    PutU32(ext + 8, ports);
    PutU32(ext + 12, 0);
    PutU32(ext + 16, 0);
    ext[20] = card != 0 ? 1 : 0;
    PutU32(state.data() + kInputCardType + 4 * 6, card);
    // Beside an extension card option slot 7 is empty: a card type of 10 or more is no card.
    if (card != 0) PutU32(state.data() + kInputCardType + 4 * 7, kNoCard);
    return true;
}

void SetVgaCard(StateBlock& state) {
    constexpr uint32_t kVgaCard = 3;
    PutU32(state.data() + kInputCardType + 4 * 7, kVgaCard);
    state[kLayerWindow + 2] = 7;
}

int LayerInputRow(const StateBlock& state, int layer) {
    if (layer < 0 || layer > 3) return -1;
    const uint8_t s = state[kLayerWindow + kLayerWindowSize * size_t(layer) + 2];
    const uint32_t t = velklink::GetU32(state.data() + kInputCardType + 24);
    const bool p = state[kExtensionCard] != 0;
    const uint32_t a = velklink::GetU32(state.data() + kExtensionActiveSource);
    switch (s) {
    case 9: return 8;
    case 11:
        if (t != 6) return 9;
        if (!p) return 0;
        return a == 0 ? 11 : a == 1 ? 9 : 0;
    case 10:
        if (t == 6) return p ? (a == 0 ? 10 : a == 1 ? 6 : 0) : 6;
        return t == 8 ? 6 : 0;
    case 6:
        if (t == 6 && p) return a == 0 ? 10 : a == 1 ? 6 : 0;
        return 6;
    case 8: return 4;
    default: return s < 12 ? s : -1;
    }
}

} // namespace devsim
