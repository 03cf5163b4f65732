#include "pages/PageLook.h"

#include "controls/CDropButton.h"
#include "controls/MBaseDialog.h"

CDropButton* MakePageDropList(MBaseDialog* page, int notifyId, const wxRect& rect) {
  auto* list = new CDropButton;
  list->Create(wxString(), page, notifyId, 0x101010, 0x101010, PageTextOff, -1, &page->ControlFont, 0xFFFFFF, rect);
  list->GetList()->SetBkColor(0x2E2E2E);
  list->GetList()->SetSelColor(0x50FFFF);
  return list;
}
