#pragma once
// The program's one model of the processor: the StateBlock that travels whole to and from the
// device, followed by what only the program keeps (link status, reply records, name tables and
// page start values). UI thread only; no lock.
#include "app/DeviceTables.h"
#include "app/StateBlock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

// The 32 argument bytes a0..a31 of a command.
using CommandArgs = std::array<uint8_t, 32>;
// The 32-byte parameter block of a command; every byte a command does not name is 0x55.
using CommandBlockBytes = std::array<uint8_t, 32>;
inline constexpr uint8_t CommandBlockFill = 0x55;
// SendCommand's result when an index it would read with is out of range: nothing was sent.
inline constexpr int CommandRefused = -2;
// SendCommand's result when no link is installed or no machine is addressed (as the library's own failure).
inline constexpr int CommandNoLink = -1;

// The id of the addressed processor, sent with every command, state block and caption chunk.
// Only the machine at work (app/MachineAtWork.h) writes it.
extern uint8_t DeviceId;
inline constexpr uint8_t InitialDeviceId = 110;

struct GrabbedColour {
    uint16_t Red = 0, Green = 0, Blue = 0;
};

// The system-information reply, kept as received.
struct SystemInfo {
    uint8_t Reserved0[2];
    uint16_t Voltage; // volts x 100
    char VersionText[4];
    uint16_t Version[3];
    uint16_t Version2;
    uint8_t HasVersion2;
    uint8_t Reserved17;

    void Assign(const void* source);
};
static_assert(sizeof(SystemInfo) == 18);

// Laid out like the 28-byte VGA reply.
struct VgaSettings {
    uint8_t Input;
    uint8_t Reserved1[3];
    uint32_t Clock;    // 500..4096
    uint32_t Phase;    // 0..63
    int8_t HPosition;  // -100..100
    int8_t VPosition;  // -16..16
    uint16_t Adc[6];   // red, green, blue offset, then red, green, blue gain; 0..1023
    uint8_t Reserved26[2];
};
static_assert(sizeof(VgaSettings) == 28 && offsetof(VgaSettings, Adc) == 14);

struct MachineTime {
    uint8_t Year, Month, Day, Hour, Minute, Second; // year - 2000
};

// One caption record as the device reports it (32 bytes, kept as received).
struct CaptionSettings {
    uint16_t Width;
    uint16_t Height; // also the font height
    uint16_t HStart;
    uint16_t VStart;
    uint16_t DisplayWidth;
    uint8_t ScrollDirection;
    uint8_t ScrollSpeed;
    uint8_t Enable;
    uint8_t BackgroundMode;
    uint8_t Index; // the record the payload is filed under, 0..3
    uint8_t Reserved15;
    uint32_t ForegroundColour; // red in the low byte
    uint32_t BackgroundColour;
    uint8_t OutputEnable[4];
    uint8_t SelectedCaption;
    uint8_t Reserved29[3];

    void Assign(const void* source);
};
static_assert(sizeof(CaptionSettings) == 32 && offsetof(CaptionSettings, ForegroundColour) == 16 &&
              offsetof(CaptionSettings, OutputEnable) == 24 && offsetof(CaptionSettings, SelectedCaption) == 28);

struct OperationStatus {
    uint8_t Operation = 0, Result = 0, Detail = 0;
};

// Laid out like the 36-byte feathering reply.
struct FeatherSettings {
    uint32_t Enable;
    uint32_t Sharpness[4]; // per layer
    uint32_t Level[4];
};
static_assert(sizeof(FeatherSettings) == 36);

struct LayerWindowExtraRecord {
    uint8_t Reserved0 = 0;
    uint32_t FullScreen = 0; // one-shot: sent once with the next layer-window command
    uint16_t DefaultX = 0, DefaultY = 0, DefaultWidth = 0, DefaultHeight = 0;
};

struct LayerRectDefault {
    uint32_t HStart = 0, VStart = 0;
    uint16_t Width = 0, Height = 0;
};

struct PipPageRecord {
    uint32_t Value0 = 0;
    uint16_t Value1 = 64;
    uint8_t Layer = 0;
};

struct LogoCaptureRect {
    uint16_t X = 0, Y = 0, Width = 0, Height = 0;
};

struct DefaultTask {
    uint8_t Year = 16, Month = 8, Day = 7, Hour = 12, Minute = 0, Second = 0; // year - 2000
    uint8_t Preset = 0;
    uint16_t Repeat = 0;
};

// The EdidEntry (0..6) an input's EDID is kept in: inputs 0..5 their own, 6 and 7 entries 5 and
// 6 (so inputs 5 and 6 share entry 5); none beyond 7.
std::optional<size_t> EdidEntryIndex(uint32_t input);

class DeviceState : public StateBlock {
public:
    DeviceState();

    // The row 0..11 of the per-input records (PictureSettings, CropRect) that belong to the
    // layer's current input, or none when the layer or its Source byte is out of range.
    std::optional<uint32_t> GetLayerInputIndex(uint32_t layer) const;
    // The layer's record for its current input; null when there is no valid row.
    ::PictureSettings* LayerPictureSettings(uint32_t layer);
    ::CropRect* LayerCropRect(uint32_t layer);

    // Sends one numbered command (0..73) with its argument bytes a0..a31, the block filled from
    // them and from this state as the command's row says; command 22 sends the whole state
    // block instead. Returns the library's result, CommandRefused when an index read from the
    // arguments or the state is out of range, CommandNoLink without a link.
    int SendCommand(uint16_t command, const CommandArgs& args);
    // The same with a0, a1, ... given in order; the ones left out are 0.
    template <typename... Args>
        requires(sizeof...(Args) <= 32 && ((std::is_integral_v<Args> || std::is_enum_v<Args>) && ...))
    int SendCommand(uint16_t command, Args... args) {
        CommandArgs bytes{};
        size_t at = 0;
        ((bytes[at++] = static_cast<uint8_t>(args)), ...);
        return SendCommand(command, bytes);
    }

    // The block of the last command, as sent (bare again after a refused one).
    CommandBlockBytes CommandBlock;

    // ---- decoders: a received or loaded record into the state, keeping the input table in
    // step with the cards, splits and signals the processor reports ----
    // A whole block from the device or a project file (LoadedFromProject tells them apart).
    void ApplyStateBlock(const void* block);
    // The 44-byte extension-card record.
    void ApplyExtensionCard(const void* record);
    // Input rows and layer sources after a change of DpSplit.
    void ApplyDpSplitMode();
    // The 10-byte input-signal reply; byte 0 is the card slot 0..7.
    void ApplyInputSignal(const uint8_t* data);
    // The 28-byte VGA reply.
    void ApplyVgaReply(const uint8_t* data);
    // The 12-byte EDID reply, stored in the entry of the same input.
    void ApplyEdidReply(const uint8_t* data);
    // A machine found by the search; a null MAC is stored as zeros.
    void SetDeviceInfo(const std::string& ip, const uint8_t* mac);

    // ---- kept by the program only ----
    ::GrabbedColour GrabbedColour;
    ::SystemInfo SystemInfo{};
    ::VgaSettings VgaSettings{};
    ::MachineTime MachineTime{};
    ::CaptionSettings CaptionSettings[4]{};
    uint8_t LogoShownSlot = 0;
    ::OperationStatus OperationStatus;
    std::array<uint8_t, 10> EncoderReply{};
    uint32_t CaptionAckOffset = 0;
    uint32_t CaptionAckLength = 0; // holds a u16
    uint8_t CaptionAckStatus = 0;
    uint8_t MultiMachineMode = 0;
    uint8_t PreviewEnabled = 0;
    uint8_t LoadedFromProject = 0;
    std::string FoundMachineIp;
    std::array<uint8_t, 6> FoundMachineMac{};
    std::array<uint8_t, 10> PresetUsed{}; // preset slot 0..9 holds a preset
    uint8_t LogoFramePending = 0;
    uint8_t NetworkConnected = 1;
    uint32_t SignalInput = 0; // card slot of the last input-signal reply
    std::array<uint32_t, LayerCount> ApplyToAllInputs{};
    uint32_t LastWindowLayer = 0;
    ::FeatherSettings FeatherSettings{};

    std::array<SyncChoice, 13> SyncSourceNames;
    std::array<SyncChoice, 3> SyncModeNames;
    std::array<PictureModeValue, 7> PictureModeValues;
    uint32_t ResetLayerPicture = 0;  // one-shot: sent once with the next picture command
    uint32_t PictureCommandMode = 1; // one-shot: set back to 1 after every picture command
    PictureResetRecord PictureResetValues;
    std::array<InputEntry, InputRowCount> InputTable;
    CustomTimingValues CustomTiming;
    std::array<ResolutionEntry, 19> ResolutionTable;
    std::array<LayerPictureDefault, LayerInputRecordCount> LayerPictureDefaults{};
    std::array<PictureModePreset, 8> PictureModePresets;
    std::array<ColourTemperaturePreset, 9> ColourTemperaturePresets;
    std::array<LayerWindowExtraRecord, LayerCount> LayerWindowExtra;
    std::array<LayerRectDefault, LayerInputRecordCount> LayerRectDefaults{};

    // Mosaic page values.
    uint32_t MosaicPageValue0 = 0;
    uint16_t MosaicPageValue1 = 1026;
    uint8_t MosaicCell = 5;
    uint32_t MosaicReset = 0; // one-shot of the mosaic page: 1 while a layer reset is sent
    uint8_t MosaicPageValue2 = 1;
    std::array<std::array<uint32_t, LayerCount>, 6> MosaicPageLayerValues{};
    std::array<PipPageRecord, 3> PipPageRecords;

    std::array<uint8_t, 4> GrabPosition{}; // H lo/hi, V lo/hi of the pixel grab
    std::array<uint8_t, 2> TestPatternPageValues{};
    std::array<::EdidEntry, EdidEntryCount> DefaultEdidEntries{};
    std::array<LogoCaptureRect, LogoSlotCount> LogoCaptureFrame{};
    std::array<DefaultTask, ScheduleTaskCount> DefaultTasks;
    std::array<std::array<uint8_t, 4>, 6> ByteRangeTables{}; // low/high bounds, alternating
    uint32_t PageValueAfterRanges = 0x600;
    uint8_t LastQueryLayer = 0;
    uint8_t TestPattern = 0;
    uint8_t CurrentLayer = 0;
};

// The process-wide state, built with its defaults on the first call.
DeviceState& GetDeviceState();

// Puts the process-wide state back to its starting values (tests, and a fresh start).
void ResetDeviceState();
