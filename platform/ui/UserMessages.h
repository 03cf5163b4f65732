#pragma once
// The program's own window messages, numbered as the windows and the core expect them.
// wParam/lParam keep their meanings; the comment says what each carries.

// Kit controls to their parent.
constexpr unsigned MDropListSelChanged = 0x466;   // drop list's notify id, picked index
constexpr unsigned MEditValueChanged = 0x4A1;     // numeric edit's control id, 0 (on commit)
constexpr unsigned MEditKeyDown = 0x720;          // 13 (Enter or focus loss) or 27 (Esc), control id
constexpr unsigned MEditChar = 0x721;             // typed character, 0
constexpr unsigned MListCellEdited = 0x6BD;       // row, column
constexpr unsigned MListCellComboChanged = 0x6BC; // chosen item's data, row

// Pages and the core to the main dialog.
constexpr unsigned MPageClosed = 0x5A1;           // 0, 0
constexpr unsigned MPageEvent = 0x5A4;            // event code, argument
constexpr unsigned MLayerSourceChanged = 0x5A5;   // layer, send flag
constexpr unsigned MLayerWindowChanged = 0x5A6;   // LayerRectToCanvas or LayerRectToPages, layer
constexpr unsigned MRelayout = 0x5A8;             // 0, 0
constexpr unsigned MRebuildCanvas = 0x5AD;        // 0, 0
constexpr unsigned MSelectLayer = 0x5AE;          // layer, 0
constexpr unsigned MLogoLayerChanged = 0x5B0;     // logo mode, 0
constexpr unsigned MShowBusy = 0x5B1;             // busy flag, text
constexpr unsigned MBusyWaitTimedOut = 0x5C4;     // 0, 0: a page's own time-out for the wait behind the busy box
constexpr unsigned MRefreshRotate = 0x5B2;        // turn, send
constexpr unsigned MLanguageChanged = 0x5B3;      // 0 English, 1 Chinese
constexpr unsigned MProjectFile = 0x5B6;          // operation, path
constexpr unsigned MTestPatternSwitched = 0x5C2;  // 0, on
constexpr unsigned MDeviceChange = 0x219;         // 0x8000 arrival or 0x8004 removal, device type (3 a port)

// Canvas and working area.
constexpr unsigned MSdlNotify = 0x4A0;            // 0, 0
constexpr unsigned MPreviewStateChanged = 0x4A1;  // flag (to the working area only; shares 0x4A1)
constexpr unsigned MCellChanged = 0x658;          // selected cell, frame flag
constexpr unsigned MCellSelected = 0x65B;         // cell, 0
constexpr unsigned MCanvasCommand = 0x65D;        // 0, 0

// Pages to themselves.
constexpr unsigned MRenderCaptionPreview = 0x784;
// The grab-colour notification has no fixed number of its own; this one is free in the program.
constexpr unsigned MGrabColorReady = 0x5C3;       // 0, 0
