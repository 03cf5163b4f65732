#pragma once
// The four small picture buttons at the main window's right edge: connection status, the
// connection type (serial A or network B) and the switcher mode. They show state only.
#include "mainwnd/MainLayout.h"

class CGdipButton;
class wxWindow;

inline constexpr int ConnectionTypeAId = 1494;
inline constexpr int ConnectionTypeBId = 1489;
inline constexpr int SwitcherModeIndicatorId = 1490;
inline constexpr int ConnectionStatusId = 1492;

class StatusIndicators {
 public:
  explicit StatusIndicators(wxWindow& window);
  void Layout(const LayoutRect& client);
  // Tooltips in the current language.
  void ApplyLanguage();
  void Show(bool connected, bool networkLink, bool switcherMode);

 private:
  CGdipButton* Status = nullptr;
  CGdipButton* TypeA = nullptr;
  CGdipButton* TypeB = nullptr;
  CGdipButton* SwitcherMode = nullptr;
  bool Connected = false;
};
