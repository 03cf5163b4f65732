#include "mainwnd/SyncControls.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/window.h>

#include "app/DeviceState.h"
#include "app/Language.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "mainwnd/ControlsLayout.h"
#include "mainwnd/MainControlsLogic.h"
#include "mainwnd/MainTexts.h"
#include "platform/ui/ShownTexts.h"

namespace {
CDropButton* MakeList(wxWindow& window, int id) {
  auto* list = new CDropButton;
  list->Create(wxString(), &window, id, 0x101010, 0x101010, 0xEBEBEB, -1, nullptr, 0x2E2E2E, wxRect(0, 0, 70, 20));
  list->GetList()->SetBkColor(0x2E2E2E);
  list->GetList()->SetSelColor(0x50FFFF);
  return list;
}
void Place(wxWindow* w, const LayoutRect& r) { w->SetSize(r.Left, r.Top, r.Width(), r.Height()); }
wxRect ToWx(const LayoutRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }
// The main window's group boxes: Arial 10 points on a dark etched frame.
void StyleGroup(CSxGroupBox& box) {
  LogFont font;
  font.Height = 100;
  font.Weight = 400;
  font.Face = "Arial";
  box.SetFont(&font);
  box.FrameColour = box.DisabledFrameColour = 0x1E1E1E;
  box.TextColour = 0xEBEBEB;
}
constexpr int SyncGroupWidth = 170, PortGroupWidth = 86, GroupTop = 8;
}  // namespace

SyncControls::SyncControls(wxWindow& window, std::function<int()> leftLimit)
    : Window(window),
      SyncGroup(SyncGroupId, wxRect(), wxString()),
      PortGroup(PortSwitchGroupId, wxRect(), wxString()),
      LeftLimit(std::move(leftLimit)) {
  StyleGroup(SyncGroup);
  StyleGroup(PortGroup);
  SourceList = MakeList(window, SyncSourceListId);
  ModeList = MakeList(window, SyncModeListId);
  ExtModeList = MakeList(window, ExtCardModeListId);
  SignalSwitch = new CGdipButton(&window, SignalSwitchId, MainDialogText(SignalSwitchId), wxRect(0, 0, 10, 10));
  SignalSwitch->LoadStdImage(144);
  SignalSwitch->SetTextColour(0xEBEBEB);
  window.Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnSignalSwitch(); }, SignalSwitchId);
  // They appear when an extension card reports in.
  ExtModeList->Hide();
  SignalSwitch->Hide();
  ApplyLanguage();
}

int SyncControls::PortGroupWidthNeeded() const {
  // The title with its insets, and the widest mode beside the list's arrow (as the list draws it).
  wxClientDC dc(&Window);
  dc.SetFont(ExtModeList->GetFont());
  const int arrow = dc.GetTextExtent("M").x + 15;
  int widest = 0;
  const CDropList* list = ExtModeList->GetList();
  for (int i = 0; i < list->GetCount(); ++i) widest = std::max(widest, dc.GetTextExtent(list->GetText(i)).x);
  const int title = PortGroup.TitleRect().width + 2 * PortGroup.TitleInset + 4;
  return std::max({PortGroupWidth, title, widest + arrow + 2 * 5 + 4});
}

void SyncControls::Relayout() {
  // The group's old and new place are repainted (its width follows its texts).
  wxRect area = PortGroup.FrameRect;
  if (Client.Width() > 0) Layout(Client);
  area.Union(PortGroup.FrameRect);
  Window.RefreshRect(area.Inflate(12));
}

void SyncControls::Layout(const LayoutRect& c) {
  Client = c;
  Group = SyncGroupRect(c, SyncGroupWidth, GroupTop);
  SyncGroup.FrameRect = ToWx(Group);
  SourceList->SetSize(Group.Left + 10, Group.Top + 38, 140, 20);
  ModeList->SetSize(Group.Right - 80, Group.Top + 2, 70, 20);
  LayoutRect port =
      PortSwitchGroupRect(VideoWindowButtonRect(Group, VideoWindowButtonSize), PortGroupWidthNeeded(), c.Top + GroupTop);
  // Where the inputs leave less room the group keeps clear of them (never narrower than before).
  if (LeftLimit) port.Left = std::min(std::max(port.Left, LeftLimit()), port.Right - PortGroupWidth);
  PortGroup.FrameRect = ToWx(port);
  Place(ExtModeList, ExtCardModeListRect(port));
  Place(SignalSwitch, SignalSwitchRect(port));
}

void SyncControls::ApplyLanguage() {
  SyncGroup.SetText(wxString::FromUTF8(UiStrings[7]));
  PortGroup.SetText(wxString::FromUTF8(UiStrings[150]));
  FillLists();
  Relayout();
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
  FillExtCardModeList();
  UpdateSyncLists();
}

void SyncControls::FillExtCardModeList() {
  CDropList* list = ExtModeList->GetList();
  list->ResetContent();
  for (int row = 0; row < ExtCardModeCount; ++row) {
    const int at = list->AddString(wxString::FromUTF8(UiStrings[ExtCardModeTextBase + row]));
    list->SetItemData(at, row);
  }
  ExtModeList->SetCurSel(0);
  DropListSelectByData(ExtModeList, static_cast<long>(GetDeviceState().ExtensionCardInfo.Mode));
}

void SyncControls::UpdateSyncLists() {
  const DeviceState& s = GetDeviceState();
  DropListSelectByData(SourceList, static_cast<long>(s.SyncLockMode));
  DropListSelectByData(ModeList, static_cast<long>(s.SyncMode));
  RecordShown();
}

bool SyncControls::OnDropListSelChanged(int listId, int index) {
  CDropButton* list = listId == SyncSourceListId    ? SourceList
                      : listId == SyncModeListId    ? ModeList
                      : listId == ExtCardModeListId ? ExtModeList
                                                    : nullptr;
  if (!list || index < 0 || index >= list->GetList()->GetCount()) return false;
  const auto data = static_cast<uint32_t>(list->GetList()->GetItemData(index));
  if (list == SourceList) {
    SelectSyncSource(GetDeviceState(), data);
  } else if (list == ModeList) {
    SelectSyncMode(GetDeviceState(), data);
  } else {
    SelectExtCardMode(GetDeviceState(), data);
    EnableSignalSwitch(SignalSwitchAllowed(data));
  }
  RecordShown();
  return true;
}

void SyncControls::ShowExtensionCard(bool shown) {
  ExtensionShown = shown;
  ExtModeList->Show(shown);
  SignalSwitch->Show(shown);
  // The inputs shown may have changed with the card.
  Relayout();
  RecordShown();
}

void SyncControls::UpdatePortSwitchRule() {
  const DeviceState& s = GetDeviceState();
  const bool chinese = GetLanguageSetting() == LanguageChinese;
  for (int port = 0; port < 2; ++port) {
    const auto texts = PortSwitchTextsFor(port, s.ExtensionCardInfo.InputSource[port]);
    if (!texts) continue;
    // The next start shows the last card's texts; a language folder that cannot be written
    // still gets them on screen now.
    WriteLanguageString(LanguageFileEnglish, "SIDS_" + std::to_string(texts->FixedString), texts->FixedEnglish);
    WriteLanguageString(LanguageFileEnglish, "SIDS_" + std::to_string(texts->AutoString), texts->AutoEnglish);
    WriteLanguageString(LanguageFileChinese, "SIDS_" + std::to_string(texts->FixedString), texts->FixedChinese);
    WriteLanguageString(LanguageFileChinese, "SIDS_" + std::to_string(texts->AutoString), texts->AutoChinese);
    UiStrings[texts->FixedString] = chinese ? texts->FixedChinese : texts->FixedEnglish;
    UiStrings[texts->AutoString] = chinese ? texts->AutoChinese : texts->AutoEnglish;
  }
  FillExtCardModeList();
  Relayout();
  RecordShown();
}

void SyncControls::OnSignalSwitch() {
  SendSignalSwitch(GetDeviceState());
  SignalSwitchWait = true;
  EnableSignalSwitch(false);
  RecordShown();
}

void SyncControls::EndSignalSwitchWait() {
  SignalSwitchWait = false;
  // The card's own answer to a mode pick must not give back the button that mode took away.
  EnableSignalSwitch(SignalSwitchAllowed(GetDeviceState().ExtensionCardInfo.Mode));
  RecordShown();
}

void SyncControls::EnableSignalSwitch(bool enable) {
  SignalSwitch->Enable(enable);
  SignalSwitch->SetDisabledLook(!enable);
}

void SyncControls::DrawGroup(wxDC& dc) const {
  SyncGroup.Draw(dc);
  if (ExtensionShown) PortGroup.Draw(dc);
}

std::vector<const CSxGroupBox*> SyncControls::ShownGroupBoxes() const {
  if (ExtensionShown) return {&SyncGroup, &PortGroup};
  return {&SyncGroup};
}

void SyncControls::RecordShown() const {
  auto text = [](CDropButton* list) {
    const int at = list->GetCurSel();
    return at >= 0 ? list->GetList()->GetText(at).ToStdString(wxConvUTF8) : std::string("none");
  };
  auto items = [](std::string all, CDropButton* list) {
    for (int i = 0; i < list->GetList()->GetCount(); ++i) {
      if (i) all.append("|");
      all.append(list->GetList()->GetText(i).ToStdString(wxConvUTF8));
    }
    return all;
  };
  RecordShownTexts("sync", {text(SourceList).append(" /").append(text(ModeList)), items("sources", SourceList)});
  std::vector<std::string> card{ExtensionShown ? "shown" : "hidden"};
  if (ExtensionShown) {
    card.push_back(items("modes ", ExtModeList));
    card.push_back(std::string("mode ").append(text(ExtModeList)));
    std::string signal = SignalSwitch->IsThisEnabled() ? "signal switch enabled" : "signal switch disabled";
    if (SignalSwitchWait) signal.append(" waiting");
    card.push_back(signal);
  }
  RecordShownTexts("extcard", card);
}
