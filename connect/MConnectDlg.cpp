#include "connect/MConnectDlg.h"

#include "app/CommLink.h"
#include "app/DeviceState.h"
#include "app/InfoIni.h"
#include "app/MachineAtWork.h"
#include "app/UiStrings.h"
#include "controls/PageLanguage.h"
#include "app/Utilities.h"
#include "connect/LinkCommands.h"
#include "controls/CDropButton.h"
#include "controls/OperatorNotices.h"
#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

#include <wx/dc.h>

namespace {
// The controlled machine's address before any connection: a private LAN address ending in the
// initial device id 110.
constexpr char DefaultDeviceAddress[] = "192.168.1.110";
constexpr float DefaultBaud = 115200;

// Template positions are in dialog units; a dialog unit is 3/2 px across and 13/8 px down.
wxRect Dlu(int x, int y, int w, int h) { return wxRect(x * 3 / 2, y * 13 / 8, w * 3 / 2, h * 13 / 8); }

constexpr COLORREF TextOff = 0xEBEBEB;
constexpr COLORREF TextOn = 0x009CEF;
}  // namespace

MConnectDlg::MConnectDlg() : MBaseDialog(IDD, true) {}

void MConnectDlg::OnInitDialog() {
  AddGroupBox(1169, Dlu(0, 18, 206, 74), "Network Connection");
  AddGroupBox(1474, Dlu(0, 101, 206, 74), "Com Connection");
  new SkinStatic(this, 1171, "Destination IP :", Dlu(6, 39, 60, 10));
  DestinationIp = new CMyEdit(this, 1172, Dlu(66, 36, 82, 14), wxTE_CENTRE);
  NetDisconnect = new CGdipButton(this, 1174, "DisConnect", Dlu(150, 25, 51, 30));
  SearchMachines = new CGdipButton(this, 1190, "Search Machines >>>", Dlu(10, 57, 188, 28));
  new SkinStatic(this, 1475, "Com", Dlu(9, 117, 20, 10));
  new SkinStatic(this, 1476, "Baud Rate", Dlu(9, 140, 45, 10));
  BaudRate = new oRealEdit(this, 1473, Dlu(58, 138, 53, 14));
  ComConnect = new CGdipButton(this, 1477, "Connect", Dlu(150, 114, 51, 30));
  ComDisconnect = new CGdipButton(this, 1495, "DisConnect", Dlu(150, 154, 51, 18));
  // Buttons: the link buttons share one light picture and keep the kit's dark caption; Search
  // Machines is a toggle.
  for (CGdipButton* b : {NetDisconnect, ComConnect, ComDisconnect}) {
    b->LoadStdImage(115);
    b->SetFont(ControlFont);
  }
  SearchMachines->LoadStdImage(113);
  SearchMachines->LoadAltImage(114);
  SearchMachines->SetToggle(true);
  SearchMachines->SetTextColour(TextOff);
  SearchMachines->SetFont(ControlFont);
  OnClicked(1174, [this] { OnBnClickedNetDisconnect(); });
  OnClicked(1190, [this] { OnBnClickedSearchMachines(); });
  OnClicked(1477, [this] { OnBnClickedComConnect(); });
  OnClicked(1495, [this] { OnBnClickedComDisconnect(); });
  CreateCaptionButtons(false);
  InitIpControls();
  RefreshLists();
  SetChildFonts();
}

void MConnectDlg::InitIpControls() {
  DestinationIp->SetMaxLength(15);
  DestinationIp->ChangeValue(DefaultDeviceAddress);
  BaudRate->SetRange(true, 38400, 115200, "%d", DefaultBaud);
}

void MConnectDlg::RefreshLists() {
  if (!ComPorts) {
    const wxRect label = Dlu(9, 117, 20, 10);
    ComPorts = new CDropButton;
    ComPorts->Create(wxString(), this, ComPortListId, 0x101010, 0x101010, 0xEBEBEB, -1, &ControlFont, 0xFFFFFF,
                     wxRect(label.GetRight() + 10, label.y - 4, 80, 22));
    ComPorts->GetList()->SetBkColor(0x2E2E2E);
    ComPorts->GetList()->SetSelColor(0x50FFFF);
    FillComPorts();
    std::string timeout;
    SelectComPort(LoadComSettings("Info.ini", timeout));
  }
  BaudRate->SetValue(DefaultBaud);
}

void MConnectDlg::FillComPorts() {
  CDropList* list = ComPorts->GetList();
  list->ResetContent();
  std::vector<SerialPortInfo> ports;
  EnumSerialPorts(ports);
  for (const auto& port : ports) {
    const int at = list->AddString(wxString::FromUTF8(port.Name));
    list->SetItemData(at, port.Number);
  }
  if (ports.empty()) {
    const int at = list->AddString("N/A");
    list->SetItemData(at, 0);
  }
  ComPorts->SetCurSel(0);
}

void MConnectDlg::SelectComPort(int number) {
  DropListSelectByData(ComPorts, number);
  RecordComState();
}

void MConnectDlg::RecordComState() {
  std::string ports = "ports:", selected = "selected: ";
  CDropList* list = ComPorts->GetList();
  for (int i = 0; i < list->GetCount(); ++i) {
    ports += ' ';
    ports += list->GetText(i).ToStdString(wxConvUTF8);
  }
  if (const int at = ComPorts->GetCurSel(); at >= 0) selected += list->GetText(at).ToStdString(wxConvUTF8);
  RecordShownTexts("com", {ports, selected, ComHandle != 0 ? "link open" : "link closed"});
}

int MConnectDlg::SelectedComPort() const {
  const int i = ComPorts->GetCurSel();
  if (i < 0) return -1;
  return static_cast<int>(ComPorts->GetList()->GetItemData(i));
}

void MConnectDlg::ShowPage(bool show) {
  SendMsg(OwnerWindow(), MPageEvent, EvMachineSearchWindow, 3);
  ResetSearchButton();
  Show(show);
}

void MConnectDlg::ClosePage() {
  SendMsg(OwnerWindow(), MPageEvent, EvMachineSearchWindow, 3);
  ResetSearchButton();
  ShowPage(false);
  if (NotifyOnClose) PostMsg(OwnerWindow(), MPageClosed, 0, 0);
}

void MConnectDlg::ResetSearchButton() {
  SearchMachines->SetChecked(false);
  SearchMachines->SetTextColour(TextOff);
  SearchMachines->Refresh();
}

void MConnectDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  SetControlText(1474, wxString::FromUTF8(UiStrings[91]));
  SetControlText(1169, wxString::FromUTF8(UiStrings[92]));
  PageTitle = wxString::FromUTF8(UiStrings[93]);
  Refresh();
}

void MConnectDlg::PaintExtras(wxDC&) {}

void MConnectDlg::SetDestinationIp(const std::string& ip) { DestinationIp->ChangeValue(wxString::FromUTF8(ip)); }

void MConnectDlg::OnBnClickedComConnect() {
  const int port = SelectedComPort();
  if (port < 0) return;
  CommLink* link = GetCommLink();
  if (!link) return;
  link->SetTargets({255});
  ComHandle = link->OpenCom(port, static_cast<int>(BaudRate->Value()));
  wxWindow* main = OwnerWindow();
  if (ComHandle == 0) {
    // Nothing changed: the machine at work (a network one may be) and the indicator stay as they were.
    ShowOperatorMessage(this, UiStrings[85], UiStrings[38]);
    return;
  }
  // The serial link is the working link from now on: network machines feed the machine list only.
  SerialLinkOpened();
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
  // While the link is open the port cannot change, and a second open cannot split its bytes.
  ComPorts->Enable(false);
  ComConnect->Enable(false);
  RecordComState();
}

void MConnectDlg::OnBnClickedComDisconnect() {
  if (CommLink* link = GetCommLink()) link->CloseCom();
  // No machine is at work any more: the main dialog turns the indicator off.
  SerialLinkClosed();
  ComPorts->Enable(true);
  ComConnect->Enable(true);
  ComHandle = 0;
  RecordComState();
}

void MConnectDlg::OnSerialDeviceChange(unsigned event) {
  if (!ComPorts) return;
  const int remembered = SelectedComPort();
  FillComPorts();
  SelectComPort(remembered);
  if (event == 0x8000 && ComHandle == 0) {
    std::string timeout;
    SelectComPort(LoadComSettings("Info.ini", timeout));
  } else if (event == 0x8004 && ComHandle != 0 && DropListFindData(ComPorts, remembered) < 0) {
    OnBnClickedComDisconnect();
  }
}

void MConnectDlg::OnBnClickedNetDisconnect() {
  const std::string ip = DestinationIp->GetValue().ToStdString();
  if (!IsValidIPv4(ip) || ip.size() > 15) return;
  DisconnectNetworkMachine(ip);
}

void MConnectDlg::OnBnClickedSearchMachines() {
  SearchMachines->SetTextColour(SearchMachines->IsChecked() ? TextOn : TextOff);
  SearchMachines->Refresh();
  SendMsg(OwnerWindow(), MPageEvent, EvMachineSearchWindow, 0);
}
