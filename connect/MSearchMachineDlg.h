#pragma once
// The machine search page: the local adapter, SEARCH, one tile per machine that answered, the
// choice of the controlled machine and each machine's heartbeat. It floats over the working area.
#include "connect/MachineList.h"
#include "controls/MBaseDialog.h"
#include "platform/ui/Timers.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class wxChoice;
class wxButton;
class wxTextCtrl;

inline constexpr int SearchAdapterListId = 0xFF70;

class MSearchMachineDlg : public MBaseDialog, private MachineListHost {
 public:
  static constexpr int IDD = 179;
  MSearchMachineDlg();
  ~MSearchMachineDlg() override;

  void ApplyLanguage() override;
  // From the reply router: a machine answered the search (its address and MAC are in DeviceState).
  void AddFoundMachine();
  // From the reply router: a connection-status reply (autoSelect) or any other reply.
  void RefreshMachines(bool autoSelect);

  const MachineList& Machines() const { return List; }

 protected:
  void OnInitDialog() override;
  void PaintExtras(wxDC& dc) override;

 private:
  void RefreshLocalIps();
  void OnAdapterChosen();
  void OnBnClickedSearch();
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftDoubleClick(wxMouseEvent& event);
  void SaveMachineName();
  void CancelNameEdit();
  void DrawMachines(wxDC& dc);

  // MachineListHost
  void StartTimer(uint32_t id, uint32_t ms) override;
  void KillTimer(uint32_t id) override;
  void RedrawTile(const TileRect& tile) override;
  std::string LoadMachineName(const std::string& macSection) override;
  void StoreMachineName(const std::string& macSection, const std::string& name) override;
  void SetDeviceId(uint8_t id) override;
  void SelectDevice(const std::string& ip) override;
  void ConnectNet(const std::string& ip, int port) override;
  void SetTargets(const std::vector<uint8_t>& ids) override;
  void SendReadAll() override;
  bool NetworkConnected() override;
  void SetNetworkConnected() override;
  void ShowGettingDataBusy() override;
  void PostConnectionIndicator(bool on) override;
  void SendConnectionIndicator(bool on) override;
  void SendCurrentMachineIp(const std::string& ip) override;
  void PostLinkChanged() override;
  bool AskSelectMachine() override;
  void TellMachineOffline() override;

  MachineList List{*this};
  void OnTimer(int id);
  TimerTable Timers{this, [this](int id) { OnTimer(id); }};
  int TimerInHandler = 0;             // the timer whose expiry is being handled, 0 for none
  std::set<int> KillAfterHandler;     // timers stopped by their own handler
  std::map<int, unsigned> TimerStarts;
  wxChoice* Adapters = nullptr;
  wxButton* Search = nullptr;
  wxButton* RefreshAdapters = nullptr;
  wxButton* ConnectButton = nullptr;
  wxTextCtrl* NameEditor = nullptr;
  std::vector<std::string> LocalAddresses;
  // The machine whose name is being edited, by address: clearing the list cannot leave it dangling.
  std::optional<std::string> EditedMachineIp;
};
