#include "mainwnd/StatusIndicators.h"

#include <wx/window.h>

#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "mainwnd/ControlsLayout.h"
#include "platform/ui/ShownTexts.h"

namespace {
CGdipButton* MakeIndicator(wxWindow& window, int id, int stdImage, int altImage) {
  auto* b = new CGdipButton(&window, id, wxString(), wxRect(0, 0, 24, 24));
  b->LoadStdImage(stdImage);
  if (altImage) b->LoadAltImage(altImage);
  return b;
}
void Place(CGdipButton* b, const LayoutRect& r) { b->SetSize(r.Left, r.Top, r.Width(), r.Height()); }
}  // namespace

StatusIndicators::StatusIndicators(wxWindow& window) {
  // Dark marker 157 while unconnected, lit 155 once connected. It is display only, but it keeps
  // its real picture: a disabled button would always show the grey one.
  Status = MakeIndicator(window, ConnectionStatusId, 157, 155);
  Status->SetToggle(true);
  // A click would flip the toggle: the link's state is put back at once.
  window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Status->SetChecked(Connected); }, ConnectionStatusId);
  TypeA = MakeIndicator(window, ConnectionTypeAId, 1485, 0);
  TypeB = MakeIndicator(window, ConnectionTypeBId, 1486, 0);
  SwitcherMode = MakeIndicator(window, SwitcherModeIndicatorId, 1487, 0);
  TypeA->Hide();
  SwitcherMode->Hide();
  ApplyLanguage();
}

void StatusIndicators::Layout(const LayoutRect& c) {
  Place(Status, IndicatorRect(c, 10, 24));
  Place(TypeA, IndicatorRect(c, 40, 24));
  Place(TypeB, IndicatorRect(c, 40, 24));
  Place(SwitcherMode, IndicatorRect(c, 80, 24));
}

void StatusIndicators::ApplyLanguage() {
  TypeA->SetToolTipText(wxString::FromUTF8(UiStrings[87]));
  TypeB->SetToolTipText(wxString::FromUTF8(UiStrings[87]));
  SwitcherMode->SetToolTipText(wxString::FromUTF8(UiStrings[86]));
  Status->SetToolTipText(wxString::FromUTF8(UiStrings[88]));
}

void StatusIndicators::Show(bool connected, bool networkLink, bool switcherMode) {
  Connected = connected;
  Status->SetChecked(connected);
  TypeA->Show(!networkLink);
  TypeB->Show(networkLink);
  SwitcherMode->Show(switcherMode);
  RecordShownTexts("connection", {connected ? "connected" : "not connected", networkLink ? "network" : "serial"});
  RecordShownTexts("indicators", {std::string("status ") + (connected ? "lit" : "dark"),
                                  networkLink ? "type B shown" : "type A shown",
                                  switcherMode ? "switcher mode shown" : "switcher mode hidden"});
}
