// Byte offsets of the processor's 2360-byte state block, as the simulated processor keeps it.
#pragma once
#include <cstddef>

namespace devsim::layout {

inline constexpr size_t kOutputTiming = 0;        // 24 bytes
inline constexpr size_t kOutputTimingSize = 24;
inline constexpr size_t kPictureMode = 24;        // u32, then BrightLevel u32, Gamma f32
inline constexpr size_t kBrightLevel = 28;
inline constexpr size_t kGamma = 32;
inline constexpr size_t kMosaic = 36;             // 108 bytes
inline constexpr size_t kMosaicSize = 108;
inline constexpr size_t kMosaicMode = 36;
inline constexpr size_t kMosaicArrangement = 44;
inline constexpr size_t kMosaicArrays = 48;       // six u32[4]: HStart VStart Width Height HTotal VTotal
inline constexpr size_t kLayerWindow = 144;       // 24 bytes per layer 0..3
inline constexpr size_t kLayerWindowSize = 24;
inline constexpr size_t kInputCardType = 240;     // u32[8]
inline constexpr size_t kInputSignalPresent = 272;// u8[8]
inline constexpr size_t kInputSignal = 280;       // 10 bytes per card slot
inline constexpr size_t kPictureSettings = 360;   // 20 bytes per record 4 x row + layer
inline constexpr size_t kPictureRecordSize = 20;
inline constexpr size_t kCropRect = 1320;         // 14 bytes per record 4 x row + layer
inline constexpr size_t kCropRecordSize = 14;
inline constexpr size_t kDpSplit = 1992;          // u8[2]
inline constexpr size_t kEdidEntry = 1996;        // 12 bytes per entry 0..6
inline constexpr size_t kEdidEntrySize = 12;
inline constexpr size_t kEdidEntryCount = 7;
inline constexpr size_t kSchedule = 2080;         // 124 bytes
inline constexpr size_t kScheduleSize = 124;
inline constexpr size_t kScheduleTask = 2084;     // 12 bytes per task 0..9
inline constexpr size_t kLogo = 2204;             // 42 bytes
inline constexpr size_t kLogoSize = 42;
inline constexpr size_t kSwitcher = 2248;         // 16 bytes
inline constexpr size_t kSwitcherSize = 16;
inline constexpr size_t kSwitcherFadeTime = 2252;
inline constexpr size_t kSwitcherOnProgram = 2256;
inline constexpr size_t kSwitcherOnPreview = 2260;
inline constexpr size_t kKeyer = 2264;            // 20 bytes per keyer (0 on PIP-3, 1 on PIP-1)
inline constexpr size_t kKeyerSize = 20;
inline constexpr size_t kLoopOutSource = 2304;
inline constexpr size_t kFreezeState = 2305;
inline constexpr size_t kSyncLockMode = 2308;
inline constexpr size_t kSyncMode = 2312;
inline constexpr size_t kExtensionCard = 2316;    // 44 bytes
inline constexpr size_t kExtensionCardSize = 44;
inline constexpr size_t kExtensionActiveSource = 2332;
inline constexpr size_t kExtensionMode = 2356;

inline constexpr size_t kInputRows = 12;
inline constexpr size_t kLayers = 4;

} // namespace devsim::layout
