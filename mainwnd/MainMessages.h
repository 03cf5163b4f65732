#pragma once
#include <cstdint>

// The user messages that pages, the working area and the reply path send to the main dialog.
// Their numbers and argument meanings are fixed: language files and the pages rely on them.
inline constexpr uint32_t MPageClosed = 0x5A1;
inline constexpr uint32_t MPageEvent = 0x5A4;
inline constexpr uint32_t MLayerSourceChanged = 0x5A5;
inline constexpr uint32_t MLayerWindowChanged = 0x5A6;
inline constexpr uint32_t MRebuildCanvas = 0x5AD;
inline constexpr uint32_t MSelectLayer = 0x5AE;
inline constexpr uint32_t MLogoLayerChanged = 0x5B0;
inline constexpr uint32_t MShowBusy = 0x5B1;
inline constexpr uint32_t MLanguageChanged = 0x5B3;
inline constexpr uint32_t MProjectFile = 0x5B6;
inline constexpr uint32_t MTestPatternSwitched = 0x5C2;

// wParam of MLayerWindowChanged: which side follows the new layer rectangle.
inline constexpr uint32_t LayerRectToCanvas = 1451;
inline constexpr uint32_t LayerRectToPages = 1452;

// wParam of MProjectFile.
inline constexpr uint32_t ProjectOpen = 1463;
inline constexpr uint32_t ProjectSave = 1464;
inline constexpr uint32_t ProjectNew = 1465;

// wParam of MPageEvent.
enum PageEventCode : uint32_t {
  EvShowSubPage = 1442,
  EvDpSplitCheck = 1447,
  EvSwitcherMode = 1448,
  EvLoopOutSource = 1449,
  EvPipChanged = 1450,
  EvMosaicMode = 1460,
  EvMosaicArrangement = 1461,
  EvLinkChanged = 1466,
  EvMachineSearchWindow = 1467,
  EvVideoSettingWindow = 1468,
  EvMediaPlayerWindow = 1469,
  EvFeatherWindow = 1470,
  EvFeatherChanged = 1471,
  EvConnectionIndicator = 1472,
  EvCurrentMachineIp = 1473,
  EvCropChanged = 1475,
  EvPreviewResolution = 1476,
  ShowTopButtons = 1477,
};

// lParam of EvShowSubPage: which sub-page and whether to show it.
struct SubPageRequest {
  int Index = 0;
  bool Show = false;
};
