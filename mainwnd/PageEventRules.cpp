#include "mainwnd/PageEventRules.h"

bool FloatingWindowShownAfter(bool shownNow, intptr_t argument) {
  if (argument == 0 || argument == 1) return !shownNow;
  return false;
}

SubPageVisibility SubPageVisibilityFor(int index, bool show) {
  SubPageVisibility v;
  if (!show) {
    if (index == 4) {
      v.SubTitle = false;
    } else {
      v.Task = v.Keyer = v.TestPattern = false;
    }
    return v;
  }
  switch (index) {
    case 0: v.Misc = true; v.Task = v.Keyer = v.TestPattern = false; break;
    case 1: v.Keyer = true; v.Task = v.TestPattern = false; break;
    case 2: v.Keyer = v.Task = false; v.TestPattern = true; break;
    case 3: v.Task = true; v.Keyer = v.TestPattern = false; break;
    case 4: v.SubTitle = true; break;
    default: break;
  }
  return v;
}

std::optional<LayerVisibility> PipLayerVisibility(intptr_t pip, uint32_t layerEnable, uint32_t pip3Usage,
                                                  uint32_t logoEnable) {
  if (pip < 0 || pip > 2) return std::nullopt;
  const int layer = static_cast<int>(pip) + 1;
  if (layer < 3) return LayerVisibility{layer, layerEnable != 0};
  if (pip3Usage == 0) return LayerVisibility{layer, layerEnable != 0};
  if (pip3Usage == 1) return LayerVisibility{layer, logoEnable != 0};
  return std::nullopt;
}
