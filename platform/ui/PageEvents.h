#pragma once
#include <cstdint>

// The page events and the argument values of the messages that pages, the working area and
// the reply path send to the main dialog (the message numbers are in platform/ui/UserMessages.h).
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
