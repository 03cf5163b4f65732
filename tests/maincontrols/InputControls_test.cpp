// The input icons, layer buttons, TAKE, Freeze and sync lists: what they write into the state
// and the bytes each sends, through the recording link.
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/ReplySleep.h"
#include "mainwnd/MainControlsLogic.h"
#include "support/RecordingCommLink.h"

#include <gtest/gtest.h>

namespace {
class InputControls : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDeviceState();
    for (auto& input : S().InputTable) input.Present = 0;
    for (int i : {0, 1, 2, 3, 4, 5}) S().InputTable[i].Present = 1;
  }
  static DeviceState& S() { return GetDeviceState(); }
  std::vector<LinkCall> Sent() const { return Recorder.Link.CallsOf("SendCommand"); }
  ScopedRecordingLink Recorder;
};
}  // namespace

TEST_F(InputControls, IconHitAreaReachesSixteenPixelsBelowTheIcon) {
  const auto icons = InputIconRects({0, 0, 1280, 728}, 1.0);
  // Icon 1 (HDMI-1) spans x 231..299, y 25..50 at 96 dpi.
  EXPECT_EQ(InputIconAt(icons, S(), 231, 25), 1);
  EXPECT_EQ(InputIconAt(icons, S(), 298, 65), 1);
  EXPECT_EQ(InputIconAt(icons, S(), 298, 66), std::nullopt);
  EXPECT_EQ(InputIconAt(icons, S(), 300, 30), std::nullopt);  // the gap between icons
  // Input 6 is not on this processor: its icon does not answer.
  EXPECT_EQ(InputIconAt(icons, S(), icons[6].Left + 2, icons[6].Top + 2), std::nullopt);
}

TEST_F(InputControls, ClickingAnotherInputSendsOneLayerSourceCommand) {
  S().CurrentLayer = 0;
  S().LayerWindow[0].Source = 1;
  uint32_t layerCopy = 0;
  const auto choice = ChooseInputForLayer(S(), 2, layerCopy);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->Layer, 0);
  EXPECT_EQ(choice->OldSource, 1);
  EXPECT_EQ(S().LayerWindow[0].Source, 2);
  SendLayerSource(S(), choice->Layer);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Command, 7u);
  EXPECT_EQ(sent[0].Bytes[0], 0);  // the layer
  // The same icon again changes and sends nothing.
  EXPECT_FALSE(ChooseInputForLayer(S(), 2, layerCopy));
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(InputControls, SourceDigitsFollowTheChosenInput) {
  S().CurrentLayer = 1;
  uint32_t layerCopy = 1;
  S().LayerWindow[1].Source = 0;
  ASSERT_TRUE(ChooseInputForLayer(S(), 3, layerCopy));
  SendLayerSource(S(), 1);
  ASSERT_TRUE(ChooseInputForLayer(S(), 5, layerCopy));
  SendLayerSource(S(), 1);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].Bytes[0], 1);
  EXPECT_EQ(sent[1].Bytes[0], 1);
  EXPECT_NE(sent[0].Bytes[1] * 10 + sent[0].Bytes[2], sent[1].Bytes[1] * 10 + sent[1].Bytes[2]);
}

TEST_F(InputControls, SameSourceOnAnotherLayerStillSwitches) {
  S().CurrentLayer = 2;
  S().LayerWindow[2].Source = 4;
  uint32_t layerCopy = 0;  // the window still thinks MAIN is current
  const auto choice = ChooseInputForLayer(S(), 4, layerCopy);
  ASSERT_TRUE(choice);
  EXPECT_EQ(layerCopy, 2u);
}

TEST_F(InputControls, NothingWhileTestPatternOrLayerOnProgramOrBadLayer) {
  uint32_t layerCopy = 0;
  S().LayerWindow[0].Source = 0;
  S().TestPattern = 3;
  EXPECT_FALSE(ChooseInputForLayer(S(), 1, layerCopy));
  S().TestPattern = 0;
  S().SwitcherSettings.Mode = 1;
  S().SwitcherSettings.OnProgram[0] = 1;
  EXPECT_FALSE(ChooseInputForLayer(S(), 1, layerCopy));
  EXPECT_EQ(S().LayerWindow[0].Source, 0);
  S().SwitcherSettings.Mode = 0;
  S().CurrentLayer = 9;  // from a damaged reply: never an index
  EXPECT_FALSE(ChooseInputForLayer(S(), 1, layerCopy));
  S().CurrentLayer = 0;
  EXPECT_FALSE(ChooseInputForLayer(S(), 12, layerCopy));
  EXPECT_FALSE(ChooseInputForLayer(S(), 7, layerCopy));  // not present
  EXPECT_TRUE(Sent().empty());
}

TEST_F(InputControls, PipButtonWritesEnableAndSendsPipIndex) {
  SetPipLayerEnabled(S(), 2, true);
  EXPECT_EQ(S().LayerWindow[2].Enable, 1);
  SetPipLayerEnabled(S(), 3, false);
  EXPECT_EQ(S().LayerWindow[3].Enable, 0);
  EXPECT_EQ(SetPipLayerEnabled(S(), 0, true), CommandRefused);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].Command, 8u);
  // The block names the layer and carries its enable flag.
  EXPECT_EQ(sent[0].Bytes[0], 2);
  EXPECT_EQ(sent[0].Bytes[1], 1);
  EXPECT_EQ(sent[1].Bytes[0], 3);
  EXPECT_EQ(sent[1].Bytes[1], 0);
}

TEST_F(InputControls, TakeFreezeAndSyncBytes) {
  S().MultiMachineMode = 1;
  SendTake(S());
  SendFreeze(S(), true);
  SendFreeze(S(), false);
  SelectSyncSource(S(), 5);
  SelectSyncMode(S(), 2);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[0].Command, 20u);
  EXPECT_EQ(sent[0].Bytes[0], 1);  // the multi-machine flag rides with TAKE
  EXPECT_EQ(sent[1].Command, 36u);
  EXPECT_EQ(sent[1].Bytes[0], 1);
  EXPECT_EQ(sent[2].Bytes[0], 0);
  EXPECT_EQ(sent[3].Command, 21u);
  EXPECT_EQ(sent[3].Bytes[0], 0);
  EXPECT_EQ(sent[3].Bytes[1], 5);
  EXPECT_EQ(S().SyncLockMode, 5u);
  EXPECT_EQ(sent[4].Bytes[0], 1);
  EXPECT_EQ(sent[4].Bytes[1], 2);
  EXPECT_EQ(S().SyncMode, 2u);
}

TEST_F(InputControls, LayerRowsPerSwitcherMode) {
  S().LayerWindow[1].Enable = 1;
  S().LayerWindow[2].Enable = 0;
  const ModeView plain = ModeViewFor(S(), true, false);
  EXPECT_TRUE(plain.Left[0].Shown && plain.Left[0].Checked && !plain.Left[0].Enabled);
  EXPECT_TRUE(plain.Left[1].Checked && plain.Left[1].Enabled);
  EXPECT_FALSE(plain.Left[2].Checked);
  EXPECT_FALSE(plain.Right[2].Shown);
  EXPECT_FALSE(plain.CaptionPageHidden);

  S().SwitcherSettings.Mode = 1;
  S().SwitcherSettings.OnProgram[2] = 1;
  S().SwitcherSettings.OnPreview[3] = 1;
  const ModeView pgm = ModeViewFor(S(), true, false);
  EXPECT_FALSE(pgm.Left[0].Shown);
  EXPECT_FALSE(pgm.Left[1].Shown);
  EXPECT_TRUE(pgm.Left[2].Shown && pgm.Left[2].Checked && !pgm.Left[2].Enabled);
  EXPECT_FALSE(pgm.Right[2].Enabled);
  EXPECT_EQ(pgm.Right[2].Text, 0x101010u);
  EXPECT_TRUE(pgm.Right[3].Enabled && pgm.Right[3].Checked);
  EXPECT_TRUE(pgm.CaptionPageHidden);

  S().SwitcherSettings.Mode = 2;
  const ModeView dual = ModeViewFor(S(), true, false);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(dual.Left[i].Shown || dual.Right[i].Shown);
  EXPECT_TRUE(dual.CaptionPageHidden);
}

TEST_F(InputControls, NameBankOutOfRangeModeIsStoredAsPlain) {
  S().SwitcherSettings.Mode = 2;
  EXPECT_EQ(RefreshNameBank(S()), 2u);
  S().SwitcherSettings.Mode = 7;
  EXPECT_EQ(RefreshNameBank(S()), 0u);
  EXPECT_EQ(S().SwitcherSettings.Mode, 0);
}

TEST_F(InputControls, VgaPageFollowsTheLayersSources) {
  for (auto& t : S().InputCardType) t = 4;
  for (auto& w : S().LayerWindow) w.Source = 0;
  EXPECT_FALSE(AnyLayerShowsVga(S()));
  S().InputCardType[6] = 3;
  S().LayerWindow[2].Source = 11;  // a half of the extension card's input lives on slot 6
  EXPECT_TRUE(AnyLayerShowsVga(S()));
  S().LayerWindow[2].Source = 200;  // damaged: no slot, no VGA
  EXPECT_FALSE(AnyLayerShowsVga(S()));
  EXPECT_EQ(InputCardSlot(8), 4);
  EXPECT_EQ(InputCardSlot(10), 6);
  EXPECT_EQ(InputCardSlot(7), 7);
}

TEST_F(InputControls, WideExtensionCardMovesInputSevenOntoSix) {
  auto icons = InputIconRects({0, 0, 1280, 728}, 1.0);
  const LayoutRect seven = icons[7];
  S().InputCardType[6] = 6;
  PlaceOptionInput(icons, S());
  EXPECT_EQ(icons[7], seven);
  S().InputCardType[6] = 12;
  PlaceOptionInput(icons, S());
  EXPECT_EQ(icons[7].Left, icons[6].Left);
  EXPECT_EQ(icons[7].Width(), seven.Width());
}

TEST_F(InputControls, InputRepaintAreaFollowsWhereTheIconIsDrawn) {
  // At 96 dpi icon 6 spans x 771..839 and icon 7 x 879..947, both y 25..50; the area reaches
  // 20 px beyond each side and 48 px below (the resolution line).
  struct Row {
    uint32_t CardType;
    int Input;
    LayoutRect Area;
  };
  const Row rows[] = {
      {6, 7, {859, 23, 967, 98}},
      {6, 6, {751, 23, 859, 98}},
      {10, 7, {751, 23, 859, 98}},  // a wide card: input 7 is drawn where 6 would be
      {12, 7, {751, 23, 859, 98}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("card " + std::to_string(row.CardType) + " input " + std::to_string(row.Input));
    S().InputCardType[6] = row.CardType;
    EXPECT_EQ(InputButtonArea({0, 0, 1280, 728}, 1.0, S(), row.Input), row.Area);
  }
}

TEST_F(InputControls, TestPatternHoldsEveryLayerButtonUntilItEnds) {
  S().SwitcherSettings.OnProgram[2] = 1;  // PIP-2 on program
  for (uint32_t mode : {0u, 1u, 2u}) {
    SCOPED_TRACE("switcher mode " + std::to_string(mode));
    S().SwitcherSettings.Mode = mode;
    const ModeView held = ModeViewFor(S(), true, true);
    const ModeView after = ModeViewFor(S(), true, false);
    for (int i = 0; i < 4; ++i) {
      EXPECT_FALSE(held.Left[i].Enabled || held.Right[i].Enabled);
      EXPECT_EQ(held.Left[i].Shown, after.Left[i].Shown);
    }
    EXPECT_FALSE(held.TakeEnabled);
    EXPECT_TRUE(after.TakeEnabled);
  }
  // PGM/PVW once the pattern ended: the program row and PIP-2's preview button stay off.
  const ModeView pgm = ModeViewFor(S(), true, false);
  S().SwitcherSettings.Mode = 1;
  const ModeView pvw = ModeViewFor(S(), true, false);
  EXPECT_FALSE(pvw.Left[2].Enabled || pvw.Left[3].Enabled || pvw.Right[2].Enabled);
  EXPECT_TRUE(pvw.Right[3].Enabled);
  EXPECT_FALSE(pgm.Right[3].Enabled);  // dual: no row at all
}

TEST_F(InputControls, DpSplitBoxShowsTheWholeInputOrItsHalves) {
  // DP, DP-L, DP-R choose inputs 4, 8 and 9.
  EXPECT_EQ(DpButtonInputs[0], 4);
  EXPECT_EQ(DpButtonInputs[1], 8);
  EXPECT_EQ(DpButtonInputs[2], 9);
  const std::array<bool, 3> whole{true, false, false}, halves{false, true, true};
  EXPECT_EQ(DpSplitButtonsShown(false), whole);
  EXPECT_EQ(DpSplitButtonsShown(true), halves);
}

TEST_F(InputControls, SyncSourceRowsFollowTheOptionCards) {
  const std::vector<int> fixed{0, 1, 2, 3, 4, 5, 6, 7};
  S().InputTable[6].Present = S().InputTable[7].Present = 1;
  S().InputCardType[6] = 4;
  S().InputCardType[7] = 6;
  std::vector<int> rows = SyncSourceRows(S());
  std::vector<int> want = fixed;
  want.push_back(8);   // " Lock To DVI3"
  want.push_back(11);  // " Lock To HDMI4"
  EXPECT_EQ(rows, want);
  // DP cards in both slots: " Lock To DP2" once.
  S().InputCardType[6] = 8;
  S().InputCardType[7] = 5;
  want = fixed;
  want.push_back(12);
  EXPECT_EQ(SyncSourceRows(S()), want);
  S().InputTable[6].Present = S().InputTable[7].Present = 0;
  EXPECT_EQ(SyncSourceRows(S()), fixed);
}

TEST_F(InputControls, SignalSwitchGoesToTheOtherPortThenAsksTheCard) {
  SetReplySleepFunction([](unsigned) {});
  struct Case {
    uint32_t active;
    bool sent33;
    uint8_t port;
  };
  for (const Case c : {Case{0, true, 1}, Case{1, true, 0}, Case{2, false, 0}}) {
    Recorder.Link.Calls.clear();
    S().ExtensionCardInfo.ActiveSource = c.active;
    EXPECT_EQ(SendSignalSwitch(S()), c.sent33) << c.active;
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), c.sent33 ? 2u : 1u) << c.active;
    if (c.sent33) {
      EXPECT_EQ(sent[0].Command, 33u);
      EXPECT_EQ(sent[0].Bytes[0], 0);
      EXPECT_EQ(sent[0].Bytes[1], c.port);
    }
    EXPECT_EQ(sent.back().Command, 67u);
  }
  SetReplySleepFunction({});
}

TEST_F(InputControls, PortSwitchTextsFollowTheCardsPorts) {
  struct Case {
    int port;
    uint32_t source;
    const char* fixed;
    const char* automatic;
    int fixedString;
  };
  for (const Case c :
       {Case{0, 6, "Fixed to DVI3*", "Auto(DVI3* Default)", 145},
        Case{1, 6, "Fixed to HDMI3", "Auto(HDMI3 Default)", 146}, Case{0, 8, "Fixed to DP2", "Auto(DP2 Default)", 145},
        Case{1, 8, "Fixed to DP2", "Auto(DP2 Default)", 146}}) {
    const auto t = PortSwitchTextsFor(c.port, c.source);
    ASSERT_TRUE(t) << c.port << " " << c.source;
    EXPECT_EQ(t->FixedEnglish, c.fixed);
    EXPECT_EQ(t->AutoEnglish, c.automatic);
    EXPECT_EQ(t->FixedString, c.fixedString);
    EXPECT_EQ(t->AutoString, c.fixedString + 3);
  }
  EXPECT_EQ(PortSwitchTextsFor(0, 6)->AutoChinese, "\u81EA\u52A8(DVI3* \u4F18\u5148)");
  EXPECT_FALSE(PortSwitchTextsFor(0, 4));
  EXPECT_FALSE(PortSwitchTextsFor(2, 6));
}

// Every way into a mode ends with the same view: one row per switcher mode, mosaic mode,
// feathering, test pattern and Lock Output's check. Feathering off gives back what the modes
// allow and nothing more: the TEST PATTERN tab stays off in PGM/PVW and dual.
TEST_F(InputControls, ModeViewGivesEveryEnableOfTheWholeState) {
  struct Row {
    const char* What;
    uint32_t Switcher, Mosaic;
    uint8_t Feather;
    bool LockChecked;  // Lock Output's own check before
    bool Pattern;
    bool LockShown, LockAfter;
    std::array<bool, 4> Layers;  // MAIN, PIP-1 on; PIP-2 off; PIP-3 by its switch (on)
    bool MosaicBtn, SwitcherBtn, PipBtn, LogoKeyer, TestPattern, TakeShown, TakeEnabled;
  };
  constexpr std::array<bool, 4> L{true, true, false, true}, None{};
  const Row rows[] = {
      {"plain, no mosaic", 0, 0, 0, true, false, false, true, L, true, true, true, true, true, false, true},
      {"plain, no mosaic, unchecked before", 0, 0, 0, false, false, false, true, L, true, true, true, true, true, false, true},
      {"plain, pattern", 0, 0, 0, true, true, false, true, L, true, true, true, true, true, false, false},
      {"plain, feathering", 0, 0, 1, true, false, false, true, L, true, true, false, false, false, false, true},
      {"mosaic x2 locked", 0, 2, 0, true, false, true, true, L, true, false, true, true, true, false, true},
      {"mosaic x2 unlocked", 0, 2, 0, false, false, true, false, None, true, false, true, true, true, false, true},
      {"mosaic x2, feathering", 0, 2, 1, true, false, true, true, L, true, false, false, false, false, false, true},
      {"mosaic x4", 0, 5, 0, true, false, true, true, L, true, false, false, false, true, false, true},
      {"mosaic x4, feathering", 0, 5, 1, true, false, true, true, L, true, false, false, false, false, false, true},
      {"PGM/PVW after unlocked frames", 1, 0, 0, false, false, false, true, L, false, true, true, true, false, true, true},
      {"PGM/PVW over a mosaic", 1, 2, 0, false, false, false, true, L, false, false, true, true, false, true, true},
      {"PGM/PVW over a mosaic, feathering", 1, 2, 1, true, false, false, true, L, false, false, false, false, false, true, true},
      {"PGM/PVW over mosaic x4", 1, 5, 0, true, false, false, true, L, false, false, true, true, false, true, true},
      {"PGM/PVW with a pattern", 1, 0, 0, true, true, false, true, L, false, true, true, true, false, true, false},
      {"dual", 2, 0, 0, false, false, false, true, L, false, true, false, false, false, true, true},
      {"dual over a mosaic, feathering", 2, 2, 1, true, false, false, true, L, false, false, false, false, false, true, true},
      {"dual over mosaic x4", 2, 5, 0, true, false, false, true, L, false, false, false, false, false, true, true},
      {"mode 3 counts as plain", 3, 2, 0, false, false, true, false, None, true, false, true, true, true, false, true},
  };
  S().LayerWindow[0].Enable = S().LayerWindow[1].Enable = S().LayerWindow[3].Enable = 1;
  S().LayerWindow[2].Enable = 0;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    S().SwitcherSettings.Mode = r.Switcher;
    S().MosaicSettings.Mode = r.Mosaic;
    S().FeatherSettings.Enable = r.Feather;
    const ModeView v = ModeViewFor(S(), r.LockChecked, r.Pattern);
    EXPECT_EQ(v.LockOutputShown, r.LockShown);
    EXPECT_EQ(v.LockOutputChecked, r.LockAfter);
    for (int layer = 0; layer < 4; ++layer) EXPECT_EQ(LayerCellShown(S(), layer, v.LockOutputChecked), r.Layers[layer]);
    EXPECT_EQ(v.MosaicButtonEnabled, r.MosaicBtn);
    EXPECT_EQ(v.SwitcherButtonEnabled, r.SwitcherBtn);
    EXPECT_EQ(v.PipButtonEnabled, r.PipBtn);
    EXPECT_EQ(v.LogoKeyerEnabled, r.LogoKeyer);
    EXPECT_EQ(v.TestPatternEnabled, r.TestPattern);
    EXPECT_EQ(v.TakeShown, r.TakeShown);
    EXPECT_EQ(v.TakeEnabled, r.TakeEnabled);
    EXPECT_EQ(v.Left[1].Enabled, r.Switcher != 1 && r.Switcher != 2 && !r.Pattern);
  }
}

// One visibility rule: a logo on PIP-3 by the logo's switch, nothing while the frames are unlocked.
TEST_F(InputControls, LayerCellShowsByOneRule) {
  struct Row {
    const char* What;
    uint32_t Usage;
    uint8_t LayerEnable, LogoEnable;
    bool Locked, Shown;
  };
  const Row rows[] = {
      {"PIP-3 a layer, on", 0, 1, 0, true, true},
      {"PIP-3 a layer, off", 0, 0, 1, true, false},
      {"logo off, layer switch on", 1, 1, 0, true, false},
      {"logo on, layer switch off", 1, 0, 1, true, true},
      {"logo on, frames unlocked", 1, 0, 1, false, false},
      {"layer on, frames unlocked", 0, 1, 0, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    S().LogoSettings.Pip3Usage = r.Usage;
    S().LayerWindow[3].Enable = r.LayerEnable;
    S().LogoSettings.Enable = r.LogoEnable;
    EXPECT_EQ(LayerCellShown(S(), 3, r.Locked), r.Shown);
  }
  S().LayerWindow[1].Enable = 1;
  S().LogoSettings.Pip3Usage = 1;
  S().LogoSettings.Enable = 0;
  EXPECT_TRUE(LayerCellShown(S(), 1, true));  // the logo decides only PIP-3
  // PIP-3's button is lit by the same switch.
  S().LayerWindow[3].Enable = 1;
  EXPECT_FALSE(ModeViewFor(S(), true, false).Left[3].Checked);
  S().LogoSettings.Enable = 1;
  EXPECT_TRUE(ModeViewFor(S(), true, false).Left[3].Checked);
  EXPECT_FALSE(LayerCellShown(S(), 4, true));
}
