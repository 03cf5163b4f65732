#include "mainwnd/SyncControls.h"

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "mainwnd/MainControlsLogic.h"
#include "platform/ui/ShownTexts.h"

#include <wx/window.h>

namespace {
CDropButton* MakeList(wxWindow& window, int id) {
  auto* list = new CDropButton;
  list->Create(wxString(), &window, id, 0x101010, 0x101010, 0xEBEBEB, -1, nullptr, 0x2E2E2E, wxRect(0, 0, 70, 20));
  list->GetList()->SetBkColor(0x2E2E2E);
  list->GetList()->SetSelColor(0x50FFFF);
  return list;
}
constexpr int GroupWidth = 170, GroupTop = 8, GroupHeight = 91;
}  // namespace

SyncControls::SyncControls(wxWindow& window) : Window(window) {
  SourceList = MakeList(window, SyncSourceListId);
  ModeList = MakeList(window, SyncModeListId);
  FillLists();
  UpdateSyncLists();
}

void SyncControls::Layout(const LayoutRect& c) {
  Group = {c.Right - 32 - GroupWidth, c.Top + GroupTop, c.Right - 32, c.Top + GroupTop + GroupHeight};
  SourceList->SetSize(Group.Left + 10, Group.Top + 38, 140, 20);
  ModeList->SetSize(Group.Right - 80, Group.Top + 2, 70, 20);
}

void SyncControls::FillLists() {
  const DeviceState& s = GetDeviceState();
  CDropList* source = SourceList->GetList();
  source->ResetContent();
  for (int row : SyncSourceRows(s)) {
    const int at = source->AddString(wxString::FromUTF8(UiStrings[SyncSourceTextBase + row]));
    source->SetItemData(at, static_cast<long>(s.SyncSourceNames[row].Id));
  }
  CDropList* mode = ModeList->GetList();
  mode->ResetContent();
  for (int row = 0; row < SyncModeRowCount; ++row) {
    const int at = mode->AddString(wxString::FromUTF8(UiStrings[SyncModeTextBase + row]));
    mode->SetItemData(at, static_cast<long>(s.SyncModeNames[row].Id));
  }
  SourceList->SetCurSel(0);
  ModeList->SetCurSel(0);
  UpdateSyncLists();
}

void SyncControls::UpdateSyncLists() {
  const DeviceState& s = GetDeviceState();
  DropListSelectByData(SourceList, static_cast<long>(s.SyncLockMode));
  DropListSelectByData(ModeList, static_cast<long>(s.SyncMode));
  RecordShown();
}

bool SyncControls::OnDropListSelChanged(int listId, int index) {
  CDropButton* list = listId == SyncSourceListId ? SourceList : listId == SyncModeListId ? ModeList : nullptr;
  if (!list || index < 0 || index >= list->GetList()->GetCount()) return false;
  const auto data = static_cast<uint32_t>(list->GetList()->GetItemData(index));
  if (list == SourceList) SelectSyncSource(GetDeviceState(), data);
  else SelectSyncMode(GetDeviceState(), data);
  RecordShown();
  return true;
}

void SyncControls::DrawGroup(wxDC& dc) const {
  dc.SetPen(wxPen(wxColour(0x1E, 0x1E, 0x1E), 1));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(Group.Left, Group.Top + 10, Group.Width(), Group.Height() - 10);
  dc.SetFont(wxFont(wxFontInfo(9).FaceName("Liberation Sans")));
  dc.SetTextForeground(wxColour(0xEB, 0xEB, 0xEB));
  dc.DrawText(wxString::FromUTF8(UiStrings[7]), Group.Left + 8, Group.Top + 4);
}

void SyncControls::RecordShown() const {
  auto text = [](CDropButton* list) {
    const int at = list->GetCurSel();
    return at >= 0 ? list->GetList()->GetText(at).ToStdString(wxConvUTF8) : std::string("none");
  };
  RecordShownTexts("sync", {text(SourceList) + " /" + text(ModeList)});
}
