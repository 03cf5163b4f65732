#include "connect/MSearchMachineDlg.h"

#include "app/DeviceState.h"
#include "app/InfoIni.h"
#include "app/MachineAtWork.h"
#include "app/UiStrings.h"
#include "controls/PageLanguage.h"
#include "connect/LinkCommands.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "app/CommLink.h"
#include "app/ConnectNetwork.h"
#include "connect/AdapterChoice.h"
#include "controls/CDropButton.h"
#include "controls/OperatorNotices.h"
#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/LocalAdapters.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/UserMessages.h"

#include <wx/dc.h>
#include <wx/dcclient.h>

namespace {
const wxColour Text(0xEB, 0xEB, 0xEB);
const wxColour Accent(239, 156, 0);
const wxColour Red(255, 0, 0);
// The group box "Local Ip Address" that holds the adapter list.
const wxRect AdapterGroup(10, 32, 300, 44);

std::string InfoIni() { return GetSettingsDirectory() + "Info.ini"; }

wxRect ToWx(const TileRect& t) { return wxRect(t.Left, t.Top, t.Right - t.Left, t.Bottom - t.Top); }
}  // namespace

MSearchMachineDlg::MSearchMachineDlg() : MBaseDialog(IDD, true) {}

MSearchMachineDlg::~MSearchMachineDlg() = default;

void MSearchMachineDlg::OnInitDialog() {
  AddGroupBox(1498, AdapterGroup, "Local Ip Address");
  Search = new CGdipButton(this, 1191, "SEARCH", wxRect(AdapterGroup.GetRight() + 16, 36, 100, 34));
  ConnectButton = new CGdipButton(this, 1184, "Connect", wxRect(AdapterGroup.GetRight() + 126, 36, 100, 34));
  RefreshAdapters = new CGdipButton(this, 1445, wxString(), wxRect(AdapterGroup.x + 142, AdapterGroup.y + 13, 24, 24));
  for (CGdipButton* b : {Search, ConnectButton}) {
    b->LoadStdImage(114);
    b->SetTextColour(0x009CEF);
    b->SetFont(ControlFont);
  }
  RefreshAdapters->LoadStdImage(180);
  OnClicked(1191, [this] { OnBnClickedSearch(); });
  OnClicked(1184, [this] {
    SaveMachineName();
    List.ConnectSelected();
  });
  OnClicked(1445, [this] { RefreshLocalIps(); });
  OnMsg(MDropListSelChanged, [this](WPARAM id, LPARAM) {
    if (id == SearchAdapterListId) OnAdapterChosen();
    return LRESULT{0};
  });
  OnMsg(MEditKeyDown, [this](WPARAM key, LPARAM id) {
    if (id == 0xAF81) {
      if (key == 27) CancelNameEdit();
      else SaveMachineName();
    }
    return LRESULT{0};
  });
  Bind(wxEVT_LEFT_DOWN, &MSearchMachineDlg::OnLeftDown, this);
  Bind(wxEVT_LEFT_DCLICK, &MSearchMachineDlg::OnLeftDoubleClick, this);
  LoadIcons();
  RefreshLocalIps();
  NameEditor = new CMyEdit(this, 0xAF81, wxRect(0, 0, 80, 20), wxTE_CENTRE);
  NameEditor->ChangeValue("My Z81");
  NameEditor->SetMaxLength(13);
  NameEditor->Hide();
}

void MSearchMachineDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  SetControlText(1498, wxString::FromUTF8(UiStrings[95]));
  PageTitle = wxString::FromUTF8(UiStrings[94]);
  Refresh();
}

void MSearchMachineDlg::RefreshLocalIps() {
  if (!Adapters) {
    Adapters = new CDropButton;
    Adapters->Create(wxString(), this, SearchAdapterListId, 0x101010, 0x101010, 0xEBEBEB, -1, &ControlFont, 0xFFFFFF,
                     wxRect(AdapterGroup.x + 12, AdapterGroup.y + 17, 120, 22));
    Adapters->GetList()->SetBkColor(0x2E2E2E);
    Adapters->GetList()->SetSelColor(0x50FFFF);
  }
  Adapters->GetList()->ResetContent();
  std::vector<std::string> all;
  for (const LocalAdapter& a : ListLocalIPv4Adapters()) all.push_back(a.Address);
  LocalAddresses = SearchableAddresses(all);
  for (const auto& address : LocalAddresses) Adapters->GetList()->AddString(wxString::FromUTF8(address));
  if (LocalAddresses.empty()) {
    // "N/A" stands for no address at all: nothing is handed to the library.
    Adapters->GetList()->AddString("N/A");
  } else if (CommLink* link = GetCommLink()) {
    link->SelectLocalAdapter(LocalAddresses.front());
  }
  Adapters->SetCurSel(0);
}

void MSearchMachineDlg::OnAdapterChosen() {
  if (const auto address = AdapterToSelect(LocalAddresses, Adapters->GetCurSel()))
    if (CommLink* link = GetCommLink()) link->SelectLocalAdapter(*address);
  CancelNameEdit();
  List.Clear();
  Refresh();
}

void MSearchMachineDlg::OnBnClickedSearch() {
  CancelNameEdit();
  List.Clear();
  AddressEveryMachine();
  SendSearchDevices();
  // The search goes to every machine; the commands after it still go to the machine at work.
  AddressMachineAtWork();
  const std::string text = UiStrings[83];
  SendMsg(OwnerWindow(), MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
  Refresh();
}

void MSearchMachineDlg::AddFoundMachine() {
  const DeviceState& state = GetDeviceState();
  List.AddFoundMachine(state.FoundMachineIp, state.FoundMachineMac);
  // A new search lists the machine at work again: its tile says so.
  FollowMachineAtWork();
}

void MSearchMachineDlg::RefreshMachines(bool autoSelect) {
  const MachineAnswer& answer = LastMachineAnswer();
  List.RefreshMachines(autoSelect, answer.Id, answer.Connected);
}

void MSearchMachineDlg::FollowMachineAtWork() {
  const MachineAtWork& atWork = CurrentMachineAtWork();
  List.FollowMachineAtWork(atWork.Link == WorkLink::Network ? atWork.Ip : std::string());
}

// ---- mouse and the name editor ----

void MSearchMachineDlg::OnLeftDown(wxMouseEvent& event) {
  SaveMachineName();
  const auto edit = List.ClickAt(event.GetX(), event.GetY());
  if (edit) {
    for (const auto& m : List.Machines()) {
      if (m.Ip != *edit) continue;
      const TileRect r = MachineList::NameEditorRect(m.Tile);
      EditedMachineIp = m.Ip;
      NameEditor->SetSize(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
      NameEditor->ChangeValue(wxString::FromUTF8(m.Name));
      NameEditor->Show();
      NameEditor->SetFocus();
      NameEditor->SelectAll();
    }
  }
  event.Skip();
}

void MSearchMachineDlg::OnLeftDoubleClick(wxMouseEvent& event) { List.DoubleClickAt(event.GetX(), event.GetY()); }

void MSearchMachineDlg::SaveMachineName() {
  if (!NameEditor || !NameEditor->IsShown()) return;
  NameEditor->Hide();
  if (EditedMachineIp) List.RenameMachine(*EditedMachineIp, NameEditor->GetValue().ToStdString(wxConvUTF8));
  EditedMachineIp.reset();
}

void MSearchMachineDlg::CancelNameEdit() {
  if (NameEditor) NameEditor->Hide();
  EditedMachineIp.reset();
  Refresh();
}

// ---- painting ----

void MSearchMachineDlg::PaintExtras(wxDC& dc) { DrawMachines(dc); }

void MSearchMachineDlg::LoadIcons() {
  OnlineIcon = LoadImageResource(ResourceType::Png, 155);
  OfflineIcon = LoadImageResource(ResourceType::Png, 157);
  NameBand = LoadImageResource(ResourceType::Png, 181);
  EditIcon = LoadImageResource(ResourceType::Png, 1488);
}

void MSearchMachineDlg::DrawPicture(wxDC& dc, const wxImage& picture, const wxRect& into) {
  if (!picture.IsOk()) return;
  dc.DrawBitmap(wxBitmap(picture.Scale(into.width, into.height, wxIMAGE_QUALITY_HIGH)), into.x, into.y, true);
}

void MSearchMachineDlg::DrawMachines(wxDC& dc) {
  wxFont font(wxFontInfo(9).Bold().FaceName("Liberation Sans"));
  dc.SetFont(font);
  for (const MachineInfo& m : List.Machines()) {
    const wxRect t = ToWx(m.Tile);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m.Controlled ? Accent : m.Selected ? Red : *wxBLACK));
    dc.DrawRectangle(t.x - 2, t.y - 2, t.width + 4, t.height + 4);
    // Status icon, name band, name, edit icon, address.
    DrawPicture(dc, m.Online ? OnlineIcon : OfflineIcon, wxRect(t.x + 16, t.y + 8, 16, 16));
    DrawPicture(dc, NameBand, wxRect(t.x + 37, t.y + 8, 150, 21));
    dc.SetTextForeground(Text);
    dc.SetClippingRegion(t.x + 16, t.y + 29, 150, 25);
    dc.DrawText("Name:" + wxString::FromUTF8(m.Name), t.x + 16, t.y + 33);
    dc.DestroyClippingRegion();
    DrawPicture(dc, EditIcon, wxRect(t.GetRight() - 28, t.y + 29, 24, 24));
    dc.DrawText("IP:" + wxString::FromUTF8(m.Ip), t.x + 16, t.y + 59);
    dc.SetPen(wxPen(m.Controlled ? Red : Text, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(t);
  }
}

// ---- MachineListHost ----

void MSearchMachineDlg::OnTimer(int id) {
  const auto handling = TimersInHandler.insert(id);
  List.OnTimer(static_cast<uint32_t>(id));
  TimersInHandler.erase(handling);
  // A timer is never destroyed inside its own expiry: it is stopped once its last handler is done.
  if (!TimersInHandler.count(id) && KillAfterHandler.erase(id)) {
    const unsigned starts = TimerStarts[id];
    CallAfter([this, id, starts] {
      if (TimerStarts[id] == starts) MBaseDialog::KillTimer(id);  // not started again meanwhile
    });
  }
}

void MSearchMachineDlg::StartTimer(uint32_t id, uint32_t ms) {
  KillAfterHandler.erase(static_cast<int>(id));
  ++TimerStarts[static_cast<int>(id)];
  MBaseDialog::SetTimer(static_cast<int>(id), ms);
}

void MSearchMachineDlg::KillTimer(uint32_t id) {
  if (TimersInHandler.count(static_cast<int>(id))) KillAfterHandler.insert(static_cast<int>(id));
  else MBaseDialog::KillTimer(static_cast<int>(id));
}
void MSearchMachineDlg::RedrawTile(const TileRect& tile) {
  RefreshRect(ToWx(tile).Inflate(3));
  std::vector<std::string> shown;
  for (const MachineInfo& m : List.Machines())
    shown.push_back(m.Name + " " + m.Ip + (m.Online ? " online" : " offline") + (m.Controlled ? " controlled" : "") +
                    (m.Selected ? " selected" : ""));
  RecordShownTexts("machines", shown);
}
std::string MSearchMachineDlg::LoadMachineName(const std::string& section) {
  return GetIniString(InfoIni(), section, "MachineName");
}
void MSearchMachineDlg::StoreMachineName(const std::string& section, const std::string& name) {
  WriteIniString(InfoIni(), section, "MachineName", name);
}

void MSearchMachineDlg::DeliverWaitingReplies() {
  if (CommLink* link = GetCommLink()) link->DispatchReplies();
}

void MSearchMachineDlg::MakeMachineAtWork(const std::string& ip) { MakeNetworkMachineAtWork(ip); }

bool MSearchMachineDlg::OtherMachineAtWork(const std::string& ip) {
  const MachineAtWork& atWork = CurrentMachineAtWork();
  return atWork.Link == WorkLink::Serial || (atWork.Link == WorkLink::Network && atWork.Ip != ip);
}
void MSearchMachineDlg::ConnectMachine(const std::string& ip) { ConnectNetwork(ip); }
void MSearchMachineDlg::SetTargets(const std::vector<uint8_t>& ids) {
  if (CommLink* link = GetCommLink()) link->SetTargets(ids);
}
void MSearchMachineDlg::SendReadAll() { ::SendReadAll(); }
bool MSearchMachineDlg::NetworkConnected() { return GetDeviceState().NetworkConnected == 1; }
void MSearchMachineDlg::SetNetworkConnected() { GetDeviceState().NetworkConnected = 1; }
void MSearchMachineDlg::ShowGettingDataBusy() {
  const std::string text = UiStrings[82];
  SendMsg(OwnerWindow(), MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
}
void MSearchMachineDlg::PostConnectionIndicator(bool on) {
  PostMsg(OwnerWindow(), MPageEvent, EvConnectionIndicator, on ? 1 : 0);
}
void MSearchMachineDlg::SendConnectionIndicator(bool on) {
  SendMsg(OwnerWindow(), MPageEvent, EvConnectionIndicator, on ? 1 : 0);
}
void MSearchMachineDlg::SendCurrentMachineIp(const std::string& ip) {
  SendMsg(OwnerWindow(), MPageEvent, EvCurrentMachineIp, reinterpret_cast<LPARAM>(&ip));
}
void MSearchMachineDlg::PostLinkChanged() { PostMsg(OwnerWindow(), MPageEvent, EvLinkChanged, 0); }
bool MSearchMachineDlg::AskSelectMachine() {
  return AskOperator(this, UiStrings[32], UiStrings[38]);
}
void MSearchMachineDlg::TellMachineOffline() {
  ShowOperatorMessage(this, UiStrings[39], UiStrings[38]);
}
