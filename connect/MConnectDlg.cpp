#include "connect/MConnectDlg.h"

#include "app/DeviceState.h"
#include "app/InfoIni.h"
#include "app/ReplyCallbacks.h"
#include "app/UiStrings.h"
#include "app/Utilities.h"
#include "connect/LinkCommands.h"
#include "mainwnd/MainMessages.h"
#include "platform/comm/VelkComm.h"
#include "platform/os/SerialPorts.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"

#include <algorithm>
#include <charconv>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dc.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

namespace {
// The controlled machine's address before any connection: a private LAN address ending in the
// initial device id 110.
constexpr char DefaultDeviceAddress[] = "192.168.1.110";
constexpr int DefaultBaud = 115200;
constexpr int MinBaud = 38400;
constexpr int MaxBaud = 115200;

// Template positions are in dialog units; a dialog unit is 3/2 px across and 13/8 px down.
wxPoint Dlu(int x, int y) { return wxPoint(x * 3 / 2, y * 13 / 8); }
wxSize DluSize(int w, int h) { return wxSize(w * 3 / 2, h * 13 / 8); }

const wxColour Dark(0x10, 0x10, 0x10);
const wxColour Text(0xEB, 0xEB, 0xEB);
const wxColour Accent(239, 156, 0);

void StyleButton(wxWindow* b) {
  b->SetBackgroundColour(wxColour(0x2E, 0x2E, 0x2E));
  b->SetForegroundColour(Text);
}
}  // namespace

MConnectDlg::MConnectDlg() : MBaseDialog(IDD, true) {}

void MConnectDlg::OnInitDialog() {
  auto* ipLabel = new wxStaticText(this, wxID_ANY, "Destination IP :", Dlu(8, 38));
  ipLabel->SetForegroundColour(wxColour(0xD5, 0xD5, 0xD5));
  DestinationIp = new wxTextCtrl(this, 1172, wxString(), Dlu(66, 36), DluSize(82, 14), wxTE_CENTRE);
  NetDisconnect = new wxButton(this, 1174, "DisConnect", Dlu(150, 25), DluSize(51, 30));
  SearchMachines = new wxToggleButton(this, 1190, "Search Machines >>>", Dlu(10, 57), DluSize(188, 28));
  auto* comLabel = new wxStaticText(this, 1475, "Com", Dlu(9, 117));
  comLabel->SetForegroundColour(wxColour(0xD5, 0xD5, 0xD5));
  auto* baudLabel = new wxStaticText(this, wxID_ANY, "Baud Rate", Dlu(9, 140));
  baudLabel->SetForegroundColour(wxColour(0xD5, 0xD5, 0xD5));
  BaudRate = new wxTextCtrl(this, 1473, wxString(), Dlu(58, 138), DluSize(53, 14), wxTE_CENTRE);
  ComConnect = new wxButton(this, 1477, "Connect", Dlu(150, 114), DluSize(51, 30));
  ComDisconnect = new wxButton(this, 1495, "DisConnect", Dlu(150, 154), DluSize(51, 18));
  for (wxWindow* b : std::initializer_list<wxWindow*>{NetDisconnect, SearchMachines, ComConnect, ComDisconnect})
    StyleButton(b);
  for (wxTextCtrl* e : {DestinationIp, BaudRate}) {
    e->SetBackgroundColour(Dark);
    e->SetForegroundColour(Accent);
  }
  NetDisconnect->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedNetDisconnect(); });
  SearchMachines->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { OnBnClickedSearchMachines(); });
  ComConnect->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedComConnect(); });
  ComDisconnect->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedComDisconnect(); });
  // A typed baud rate is held to the range when the edit is left.
  BaudRate->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
    long value = DefaultBaud;
    if (!BaudRate->GetValue().ToLong(&value)) value = DefaultBaud;
    BaudRate->ChangeValue(wxString::Format("%ld", std::clamp<long>(value, MinBaud, MaxBaud)));
    e.Skip();
  });
  InitIpControls();
  RefreshLists();
}

void MConnectDlg::InitIpControls() {
  DestinationIp->SetMaxLength(15);
  DestinationIp->ChangeValue(DefaultDeviceAddress);
  BaudRate->ChangeValue(wxString::Format("%d", DefaultBaud));
}

void MConnectDlg::RefreshLists() {
  if (!ComPorts) {
    const wxPoint label = Dlu(9, 117);
    ComPorts = new wxChoice(this, ComPortListId, wxPoint(label.x + 40, label.y - 3), wxSize(90, -1));
    FillComPorts();
    std::string timeout;
    SelectComPort(LoadComSettings("Info.ini", timeout));
  }
  BaudRate->ChangeValue(wxString::Format("%d", DefaultBaud));
}

void MConnectDlg::FillComPorts() {
  ComPorts->Clear();
  std::vector<SerialPortInfo> ports;
  EnumSerialPorts(ports);
  for (const auto& port : ports)
    ComPorts->Append(wxString::FromUTF8(port.Name), reinterpret_cast<void*>(static_cast<intptr_t>(port.Number)));
  if (ports.empty()) ComPorts->Append("N/A", reinterpret_cast<void*>(intptr_t{0}));
  ComPorts->SetSelection(0);
}

void MConnectDlg::SelectComPort(int number) {
  for (unsigned i = 0; i < ComPorts->GetCount(); ++i) {
    if (reinterpret_cast<intptr_t>(ComPorts->GetClientData(i)) == number) {
      ComPorts->SetSelection(static_cast<int>(i));
      return;
    }
  }
  ComPorts->SetSelection(0);
}

int MConnectDlg::SelectedComPort() const {
  const int i = ComPorts->GetSelection();
  if (i == wxNOT_FOUND) return -1;
  return static_cast<int>(reinterpret_cast<intptr_t>(ComPorts->GetClientData(static_cast<unsigned>(i))));
}

void MConnectDlg::ShowPage(bool show) {
  SendMsg(GetParent(), MPageEvent, EvMachineSearchWindow, 3);
  ResetSearchButton();
  Show(show);
}

void MConnectDlg::ClosePage() {
  SendMsg(GetParent(), MPageEvent, EvMachineSearchWindow, 3);
  ResetSearchButton();
  MBaseDialog::ClosePage();
}

void MConnectDlg::ResetSearchButton() {
  SearchMachines->SetValue(false);
  SearchMachines->SetForegroundColour(Text);
  SearchMachines->Refresh();
}

void MConnectDlg::ApplyLanguage() { SetPageTitle(UiStrings[93]); Refresh(); }

void MConnectDlg::PaintExtras(wxDC& dc) {
  // The two group frames with their titles.
  dc.SetFont(wxFont(wxFontInfo(9).FaceName("Liberation Sans")));
  auto group = [&](const wxPoint& at, const wxSize& size, const std::string& title) {
    dc.SetPen(wxPen(wxColour(0x1E, 0x1E, 0x1E), 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(at.x + 2, at.y + 6, size.x, size.y - 6);
    dc.SetTextForeground(Text);
    dc.SetTextBackground(Dark);
    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    dc.DrawText(" " + wxString::FromUTF8(title) + " ", at.x + 10, at.y);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  };
  group(Dlu(0, 18), DluSize(206, 74), UiStrings[92]);
  group(Dlu(0, 101), DluSize(206, 74), UiStrings[91]);
}

void MConnectDlg::SetDestinationIp(const std::string& ip) { DestinationIp->ChangeValue(wxString::FromUTF8(ip)); }

void MConnectDlg::OnBnClickedComConnect() {
  const int port = SelectedComPort();
  if (port < 0) return;
  const uint8_t serialTarget = 255;
  VelkComm_SetTargets(1, &serialTarget);
  long baud = DefaultBaud;
  if (!BaudRate->GetValue().ToLong(&baud)) baud = DefaultBaud;
  baud = std::clamp<long>(baud, MinBaud, MaxBaud);
  ComHandle = VelkComm_OpenCom(port, static_cast<int>(baud));
  wxWindow* main = GetParent();
  if (ComHandle == 0) {
    PostMsg(main, MPageEvent, EvConnectionIndicator, 0);
    wxMessageBox(wxString::FromUTF8(UiStrings[85]), wxString::FromUTF8(UiStrings[38]), wxOK, this);
    return;
  }
  SetSerialLinkOpen(true);
  SendReadAll();
  PostMsg(main, MPageEvent, EvConnectionIndicator, 1);
  const std::string text = UiStrings[82];
  SendMsg(main, MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
  DeviceState& state = GetDeviceState();
  if (state.NetworkConnected) {
    state.NetworkConnected = 0;
    PostMsg(main, MPageEvent, EvLinkChanged, 0);
  }
  SaveComSettings("Info.ini", port, "1");
  // While the link is open the port cannot change and a second open cannot split its bytes.
  ComPorts->Enable(false);
  ComConnect->Enable(false);
}

void MConnectDlg::OnBnClickedComDisconnect() {
  VelkComm_CloseCom();
  SetSerialLinkOpen(false);
  if (!GetDeviceState().NetworkConnected) PostMsg(GetParent(), MPageEvent, EvConnectionIndicator, 0);
  ComPorts->Enable(true);
  ComConnect->Enable(true);
  ComHandle = 0;
}

void MConnectDlg::OnSerialDeviceChange(unsigned event) {
  if (!ComPorts) return;
  const int remembered = SelectedComPort();
  FillComPorts();
  SelectComPort(remembered);
  if (event == 0x8000 && ComHandle == 0) {
    std::string timeout;
    SelectComPort(LoadComSettings("Info.ini", timeout));
  } else if (event == 0x8004 && ComHandle != 0 && SelectedComPort() != remembered) {
    OnBnClickedComDisconnect();
  }
}

void MConnectDlg::OnBnClickedNetDisconnect() {
  const std::string ip = DestinationIp->GetValue().ToStdString();
  if (!IsValidIPv4(ip) || ip.size() > 15) return;
  VelkComm_DisconnectNet(ip.c_str());
}

void MConnectDlg::OnBnClickedSearchMachines() {
  SearchMachines->SetForegroundColour(SearchMachines->GetValue() ? Accent : Text);
  SearchMachines->Refresh();
  SendMsg(GetParent(), MPageEvent, EvMachineSearchWindow, 0);
}
