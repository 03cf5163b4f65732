#include "pages/Velk_FeatherDlg.h"

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "pages/FeatherLogic.h"
#include "pages/PageLook.h"
#include "platform/ui/ShownTexts.h"
#include "platform/ui/UserMessages.h"

namespace {
constexpr int FirstGroupTop = 74, Pip3GroupTop = 170, GroupHeight = 86;
// List rectangles in the order of FeatherListIds: first Sharp, PIP-3 Sharp, first Level, PIP-3 Level.
wxRect ListRect(size_t i) {
  const int top = (i % 2 == 0 ? FirstGroupTop : Pip3GroupTop) + (i < 2 ? 20 : 50);
  return wxRect(84, top, 190, 22);
}
}  // namespace

Velk_FeatherDlg::Velk_FeatherDlg() : MBaseDialog(IDD, true) {}

void Velk_FeatherDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[159]);
  AddGroupBox(IdFeatherGroupFirst, wxRect(11, FirstGroupTop, 298, GroupHeight), "PIP2");
  AddGroupBox(IdFeatherGroupPip3, wxRect(11, Pip3GroupTop, 298, GroupHeight), "PIP3");
  FeatherButton = new CGdipButton(this, IdFeatherButton, "ON/OFF", wxRect(120, 36, 80, 28));
  FeatherButton->LoadStdImage(128);
  FeatherButton->LoadAltImage(130);
  FeatherButton->SetToggle(true);
  FeatherButton->SetFont(ControlFont);
  FeatherButton->SetTextColour(PageTextOff);
  new SkinStatic(this, 1596, "Sharp", wxRect(24, FirstGroupTop + 23, 56, 16));
  new SkinStatic(this, 1597, "Level", wxRect(24, FirstGroupTop + 53, 56, 16));
  new SkinStatic(this, 1598, "Sharp", wxRect(24, Pip3GroupTop + 23, 56, 16));
  new SkinStatic(this, 1599, "Level", wxRect(24, Pip3GroupTop + 53, 56, 16));
  OnClicked(IdFeatherButton, [this] { OnBnClickedFeather(); });
  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  SetChildFonts();
  InitDropLists();
  EnableLists(false);
}

void Velk_FeatherDlg::InitDropLists() {
  for (size_t i = 0; i < Lists.size(); ++i) {
    if (!Lists[i]) Lists[i] = MakePageDropList(this, FeatherListIds[i], ListRect(i));
    CDropList* list = Lists[i]->GetList();
    list->ResetContent();
    const bool sharp = FeatherListIds[i] == FeatherFirstSharpList || FeatherListIds[i] == FeatherPip3SharpList;
    if (sharp) {
      for (const FeatherSharpItem& item : FeatherSharpItems)
        list->SetItemData(list->AddString(wxString::FromUTF8(UiStrings[item.TextIndex])), item.Data);
    } else {
      for (int level = 0; level < FeatherLevelCount; ++level)
        list->SetItemData(list->AddString(wxString::Format("%d", level)), level);
    }
    Lists[i]->SetCurSel(0);
  }
}

void Velk_FeatherDlg::ApplyLanguage() {
  OnInitDialog();
  // Only the words change: the lists keep the items they showed and the first group keeps
  // naming the layer it edits (the language file holds the template's "PIP2").
  std::array<int, 4> shown{};
  for (size_t i = 0; i < Lists.size(); ++i) shown[i] = Lists[i]->GetCurSel();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[159]);
  if (CSxGroupBox* g = FindGroupBox(IdFeatherGroupFirst)) g->SetText(FeatherFirstGroupTitle(PipLayer));
  InitDropLists();
  for (size_t i = 0; i < Lists.size(); ++i)
    if (shown[i] >= 0 && shown[i] < Lists[i]->GetList()->GetCount()) Lists[i]->SetCurSel(shown[i]);
  RecordShown();
  Refresh();
}

void Velk_FeatherDlg::RecordShown() {
  auto item = [](const CDropButton* list) {
    return std::to_string(list->GetCurSel()) + " " + list->GetLabel().Strip(wxString::both).utf8_string();
  };
  const CSxGroupBox* first = FindGroupBox(IdFeatherGroupFirst);
  const std::string title = first ? first->GetText().utf8_string() : std::string();
  const bool on = FeatherButton->IsChecked();
  RecordShownTexts("feather", {std::string(on ? "on" : "off") + (Lists[0]->IsThisEnabled() ? " lists enabled" : " lists disabled"),
                               title + " sharp " + item(Lists[0]) + " / level " + item(Lists[2]),
                               "PIP3 sharp " + item(Lists[1]) + " / level " + item(Lists[3])});
}

void Velk_FeatherDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
}

void Velk_FeatherDlg::EnableLists(bool enable) {
  for (CDropButton* list : Lists)
    if (list) list->Enable(enable);
}

void Velk_FeatherDlg::NotifyFeatherChanged(bool on) {
  if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MPageEvent, EvFeatherChanged, on ? 1 : 0);
}

void Velk_FeatherDlg::UpdateFromDevice() {
  OnInitDialog();
  const DeviceState& s = GetDeviceState();
  const uint32_t mode = s.MosaicSettings.Mode;
  PipLayer = FeatherPipLayer(mode, PipLayer);
  if (mode == 2 || mode == 3)
    if (CSxGroupBox* g = FindGroupBox(IdFeatherGroupFirst)) g->SetText(FeatherFirstGroupTitle(PipLayer));
  const FeatherSettings& f = s.FeatherSettings;
  DropListSelectByData(Lists[0], static_cast<long>(f.Sharpness[PipLayer]));
  DropListSelectByData(Lists[2], static_cast<long>(f.Level[PipLayer]));
  DropListSelectByData(Lists[1], static_cast<long>(f.Sharpness[3]));
  DropListSelectByData(Lists[3], static_cast<long>(f.Level[3]));
  Refresh();
  const bool on = FeatherEnabled(s);
  FeatherButton->SetChecked(on);
  EnableLists(on);
  RecordShown();
  NotifyFeatherChanged(on);
}

void Velk_FeatherDlg::ShowSwitchedOff() {
  OnInitDialog();
  FeatherButton->SetChecked(false);
  FeatherButton->Refresh();
  EnableLists(false);
  RecordShown();
}

void Velk_FeatherDlg::OnDropListSelChanged(int listId, int index) {
  size_t which = Lists.size();
  for (size_t i = 0; i < Lists.size(); ++i)
    if (FeatherListIds[i] == listId) which = i;
  if (which == Lists.size()) return;
  CDropList* list = Lists[which]->GetList();
  if (index < 0 || index >= list->GetCount()) return;
  DeviceState& s = GetDeviceState();
  const auto layer = ApplyFeatherChoice(s, listId, PipLayer, static_cast<uint32_t>(list->GetItemData(index)));
  if (layer) SendFeather(s, *layer);
}

void Velk_FeatherDlg::OnBnClickedFeather() {
  DeviceState& s = GetDeviceState();
  if (FeatherButton->IsChecked()) {
    if (!FeatherSwitchOnAllowed(s)) {
      // Refused silently: the switch simply returns to off.
      FeatherButton->SetChecked(false);
      RecordShown();
      return;
    }
    SetFeatherEnabled(s, true);
    SendFeather(s, 3);
    EnableLists(true);
    RecordShown();
    NotifyFeatherChanged(true);
  } else {
    SetFeatherEnabled(s, false);
    SendFeather(s, 3);
    EnableLists(false);
    RecordShown();
    NotifyFeatherChanged(false);
  }
}
