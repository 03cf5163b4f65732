#include "pages/PageLook.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/MBaseDialog.h"
#include "app/DeviceState.h"
#include "pages/LayerButtonRules.h"

CDropButton* MakePageDropList(MBaseDialog* page, int notifyId, const wxRect& rect) {
  auto* list = new CDropButton;
  list->Create(wxString(), page, notifyId, 0x101010, 0x101010, PageTextOff, -1, &page->ControlFont, 0x2E2E2E, rect);
  if (CDropList* l = list->GetList()) {
    l->SetBkColor(0x2E2E2E);
    l->SetSelColor(0x50FFFF);
  }
  return list;
}

CGdipButton* MakePageButton(MBaseDialog* page, int id, const char* caption, const wxRect& rect, int image, int alt) {
  auto* b = new CGdipButton(page, id, wxString::FromUTF8(caption), rect);
  b->LoadStdImage(image);
  if (alt) b->LoadAltImage(alt);
  b->SetFont(page->ControlFont);
  b->SetTextColour(PageTextOff);
  return b;
}

void ShowLayerButtonPlan(const std::array<CGdipButton*, 4>& buttons, const LayerButtonPlan& plan) {
  for (size_t layer = 0; layer < buttons.size(); ++layer) {
    const LayerButtonCaption& b = plan.Buttons[layer];
    if (!buttons[layer]) continue;
    if (b.Caption) buttons[layer]->SetLabel(wxString::FromUTF8(*b.Caption));
    if (b.Enabled) buttons[layer]->Enable(*b.Enabled);
  }
}

std::optional<int> ShowSwitcherLayerButtons(const std::array<CGdipButton*, 4>& buttons, const SwitcherSettings& s) {
  const LayerButtonPlan plan = LayerButtonsForSwitcher(s.Mode, s.OnProgram, s.OnPreview);
  ShowLayerButtonPlan(buttons, plan);
  return plan.SelectLayer;
}

void MarkLayerButtons(const std::array<CGdipButton*, 4>& buttons, uint32_t current) {
  for (uint32_t layer = 0; layer < buttons.size(); ++layer) {
    buttons[layer]->SetChecked(layer == current);
    buttons[layer]->SetTextColour(layer == current ? PageTextOn : PageTextOff);
    buttons[layer]->Refresh();
  }
}

bool SelectLayerButton(const std::array<CGdipButton*, 4>& buttons, uint32_t& current, int layer) {
  if (layer < 0 || layer >= static_cast<int>(buttons.size())) return false;
  const uint32_t previous = current;
  current = static_cast<uint32_t>(layer);
  MarkLayerButtons(buttons, current);
  return previous != current;
}
