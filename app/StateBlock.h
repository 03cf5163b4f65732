#pragma once
// The 2360-byte state image that travels whole between the program and the processor: the
// device sends it on the full-state reply, command 22 sends it back, and a project file stores
// it key by key. The structs below ARE the wire layout (little-endian, no padding): every
// reserved byte is a named member so that a block copied in and out stays byte-identical.
#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the state block is little-endian in memory");

struct OutputTiming {
    uint32_t ResolutionIndex; // row of the resolution table; 18 = custom timing
    uint16_t HActive;
    uint16_t VActive;
    uint16_t FrameRate; // Hz x 100
    uint16_t HTotal;
    uint16_t VTotal;
    uint16_t HSync;
    uint16_t VSync;
    uint16_t HBackPorch;
    uint16_t VBackPorch;
    uint8_t HPolarity;
    uint8_t VPolarity;
};

struct MosaicSettings {
    uint32_t Mode; // 0 off, 1 "Panel x 1", 2 "Panel x 2", 3 "Panel x2_1", 4 "Panel x 3", 5 "Panel x 4"
    uint32_t Aux;  // only the full state sets it; travels as byte 29 of the mosaic command
    uint32_t Arrangement;
    uint32_t HStart[4];
    uint32_t VStart[4];
    uint32_t Width[4];
    uint32_t Height[4];
    uint32_t HTotal[4];
    uint32_t VTotal[4];

    // Copies a 108-byte mosaic image but keeps Aux: the mosaic reply does not carry it.
    void Assign(const void* source);
};

struct LayerWindow {
    uint8_t Enable;
    uint8_t Alpha;  // 0..64
    uint8_t Source; // row of the input table as the device sent it; may be out of range
    uint8_t Reserved3;
    int32_t X;
    int32_t Y;
    int32_t Width;
    int32_t Height;
    uint32_t Rotation; // 0..7
};

struct InputSignal {
    uint8_t ResolutionIndex;
    uint8_t Reserved1;
    uint16_t HActive;
    uint16_t VActive;
    uint16_t FrameRate; // Hz x 100
    uint8_t Interlaced;
    uint8_t Reserved9;
};

struct PictureSettings {
    uint8_t Brightness;
    uint8_t Contrast;
    uint8_t Sharpness;
    uint8_t Saturation;
    uint8_t Hue;
    uint8_t Reserved5[3];
    uint32_t ColourTemperature; // row of the colour-temperature table; 8 = User
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
    uint8_t Reserved15;
    uint8_t Option;
    uint8_t Reserved17[3];
};

struct CropRect {
    uint8_t Enable;
    uint8_t Reserved1;
    uint16_t HStart;
    uint16_t VStart;
    uint16_t Width;
    uint16_t Height;
    uint16_t SourceWidth; // size of the input's signal
    uint16_t SourceHeight;

    // Copies a 14-byte crop image, then makes a rectangle that does not fit the source the
    // whole source along that axis.
    void Assign(const void* source);
};

struct EdidEntry {
    uint8_t Input; // input the entry belongs to
    uint8_t Reserved1;
    uint16_t HActive;
    uint16_t VActive;
    uint16_t FrameRate; // Hz x 100
    uint16_t HBlank;
    uint16_t VBlank;
};

struct ScheduleTask {
    uint8_t Year; // year - 2000
    uint8_t Month;
    uint8_t Day;
    uint8_t Hour;
    uint8_t Minute;
    uint8_t Second;
    uint8_t Preset; // preset slot to load
    uint8_t Reserved7;
    uint32_t Repeat; // 0 not used, 1 once, 2 every day
};

struct ScheduleSettings {
    uint8_t Enable;
    uint8_t Reserved1[3];
    ::ScheduleTask ScheduleTask[10];

    void Assign(const void* source);
};

struct LogoSettings {
    uint8_t Pip3Usage; // 0 PIP-3 is a layer, 1 PIP-3 shows a logo
    uint8_t CurrentSlot;
    uint8_t Enable;
    uint8_t Position;
    uint8_t Border;
    uint8_t Reserved5;
    uint16_t HPos[4]; // per logo slot 0..3
    uint16_t VPos[4];
    uint16_t Width[4];
    uint16_t Height[4];
    uint8_t SlotValid[4];

    void Assign(const void* source);
};

struct SwitcherSettings {
    uint8_t Mode; // 0 off, 1 PGM/PVW, 2 dual
    uint8_t Reserved1[3];
    uint32_t FadeTime;
    uint8_t OnProgram[4]; // layer i on PGM
    uint8_t OnPreview[4]; // layer i on PVW
};

struct KeyerSettings {
    uint8_t Layer; // 3 or 1
    uint8_t Enable;
    uint8_t Reserved2[2];
    uint32_t Mode; // 0 User, 1..12 keyer modes
    uint8_t RedLow;
    uint8_t RedHigh;
    uint8_t GreenLow;
    uint8_t GreenHigh;
    uint8_t BlueLow;
    uint8_t BlueHigh;
    uint8_t GainIn;
    uint8_t GainOut;
    uint8_t GainBand;
    uint8_t Reserved17[3];

    void Assign(const void* source);
};

struct ExtensionCardInfo {
    uint8_t Present;
    uint8_t Reserved1[3];
    uint32_t InputSource[3]; // card type of each of the card's sources
    uint32_t ActiveSource;   // 0..2
    uint8_t Signal;
    uint8_t Reserved21;
    uint16_t HActive;
    uint16_t Reserved24;
    uint16_t VActive;
    uint16_t Reserved28;
    uint16_t FrameRate; // Hz x 100
    uint16_t Reserved32;
    uint8_t Interlaced;
    uint8_t Reserved35;
    uint8_t DualMode; // 0 one input, 1 two half inputs
    uint8_t Reserved37[3];
    uint32_t Mode;

    void Assign(const void* source);
};

// Counts shared by the block and its users.
inline constexpr int LayerCount = 4;       // 0 MAIN, 1..3 PIP-1..PIP-3
inline constexpr int InputRowCount = 12;   // rows of the input table
inline constexpr int CardSlotCount = 8;    // input card slots
inline constexpr int EdidEntryCount = 7;
inline constexpr int ScheduleTaskCount = 10;
inline constexpr int LogoSlotCount = 4;
inline constexpr int KeyerCount = 2;       // 0 = keyer on PIP-3, 1 = keyer on PIP-1
inline constexpr int LayerInputRecordCount = InputRowCount * LayerCount; // record 4 x row + layer

struct StateBlock {
    ::OutputTiming OutputTiming;
    uint32_t PictureMode;
    uint32_t BrightLevel;
    float Gamma;
    ::MosaicSettings MosaicSettings;
    ::LayerWindow LayerWindow[LayerCount];
    uint32_t InputCardType[CardSlotCount]; // 3 VGA, 4 DVI, 6 HDMI, 7 SDI, 8 DP, 9 UDISK
    uint8_t InputSignalPresent[CardSlotCount];
    ::InputSignal InputSignal[CardSlotCount];
    ::PictureSettings PictureSettings[LayerInputRecordCount];
    ::CropRect CropRect[LayerInputRecordCount];
    uint8_t DpSplit[2]; // [0] DP-1 in halves, [1] the extension card's input in halves
    uint8_t Reserved1994[2];
    ::EdidEntry EdidEntry[EdidEntryCount];
    ::ScheduleSettings ScheduleSettings;
    ::LogoSettings LogoSettings;
    uint8_t Reserved2246[2];
    ::SwitcherSettings SwitcherSettings;
    ::KeyerSettings KeyerSettings[KeyerCount];
    uint8_t LoopOutSource;
    uint8_t FreezeState;
    uint8_t Reserved2306[2];
    uint32_t SyncLockMode; // Id of a sync-source row
    uint32_t SyncMode;     // Id of a sync-mode row
    ::ExtensionCardInfo ExtensionCardInfo;

    // Copies a whole 2360-byte image over this block; a null source copies nothing.
    void Assign(const void* source);
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
};

inline constexpr std::size_t StateBlockSize = 2360;

// The layout is a wire format: pin every size and offset.
static_assert(sizeof(OutputTiming) == 24);
static_assert(sizeof(MosaicSettings) == 108);
static_assert(sizeof(LayerWindow) == 24);
static_assert(sizeof(InputSignal) == 10);
static_assert(sizeof(PictureSettings) == 20);
static_assert(sizeof(CropRect) == 14);
static_assert(sizeof(EdidEntry) == 12);
static_assert(sizeof(ScheduleTask) == 12);
static_assert(sizeof(ScheduleSettings) == 124);
static_assert(sizeof(LogoSettings) == 42);
static_assert(sizeof(SwitcherSettings) == 16);
static_assert(sizeof(KeyerSettings) == 20);
static_assert(sizeof(ExtensionCardInfo) == 44);
static_assert(sizeof(StateBlock) == StateBlockSize);

#define VELK_AT(field, offset) static_assert(offsetof(StateBlock, field) == (offset), #field)
VELK_AT(OutputTiming.ResolutionIndex, 0);
VELK_AT(OutputTiming.HActive, 4);
VELK_AT(OutputTiming.VActive, 6);
VELK_AT(OutputTiming.FrameRate, 8);
VELK_AT(OutputTiming.HTotal, 10);
VELK_AT(OutputTiming.VTotal, 12);
VELK_AT(OutputTiming.HSync, 14);
VELK_AT(OutputTiming.VSync, 16);
VELK_AT(OutputTiming.HBackPorch, 18);
VELK_AT(OutputTiming.VBackPorch, 20);
VELK_AT(OutputTiming.HPolarity, 22);
VELK_AT(OutputTiming.VPolarity, 23);
VELK_AT(PictureMode, 24);
VELK_AT(BrightLevel, 28);
VELK_AT(Gamma, 32);
VELK_AT(MosaicSettings.Mode, 36);
VELK_AT(MosaicSettings.Aux, 40);
VELK_AT(MosaicSettings.Arrangement, 44);
VELK_AT(MosaicSettings.HStart, 48);
VELK_AT(MosaicSettings.VStart, 64);
VELK_AT(MosaicSettings.Width, 80);
VELK_AT(MosaicSettings.Height, 96);
VELK_AT(MosaicSettings.HTotal, 112);
VELK_AT(MosaicSettings.VTotal, 128);
VELK_AT(LayerWindow, 144);
VELK_AT(LayerWindow[0].Enable, 144);
VELK_AT(LayerWindow[0].Alpha, 145);
VELK_AT(LayerWindow[0].Source, 146);
VELK_AT(LayerWindow[0].X, 148);
VELK_AT(LayerWindow[0].Y, 152);
VELK_AT(LayerWindow[0].Width, 156);
VELK_AT(LayerWindow[0].Height, 160);
VELK_AT(LayerWindow[0].Rotation, 164);
VELK_AT(LayerWindow[3], 144 + 24 * 3);
VELK_AT(InputCardType, 240);
VELK_AT(InputSignalPresent, 272);
VELK_AT(InputSignal, 280);
VELK_AT(InputSignal[0].ResolutionIndex, 280);
VELK_AT(InputSignal[0].HActive, 282);
VELK_AT(InputSignal[0].VActive, 284);
VELK_AT(InputSignal[0].FrameRate, 286);
VELK_AT(InputSignal[0].Interlaced, 288);
VELK_AT(InputSignal[7], 280 + 10 * 7);
VELK_AT(PictureSettings, 360);
VELK_AT(PictureSettings[0].Brightness, 360);
VELK_AT(PictureSettings[0].Contrast, 361);
VELK_AT(PictureSettings[0].Sharpness, 362);
VELK_AT(PictureSettings[0].Saturation, 363);
VELK_AT(PictureSettings[0].Hue, 364);
VELK_AT(PictureSettings[0].ColourTemperature, 368);
VELK_AT(PictureSettings[0].Red, 372);
VELK_AT(PictureSettings[0].Green, 373);
VELK_AT(PictureSettings[0].Blue, 374);
VELK_AT(PictureSettings[0].Option, 376);
VELK_AT(PictureSettings[47], 360 + 20 * 47);
VELK_AT(CropRect, 1320);
VELK_AT(CropRect[0].Enable, 1320);
VELK_AT(CropRect[0].HStart, 1322);
VELK_AT(CropRect[0].VStart, 1324);
VELK_AT(CropRect[0].Width, 1326);
VELK_AT(CropRect[0].Height, 1328);
VELK_AT(CropRect[0].SourceWidth, 1330);
VELK_AT(CropRect[0].SourceHeight, 1332);
VELK_AT(CropRect[47], 1320 + 14 * 47);
VELK_AT(DpSplit, 1992);
VELK_AT(EdidEntry, 1996);
VELK_AT(EdidEntry[0].Input, 1996);
VELK_AT(EdidEntry[0].HActive, 1998);
VELK_AT(EdidEntry[0].VActive, 2000);
VELK_AT(EdidEntry[0].FrameRate, 2002);
VELK_AT(EdidEntry[0].HBlank, 2004);
VELK_AT(EdidEntry[0].VBlank, 2006);
VELK_AT(EdidEntry[6], 1996 + 12 * 6);
VELK_AT(ScheduleSettings.Enable, 2080);
VELK_AT(ScheduleSettings.ScheduleTask, 2084);
VELK_AT(ScheduleSettings.ScheduleTask[0].Year, 2084);
VELK_AT(ScheduleSettings.ScheduleTask[0].Second, 2089);
VELK_AT(ScheduleSettings.ScheduleTask[0].Preset, 2090);
VELK_AT(ScheduleSettings.ScheduleTask[0].Repeat, 2092);
VELK_AT(ScheduleSettings.ScheduleTask[9], 2084 + 12 * 9);
VELK_AT(LogoSettings.Pip3Usage, 2204);
VELK_AT(LogoSettings.CurrentSlot, 2205);
VELK_AT(LogoSettings.Enable, 2206);
VELK_AT(LogoSettings.Position, 2207);
VELK_AT(LogoSettings.Border, 2208);
VELK_AT(LogoSettings.HPos, 2210);
VELK_AT(LogoSettings.VPos, 2218);
VELK_AT(LogoSettings.Width, 2226);
VELK_AT(LogoSettings.Height, 2234);
VELK_AT(LogoSettings.SlotValid, 2242);
VELK_AT(SwitcherSettings.Mode, 2248);
VELK_AT(SwitcherSettings.FadeTime, 2252);
VELK_AT(SwitcherSettings.OnProgram, 2256);
VELK_AT(SwitcherSettings.OnPreview, 2260);
VELK_AT(KeyerSettings, 2264);
VELK_AT(KeyerSettings[0].Layer, 2264);
VELK_AT(KeyerSettings[0].Enable, 2265);
VELK_AT(KeyerSettings[0].Mode, 2268);
VELK_AT(KeyerSettings[0].RedLow, 2272);
VELK_AT(KeyerSettings[0].RedHigh, 2273);
VELK_AT(KeyerSettings[0].GreenLow, 2274);
VELK_AT(KeyerSettings[0].GreenHigh, 2275);
VELK_AT(KeyerSettings[0].BlueLow, 2276);
VELK_AT(KeyerSettings[0].BlueHigh, 2277);
VELK_AT(KeyerSettings[0].GainIn, 2278);
VELK_AT(KeyerSettings[0].GainOut, 2279);
VELK_AT(KeyerSettings[0].GainBand, 2280);
VELK_AT(KeyerSettings[1], 2284);
VELK_AT(LoopOutSource, 2304);
VELK_AT(FreezeState, 2305);
VELK_AT(SyncLockMode, 2308);
VELK_AT(SyncMode, 2312);
VELK_AT(ExtensionCardInfo.Present, 2316);
VELK_AT(ExtensionCardInfo.InputSource, 2320);
VELK_AT(ExtensionCardInfo.ActiveSource, 2332);
VELK_AT(ExtensionCardInfo.Signal, 2336);
VELK_AT(ExtensionCardInfo.HActive, 2338);
VELK_AT(ExtensionCardInfo.VActive, 2342);
VELK_AT(ExtensionCardInfo.FrameRate, 2346);
VELK_AT(ExtensionCardInfo.Interlaced, 2350);
VELK_AT(ExtensionCardInfo.DualMode, 2352);
VELK_AT(ExtensionCardInfo.Mode, 2356);
#undef VELK_AT
