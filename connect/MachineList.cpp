#include "connect/MachineList.h"

#include "app/Utilities.h"

#include <algorithm>
#include <cstdio>

namespace {
// The device id of a machine; 0 (never connected) when its IP is not an address.
uint8_t MachineIdFromIp(const std::string& ip) { return static_cast<uint8_t>(GetIPv4LastOctet(ip)); }
}  // namespace

std::string MacSectionName(const std::array<uint8_t, 6>& mac) {
  char text[32];
  std::snprintf(text, sizeof text, "%x-%x-%x-%x-%x-%x", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

TileRect MachineList::EditIconHitRect(const TileRect& t) {
  return {t.Right - 29, t.Top + 31, t.Right - 5, t.Top + 55};
}

TileRect MachineList::NameEditorRect(const TileRect& t) {
  return {t.Left + 60, t.Top + 33, t.Left + 156, t.Top + 54};
}

MachineInfo* MachineList::FindByIp(const std::string& ip) {
  for (auto& m : List)
    if (m.Ip == ip) return &m;
  return nullptr;
}

void MachineList::Clear() {
  for (const auto& m : List) Host.KillTimer(m.TimerId);
  Host.KillTimer(ConnectAllTimer);
  List.clear();
  ConnectAllDone = false;
}

void MachineList::AddFoundMachine(const std::string& ip, const std::array<uint8_t, 6>& mac) {
  if (FindByIp(ip)) return;
  MachineInfo m;
  m.Ip = ip;
  m.Mac = mac;
  const int n = static_cast<int>(List.size());
  if (List.empty()) {
    m.Tile = {10, 80, 10 + TileWidth, 80 + TileHeight};
    Host.StartTimer(ConnectAllTimer, ConnectAllDelayMs);
  } else {
    const TileRect& last = List.back().Tile;
    if (n % TilesPerRow == 0) {
      const int top = last.Bottom + TileGap;
      m.Tile = {List.front().Tile.Left, top, List.front().Tile.Left + TileWidth, top + TileHeight};
    } else {
      const int left = last.Right + TileGap;
      m.Tile = {left, last.Top, left + TileWidth, last.Top + TileHeight};
    }
    // A machine that answers after everything was connected is connected the same way.
    if (ConnectAllDone) Host.StartTimer(ConnectAllTimer, ConnectAllDelayMs);
  }
  m.Name = Host.LoadMachineName(MacSectionName(mac));
  if (m.Name.empty()) m.Name = "Z81-" + std::to_string(n + 1);
  m.TimerId = List.empty() ? FirstHeartbeatTimer : List.back().TimerId + 1;
  List.push_back(m);
  Host.RedrawTile(m.Tile);
}

void MachineList::RefreshMachines(bool autoSelect, uint8_t replyId, bool connected) {
  // A single machine is taken on its own when its own link comes up, and only while no other
  // machine (nor the serial link) is at work; it is chosen as every machine is, below.
  std::optional<std::string> single;
  if (autoSelect && connected && List.size() == 1 && !List.front().Controlled &&
      MachineIdFromIp(List.front().Ip) == replyId && !Host.OtherMachineAtWork(List.front().Ip))
    single = List.front().Ip;
  // Work on IPs: the calls below send window messages, and nothing may hold a reference
  // into the list across them.
  std::vector<std::string> answering;
  for (const auto& m : List)
    if (MachineIdFromIp(m.Ip) == replyId) answering.push_back(m.Ip);
  for (const auto& ip : answering) {
    MachineInfo* m = FindByIp(ip);
    if (!m) continue;
    if (connected) m->MissedBeats = 0;  // an answer starts the count of silent periods anew
    if (m->Online != connected) {
      m->Online = m->OnlineShown = connected;
      Host.RedrawTile(m->Tile);
      if (m->Controlled) {
        const bool online = m->Online;
        Host.PostConnectionIndicator(online);
        if (autoSelect && online) {
          Choose(ip);
          m = FindByIp(ip);
          if (!m) continue;
        }
      }
    }
    if (DeliveringAtHeartbeat && connected) AnsweredAtHeartbeat.push_back(m->TimerId);
    Host.KillTimer(m->TimerId);
    Host.StartTimer(m->TimerId, HeartbeatPeriodMs);
  }
  if (MachineInfo* m = single ? FindByIp(*single) : nullptr) {
    m->Selected = true;
    Choose(*single);
  }
  // The machine at work came back after a search it did not answer: it has no tile, but its
  // state is read again as its tile's would be.
  if (autoSelect && connected && !AtWorkIp.empty() && !FindByIp(AtWorkIp) && MachineIdFromIp(AtWorkIp) == replyId)
    Choose(AtWorkIp);
}

void MachineList::OnTimer(uint32_t id) {
  if (id != ConnectAllTimer) {
    // A device whose answers have arrived but still wait for the UI thread (a loaded machine
    // delivers them late) did answer in this period: deliver them before counting it as missed.
    // (A heartbeat met inside that delivery keeps its own list; what it saw counts here too.)
    const bool outer = DeliveringAtHeartbeat;
    std::vector<uint32_t> outerAnswered = std::move(AnsweredAtHeartbeat);
    AnsweredAtHeartbeat.clear();
    DeliveringAtHeartbeat = true;
    Host.DeliverWaitingReplies();
    DeliveringAtHeartbeat = outer;
    const bool answered =
        std::find(AnsweredAtHeartbeat.begin(), AnsweredAtHeartbeat.end(), id) != AnsweredAtHeartbeat.end();
    outerAnswered.insert(outerAnswered.end(), AnsweredAtHeartbeat.begin(), AnsweredAtHeartbeat.end());
    AnsweredAtHeartbeat = std::move(outerAnswered);
    if (answered) return;
  }
  for (auto& m : List) {
    if (m.TimerId != id) continue;
    if (++m.MissedBeats < OfflineAfterMissedBeats) continue;
    m.Online = false;
    if (OfflineReportPending || m.OnlineShown) {
      m.OnlineShown = false;
      OfflineReportPending = false;
      Host.RedrawTile(m.Tile);
      if (m.Controlled && Host.NetworkConnected()) Host.SendConnectionIndicator(false);
    }
    m.MissedBeats = 0;
  }
  if (id != ConnectAllTimer) return;
  Host.KillTimer(ConnectAllTimer);
  std::vector<uint8_t> ids;
  std::vector<std::string> ips;
  for (const auto& m : List) {
    const uint8_t machineId = MachineIdFromIp(m.Ip);
    ids.push_back(machineId);
    if (machineId != 0) ips.push_back(m.Ip);
  }
  Host.SetTargets(ids);
  for (const auto& ip : ips) Host.ConnectMachine(ip);
  ConnectAllDone = true;
  if (!Host.NetworkConnected()) {
    Host.SetNetworkConnected();
    Host.PostLinkChanged();
  }
}

void MachineList::FollowMachineAtWork(const std::string& ipAtWork) {
  AtWorkIp = ipAtWork;
  for (auto& m : List) {
    const bool atWork = !ipAtWork.empty() && m.Ip == ipAtWork;
    if (m.Controlled == atWork) continue;
    m.Controlled = atWork;
    Host.RedrawTile(m.Tile);
  }
}

void MachineList::Choose(const std::string& ip) {
  Host.MakeMachineAtWork(ip);
  Host.SendReadAll();
  Host.ShowGettingDataBusy();
  const MachineInfo* m = FindByIp(ip);
  if (!m) return;
  Host.RedrawTile(m->Tile);
  const bool online = m->Online;
  Host.SendConnectionIndicator(online);
  Host.SendCurrentMachineIp(ip);
}

void MachineList::ChooseOnline(const std::string& ip) {
  MachineInfo* m = FindByIp(ip);
  if (!m) return;
  if (!m->Controlled) {
    if (!Host.AskSelectMachine()) return;
    // Replies were delivered while the question was open: the machine may be gone.
    if (!FindByIp(ip)) return;
  }
  Choose(ip);
}

void MachineList::ConnectSelected() {
  std::vector<std::string> selected;
  for (const auto& m : List)
    if (m.Selected) selected.push_back(m.Ip);
  for (const auto& ip : selected) {
    MachineInfo* m = FindByIp(ip);
    if (!m) continue;
    if (m->Online) {
      ChooseOnline(ip);
      continue;
    }
    // An offline machine is chosen the same way (the library's selection connects it); its state
    // is read once it answers. One without an address cannot be.
    if (MachineIdFromIp(ip) != 0) Choose(ip);
    return;
  }
}

void MachineList::DoubleClickAt(int x, int y) {
  std::vector<std::string> hit;
  for (const auto& m : List)
    if (m.Tile.Contains(x, y)) hit.push_back(m.Ip);
  for (const auto& ip : hit) {
    MachineInfo* m = FindByIp(ip);
    if (!m) continue;
    if (!m->Online) {
      Host.TellMachineOffline();
      return;
    }
    ChooseOnline(ip);
  }
}

std::optional<std::string> MachineList::ClickAt(int x, int y) {
  for (auto& m : List) {
    if (EditIconHitRect(m.Tile).Contains(x, y)) return m.Ip;
    if (!m.Tile.Contains(x, y)) continue;
    for (auto& other : List) {
      if (other.Selected) {
        other.Selected = false;
        Host.RedrawTile(other.Tile);
      }
    }
    m.Selected = true;
    Host.RedrawTile(m.Tile);
    return std::nullopt;
  }
  return std::nullopt;
}

void MachineList::RenameMachine(const std::string& ip, const std::string& name) {
  MachineInfo* m = FindByIp(ip);
  if (!m) return;
  m->Name = name;
  Host.StoreMachineName(MacSectionName(m->Mac), name);
  Host.RedrawTile(m->Tile);
}
