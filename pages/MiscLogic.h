#pragma once
// The system page's rules without a window: the five-step factory reset, the system
// information and version texts, the extension loop-out buttons, the loop-out choice and the
// order of the window-button messages.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/DeviceState.h"

enum MiscControlId : int {
    IdOpenProject = 1344, IdSaveProject = 1442, IdGetData = 1480, IdSetData = 1481,
    IdLoopOutFirst = 1404, // 1404..1411
    IdFactoryResetFirst = 1338, // 1338..1342
    IdSubPageFirst = 1505, // 1505..1508
    IdVideoSettingWindow = 1547, IdMediaPlayerWindow = 1574, IdFeatheringWindow = 1593,
    IdGroupFactoryReset = 1337, IdGroupLoopOut = 1255, IdGroupFile = 1336, IdGroupSystemInfo = 1343,
    IdGroupLanguage = 1346,
    IdSystemInfoText = 1254, IdVersionText = 32781, IdEnglish = 1251, IdChinese = 1252,
};
inline constexpr int LoopOutCount = 8, FactoryResetStepCount = 5, SubPageCount = 4;

// The factory-reset buttons "1>" .. "4>", ">OK": lit in order, then the reset goes out.
class FactoryResetSteps {
public:
    // A click on step 0..4 after the button has flipped its own lit state to `nowLit`. Returns
    // true when the reset is to be sent (all steps are then dark again).
    bool Click(int step, bool nowLit);
    const std::array<bool, FactoryResetStepCount>& Lit() const { return Steps; }

private:
    std::array<bool, FactoryResetStepCount> Steps{};
};

// The system-information text from the device's reply.
std::string SystemInfoText(const SystemInfo& info);
// The program and library version text from the library's two version bytes.
std::string VersionText(const uint8_t version[2]);

// "Ext-1" / "Ext-2": enabled states and captions from the input table; `ext2Enabled` is the
// button's state before, which a missing second input leaves as it was in one case.
struct ExtLoopOutButtons {
    bool Ext1Enabled = false, Ext2Enabled = false;
    std::string Ext1Caption, Ext2Caption;
};
ExtLoopOutButtons ComputeExtLoopOutButtons(const DeviceState& s, bool ext2Enabled);

// The language static the Info.ini setting names, or none to keep the current one.
std::optional<int> LanguageStaticForSetting(const std::string& setting);

// The three page events a window button sends, in order: (event code, argument).
struct WindowEvent {
    uint32_t Code;
    int Argument; // 0 toggle, 3 hide
};
std::array<WindowEvent, 3> WindowButtonEvents(int clickedId);
