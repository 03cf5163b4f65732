#include "mainwnd/BusyBoxState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class FakeBusyHost : public BusyBoxHost {
 public:
  bool Enabled = true, Shown = false, WatchdogRunning = false;
  int Raised = 0, Told = 0, ShowCalls = 0;
  std::string Text;
  uint32_t WatchdogMs = 0;
  void EnableMainWindow(bool e) override { Enabled = e; }
  void RaiseMainWindow() override { ++Raised; }
  void SetBusyText(const std::string& t) override { Text = t; }
  void ShowBusyWindow(bool s) override { Shown = s; ++ShowCalls; }
  bool BusyWindowShown() const override { return Shown; }
  void StartWatchdog(uint32_t ms) override { WatchdogRunning = true; WatchdogMs = ms; ++WatchdogStarts; }
  int WatchdogStarts = 0;
  void StopWatchdog() override { WatchdogRunning = false; }
  bool ToldHeard = false;
  void TellNoAnswer(bool heard) override { ++Told, ToldHeard = heard; }
  int PagesFreed = 0;
  bool PageTells = false;  // a page waited behind the box and tells the operator itself
  bool EndWaitsBehindBox() override { return ++PagesFreed, PageTells; }
};
}  // namespace

TEST(BusyBox, BusyDisablesAndShowsWithText) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "Getting Data From Desitination... ");
  EXPECT_FALSE(h.Enabled);
  EXPECT_TRUE(h.Shown);
  EXPECT_EQ(h.Text, "Getting Data From Desitination... ");
  EXPECT_TRUE(h.WatchdogRunning);
  EXPECT_EQ(h.WatchdogMs, 15000u);
}

TEST(BusyBox, EmptyTextIsShownEmpty) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, {});
  EXPECT_TRUE(h.Shown);
  EXPECT_EQ(h.Text, "");
}

TEST(BusyBox, SecondRequestOnlyReplacesTextAndFirstDoneCloses) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "one");
  b.ShowBusy(true, "two");
  EXPECT_EQ(h.ShowCalls, 1);
  EXPECT_EQ(h.Text, "two");
  b.ShowBusy(false, {});
  EXPECT_FALSE(h.Shown);
  EXPECT_TRUE(h.Enabled);
  EXPECT_FALSE(h.WatchdogRunning);
}

TEST(BusyBox, DoneWhileHiddenStillEnablesAndRaises) {
  FakeBusyHost h;
  BusyBoxState b(h);
  h.Enabled = false;
  b.ShowBusy(false, {});
  EXPECT_TRUE(h.Enabled);
  EXPECT_EQ(h.Raised, 1);
  EXPECT_EQ(h.ShowCalls, 0);
}

TEST(BusyBox, WatchdogClosesTheBoxAndTellsTheOperator) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "Getting Data");
  b.OnWatchdog();
  EXPECT_FALSE(h.Shown);
  EXPECT_TRUE(h.Enabled);
  EXPECT_EQ(h.Told, 1);
  // A watchdog that fires late, after the box closed, says nothing.
  b.OnWatchdog();
  EXPECT_EQ(h.Told, 1);
}

// A machine that answers its PING but never the work: the box closes and says it did not answer,
// not that the machine is offline.
TEST(BusyBox, WatchdogSaysTheDeviceDidNotAnswerWhenItWasHeardMeanwhile) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "Getting Data");
  b.NoteDeviceHeard();
  b.OnWatchdog();
  EXPECT_FALSE(h.Shown);
  EXPECT_TRUE(h.Enabled);
  EXPECT_EQ(h.Told, 1);
  EXPECT_TRUE(h.ToldHeard);
  // Being heard before the next busy request does not count for it.
  b.ShowBusy(true, "Getting Data");
  b.OnWatchdog();
  EXPECT_EQ(h.Told, 2);
  EXPECT_FALSE(h.ToldHeard);
}

// The watchdog waits 15 s from the device's last answer, not from the box's opening: an upload
// of many chunks keeps its box; once the box is gone an answer starts nothing.
TEST(BusyBox, EachAnswerWhileShownStartsTheWatchdogAgain) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "Waitting Operation ...");
  for (int chunk = 0; chunk < 20; ++chunk) b.NoteDeviceAnswer();
  EXPECT_EQ(h.WatchdogStarts, 21);
  EXPECT_EQ(h.WatchdogMs, 15000u);
  EXPECT_TRUE(h.Shown);
  EXPECT_FALSE(h.Enabled);
  b.ShowBusy(false, {});
  b.NoteDeviceAnswer();
  EXPECT_EQ(h.WatchdogStarts, 21);
  EXPECT_FALSE(h.WatchdogRunning);
  // A box that the watchdog closed after answers came says the device did not answer in time.
  b.ShowBusy(true, "Waitting Operation ...");
  b.NoteDeviceAnswer();
  b.OnWatchdog();
  EXPECT_FALSE(h.Shown);
  EXPECT_EQ(h.Told, 1);
  EXPECT_TRUE(h.ToldHeard);
}

// While a message box waits for the operator no watchdog runs: neither a busy request nor an
// answer starts it. Once the last box is answered it starts in full if the busy box is still up,
// and not at all if it is gone.
TEST(BusyBox, NoWatchdogRunsWhileAMessageBoxIsUp) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "Waitting Operation ...");
  b.OperatorBoxShown(true);
  EXPECT_FALSE(h.WatchdogRunning);
  b.OperatorBoxShown(true);
  b.NoteDeviceAnswer();
  b.ShowBusy(true, "Waitting Operation ...");
  EXPECT_FALSE(h.WatchdogRunning);
  b.OperatorBoxShown(false);
  EXPECT_FALSE(h.WatchdogRunning) << "one box is still up";
  b.OperatorBoxShown(false);
  EXPECT_TRUE(h.WatchdogRunning);
  EXPECT_EQ(h.WatchdogMs, 15000u);
  EXPECT_TRUE(h.Shown);

  // A box that outlives the busy box starts nothing when it goes.
  b.OperatorBoxShown(true);
  b.ShowBusy(false, {});
  const int starts = h.WatchdogStarts;
  b.OperatorBoxShown(false);
  EXPECT_FALSE(h.WatchdogRunning);
  EXPECT_EQ(h.WatchdogStarts, starts);
  // An unmatched answer of a box counts nothing down below zero.
  b.OperatorBoxShown(false);
  b.ShowBusy(true, "Waitting Operation ...");
  EXPECT_TRUE(h.WatchdogRunning);
}

// However the box closes, the pages behind it stop waiting; the watchdog tells the operator unless
// a page that waited has told what it dropped. A done request while the box is hidden ends nothing.
TEST(BusyBox, EveryCloseEndsThePagesWaitsAndTheWatchdogTellsOnce) {
  struct Row {
    const char* name;
    bool watchdog;   // the watchdog closes the box, not a done request
    bool pageTells;  // a page waited behind it and tells the operator itself
    int told;
  };
  const Row rows[] = {
      {"watchdog, no page waited", true, false, 1},
      {"watchdog, a page waited", true, true, 0},
      {"done request", false, false, 0},
      {"done request, a page waited", false, true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeBusyHost h;
    h.PageTells = row.pageTells;
    BusyBoxState b(h);
    b.ShowBusy(true, "Waitting Operation ...");
    b.NoteDeviceAnswer();
    EXPECT_EQ(h.PagesFreed, 0);
    if (row.watchdog)
      b.OnWatchdog();
    else
      b.ShowBusy(false, {});
    EXPECT_EQ(h.PagesFreed, 1);
    EXPECT_EQ(h.Told, row.told);
    EXPECT_TRUE(h.Enabled);
    EXPECT_FALSE(h.Shown);
    b.ShowBusy(false, {});
    EXPECT_EQ(h.PagesFreed, 1);
  }
}
