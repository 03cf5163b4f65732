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

// The watchdog waits 15 s from the last answer to the box's own operation, not from the box's
// opening: an upload of many chunks keeps its box; what the device reports unasked (and once the
// box is gone, any answer) starts nothing.
TEST(BusyBox, EachAnswerToItsOperationStartsTheWatchdogAgain) {
  FakeBusyHost h;
  BusyBoxState b(h);
  b.ShowBusy(true, "Waitting Operation ...");
  b.OperationSent(OperationBit(12) | OperationBit(7));
  for (int chunk = 0; chunk < 20; ++chunk) EXPECT_TRUE(b.OperationAnswered(7));
  EXPECT_EQ(h.WatchdogStarts, 21);
  EXPECT_EQ(h.WatchdogMs, 15000u);
  for (int report = 0; report < 5; ++report) b.NoteDeviceHeard();
  EXPECT_EQ(h.WatchdogStarts, 21) << "a report the device sends unasked is no progress";
  EXPECT_TRUE(h.Shown);
  EXPECT_FALSE(h.Enabled);
  b.ShowBusy(false, {});
  EXPECT_FALSE(b.OperationAnswered(7));
  EXPECT_EQ(h.WatchdogStarts, 21);
  EXPECT_FALSE(h.WatchdogRunning);
  // A box that the watchdog closed after the device was heard says it did not answer in time.
  b.ShowBusy(true, "Waitting Operation ...");
  b.NoteDeviceHeard();
  b.OnWatchdog();
  EXPECT_FALSE(h.Shown);
  EXPECT_EQ(h.Told, 1);
  EXPECT_TRUE(h.ToldHeard);
}

// A box waits for the operation whose command went out with its opening, just before it (the
// same click) or as the first one while it is up; only that operation's status is its answer.
TEST(BusyBox, OnlyItsOwnOperationsStatusAnswersTheBox) {
  struct Row {
    const char* name;
    int sentBefore;  // operation sent just before the box opens (-1: none)
    bool forgotten;  // that click ended before the box opened
    int sentAfter;   // first operation sent while the box is up (-1: none)
    int alsoSent;    // another operation sent while the box is up (-1: none)
    uint8_t answer;
    bool awaited;
  };
  const Row rows[] = {
      {"TAKE, then its status", 4, false, -1, -1, 4, true},
      {"a mosaic box and a preset's late status", 11, false, -1, -1, 3, false},
      {"the switcher opens the box, then sends", -1, false, 4, -1, 4, true},
      {"an owned page's command during an upload", -1, false, 12, 2, 2, false},
      {"the upload's own acknowledgement", -1, false, 12, 2, 12, true},
      {"a command of an earlier click", 2, true, -1, -1, 2, false},
      {"a box that waits for no operation", -1, false, -1, -1, 5, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeBusyHost h;
    BusyBoxState b(h);
    if (row.sentBefore >= 0) b.OperationSent(OperationBit(uint8_t(row.sentBefore)));
    if (row.forgotten) b.ForgetSentOperation();
    b.ShowBusy(true, "Waitting Operation ...");
    if (row.sentAfter >= 0) b.OperationSent(OperationBit(uint8_t(row.sentAfter)));
    if (row.alsoSent >= 0) b.OperationSent(OperationBit(uint8_t(row.alsoSent)));
    const int starts = h.WatchdogStarts;
    EXPECT_EQ(b.OperationAnswered(row.answer), row.awaited);
    EXPECT_EQ(h.WatchdogStarts, starts + (row.awaited ? 1 : 0));
    EXPECT_TRUE(h.Shown);
  }
}

// A command that names no operation (the logo) is confirmed by its record: the box opened with it
// waits for that record, a box opened with another command does not; the record of a slot it
// does not wait for, or one that comes after the box has gone, closes nothing.
TEST(BusyBox, ARecordConfirmsTheCommandThatNamesNoOperation) {
  constexpr uint32_t Logo = 15, Keyer = 16;
  struct Row {
    const char* name;
    uint32_t operations, records;  // sent with the box's opening
    uint32_t arrives;
    bool boxUp, awaited;
  };
  const Row rows[] = {
      {"the logo's own record", OperationBit(2) | OperationBit(4), 1u << Logo, Logo, true, true},
      {"another slot's record", OperationBit(2) | OperationBit(4), 1u << Logo, Keyer, true, false},
      {"a preset box and a logo record", OperationBit(3), 0, Logo, true, false},
      {"the record after the box has gone", 0, 1u << Logo, Logo, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeBusyHost h;
    BusyBoxState b(h);
    b.OperationSent(row.operations, row.records);
    b.ShowBusy(true, "Waitting Operation ...");
    if (!row.boxUp) b.ShowBusy(false, {});
    EXPECT_EQ(b.RecordAnswered(row.arrives), row.awaited);
  }
}

// A result is told once: the status that comes after its wait ended with a message is a late
// answer, once; the operation's next command makes its status news again. A status that no
// ended wait owes is no late answer.
TEST(BusyBox, ALateResultIsToldOnce) {
  FakeBusyHost h;
  BusyBoxState b(h);
  EXPECT_FALSE(b.AnswersEndedWait(1)) << "Rest: no box waited, nothing ended";
  b.OperationSent(OperationBit(1));
  b.ShowBusy(true, "Waitting Operation ...");
  b.OnWatchdog();
  EXPECT_EQ(h.Told, 1);
  EXPECT_FALSE(b.AnswersEndedWait(0));
  EXPECT_TRUE(b.AnswersEndedWait(1));
  EXPECT_FALSE(b.AnswersEndedWait(1)) << "only the one late answer";
  b.OperationSent(OperationBit(1));
  b.ShowBusy(true, "Waitting Operation ...");
  b.LinkLost();
  b.OperationSent(OperationBit(1));
  EXPECT_FALSE(b.AnswersEndedWait(1)) << "sent again: its status answers the new command";
}

// The working link goes while the box waits: it closes at once and says the machine is offline,
// once, unless a page that waited told what it dropped; with no box up nothing is said.
TEST(BusyBox, ALinkThatGoesEndsTheWaitAndSaysOffline) {
  struct Row {
    const char* name;
    bool boxUp, pageTells;
    int told;
  };
  const Row rows[] = {
      {"box up", true, false, 1},
      {"box up, a page waited and told", true, true, 0},
      {"no box", false, false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeBusyHost h;
    h.PageTells = row.pageTells;
    BusyBoxState b(h);
    if (row.boxUp) b.ShowBusy(true, "Waitting Operation ...");
    b.NoteDeviceHeard();
    b.LinkLost();
    EXPECT_FALSE(h.Shown);
    EXPECT_TRUE(h.Enabled);
    EXPECT_FALSE(h.WatchdogRunning);
    EXPECT_EQ(h.Told, row.told);
    EXPECT_FALSE(h.ToldHeard) << "offline, not \"did not answer\"";
    b.OnWatchdog();
    EXPECT_EQ(h.Told, row.told);
  }
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
  b.OperationSent(OperationBit(4));
  EXPECT_TRUE(b.OperationAnswered(4));
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
    b.NoteDeviceHeard();
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
