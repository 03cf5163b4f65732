#pragma once
// The busy box: a small modeless box with a moving bar and a text, shown while the main
// window waits for the device. Only the main dialog shows, fills and hides it.
#include <string>

#include <wx/dialog.h>
#include <wx/timer.h>

class wxStaticText;
class wxGauge;

class Velkan_PrograssDlg : public wxDialog {
 public:
  static constexpr int IDD = 170;
  explicit Velkan_PrograssDlg(wxWindow* owner);
  void SetText(const std::string& text);
  // Shown centred on its owner, with its animation running while shown.
  void ShowBox(bool show);

 private:
  wxStaticText* Label = nullptr;
  wxGauge* Bar = nullptr;
  wxTimer Animation;
};
