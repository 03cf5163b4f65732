#include "connect/MSearchMachineDlg.h"

#include "app/DeviceState.h"
#include "app/InfoIni.h"
#include "app/UiStrings.h"
#include "connect/LinkCommands.h"
#include "mainwnd/MainMessages.h"
#include "platform/comm/VelkComm.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/LocalAdapters.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

namespace {
const wxColour Text(0xEB, 0xEB, 0xEB);
const wxColour Accent(239, 156, 0);
const wxColour Red(255, 0, 0);
// The group box "Local Ip Address" that holds the adapter list.
const wxRect AdapterGroup(10, 32, 300, 42);

std::string InfoIni() { return GetAppDirectory() + "Info.ini"; }

wxRect ToWx(const TileRect& t) { return wxRect(t.Left, t.Top, t.Right - t.Left, t.Bottom - t.Top); }
}  // namespace

MSearchMachineDlg::MSearchMachineDlg() : MBaseDialog(IDD, true) {}

MSearchMachineDlg::~MSearchMachineDlg() = default;

void MSearchMachineDlg::OnInitDialog() {
  Search = new wxButton(this, 1191, "SEARCH", wxPoint(AdapterGroup.GetRight() + 16, 36), wxSize(100, 34));
  ConnectButton = new wxButton(this, 1184, "Connect", wxPoint(AdapterGroup.GetRight() + 126, 36), wxSize(100, 34));
  RefreshAdapters = new wxButton(this, 1445, "R", wxPoint(AdapterGroup.x + 142, AdapterGroup.y + 13), wxSize(26, 26));
  for (wxButton* b : {Search, ConnectButton, RefreshAdapters}) {
    b->SetBackgroundColour(wxColour(0x2E, 0x2E, 0x2E));
    b->SetForegroundColour(Accent);
  }
  Search->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedSearch(); });
  ConnectButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    SaveMachineName();
    List.ConnectSelected();
  });
  RefreshAdapters->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RefreshLocalIps(); });
  Bind(wxEVT_LEFT_DOWN, &MSearchMachineDlg::OnLeftDown, this);
  Bind(wxEVT_LEFT_DCLICK, &MSearchMachineDlg::OnLeftDoubleClick, this);
  RefreshLocalIps();
  NameEditor = new wxTextCtrl(this, 0xAF81, "My Z81", wxDefaultPosition, wxSize(80, 20),
                              wxTE_CENTRE | wxTE_PROCESS_ENTER);
  NameEditor->SetMaxLength(13);
  NameEditor->Hide();
  NameEditor->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { SaveMachineName(); });
  NameEditor->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_ESCAPE) CancelNameEdit();
    else if (e.GetKeyCode() == WXK_RETURN) SaveMachineName();
    else e.Skip();
  });
}

void MSearchMachineDlg::ApplyLanguage() { SetPageTitle(UiStrings[94]); Refresh(); }

void MSearchMachineDlg::RefreshLocalIps() {
  if (!Adapters) {
    Adapters = new wxChoice(this, SearchAdapterListId, wxPoint(AdapterGroup.x + 12, AdapterGroup.y + 15), wxSize(128, -1));
    Adapters->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnAdapterChosen(); });
  }
  Adapters->Clear();
  LocalAddresses.clear();
  for (const LocalAdapter& a : ListLocalIPv4Adapters())
    if (!a.Address.empty() && a.Address[0] != '0') LocalAddresses.push_back(a.Address);
  for (const auto& address : LocalAddresses) Adapters->Append(wxString::FromUTF8(address));
  if (LocalAddresses.empty()) {
    // "N/A" stands for no address at all: nothing is handed to the library.
    Adapters->Append("N/A");
  } else {
    VelkComm_SelectLocalAdapter(LocalAddresses.front().c_str());
  }
  Adapters->SetSelection(0);
}

void MSearchMachineDlg::OnAdapterChosen() {
  const int i = Adapters->GetSelection();
  if (i >= 0 && static_cast<size_t>(i) < LocalAddresses.size())
    VelkComm_SelectLocalAdapter(LocalAddresses[static_cast<size_t>(i)].c_str());
  CancelNameEdit();
  List.Clear();
  Refresh();
}

void MSearchMachineDlg::OnBnClickedSearch() {
  CancelNameEdit();
  List.Clear();
  SetCurrentDeviceId(255);
  SendSearchDevices();
  const std::string text = UiStrings[83];
  SendMsg(GetParent(), MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
  Refresh();
}

void MSearchMachineDlg::AddFoundMachine() {
  const DeviceState& state = GetDeviceState();
  List.AddFoundMachine(state.FoundMachineIp, state.FoundMachineMac);
}

void MSearchMachineDlg::RefreshMachines(bool autoSelect) {
  const DeviceState& state = GetDeviceState();
  List.RefreshMachines(autoSelect, state.ReplyDeviceId, state.Connected != 0);
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

void MSearchMachineDlg::PaintExtras(wxDC& dc) {
  dc.SetFont(wxFont(wxFontInfo(9).FaceName("Liberation Sans")));
  dc.SetPen(wxPen(wxColour(0x1E, 0x1E, 0x1E), 2));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(AdapterGroup);
  dc.SetTextForeground(Text);
  dc.DrawText(wxString::FromUTF8(UiStrings[95]), AdapterGroup.x + 10, AdapterGroup.y - 8);
  DrawMachines(dc);
}

void MSearchMachineDlg::DrawMachines(wxDC& dc) {
  wxFont font(wxFontInfo(9).Bold().FaceName("Liberation Sans"));
  dc.SetFont(font);
  for (const MachineInfo& m : List.Machines()) {
    const wxRect t = ToWx(m.Tile);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m.Controlled ? Accent : m.Selected ? Red : *wxBLACK));
    dc.DrawRectangle(t.x - 2, t.y - 2, t.width + 4, t.height + 4);
    // Status light (online green, offline grey-red), name band, name, edit mark, address.
    dc.SetBrush(wxBrush(m.Online ? wxColour(0, 200, 0) : wxColour(110, 30, 30)));
    dc.DrawCircle(t.x + 24, t.y + 16, 8);
    dc.SetBrush(wxBrush(wxColour(0x30, 0x30, 0x30)));
    dc.DrawRectangle(t.x + 37, t.y + 8, 150, 21);
    dc.SetTextForeground(Text);
    dc.SetClippingRegion(t.x + 16, t.y + 29, 150, 25);
    dc.DrawText("Name:" + wxString::FromUTF8(m.Name), t.x + 16, t.y + 33);
    dc.DestroyClippingRegion();
    dc.SetPen(wxPen(Text, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(t.GetRight() - 28, t.y + 29, 24, 24);
    dc.DrawLine(t.GetRight() - 24, t.y + 49, t.GetRight() - 10, t.y + 35);
    dc.DrawText("IP:" + wxString::FromUTF8(m.Ip), t.x + 16, t.y + 59);
    dc.SetPen(wxPen(m.Controlled ? Red : Text, 1));
    dc.DrawRectangle(t);
  }
}

// ---- MachineListHost ----

void MSearchMachineDlg::OnTimer(int id) {
  TimerInHandler = id;
  List.OnTimer(static_cast<uint32_t>(id));
  TimerInHandler = 0;
  // A timer is never destroyed inside its own expiry: it is stopped once its handler is done.
  if (KillAfterHandler.erase(id)) {
    const unsigned starts = TimerStarts[id];
    CallAfter([this, id, starts] {
      if (TimerStarts[id] == starts) Timers.KillTimer(id);  // not started again meanwhile
    });
  }
}

void MSearchMachineDlg::StartTimer(uint32_t id, uint32_t ms) {
  KillAfterHandler.erase(static_cast<int>(id));
  ++TimerStarts[static_cast<int>(id)];
  Timers.SetTimer(static_cast<int>(id), ms);
}

void MSearchMachineDlg::KillTimer(uint32_t id) {
  if (static_cast<int>(id) == TimerInHandler) KillAfterHandler.insert(static_cast<int>(id));
  else Timers.KillTimer(static_cast<int>(id));
}
void MSearchMachineDlg::RedrawTile(const TileRect& tile) { RefreshRect(ToWx(tile).Inflate(3)); }
std::string MSearchMachineDlg::LoadMachineName(const std::string& section) {
  return GetIniString(InfoIni(), section, "MachineName");
}
void MSearchMachineDlg::StoreMachineName(const std::string& section, const std::string& name) {
  WriteIniString(InfoIni(), section, "MachineName", name);
}
void MSearchMachineDlg::SetDeviceId(uint8_t id) { SetCurrentDeviceId(id); }
void MSearchMachineDlg::SelectDevice(const std::string& ip) { VelkComm_SelectDevice(ip.c_str()); }
void MSearchMachineDlg::ConnectNet(const std::string& ip, int port) { VelkComm_ConnectNet(ip.c_str(), port); }
void MSearchMachineDlg::SetTargets(const std::vector<uint8_t>& ids) {
  VelkComm_SetTargets(static_cast<int>(ids.size()), ids.data());
}
void MSearchMachineDlg::SendReadAll() { ::SendReadAll(); }
bool MSearchMachineDlg::NetworkConnected() { return GetDeviceState().NetworkConnected == 1; }
void MSearchMachineDlg::SetNetworkConnected() {
  DeviceState& state = GetDeviceState();
  state.LinkStatus = 0;
  state.NetworkConnected = 1;
}
void MSearchMachineDlg::ShowGettingDataBusy() {
  const std::string text = UiStrings[82];
  SendMsg(GetParent(), MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
}
void MSearchMachineDlg::PostConnectionIndicator(bool on) {
  PostMsg(GetParent(), MPageEvent, EvConnectionIndicator, on ? 1 : 0);
}
void MSearchMachineDlg::SendConnectionIndicator(bool on) {
  SendMsg(GetParent(), MPageEvent, EvConnectionIndicator, on ? 1 : 0);
}
void MSearchMachineDlg::SendCurrentMachineIp(const std::string& ip) {
  SendMsg(GetParent(), MPageEvent, EvCurrentMachineIp, reinterpret_cast<LPARAM>(&ip));
}
void MSearchMachineDlg::PostLinkChanged() { PostMsg(GetParent(), MPageEvent, EvLinkChanged, 0); }
bool MSearchMachineDlg::AskSelectMachine() {
  return wxMessageBox(wxString::FromUTF8(UiStrings[32]), wxString::FromUTF8(UiStrings[38]), wxOK | wxCANCEL, this) ==
         wxOK;
}
void MSearchMachineDlg::TellMachineOffline() {
  wxMessageBox(wxString::FromUTF8(UiStrings[39]), wxString::FromUTF8(UiStrings[38]), wxOK, this);
}
