#pragma once
// The working area in the middle of the main window. Until the output canvas with its cells
// comes, it draws the output frame with the output's resolution and the four layers where the
// device has them, so that the operator sees the device's state.
#include <cstdint>

#include <wx/panel.h>

class MMainDlg : public wxPanel {
 public:
  static constexpr int IDD = 108;
  explicit MMainDlg(wxWindow* parent);

  // Refresh operations that the reply router calls.
  void CheckPreviewState() {}
  void RelayoutByWorkMode() { Refresh(); }
  void Relayout() { Refresh(); }
  void UpdateLayerRect(int /*layer*/) { Refresh(); }

 private:
  void OnPaint(wxPaintEvent& event);
};
