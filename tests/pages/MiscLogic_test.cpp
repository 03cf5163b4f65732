#include <gtest/gtest.h>

#include <cstring>

#include "app/DeviceState.h"
#include "platform/ui/PageEvents.h"
#include "pages/MiscLogic.h"

namespace {
// Presses a step as the toggle button does: its lit state flips, then the sequence rules run.
bool Press(FactoryResetSteps& steps, int step) { return steps.Click(step, !steps.Lit()[step]); }

TEST(FactoryReset, OutOfOrderStepDoesNotCountThenTheRestSends) {
    FactoryResetSteps steps;
    EXPECT_FALSE(Press(steps, 0));
    EXPECT_FALSE(Press(steps, 2));
    EXPECT_EQ(steps.Lit(), (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_FALSE(Press(steps, 1));
    EXPECT_FALSE(Press(steps, 2));
    EXPECT_FALSE(Press(steps, 3));
    EXPECT_TRUE(Press(steps, 4));
    EXPECT_EQ(steps.Lit(), (std::array<bool, 5>{}));
}

TEST(FactoryReset, PressingALitStepAgainClearsAll) {
    FactoryResetSteps steps;
    Press(steps, 0);
    Press(steps, 1);
    EXPECT_FALSE(Press(steps, 1));
    EXPECT_EQ(steps.Lit(), (std::array<bool, 5>{}));
    EXPECT_FALSE(Press(steps, 4)); // OK alone never sends
    EXPECT_FALSE(steps.Click(9, true));
}

TEST(SystemInfoText, WithAndWithoutSecondVersion) {
    SystemInfo info{};
    std::memcpy(info.VersionText, "V2.1", 4);
    info.Version[0] = 0x12;
    info.Version[1] = 0xabc;
    info.Version[2] = 0x1;
    info.Voltage = 1234;
    EXPECT_EQ(SystemInfoText(info), "Video Processor\nVersion:V2.1-  12- abc-   1\nsystem Voltage:12.34 V");
    info.HasVersion2 = 1;
    info.Version2 = 0x2020;
    EXPECT_EQ(SystemInfoText(info), "Video Processor\nVersion:V2.1-  12- abc-   1\nVersion2:2020\nsystem Voltage:12.34 V");
}

TEST(SystemInfoText, NulCharactersDoNotCutTheText) {
    SystemInfo info{};
    info.VersionText[0] = 'A';
    info.Voltage = 500;
    const std::string text = SystemInfoText(info);
    EXPECT_NE(text.find("system Voltage:5.00 V"), std::string::npos);
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

TEST(VersionText, NamesTheLibraryVersion) {
    const uint8_t v[2] = {2, 5};
    EXPECT_EQ(VersionText(v), "Z81 ZedarEzuzovizu,1.27\nSysDLL:2.05");
}

TEST(ExtLoopOut, ButtonsFollowTheExtensionInputs) {
    ResetDeviceState();
    DeviceState& s = GetDeviceState();
    for (int row : {6, 7, 10, 11}) s.InputTable[row].Present = 0;
    ExtLoopOutButtons b = ComputeExtLoopOutButtons(s, true);
    EXPECT_FALSE(b.Ext1Enabled);
    EXPECT_FALSE(b.Ext2Enabled);
    s.InputTable[7].Present = 1;
    b = ComputeExtLoopOutButtons(s, false);
    EXPECT_FALSE(b.Ext1Enabled);
    EXPECT_TRUE(b.Ext2Enabled);
    s.InputTable[7].Present = 0;
    s.InputTable[10].Present = 1;
    b = ComputeExtLoopOutButtons(s, true);
    EXPECT_TRUE(b.Ext1Enabled);
    EXPECT_TRUE(b.Ext2Enabled); // keeps its state
    s.InputTable[6].Name = "EXT-A";
    s.InputTable[7].Name = "EXT-B";
    b = ComputeExtLoopOutButtons(s, false);
    EXPECT_EQ(b.Ext1Caption, "EXT-A");
    EXPECT_EQ(b.Ext2Caption, "EXT-B");
    ResetDeviceState();
}

TEST(LanguageSetting, ChineseEnglishOrKeep) {
    EXPECT_EQ(LanguageStaticForSetting("Chinese"), 1252);
    EXPECT_EQ(LanguageStaticForSetting("English"), 1251);
    EXPECT_FALSE(LanguageStaticForSetting("Deutsch").has_value());
}

TEST(WindowButtons, MessagesInTheirOrder) {
    auto e = WindowButtonEvents(1547);
    EXPECT_EQ(e[0].Code, EvMediaPlayerWindow); EXPECT_EQ(e[0].Argument, 3);
    EXPECT_EQ(e[1].Code, EvVideoSettingWindow); EXPECT_EQ(e[1].Argument, 0);
    EXPECT_EQ(e[2].Code, EvFeatherWindow); EXPECT_EQ(e[2].Argument, 3);
    e = WindowButtonEvents(1574);
    EXPECT_EQ(e[0].Code, EvVideoSettingWindow);
    EXPECT_EQ(e[1].Code, EvMediaPlayerWindow); EXPECT_EQ(e[1].Argument, 0);
    e = WindowButtonEvents(1593);
    EXPECT_EQ(e[0].Code, EvFeatherWindow); EXPECT_EQ(e[0].Argument, 0);
    EXPECT_EQ(e[1].Code, EvMediaPlayerWindow);
    EXPECT_EQ(e[2].Code, EvVideoSettingWindow);
}
}  // namespace
