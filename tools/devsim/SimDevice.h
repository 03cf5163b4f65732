// One simulated processor: its state, what it does with each frame, and what it answers.
// Knows nothing of sockets; the server moves its frames.
#pragma once
#include "platform/comm/LinkFrame.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace devsim {

using StateBlock = std::array<uint8_t, velklink::kStateBlockSize>;

// The reply slot of the operation-status reports.
inline constexpr uint8_t kOperationStatusSlot = 24;

struct Reply {
    uint8_t slot = 0;
    std::vector<uint8_t> payload;
};

// A neutral query and the reply slot the simulated processor answers it on.
struct NeutralQueryAnswer {
    uint32_t command;
    uint8_t slot;
    const char* what;
};
extern const std::array<NeutralQueryAnswer, 15> kNeutralQueryAnswers;

// Which answers a device gives to the neutral queries: the standard table above, or another
// processor's equally valid choice (kOtherNeutralAnswers: 58 with the preset states, 62 with the
// system information) for tests that must not depend on one choice.
enum class NeutralAnswers { Standard, Other };
struct OtherNeutralAnswer {
    uint32_t command;
    uint8_t slot;
    const char* what;
};
extern const std::array<OtherNeutralAnswer, 2> kOtherNeutralAnswers;

StateBlock BuiltinStateBlock();
// Puts an extension card into option slot 6: "none" (no card), "hdmi" (a DVI port and an HDMI
// port, DVI live) or "dp" (two DP ports). false for another kind.
bool SetExtensionCard(StateBlock& state, const std::string& kind);
// A VGA card in option slot 7, shown by MAIN (so the program offers its VGA page and its ADC
// access).
void SetVgaCard(StateBlock& state);
// GetLayerInputIndex as the processor applies it: the per-input record row of a layer, or -1.
int LayerInputRow(const StateBlock& state, int layer);

class SimDevice {
public:
    SimDevice(uint8_t id, std::string ipText, const StateBlock& state);

    uint8_t Id() const { return id_; }
    const std::string& IpText() const { return ip_; }
    const std::array<uint8_t, 6>& Mac() const { return mac_; }
    const StateBlock& State() const { return state_; }
    const std::vector<uint8_t>& CaptionBitmap() const { return caption_; }

    // Whether a frame with this target id is meant for this device.
    bool Addressed(uint8_t target) const { return target == id_ || target == velklink::kAnyDevice; }
    // Applies one frame from the program and returns the replies, in order.
    std::vector<Reply> Handle(const velklink::Frame& frame);
    // Where a frame is answered with an operation status and records, the status goes first
    // (by default each command keeps its own order: a mode change reports its record first).
    void SetStatusFirst(bool first) { statusFirst_ = first; }
    // Whether the device reports its preview on (slot 1) and streams it.
    void SetPreviewOn(bool on) { previewOn_ = on; }
    bool PreviewOn() const { return previewOn_; }
    void SetNeutralAnswers(NeutralAnswers choice) { neutralAnswers_ = choice; }
    // Commands the device applies without answering them.
    void SetUnanswered(std::vector<uint32_t> commands) { unanswered_ = std::move(commands); }
    // How a processor may confirm a command: with an operation status after its records, or
    // with the status instead of them.
    struct StatusConfirmation {
        uint32_t command;
        uint8_t operation;
        bool instead;
    };
    void SetStatusConfirmations(std::vector<StatusConfirmation> c) { statusConfirmations_ = std::move(c); }
    // All ten presets stored but leftEmpty (-1: none), preset n with MAIN on DVI-1, HDMI-1 or
    // DP-1 for n % 3 = 0, 1, 2.
    void StorePresets(int leftEmpty = -1);
    // The device itself puts a layer on another source (code 0..11); returns the layer-sources
    // report (slot 14) it then sends.
    Reply SetLayerSource(int layer, uint8_t source);
    // The device changes its switcher mode by itself (its front panel, its schedule): the
    // report it sends unprompted (slot 20).
    std::vector<Reply> SwitchMode(uint8_t mode);
    // The same for its mosaic mode (slot 12, argument 3, the mosaic record) and its preview
    // (slot 1; the stream itself needs --preview).
    std::vector<Reply> ChangeMosaicMode(uint32_t mode);
    std::vector<Reply> ChangePreview(bool on);
    // Its edge feathering switched on or off (slot 30, the feathering record).
    std::vector<Reply> ChangeFeather(bool on);
    // Its feathering record as it stands, reported unasked (--report-every).
    std::vector<Reply> ReportFeather() const { return {Reply{30, std::vector<uint8_t>(feather_.begin(), feather_.end())}}; }
    // The answer to a search: IP text and MAC (slot 27).
    Reply SearchAnswer() const;

private:
    std::vector<Reply> HandleFrame(const velklink::Frame& frame);
    std::vector<Reply> HandleCommand(uint32_t command, const uint8_t* b);
    // The other choice's answer to a neutral query, or nothing where it answers as the standard.
    std::optional<Reply> OtherNeutralAnswerTo(uint32_t command) const;
    Reply PictureReply(int layer) const;
    Reply LayerWindowReply(int layer) const;
    Reply CropReply(int layer) const;
    Reply MosaicReply(uint32_t argument) const;
    Reply LayerSourcesReply() const;
    Reply StateSlice(uint8_t slot, size_t offset, size_t size) const;
    Reply OperationStatus(uint8_t operation, uint8_t result, uint8_t detail = 0) const;
    Reply CaptionReply(int caption) const;
    Reply EncoderReply(uint8_t kind) const;
    Reply SystemInfoReply() const;
    Reply InputSignalReply(int cardSlot) const;
    Reply EdidReply(uint8_t input) const;

    uint8_t id_;
    std::string ip_;
    std::array<uint8_t, 6> mac_{};
    StateBlock state_{};
    StateBlock factory_{};
    std::array<StateBlock, 10> presets_{};
    std::array<uint8_t, 10> presetUsed_{};
    std::array<std::array<uint8_t, 32>, 4> captions_{};
    uint8_t selectedCaption_ = 0; // the caption the last caption command addressed (byte 28 of every record)
    std::array<uint8_t, 28> vga_{};
    std::array<uint8_t, 36> feather_{};
    std::array<uint8_t, 6> machineTime_{26, 1, 1, 12, 0, 0};
    std::array<uint8_t, 10> encoder_{};
    std::vector<uint8_t> caption_; // caption bitmap bytes stored from the chunks
    bool previewOn_ = false;
    NeutralAnswers neutralAnswers_ = NeutralAnswers::Standard;
    bool statusFirst_ = false;
    std::vector<uint32_t> unanswered_;
    std::vector<StatusConfirmation> statusConfirmations_;
};

} // namespace devsim
