#include "pages/MEdidDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"

MEdidDlg::MEdidDlg() : MBaseDialog(IDD, true) {}

void MEdidDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[75]);

  // InitButtons
  MoreButton = new CGdipButton(this, IdMore, "More >", wxRect(20, 208, 84, 28));
  ApplyButton = new CGdipButton(this, IdApply, "Apply", wxRect(118, 208, 84, 28));
  RestoreButton = new CGdipButton(this, IdRestore, "Restore", wxRect(216, 208, 84, 28));
  for (CGdipButton* b : {MoreButton, ApplyButton, RestoreButton}) {
    b->LoadStdImage(129);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
  }
  MoreButton->LoadAltImage(147);
  MoreButton->SetToggle(true);
  MoreButton->SetChecked(false);

  // InitEdits: label, edit, range.
  struct Row {
    int Label, Edit;
    const char* Text;
    int Y;
    float Low, High;
    oRealEdit** Target;
  };
  const Row rows[] = {
      {LabelId::EdidHActive, IdHActive, "H Active :", 106, 240, 3840, &HActiveEdit},
      {LabelId::EdidVActive, IdVActive, "V Active :", 138, 240, 3840, &VActiveEdit},
      {LabelId::Fps, IdFps, "FPS :", 170, 20, 121, &FpsEdit},
      {IdHBlankLabel, IdHBlank, "H Blank :", 270, 0, 9999, &HBlankEdit},
      {IdVBlankLabel, IdVBlank, "V Blank :", 302, 0, 9999, &VBlankEdit},
  };
  for (const Row& r : rows) {
    auto* label = new SkinStatic(this, r.Label, r.Text, wxRect(30, r.Y + 3, 90, 18));
    if (r.Label == IdHBlankLabel) HBlankLabel = label;
    if (r.Label == IdVBlankLabel) VBlankLabel = label;
    auto* edit = new oRealEdit(this, r.Edit, wxRect(130, r.Y, 90, 22));
    edit->SetRange(true, r.Low, r.High, "%d", 0);
    *r.Target = edit;
  }

  // InitGroupBoxes
  AddGroupBox(IdSelectGroup, wxRect(10, 34, 300, 60), wxString::FromUTF8(UiStrings[15]));
  AddGroupBox(IdMoreGroup, wxRect(10, 250, 300, 86), wxString::FromUTF8(UiStrings[16]));

  // InitDropLists: the list sits at the top of the "EDID Select" group, filled once here.
  InputList = MakePageDropList(this, EdidInputListId, wxRect(22, 56, 276, 22));
  FillInputList();

  OnClicked(IdMore, [this] { OnBnClickedMore(); });
  OnClicked(IdApply, [this] { OnBnClickedApply(); });
  OnClicked(IdRestore, [this] { OnBnClickedRestore(); });
  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  SetChildFonts();
  ShowBlanking(false);
}

void MEdidDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[75]);
  if (CSxGroupBox* g = FindGroupBox(IdSelectGroup)) g->SetText(wxString::FromUTF8(UiStrings[15]));
  if (CSxGroupBox* g = FindGroupBox(IdMoreGroup)) g->SetText(wxString::FromUTF8(UiStrings[16]));
  Refresh();
}

void MEdidDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
}

void MEdidDlg::FillInputList() {
  OnInitDialog();
  std::lock_guard<std::mutex> hold(ListLock);
  CDropList* list = InputList->GetList();
  list->ResetContent();
  const DeviceState& s = GetDeviceState();
  for (uint32_t input : EdidListInputs(s))
    list->SetItemData(list->AddString(wxString::FromUTF8(s.InputTable[input].Name)), static_cast<long>(input));
  DropListSelectByData(InputList, static_cast<long>(SelectedInput));
}

void MEdidDlg::ReadSelection() {
  const int index = InputList->GetCurSel();
  CDropList* list = InputList->GetList();
  if (index >= 0 && index < list->GetCount()) SelectedInput = static_cast<uint32_t>(list->GetItemData(index));
}

void MEdidDlg::SyncSelection() {
  OnInitDialog();
  ReadSelection();
  ShowInputEdid(SelectedInput);
}

void MEdidDlg::ShowInputEdid(uint32_t input) {
  const DeviceState& s = GetDeviceState();
  const std::optional<size_t> k = FindEdidEntryByInput(s, input);
  if (!k) return;   // no entry: the edits keep what they show
  const EdidEntry& e = s.EdidEntry[*k];
  HActiveEdit->SetValue(e.HActive);
  VActiveEdit->SetValue(e.VActive);
  HBlankEdit->SetValue(e.HBlank);
  VBlankEdit->SetValue(e.VBlank);
  FpsEdit->SetValue(static_cast<float>(e.FrameRate / 100));
}

void MEdidDlg::ShowApplyResult() {
  const std::string verdict = GetDeviceState().OperationStatus.Detail != 0 ? UiStrings[66] : UiStrings[67];
  ShowOperatorMessage(this, UiStrings[33] + " " + verdict);
}

void MEdidDlg::OnDropListSelChanged(int listId, int index) {
  if (listId != EdidInputListId) return;
  CDropList* list = InputList->GetList();
  if (index < 0 || index >= list->GetCount()) return;
  SelectedInput = static_cast<uint32_t>(list->GetItemData(index));
  ShowInputEdid(SelectedInput);
}

EdidTiming MEdidDlg::CurrentTiming() const {
  return {HActiveEdit->Value(), VActiveEdit->Value(), FpsEdit->Value(), HBlankEdit->Value(), VBlankEdit->Value()};
}

void MEdidDlg::OnEditValueChanged(int id) {
  EdidField field;
  oRealEdit* edit = nullptr;
  switch (id) {
  case IdHActive: field = EdidField::HActive; edit = HActiveEdit; break;
  case IdVActive: field = EdidField::VActive; edit = VActiveEdit; break;
  case IdFps: field = EdidField::FrameRate; edit = FpsEdit; break;
  case IdHBlank: field = EdidField::HBlank; edit = HBlankEdit; break;
  case IdVBlank: field = EdidField::VBlank; edit = VBlankEdit; break;
  default: return;
  }
  ReadSelection();
  if (SelectedInput >= CardSlotCount) return;
  const std::optional<double> limit =
      EdidPixelClockLimit(GetDeviceState().InputCardType[SelectedInput], SelectedInput);
  if (!limit) return;
  if (const std::optional<int> clamped = EdidClampedValue(field, CurrentTiming(), *limit))
    edit->SetValue(static_cast<float>(*clamped));
}

void MEdidDlg::ShowBlanking(bool show) {
  for (wxWindow* w : {static_cast<wxWindow*>(HBlankEdit), static_cast<wxWindow*>(VBlankEdit),
                      static_cast<wxWindow*>(HBlankLabel), static_cast<wxWindow*>(VBlankLabel)})
    w->Show(show);
  Refresh();
}

void MEdidDlg::OnBnClickedMore() { ShowBlanking(MoreButton->IsChecked()); }

void MEdidDlg::OnBnClickedApply() {
  DeviceState& s = GetDeviceState();
  // The blanking values are stored even while hidden; the action byte says whether they count.
  if (!StoreEdidTiming(s, SelectedInput, CurrentTiming())) return;
  s.SendCommand(CmdEdid, SelectedInput, EdidApplyAction(MoreButton->IsChecked()));
  SendBusyBox(*this, true, UiStrings[65]);
}

void MEdidDlg::OnBnClickedRestore() {
  DeviceState& s = GetDeviceState();
  if (!EdidEntryIndex(SelectedInput)) return;
  s.SendCommand(CmdEdid, SelectedInput, 0);
  s.SendCommand(CmdQueryEdid, SelectedInput);
  SendBusyBox(*this, true, UiStrings[65]);
}
