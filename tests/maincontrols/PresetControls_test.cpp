// The preset row: slot looks from the device's preset states, load and save bytes, the names
// kept in Info.ini, the title and the preset shortcuts.
#include "app/DeviceState.h"
#include "app/InfoIni.h"
#include "mainwnd/MainControlsLogic.h"
#include "support/RecordingCommLink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
class PresetControls : public ::testing::Test {
 protected:
  void SetUp() override { ResetDeviceState(); }
  static DeviceState& S() { return GetDeviceState(); }
  std::vector<LinkCall> Sent() const { return Recorder.Link.CallsOf("SendCommand"); }
  ScopedRecordingLink Recorder;
};

struct TempIni {
  TempIni() {
    char pattern[] = "/tmp/velk_presetsXXXXXX";
    Folder = mkdtemp(pattern);
    Path = Folder + "/Info.ini";
  }
  ~TempIni() { std::filesystem::remove_all(Folder); }
  std::string Folder, Path;
};
}  // namespace

TEST_F(PresetControls, SlotLooksFollowPresetStates) {
  std::array<uint8_t, 10> used{1, 0, 2, 0, 0, 0, 0, 0, 0, 1};
  const auto looks = PresetSlotLooks(used, 2, PresetBank::Presets);
  EXPECT_TRUE(looks[0].Checked);
  EXPECT_EQ(looks[0].Text, 0u);
  EXPECT_FALSE(looks[1].Checked);
  EXPECT_FALSE(looks[2].Checked);
  EXPECT_EQ(looks[2].Text, 0x009CEFu);  // selected wins over marked
  EXPECT_TRUE(looks[9].Checked);
  const auto unselected = PresetSlotLooks(used, -1, PresetBank::Presets);
  EXPECT_EQ(unselected[2].Text, 255u);  // marked: red
  const auto templates = PresetSlotLooks(used, 4, PresetBank::Templates);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(templates[i].Checked);
  EXPECT_EQ(templates[4].Text, 0x009CEFu);
  EXPECT_EQ(templates[1].Text, 0u);
}

TEST_F(PresetControls, LoadUsedPresetSendsSubCodeOneThenReadAll) {
  S().PresetUsed[3] = 1;
  EXPECT_EQ(LoadPresetSlot(S(), PresetBank::Presets, 3), PresetLoad::Sent);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].Command, 1u);
  EXPECT_EQ(sent[0].Bytes[0], 1);
  EXPECT_EQ(sent[0].Bytes[1], 3);
  EXPECT_EQ(sent[0].Bytes[2], 0x55);  // the rest of the block stays preset
  EXPECT_EQ(sent[1].Command, 0u);
}

TEST_F(PresetControls, EmptyPresetSendsNothingButTemplateAlwaysLoads) {
  EXPECT_EQ(LoadPresetSlot(S(), PresetBank::Presets, 4), PresetLoad::EmptySlot);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(LoadPresetSlot(S(), PresetBank::Templates, 4), PresetLoad::Sent);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].Bytes[0], 0);
  EXPECT_EQ(sent[0].Bytes[1], 4);
}

TEST_F(PresetControls, LoadWithoutSelectionSendsNothing) {
  EXPECT_EQ(LoadPresetSlot(S(), PresetBank::Templates, -1), PresetLoad::NothingSelected);
  EXPECT_EQ(LoadPresetSlot(S(), PresetBank::Presets, -1), PresetLoad::NothingSelected);
  EXPECT_EQ(LoadPresetSlot(S(), PresetBank::Presets, 10), PresetLoad::NothingSelected);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(PresetControls, SaveMarksTheSlotUsed) {
  EXPECT_TRUE(SavePresetSlot(S(), PresetBank::Presets, 9));
  EXPECT_EQ(S().PresetUsed[9], 1);
  EXPECT_FALSE(SavePresetSlot(S(), PresetBank::Presets, -1));
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Command, 1u);
  EXPECT_EQ(sent[0].Bytes[0], 2);
  EXPECT_EQ(sent[0].Bytes[1], 9);
}

TEST_F(PresetControls, NamesDefaultPerBankAndComeBackFromInfoIni) {
  EXPECT_EQ(DefaultPresetName(0, 0), "0-0");
  EXPECT_EQ(DefaultPresetName(2, 9), "2-9");
  EXPECT_EQ(PresetNameKey(1, 4), "PRESET1-4");
  EXPECT_EQ(InputRemarkKey(11), "InPutSrcRemark-11");
  TempIni ini;
  PresetNameTable names = LoadPresetNames(ini.Path);
  EXPECT_EQ(names[1][4], "1-4");
  ASSERT_TRUE(SavePresetName(ini.Path, names, 1, 4, "Stage left"));
  EXPECT_EQ(GetIniString(ini.Path, "PNAMESTR", "PRESET1-4"), "Stage lef");  // nine characters
  const PresetNameTable again = LoadPresetNames(ini.Path);
  EXPECT_EQ(again[1][4], "Stage lef");
  EXPECT_EQ(again[0][4], "0-4");  // the name belongs to bank 1 only
  // An empty name is stored empty; the default comes back at the next load.
  ASSERT_TRUE(SavePresetName(ini.Path, names, 1, 4, ""));
  EXPECT_EQ(names[1][4], "");
  EXPECT_EQ(LoadPresetNames(ini.Path)[1][4], "1-4");
  EXPECT_FALSE(SavePresetName(ini.Path, names, 3, 0, "x"));
}

TEST_F(PresetControls, RemarksReplaceInputNamesFromInfoIni) {
  TempIni ini;
  const std::string before = S().InputTable[1].Remark;
  ASSERT_TRUE(SaveInputRemark(ini.Path, S(), 5, "Camera 2"));
  ResetDeviceState();
  LoadInputRemarks(ini.Path, S());
  EXPECT_EQ(S().InputTable[5].Remark, "Camera 2");
  EXPECT_EQ(S().InputTable[1].Remark, before);
  EXPECT_FALSE(SaveInputRemark(ini.Path, S(), 12, "x"));
}

TEST_F(PresetControls, NameLimitCountsWholeCharacters) {
  EXPECT_EQ(LimitNameLength("123456789AB"), "123456789");
  EXPECT_EQ(LimitNameLength("\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB"
                            "\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB"),
            "\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB\xE4\xB8\xBB"
            "\xE4\xB8\xBB");
}

TEST_F(PresetControls, TitleAlternates) {
  EXPECT_EQ(TitleText(false, "/p/a.pro", "Z81 ZedarEzuzovizu"), "Z81 ZedarEzuzovizu");
  EXPECT_EQ(TitleText(true, "/p/a.pro", "Z81 ZedarEzuzovizu"), "/p/a.pro");
}

TEST_F(PresetControls, ShortcutsOnKeyRelease) {
  struct Row {
    int Key;
    bool Ctrl, SHeld, TypingLetters;
    ShortcutAction Action;
    int Slot;
  };
  const Row rows[] = {
      {'0', true, false, false, ShortcutAction::LoadPreset, 0},  // Ctrl+0 is slot 1
      {'9', true, false, false, ShortcutAction::LoadPreset, 9},
      {'S', true, false, false, ShortcutAction::SaveProject, -1},
      {'4', false, true, false, ShortcutAction::SavePreset, 4},
      {'4', false, false, false, ShortcutAction::None, -1},
      {'A', true, false, false, ShortcutAction::None, -1},
      // Ctrl shortcuts work while a text has the focus (a numeric edit, a caption text).
      {'3', true, false, true, ShortcutAction::LoadPreset, 3},
      {'S', true, false, true, ShortcutAction::SaveProject, -1},
      // Typing "S5" into a caption text must not overwrite preset 6.
      {'5', false, true, true, ShortcutAction::None, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(1, static_cast<char>(row.Key)) + (row.Ctrl ? " ctrl" : "") +
                 (row.SHeld ? " S" : "") + (row.TypingLetters ? " typing" : ""));
    const Shortcut s = ShortcutForKeyRelease(row.Key, row.Ctrl, row.SHeld, row.TypingLetters);
    EXPECT_EQ(s.Action, row.Action);
    EXPECT_EQ(s.Slot, row.Slot);
  }
}

TEST(PresetRowChoiceTest, TheLitSlotIsTheOneLoadAndSaveActOn) {
  enum Step { Click, Presets, Templates, Loaded };
  struct Row {
    const char* What;
    Step Do;
    int Arg;  // the slot clicked, or the switcher mode
    PresetBank Bank;
    int Lit;
  };
  const Row rows[] = {
      {"nothing chosen yet: Presets lights nothing", Presets, 0, PresetBank::Presets, -1},
      {"nothing loaded yet: Templates lights nothing", Templates, 0, PresetBank::Templates, -1},
      {"template 4 clicked", Click, 3, PresetBank::Templates, 3},
      {"template 4 loaded", Loaded, 0, PresetBank::Templates, 3},
      {"back to Presets: nothing loaded in mode 0", Presets, 0, PresetBank::Presets, -1},
      {"preset 2 clicked", Click, 1, PresetBank::Presets, 1},
      {"preset 2 loaded in mode 0", Loaded, 0, PresetBank::Presets, 1},
      {"Templates: the loaded template", Templates, 0, PresetBank::Templates, 3},
      {"template 7 clicked, not loaded", Click, 6, PresetBank::Templates, 6},
      {"back to Presets: preset 2, not slot 7", Presets, 0, PresetBank::Presets, 1},
      {"again Templates: template 4, the one loaded", Templates, 0, PresetBank::Templates, 3},
      {"Presets in PGM/PVW: nothing loaded in mode 1", Presets, 1, PresetBank::Presets, -1},
      {"preset 9 clicked", Click, 8, PresetBank::Presets, 8},
      {"preset 9 loaded in mode 1", Loaded, 1, PresetBank::Presets, 8},
      {"Presets in plain mode: preset 2", Presets, 0, PresetBank::Presets, 1},
      {"Presets in PGM/PVW: preset 9", Presets, 1, PresetBank::Presets, 8},
      {"a mode the row has no bank for lights nothing", Presets, 3, PresetBank::Presets, -1},
      {"a click outside the row changes nothing", Click, 10, PresetBank::Presets, -1},
      {"a load with nothing lit remembers nothing", Loaded, 0, PresetBank::Presets, -1},
      {"plain mode still remembers preset 2", Presets, 0, PresetBank::Presets, 1},
  };
  PresetRowChoice row;
  EXPECT_EQ(row.Bank(), PresetBank::Presets);
  EXPECT_EQ(row.Lit(), -1);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    switch (r.Do) {
      case Click: row.Click(r.Arg); break;
      case Presets: row.ShowPresets(static_cast<uint32_t>(r.Arg)); break;
      case Templates: row.ShowTemplates(); break;
      case Loaded: row.Loaded(static_cast<uint32_t>(r.Arg)); break;
    }
    EXPECT_EQ(row.Bank(), r.Bank);
    EXPECT_EQ(row.Lit(), r.Lit);
  }
}
