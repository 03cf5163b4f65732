#pragma once
#include <cstdint>
#include <optional>

// The decisions behind the main dialog's page events, kept free of windows so they are
// checked headless. An empty optional means "leave it as it is".

// EvMachineSearchWindow and the other floating-window events: 0 and 1 toggle, anything else hides.
bool FloatingWindowShownAfter(bool shownNow, intptr_t argument);

// EvShowSubPage: the pop-up pages and the misc page it shows or hides.
struct SubPageVisibility {
  std::optional<bool> Misc, Keyer, TestPattern, Task, SubTitle;
};
SubPageVisibility SubPageVisibilityFor(int index, bool show);

// EvPipChanged: the layer of PIP pip (0..2) and whether it is shown; none for a PIP out of
// range or a PIP-3 used for something other than a PIP or the logo.
struct LayerVisibility {
  int Layer = 0;
  bool Shown = false;
};
std::optional<LayerVisibility> PipLayerVisibility(intptr_t pip, uint32_t layerEnable, uint32_t pip3Usage,
                                                  uint32_t logoEnable);
