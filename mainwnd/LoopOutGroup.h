#pragma once
// The Loop-Out frame in the input strip: it stands round the icon of the input that feeds the
// loop-out connector, and its title strip opens the system page where that input is chosen.
#include <wx/dc.h>

#include "controls/CSxGroupBox.h"
#include "mainwnd/MainLayout.h"

class wxWindow;

inline constexpr int LoopOutGroupId = 1255;

class LoopOutGroup {
 public:
  LoopOutGroup(wxWindow& window, const LayoutRect& client);
  // Moves the frame round the icon (EvLoopOutSource); the old and the new place are repainted.
  void MoveAround(int input, const LayoutRect& icon);
  bool TitleStripHit(int x, int y) const;
  void Draw(wxDC& dc) const { Box.Draw(dc); }
  const CSxGroupBox& GroupBox() const { return Box; }
  // The title, as the language files give it.
  void SetTitle(const wxString& title);
  const wxString& Title() const { return Box.GetText(); }

 private:
  wxWindow& Window;
  CSxGroupBox Box;
  LayoutRect Frame;
};
