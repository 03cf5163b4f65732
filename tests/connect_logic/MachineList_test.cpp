#include "connect/MachineList.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
class FakeHost : public MachineListHost {
 public:
  std::set<uint32_t> Timers;
  std::vector<std::string> Log;
  std::map<std::string, std::string> Names;  // Info.ini: MAC section -> MachineName
  int DeviceId = 110;
  std::string AtWork;  // "serial", an address, or "" for none
  bool Network = false;
  bool Answer = true;
  std::function<void()> DuringQuestion;
  std::function<void()> WaitingReplies;  // what the link delivers when asked

  void StartTimer(uint32_t id, uint32_t ms) override {
    Timers.insert(id);
    Log.push_back("timer " + std::to_string(id) + " " + std::to_string(ms));
  }
  void KillTimer(uint32_t id) override { Timers.erase(id); }
  void RedrawTile(const TileRect&) override {}
  std::string LoadMachineName(const std::string& s) override {
    auto it = Names.find(s);
    return it == Names.end() ? std::string() : it->second;
  }
  void StoreMachineName(const std::string& s, const std::string& n) override { Names[s] = n; }
  void DeliverWaitingReplies() override {
    if (WaitingReplies) WaitingReplies();
  }
  MachineList* Tiles = nullptr;  // follows the machine at work, as the main dialog has it
  void MakeMachineAtWork(const std::string& ip) override {
    DeviceId = std::stoi(ip.substr(ip.rfind('.') + 1));
    AtWork = ip;
    Log.push_back("select " + ip);
    if (Tiles) Tiles->FollowMachineAtWork(ip);
  }
  bool OtherMachineAtWork(const std::string& ip) override { return !AtWork.empty() && AtWork != ip; }
  void ConnectMachine(const std::string& ip) override { Log.push_back("connect " + ip); }
  void SetTargets(const std::vector<uint8_t>& ids) override {
    std::string t = "targets";
    for (auto id : ids) {
      t += ' ';
      t += std::to_string(id);
    }
    Log.push_back(t);
  }
  void SendReadAll() override { Log.push_back("readall"); }
  bool NetworkConnected() override { return Network; }
  void SetNetworkConnected() override { Network = true; }
  void ShowGettingDataBusy() override { Log.push_back("busy"); }
  void PostConnectionIndicator(bool on) override { Log.push_back(std::string("post indicator ") + (on ? "1" : "0")); }
  void SendConnectionIndicator(bool on) override { Log.push_back(std::string("indicator ") + (on ? "1" : "0")); }
  void SendCurrentMachineIp(const std::string& ip) override { Log.push_back("ip " + ip); }
  void PostLinkChanged() override { Log.push_back("link changed"); }
  bool AskSelectMachine() override {
    Log.push_back("ask");
    if (DuringQuestion) DuringQuestion();
    return Answer;
  }
  void TellMachineOffline() override { Log.push_back("offline box"); }
};

std::array<uint8_t, 6> Mac(uint8_t last) { return {0x02, 0x00, 0x0a, 0x00, 0x00, last}; }

class MachineListTest : public ::testing::Test {
 protected:
  MachineListTest() { Host.Tiles = &List; }
  FakeHost Host;
  MachineList List{Host};
  void AddTwo() {
    List.AddFoundMachine("127.0.0.21", Mac(21));
    List.AddFoundMachine("127.0.0.22", Mac(22));
  }
};
}  // namespace

TEST(MachineIds, MacSectionIsLowerCaseHexWithoutLeadingZeros) {
  EXPECT_EQ(MacSectionName({0x02, 0x00, 0x0A, 0xFF, 0x10, 0x05}), "2-0-a-ff-10-5");
}

TEST_F(MachineListTest, NineMachinesFormRowsOfFourTenPixelsApart) {
  for (int i = 1; i <= 9; ++i) List.AddFoundMachine("127.0.0." + std::to_string(10 + i), Mac(uint8_t(i)));
  const auto& m = List.Machines();
  ASSERT_EQ(m.size(), 9u);
  const int lefts[4] = {10, 220, 430, 640};
  const int tops[3] = {80, 170, 260};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(m[i].Tile.Left, lefts[i % 4]) << i;
    EXPECT_EQ(m[i].Tile.Top, tops[i / 4]) << i;
    EXPECT_EQ(m[i].Tile.Right - m[i].Tile.Left, 200);
    EXPECT_EQ(m[i].Tile.Bottom - m[i].Tile.Top, 80);
    EXPECT_EQ(m[i].TimerId, 2735u + i);
  }
  EXPECT_EQ(m[0].Tile, (TileRect{10, 80, 210, 160}));
}

TEST_F(MachineListTest, FirstAnswerStartsConnectAllAfterOneSecond) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"timer 2734 1000"}));
  EXPECT_EQ(ConnectAllTimer, 2734u);
}

TEST_F(MachineListTest, SameIpIsListedOnce) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  List.AddFoundMachine("127.0.0.21", Mac(99));
  EXPECT_EQ(List.Machines().size(), 1u);
}

TEST_F(MachineListTest, NamesComeFromInfoIniOrDefaultByPosition) {
  Host.Names["2-0-a-0-0-16"] = "Stage Left";
  AddTwo();
  List.AddFoundMachine("127.0.0.23", Mac(23));
  EXPECT_EQ(List.Machines()[0].Name, "Z81-1");
  EXPECT_EQ(List.Machines()[1].Name, "Stage Left");
  EXPECT_EQ(List.Machines()[2].Name, "Z81-3");
}

TEST_F(MachineListTest, EditedNameSurvivesTheNextSearchAlsoAsFirstMachine) {
  AddTwo();
  List.RenameMachine("127.0.0.22", "Balcony");
  EXPECT_EQ(Host.Names["2-0-a-0-0-16"], "Balcony");
  List.Clear();
  List.AddFoundMachine("127.0.0.22", Mac(22));
  List.AddFoundMachine("127.0.0.21", Mac(21));
  EXPECT_EQ(List.Machines()[0].Name, "Balcony");
  EXPECT_EQ(List.Machines()[1].Name, "Z81-2");
}

TEST_F(MachineListTest, ClearStopsEveryMachineTimer) {
  AddTwo();
  List.RefreshMachines(false, 21, true);
  List.RefreshMachines(false, 22, true);
  EXPECT_TRUE(Host.Timers.count(2735) && Host.Timers.count(2736) && Host.Timers.count(ConnectAllTimer));
  List.Clear();
  EXPECT_TRUE(Host.Timers.empty());
  EXPECT_TRUE(List.Machines().empty());
}

TEST_F(MachineListTest, ConnectAllTargetsEveryMachineAndMarksTheNetworkLink) {
  AddTwo();
  List.AddFoundMachine("not-an-ip", Mac(5));
  Host.Log.clear();
  List.OnTimer(ConnectAllTimer);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"targets 21 22 0", "connect 127.0.0.21",
                                                "connect 127.0.0.22", "link changed"}));
  EXPECT_TRUE(Host.Network);
  EXPECT_FALSE(Host.Timers.count(ConnectAllTimer));
  Host.Log.clear();
  List.OnTimer(ConnectAllTimer);
  // No second link-changed message.
  EXPECT_EQ(Host.Log.back(), "connect 127.0.0.22");
}

TEST_F(MachineListTest, SingleMachineIsChosenWithoutAClick) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  // Not while its link is reported down, nor on another machine's report.
  for (const auto& [id, up] : {std::pair<uint8_t, bool>{21, false}, {22, true}}) {
    List.RefreshMachines(true, id, up);
    EXPECT_FALSE(List.Machines()[0].Controlled || List.Machines()[0].Selected) << int(id);
    EXPECT_EQ(Host.DeviceId, 110);
  }
  Host.Log.clear();
  List.RefreshMachines(true, 21, true);
  const auto& m = List.Machines()[0];
  EXPECT_TRUE(m.Controlled);
  EXPECT_TRUE(m.Selected);
  EXPECT_TRUE(m.Online);
  EXPECT_EQ(Host.DeviceId, 21);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"timer 2735 10000", "select 127.0.0.21", "readall", "busy",
                                                "indicator 1", "ip 127.0.0.21"}));
}

TEST_F(MachineListTest, TwoMachinesAreNotChosenAutomatically) {
  AddTwo();
  Host.Log.clear();
  List.RefreshMachines(true, 21, true);
  EXPECT_FALSE(List.Machines()[0].Controlled);
  EXPECT_TRUE(List.Machines()[0].Online);
  EXPECT_FALSE(List.Machines()[1].Online);
  EXPECT_EQ(Host.DeviceId, 110);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"timer 2735 10000"}));
}

TEST_F(MachineListTest, ThreeSilentPeriodsTurnAMachineOfflineAndAnAnswerBringsItBack) {
  AddTwo();
  List.RefreshMachines(false, 21, true);
  List.OnTimer(2735);
  List.OnTimer(2735);
  EXPECT_TRUE(List.Machines()[0].Online);
  List.OnTimer(2735);
  EXPECT_FALSE(List.Machines()[0].Online);
  EXPECT_FALSE(List.Machines()[0].OnlineShown);
  EXPECT_EQ(List.Machines()[0].MissedBeats, 0u);
  List.RefreshMachines(false, 21, true);
  EXPECT_TRUE(List.Machines()[0].Online);
}

TEST_F(MachineListTest, AnAnswerStartsTheSilentCountAnew) {
  AddTwo();
  List.RefreshMachines(false, 21, true);
  List.OnTimer(2735);
  List.OnTimer(2735);
  List.RefreshMachines(false, 21, true);
  List.OnTimer(2735);
  EXPECT_TRUE(List.Machines()[0].Online);
}

// A heartbeat first takes the replies that wait for delivery: an answer among them is an answer
// in this period (for its own machine only); the link's loss report is none.
TEST_F(MachineListTest, AnswersWaitingForDeliveryAtAHeartbeatCountAsAnswers) {
  const struct {
    const char* what;
    uint8_t answeringId;
    bool connected;
    bool onlineAfterThreeBeats;
  } rows[] = {
      {"its own answer waits", 21, true, true},
      {"only the other machine's answer waits", 22, true, false},
      {"only the link's loss report waits", 21, false, false},
  };
  for (const auto& row : rows) {
    FakeHost host;
    MachineList list(host);
    list.AddFoundMachine("127.0.0.21", Mac(21));
    list.AddFoundMachine("127.0.0.22", Mac(22));
    list.RefreshMachines(false, 21, true);
    list.RefreshMachines(false, 22, true);
    host.WaitingReplies = [&] { list.RefreshMachines(false, row.answeringId, row.connected); };
    for (int i = 0; i < 3; ++i) list.OnTimer(2735);
    EXPECT_EQ(list.Machines()[0].Online, row.onlineAfterThreeBeats) << row.what;
    EXPECT_EQ(host.Timers.count(2735), 1u) << row.what;
  }
}

// A heartbeat met inside a delivery (a nested event loop) does not lose the outer one's answer.
TEST_F(MachineListTest, AHeartbeatInsideADeliveryKeepsTheOuterAnswer) {
  AddTwo();
  List.RefreshMachines(false, 21, true);
  List.RefreshMachines(false, 22, true);
  bool delivering = false;
  Host.WaitingReplies = [&] {
    if (delivering) return;  // the nested delivery finds nothing more
    delivering = true;
    List.RefreshMachines(false, 21, true);
    List.OnTimer(2736);
    delivering = false;
  };
  for (int i = 0; i < 3; ++i) List.OnTimer(2735);
  EXPECT_TRUE(List.Machines()[0].Online);
  EXPECT_EQ(List.Machines()[0].MissedBeats, 0u);
}

TEST_F(MachineListTest, IndicatorGoesOffOnlyForTheControlledMachineOnANetworkLink) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  List.RefreshMachines(true, 21, true);
  List.AddFoundMachine("127.0.0.22", Mac(22));
  List.RefreshMachines(false, 22, true);
  Host.Network = true;
  Host.Log.clear();
  for (int i = 0; i < 3; ++i) List.OnTimer(2736);
  EXPECT_FALSE(List.Machines()[1].Online);
  EXPECT_TRUE(Host.Log.empty());
  for (int i = 0; i < 3; ++i) List.OnTimer(2735);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"indicator 0"}));
}

TEST_F(MachineListTest, LostLinkReportTurnsTheControlledMachineOffline) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  List.RefreshMachines(true, 21, true);
  Host.Log.clear();
  List.RefreshMachines(true, 21, false);
  EXPECT_FALSE(List.Machines()[0].Online);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"post indicator 0", "timer 2735 10000"}));
}

TEST_F(MachineListTest, ClickSelectsOneTileAndTheEditIconOpensTheEditor) {
  AddTwo();
  EXPECT_FALSE(List.ClickAt(20, 90).has_value());
  EXPECT_TRUE(List.Machines()[0].Selected);
  EXPECT_FALSE(List.ClickAt(230, 90).has_value());
  EXPECT_FALSE(List.Machines()[0].Selected);
  EXPECT_TRUE(List.Machines()[1].Selected);
  // Edit icon of the first tile: (right - 29, top + 31)-(right - 5, top + 55).
  auto edit = List.ClickAt(210 - 20, 80 + 40);
  ASSERT_TRUE(edit.has_value());
  EXPECT_EQ(*edit, "127.0.0.21");
  EXPECT_TRUE(List.Machines()[1].Selected);
  EXPECT_EQ(MachineList::NameEditorRect(List.Machines()[0].Tile), (TileRect{70, 113, 166, 134}));
  EXPECT_TRUE(List.ClickAt(210 - 29, 80 + 54).has_value());  // the icon's corners
  EXPECT_FALSE(List.ClickAt(210 - 5, 80 + 31).has_value());
  EXPECT_FALSE(List.ClickAt(5, 5).has_value());
}

TEST_F(MachineListTest, ConnectAsksThenChoosesTheSelectedOnlineMachine) {
  AddTwo();
  List.RefreshMachines(false, 22, true);
  List.ClickAt(230, 90);
  Host.Log.clear();
  List.ConnectSelected();
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"ask", "select 127.0.0.22", "readall", "busy", "indicator 1",
                                                "ip 127.0.0.22"}));
  EXPECT_TRUE(List.Machines()[1].Controlled);
  EXPECT_EQ(Host.DeviceId, 22);
  // Once controlled, Connect reads it again without asking.
  Host.Log.clear();
  List.ConnectSelected();
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"select 127.0.0.22", "readall", "busy", "indicator 1",
                                                "ip 127.0.0.22"}));
}

TEST_F(MachineListTest, CancelLeavesTheControlledMachineAlone) {
  AddTwo();
  List.RefreshMachines(false, 22, true);
  List.ClickAt(230, 90);
  Host.Answer = false;
  List.ConnectSelected();
  EXPECT_FALSE(List.Machines()[1].Controlled);
  EXPECT_EQ(Host.DeviceId, 110);
}

TEST_F(MachineListTest, ListChangedWhileTheQuestionIsOpenIsHandledSafely) {
  AddTwo();
  List.RefreshMachines(false, 22, true);
  List.ClickAt(230, 90);
  // Replies delivered during the box add many machines (the vector grows) ...
  Host.DuringQuestion = [&] {
    for (int i = 30; i < 60; ++i) List.AddFoundMachine("127.0.0." + std::to_string(i), Mac(uint8_t(i)));
  };
  List.ConnectSelected();
  EXPECT_TRUE(List.Machines()[1].Controlled);
  EXPECT_EQ(Host.DeviceId, 22);
  // ... or a new search empties it: nothing is chosen.
  FakeHost other;
  MachineList list2(other);
  other.Tiles = &list2;
  list2.AddFoundMachine("127.0.0.21", Mac(21));
  list2.AddFoundMachine("127.0.0.22", Mac(22));
  list2.RefreshMachines(false, 22, true);
  list2.ClickAt(230, 90);
  other.DuringQuestion = [&] { list2.Clear(); };
  list2.ConnectSelected();
  EXPECT_EQ(other.DeviceId, 110);
  EXPECT_EQ(other.Log.back(), "ask");
}

TEST_F(MachineListTest, ConnectOnAnOfflineMachineChoosesItInTheUsualOrder) {
  AddTwo();
  List.ClickAt(20, 90);
  Host.Log.clear();
  List.ConnectSelected();
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"select 127.0.0.21", "readall", "busy", "indicator 0",
                                                "ip 127.0.0.21"}));
  EXPECT_TRUE(List.Machines()[0].Controlled);
  EXPECT_EQ(Host.DeviceId, 21);
}

// The tiles follow the machine at work: only its tile is controlled, none for the serial link.
TEST_F(MachineListTest, OnlyTheTileOfTheMachineAtWorkIsControlled) {
  AddTwo();
  const struct {
    std::string AtWork;
    bool First, Second;
  } rows[] = {{"127.0.0.22", false, true}, {"", false, false}, {"127.0.0.21", true, false}, {"", false, false}};
  for (const auto& row : rows) {
    List.FollowMachineAtWork(row.AtWork);
    EXPECT_EQ(List.Machines()[0].Controlled, row.First) << row.AtWork;
    EXPECT_EQ(List.Machines()[1].Controlled, row.Second) << row.AtWork;
  }
}

// The machine at work did not answer a new search (it was restarting): when its link comes back
// its state is read all the same; another machine's link, or its own going down, reads nothing.
TEST_F(MachineListTest, TheMachineAtWorkWithoutATileIsReadWhenItComesBack) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  List.FollowMachineAtWork("127.0.0.21");
  List.Clear();
  List.AddFoundMachine("127.0.0.22", Mac(22));
  List.AddFoundMachine("127.0.0.23", Mac(23));
  Host.Log.clear();
  List.RefreshMachines(true, 22, true);
  List.RefreshMachines(true, 21, false);
  List.RefreshMachines(false, 21, true);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"timer 2735 10000"}));
  Host.Log.clear();
  List.RefreshMachines(true, 21, true);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"select 127.0.0.21", "readall", "busy"}));
}

TEST_F(MachineListTest, ASingleMachineIsNotTakenWhileAnotherLinkIsAtWork) {
  List.AddFoundMachine("127.0.0.21", Mac(21));
  Host.AtWork = "serial";
  Host.Log.clear();
  List.RefreshMachines(true, 21, true);
  EXPECT_FALSE(List.Machines()[0].Controlled);
  EXPECT_EQ(Host.DeviceId, 110);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"timer 2735 10000"}));
}

TEST_F(MachineListTest, DoubleClickOnOfflineTileSaysSoAndOnlineTileChoosesIt) {
  AddTwo();
  List.DoubleClickAt(20, 90);
  EXPECT_EQ(Host.Log.back(), "offline box");
  EXPECT_FALSE(List.Machines()[0].Controlled);
  List.RefreshMachines(false, 21, true);
  Host.Log.clear();
  List.DoubleClickAt(20, 90);
  EXPECT_EQ(Host.Log, (std::vector<std::string>{"ask", "select 127.0.0.21", "readall", "busy", "indicator 1",
                                                "ip 127.0.0.21"}));
  EXPECT_TRUE(List.Machines()[0].Controlled);
  EXPECT_FALSE(List.Machines()[0].Selected);
}

TEST_F(MachineListTest, ChoosingMovesControlFromTheOtherMachine) {
  AddTwo();
  List.RefreshMachines(false, 21, true);
  List.RefreshMachines(false, 22, true);
  List.DoubleClickAt(20, 90);
  List.DoubleClickAt(230, 90);
  EXPECT_FALSE(List.Machines()[0].Controlled);
  EXPECT_TRUE(List.Machines()[1].Controlled);
}

TEST_F(MachineListTest, RenameOfAMachineThatIsGoneDoesNothing) {
  AddTwo();
  List.Clear();
  List.RenameMachine("127.0.0.21", "Ghost");
  EXPECT_TRUE(Host.Names.empty());
}
