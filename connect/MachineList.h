#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The machines found by a network search, as the search page shows them: tiles, names,
// online state by heartbeat, and which one is the controlled machine. No window code here:
// everything the list does to the world goes through MachineListHost.

struct TileRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool operator==(const TileRect&) const = default;
};

struct MachineInfo {
  bool Online = false;
  bool OnlineShown = false;  // an offline turn is reported only for a machine shown online
  bool Controlled = false;   // the machine at work; at most one machine has it
  bool Selected = false;     // highlighted by a click; at most one machine has it
  std::string Name;
  std::string Ip;
  TileRect Tile;
  std::array<uint8_t, 6> Mac{};
  uint32_t TimerId = 0;
  uint32_t MissedBeats = 0;
};

inline constexpr uint32_t ConnectAllTimer = 0xAAE;       // 1 s after the first answer
inline constexpr uint32_t FirstHeartbeatTimer = 2735;     // then one more per machine
inline constexpr uint32_t ConnectAllDelayMs = 1000;
inline constexpr uint32_t HeartbeatPeriodMs = 10000;
inline constexpr uint32_t OfflineAfterMissedBeats = 3;
inline constexpr int TileWidth = 200;
inline constexpr int TileHeight = 80;
inline constexpr int TileGap = 10;
inline constexpr int TilesPerRow = 4;

class MachineListHost {
 public:
  virtual ~MachineListHost() = default;
  virtual void StartTimer(uint32_t id, uint32_t ms) = 0;
  virtual void KillTimer(uint32_t id) = 0;
  virtual void RedrawTile(const TileRect& tile) = 0;
  // Info.ini, section = the machine's MAC text, key MachineName; empty when none is stored.
  virtual std::string LoadMachineName(const std::string& macSection) = 0;
  virtual void StoreMachineName(const std::string& macSection, const std::string& name) = 0;
  // Delivers the device replies that have arrived and wait for the UI thread.
  virtual void DeliverWaitingReplies() = 0;
  // The link and the device model.
  // The machine at ip becomes the one at work: the serial link closed first, DeviceId, the
  // library's selection; its tile then follows (FollowMachineAtWork).
  virtual void MakeMachineAtWork(const std::string& ip) = 0;
  // Whether the serial link or a machine other than the one at ip is at work.
  virtual bool OtherMachineAtWork(const std::string& ip) = 0;
  // Connects the link to the machine at ip (the encoder's network connect, with its address check).
  virtual void ConnectMachine(const std::string& ip) = 0;
  virtual void SetTargets(const std::vector<uint8_t>& ids) = 0;
  virtual void SendReadAll() = 0;
  virtual bool NetworkConnected() = 0;
  virtual void SetNetworkConnected() = 0;
  // Messages to the main dialog.
  virtual void ShowGettingDataBusy() = 0;
  virtual void PostConnectionIndicator(bool on) = 0;
  virtual void SendConnectionIndicator(bool on) = 0;
  virtual void SendCurrentMachineIp(const std::string& ip) = 0;
  virtual void PostLinkChanged() = 0;
  // Modal boxes: a question answered OK/Cancel, and a notice.
  virtual bool AskSelectMachine() = 0;
  virtual void TellMachineOffline() = 0;
};
// The Info.ini section under which a machine's name is kept: "%x-%x-%x-%x-%x-%x".
std::string MacSectionName(const std::array<uint8_t, 6>& mac);

class MachineList {
 public:
  explicit MachineList(MachineListHost& host) : Host(host) {}

  const std::vector<MachineInfo>& Machines() const { return List; }

  // Forgets every machine (SEARCH, another adapter): their timers stop and an open name
  // editor loses its machine.
  void Clear();
  // One answer to a search. A machine already listed (same IP text) is not added again.
  void AddFoundMachine(const std::string& ip, const std::array<uint8_t, 6>& mac);
  // A reply arrived from device replyId; connected = the device model's connected flag.
  // autoSelect is set for a connection-status reply.
  void RefreshMachines(bool autoSelect, uint8_t replyId, bool connected);
  // The machine at work changed: only its tile (none for the serial link or none) is controlled.
  void FollowMachineAtWork(const std::string& ipAtWork);
  // Heartbeat of one machine, or the connect-all timer.
  void OnTimer(uint32_t id);

  // The Connect button: acts on the selected machine.
  void ConnectSelected();
  // Double click at a page point.
  void DoubleClickAt(int x, int y);
  // Single click at a page point: returns the IP of the machine whose edit icon was hit
  // (the name editor opens for it); otherwise selects the tile under the point.
  std::optional<std::string> ClickAt(int x, int y);
  // The name editor closed with a name for the machine with that IP (when it still exists).
  void RenameMachine(const std::string& ip, const std::string& name);

  static TileRect EditIconHitRect(const TileRect& tile);
  static TileRect NameEditorRect(const TileRect& tile);

 private:
  MachineInfo* FindByIp(const std::string& ip);
  void ChooseOnline(const std::string& ip);
  // The machine becomes the one at work and its whole state is read; the main dialog hears it.
  void Choose(const std::string& ip);

  MachineListHost& Host;
  std::vector<MachineInfo> List;
  // Heartbeat timers restarted by answers delivered at a heartbeat (see OnTimer).
  bool DeliveringAtHeartbeat = false;
  std::vector<uint32_t> AnsweredAtHeartbeat;
  bool OfflineReportPending = true;
  bool ConnectAllDone = false;
  std::string AtWorkIp;  // the network machine at work, with or without a tile
};
