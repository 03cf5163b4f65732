#pragma once
// The machine search page: the local adapter, SEARCH, one tile per machine that answered, the
// choice of the controlled machine and each machine's heartbeat. It floats over the working area.
#include "connect/MachineList.h"
#include "controls/MBaseDialog.h"

#include <map>
#include <wx/image.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

class CDropButton;
class CGdipButton;
class CMyEdit;

inline constexpr int SearchAdapterListId = 0xFF70;

class MSearchMachineDlg : public MBaseDialog, private MachineListHost {
 public:
  static constexpr int IDD = 179;
  MSearchMachineDlg();
  ~MSearchMachineDlg() override;
  // The page's controls, once its window exists.
  void OnInitDialog();

  void ApplyLanguage() override;
  // From the reply router: a machine answered the search (its address and MAC are in DeviceState).
  void AddFoundMachine();
  // From the reply router: a connection-status reply (autoSelect) or any other reply.
  void RefreshMachines(bool autoSelect);
  // From the main dialog: another machine, the serial link or none is at work now.
  void FollowMachineAtWork();

  const MachineList& Machines() const { return List; }

 protected:
  void PaintExtras(wxDC& dc) override;
  void OnTimer(int id) override;

 private:
  void RefreshLocalIps();
  void OnAdapterChosen();
  void OnBnClickedSearch();
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftDoubleClick(wxMouseEvent& event);
  void SaveMachineName();
  void CancelNameEdit();
  void DrawMachines(wxDC& dc);
  void LoadIcons();
  static void DrawPicture(wxDC& dc, const wxImage& picture, const wxRect& into);

  // MachineListHost
  void StartTimer(uint32_t id, uint32_t ms) override;
  void KillTimer(uint32_t id) override;
  void RedrawTile(const TileRect& tile) override;
  std::string LoadMachineName(const std::string& macSection) override;
  void StoreMachineName(const std::string& macSection, const std::string& name) override;
  void DeliverWaitingReplies() override;
  void MakeMachineAtWork(const std::string& ip) override;
  bool OtherMachineAtWork(const std::string& ip) override;
  void ConnectMachine(const std::string& ip) override;
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
  // The timers whose expiry is being handled: a heartbeat delivers replies, and a reply may open
  // a nested loop in which another expiry is handled.
  std::multiset<int> TimersInHandler;
  std::set<int> KillAfterHandler;     // timers stopped by their own handler
  std::map<int, unsigned> TimerStarts;
  CDropButton* Adapters = nullptr;
  CGdipButton* Search = nullptr;
  CGdipButton* RefreshAdapters = nullptr;
  CGdipButton* ConnectButton = nullptr;
  CMyEdit* NameEditor = nullptr;
  std::vector<std::string> LocalAddresses;
  wxImage OnlineIcon, OfflineIcon, NameBand, EditIcon;
  // The machine whose name is being edited, by address: clearing the list cannot leave it dangling.
  std::optional<std::string> EditedMachineIp;
};
