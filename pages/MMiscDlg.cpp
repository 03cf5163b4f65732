#include "pages/MMiscDlg.h"

#include <wx/filedlg.h>

#include "app/CommLink.h"
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/Language.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/KitControlFactory.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "pages/FeatherLogic.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/ui/ShownTexts.h"
#include "platform/ui/UserMessages.h"

namespace {
void Light(CGdipButton* b, bool on) {
  b->SetChecked(on);
  b->SetTextColour(on ? PageTextOn : PageTextOff);
}
}  // namespace

MMiscDlg::MMiscDlg() : MBaseDialog(IDD, true) {}

void MMiscDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[79]);
  InitButtons();
  InitGroupBoxes();
  InitLanguageAndVersion();
  SetChildFonts();
}

void MMiscDlg::InitButtons() {
  // Everything fits the docked page area of the 728-pixel main window (526 px high).
  // The tabs sit side by side from the left edge, 26 px below the top.
  const char* tabs[] = {"Setting", "Keyer", "TEST PATTERN", "TIME/TASK"};
  for (int i = 0; i < SubPageCount; ++i) {
    SubPageTabs[i] = MakePageButton(this, IdSubPageFirst + i, tabs[i], wxRect(80 * i, 26, 80, 33), 113, 114);
    SubPageTabs[i]->SetToggle(true);
    OnClicked(IdSubPageFirst + i, [this, i] { OnBnClickedSubPage(IdSubPageFirst + i); });
  }
  Light(SubPageTabs[0], true);

  const char* loopOuts[] = {"DVI-1", "HDMI-1", "DVI-2", "HDMI-2", "DP1", "SDI", "Ext-1", "Ext-2"};
  for (int i = 0; i < LoopOutCount; ++i) {
    const wxRect r(18 + 72 * (i % 4), 128 + 32 * (i / 4), 68, 28);
    LoopOutButtons[i] = MakePageButton(this, IdLoopOutFirst + i, loopOuts[i], r, 113, 114);
    LoopOutButtons[i]->SetCheckOnClick(true);
    OnClicked(IdLoopOutFirst + i, [this, i] { SelectLoopOutSource(i, true); });
  }
  LoopOutButtons[0]->SetChecked(true);
  LoopOutButtons[6]->Enable(false);
  LoopOutButtons[7]->Enable(false);

  MakePageButton(this, IdOpenProject, "Open Project", wxRect(18, 220, 140, 28), 114, 0);
  MakePageButton(this, IdSaveProject, "Save Project", wxRect(162, 220, 140, 28), 114, 0);
  MakePageButton(this, IdGetData, "Get Data From Machine", wxRect(18, 252, 140, 28), 114, 0);
  MakePageButton(this, IdSetData, "Set Data To Machine", wxRect(162, 252, 140, 28), 114, 0);
  OnClicked(IdOpenProject, [this] { OnBnClickedOpenProject(); });
  OnClicked(IdSaveProject, [this] { OnBnClickedSaveProject(); });
  OnClicked(IdGetData, [this] { OnBnClickedGetSetData(IdGetData); });
  OnClicked(IdSetData, [this] { OnBnClickedGetSetData(IdSetData); });

  const char* steps[] = {"1>", "2>", "3>", "4>", ">OK"};
  for (int i = 0; i < FactoryResetStepCount; ++i) {
    ResetButtons[i] = MakePageButton(this, IdFactoryResetFirst + i, steps[i], wxRect(20 + 57 * i, 308, 53, 26), 113, 114);
    ResetButtons[i]->SetToggle(true);
    OnClicked(IdFactoryResetFirst + i, [this, i] { OnBnClickedFactoryResetStep(IdFactoryResetFirst + i); });
  }

  const int windows[] = {IdVideoSettingWindow, IdMediaPlayerWindow, IdFeatheringWindow};
  const char* windowCaptions[] = {"Video Setting >>", "Media Player >>", "Feathering"};
  for (int i = 0; i < 3; ++i) {
    WindowButtons[i] = MakePageButton(this, windows[i], windowCaptions[i], wxRect(11 + 101 * i, 484, 97, 28), 113, 114);
    WindowButtons[i]->SetToggle(true);
    const int id = windows[i];
    OnClicked(id, [this, id] { OnBnClickedWindow(id); });
  }

  // The language choices answer clicks like buttons.
  for (int id : {IdEnglish, IdChinese}) {
    auto* s = new SkinStatic(this, id, id == IdEnglish ? "English" : wxString::FromUTF8("中 文"),
                             wxRect(id == IdEnglish ? 50 : 190, 80, 80, 18));
    s->SetCursor(wxCursor(wxCURSOR_HAND));
    s->Bind(wxEVT_LEFT_UP, [this, id](wxMouseEvent&) { OnBnClickedLanguage(id); });
  }
  SystemInfoStatic = new SkinStatic(this, IdSystemInfoText, "", wxRect(22, 364, 280, 68));
  VersionStatic = new SkinStatic(this, IdVersionText, "", wxRect(22, 434, 280, 34));
}

void MMiscDlg::InitGroupBoxes() {
  AddGroupBox(IdGroupLanguage, wxRect(11, 64, 298, 40), wxString::FromUTF8("Language / 语言"));
  AddGroupBox(IdGroupLoopOut, wxRect(11, 110, 298, 86), wxString::FromUTF8(UiStrings[27]));
  AddGroupBox(IdGroupFile, wxRect(11, 202, 298, 84), wxString::FromUTF8(UiStrings[89]));
  AddGroupBox(IdGroupFactoryReset, wxRect(11, 292, 298, 48), wxString::FromUTF8(UiStrings[30]));
  AddGroupBox(IdGroupSystemInfo, wxRect(11, 346, 298, 128), wxString::FromUTF8(UiStrings[29]));
}

void MMiscDlg::InitLanguageAndVersion() {
  if (const auto id = LanguageStaticForSetting(GetLanguageSetting())) CurrentLanguageStaticId = *id;
  uint8_t version[2] = {0, 0};
  if (CommLink* link = GetCommLink()) link->GetVersion(version, 2);
  VersionStatic->SetLabel(wxString::FromUTF8(VersionText(version)));
}

void MMiscDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[79]);
  const std::pair<int, int> groups[] = {
      {IdGroupLoopOut, 27}, {IdGroupSystemInfo, 29}, {IdGroupFactoryReset, 30}, {IdGroupFile, 89}};
  for (const auto& [id, text] : groups)
    if (CSxGroupBox* g = FindGroupBox(id)) g->SetText(wxString::FromUTF8(UiStrings[text]));
  Refresh();
}

void MMiscDlg::SendSubPage(int index, bool show) {
  SubPageRequest request{index, show};
  if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MPageEvent, EvShowSubPage, reinterpret_cast<LPARAM>(&request));
}

void MMiscDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
  // The main dialog answers the sub-page report by showing this page again: that inner call
  // only shows it.
  if (InShowPage) return;
  InShowPage = true;
  SendSubPage(CurrentSubPage, show);
  for (CGdipButton* b : WindowButtons) Light(b, false);
  if (wxWindow* owner = OwnerWindow())
    for (uint32_t code : {EvVideoSettingWindow, EvMediaPlayerWindow, EvFeatherWindow}) SendMsg(owner, MPageEvent, code, 3);
  InShowPage = false;
}

void MMiscDlg::SelectLoopOutSource(int index, bool send) {
  OnInitDialog();
  // A source byte from the device that names no button is not shown and not sent back.
  if (index < 0 || index >= LoopOutCount) return;
  for (int j = 0; j < LoopOutCount; ++j) Light(LoopOutButtons[j], j == index);
  DeviceState& s = GetDeviceState();
  s.LoopOutSource = static_cast<uint8_t>(index);
  PostMsg(OwnerWindow(), MPageEvent, EvLoopOutSource, index);
  if (send) s.SendCommand(CmdLoopOut);
}

void MMiscDlg::UpdateLoopOutSource() { SelectLoopOutSource(GetDeviceState().LoopOutSource, false); }

void MMiscDlg::UpdateSystemInfo() {
  OnInitDialog();
  SystemInfoStatic->SetLabel(wxString::FromUTF8(SystemInfoText(GetDeviceState().SystemInfo)));
  RefreshRect(SystemInfoStatic->GetRect());
}

void MMiscDlg::UpdateExtSourceButtons() {
  OnInitDialog();
  const ExtLoopOutButtons b = ComputeExtLoopOutButtons(GetDeviceState(), LoopOutButtons[7]->IsEnabled());
  LoopOutButtons[6]->Enable(b.Ext1Enabled);
  LoopOutButtons[7]->Enable(b.Ext2Enabled);
  LoopOutButtons[6]->SetLabel(wxString::FromUTF8(b.Ext1Caption));
  LoopOutButtons[7]->SetLabel(wxString::FromUTF8(b.Ext2Caption));
}

void MMiscDlg::OnBnClickedLanguage(int id) {
  if (id == CurrentLanguageStaticId || (id != IdEnglish && id != IdChinese)) return;
  CurrentLanguageStaticId = id;
  if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MLanguageChanged, static_cast<WPARAM>(id - IdEnglish), 0);
  if (CSxGroupBox* g = FindGroupBox(IdGroupLanguage)) RefreshRect(g->FrameRect);
  for (int s : {IdEnglish, IdChinese})
    if (wxWindow* w = FindControl(this, s)) w->Refresh();
}

void MMiscDlg::OnBnClickedGetSetData(int id) {
  DeviceState& s = GetDeviceState();
  if (id == IdGetData) {
    s.SendCommand(CmdReadAll);
    SendBusyBox(*this, true, UiStrings[82]);
  } else if (id == IdSetData) {
    SendBusyBox(*this, true, UiStrings[84]);
    // The whole state goes out with feathering off, as the device expects it then. Switched
    // off here, feathering ends as the feathering page's own switch ends it: the main window
    // hears of it, gives back what feathering held and has the page show it off.
    const bool wasOn = FeatherEnabled(s);
    SetFeatherEnabled(s, false);
    SendFeather(s, 3);
    if (wasOn)
      if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MPageEvent, EvFeatherChanged, 0);
    s.SendCommand(CmdWriteStateBlock);
  }
}

std::string MMiscDlg::ChooseProjectFile(bool save) {
  wxFileDialog dialog(this, wxString(), wxString(), wxString(), "Velk File(*.pro)|*.pro",
                      save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST));
  if (dialog.ShowModal() != wxID_OK) return std::string();
  wxString path = dialog.GetPath();
  if (save && !path.Lower().EndsWith(".pro")) path += ".pro";
  return path.ToStdString(wxConvUTF8);
}

void MMiscDlg::OnBnClickedOpenProject() {
  const std::string path = ChooseProjectFile(false);
  if (!path.empty()) SubmitProjectFile(ProjectOpen, path);
}

void MMiscDlg::OnBnClickedSaveProject() {
  const std::string path = ChooseProjectFile(true);
  if (!path.empty()) SubmitProjectFile(ProjectSave, path);
}

void MMiscDlg::SubmitProjectFile(uint32_t operation, const std::string& path) {
  SendBusyBox(*this, true, UiStrings[65]);
  if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MProjectFile, operation, reinterpret_cast<LPARAM>(&path));
}

void MMiscDlg::ShowFactoryResetSteps() {
  for (int j = 0; j < FactoryResetStepCount; ++j) Light(ResetButtons[j], ResetSteps.Lit()[j]);
}

void MMiscDlg::OnBnClickedFactoryResetStep(int id) {
  const int step = id - IdFactoryResetFirst;
  if (step < 0 || step >= FactoryResetStepCount) return;
  const bool send = ResetSteps.Click(step, ResetButtons[step]->IsChecked());
  ShowFactoryResetSteps();
  if (send) {
    GetDeviceState().SendCommand(CmdFactoryReset);
    ShowOperatorMessage(this, UiStrings[56], UiStrings[38]);
  }
}

void MMiscDlg::OnBnClickedWindow(int id) {
  int clicked = -1;
  const int ids[] = {IdVideoSettingWindow, IdMediaPlayerWindow, IdFeatheringWindow};
  for (int i = 0; i < 3; ++i)
    if (ids[i] == id) clicked = i;
  if (clicked < 0) return;
  for (int i = 0; i < 3; ++i)
    if (i != clicked) Light(WindowButtons[i], false);
  WindowButtons[clicked]->SetTextColour(WindowButtons[clicked]->IsChecked() ? PageTextOn : PageTextOff);
  if (wxWindow* owner = OwnerWindow())
    for (const WindowEvent& e : WindowButtonEvents(id)) SendMsg(owner, MPageEvent, e.Code, e.Argument);
}

void MMiscDlg::OnBnClickedSubPage(int id) {
  const int index = id - IdSubPageFirst;
  if (index < 0 || index >= SubPageCount) return;
  if (index == CurrentSubPage) {
    // The toggle flipped the lit tab off; it stays the current one, and its page shows again
    // when something else hid it.
    Light(SubPageTabs[index], true);
    SendSubPage(index, true);
    return;
  }
  LightSubPage(index);
  SendSubPage(index, true);
}

void MMiscDlg::LightSubPage(int index) {
  CurrentSubPage = index;
  for (int j = 0; j < SubPageCount; ++j) Light(SubPageTabs[j], j == index);
  RecordShownTexts("misc tab", {SubPageTabs[index]->GetLabel().utf8_string()});
}

void MMiscDlg::SubPageForbidden(int index) {
  OnInitDialog();
  // A lit tab always has its page up: the one a mode takes leaves the page's own tab lit.
  if (index == CurrentSubPage && index != 0) LightSubPage(0);
}
