#pragma once
// The busy box: a small modeless box with the busy animation and a text, shown while the main
// window waits for the device. Only the main dialog shows, fills and hides it.
#include "controls/CProgressDlg.h"

#include <string>

class Velkan_PrograssDlg : public CProgressDlg {
 public:
  static constexpr int IDD = 170;
  explicit Velkan_PrograssDlg(wxWindow* owner);
  // The text shows in the box and names its window.
  void SetText(const std::string& text);
  // Shown centred on its owner.
  void ShowBox(bool show);
  // Whether the box was last shown or hidden. GTK may report a box hidden right after it was
  // shown as shown again (its late map event), though nothing is on the screen.
  bool BoxShown() const { return Shown; }

 private:
  bool Shown = false;
};
