#include "pages/MiscLogic.h"

#include "app/AppGlobals.h"

#include <cstdio>

#include "platform/ui/PageEvents.h"

bool FactoryResetSteps::Click(int step, bool nowLit) {
    if (step < 0 || step >= FactoryResetStepCount) return false;
    if (!nowLit) {
        // A lit step pressed again: the sequence starts over.
        Steps.fill(false);
        return false;
    }
    Steps[step] = true;
    if (step == 0) return false;
    if (!Steps[step - 1]) {
        Steps[step] = false; // out of order: does not count
        return false;
    }
    if (Steps[FactoryResetStepCount - 1]) {
        Steps.fill(false);
        return true;
    }
    return false;
}

namespace {
// A version character as text; a NUL or control byte would cut the text short or garble it.
char Printable(char c) { return (c >= 0x20 && c < 0x7F) ? c : ' '; }
}  // namespace

std::string SystemInfoText(const SystemInfo& info) {
    const double voltage = info.Voltage / 100.0;
    const char* t = info.VersionText;
    char buffer[256];
    if (info.HasVersion2) {
        std::snprintf(buffer, sizeof buffer,
                      "Video Processor\nVersion:%c%c%c%c-%4x-%4x-%4x\nVersion2:%4x\nsystem Voltage:%.2f V",
                      Printable(t[0]), Printable(t[1]), Printable(t[2]), Printable(t[3]), info.Version[0],
                      info.Version[1], info.Version[2], info.Version2, voltage);
    } else {
        std::snprintf(buffer, sizeof buffer, "Video Processor\nVersion:%c%c%c%c-%4x-%4x-%4x\nsystem Voltage:%.2f V",
                      Printable(t[0]), Printable(t[1]), Printable(t[2]), Printable(t[3]), info.Version[0],
                      info.Version[1], info.Version[2], voltage);
    }
    return buffer;
}

std::string VersionText(const uint8_t version[2]) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "Z81 ZedarEzuzovizu,%s\nSysDLL:%d.%02d", ProgramVersion, version[0], version[1]);
    return buffer;
}

ExtLoopOutButtons ComputeExtLoopOutButtons(const DeviceState& s, bool ext2Enabled) {
    const auto present = [&s](int row) { return s.InputTable[row].Present >= 1; };
    ExtLoopOutButtons b;
    b.Ext1Enabled = present(6);
    b.Ext2Enabled = ext2Enabled;
    if (present(7)) b.Ext2Enabled = true;
    else if (present(10) || present(11)) b.Ext1Enabled = true;
    else b.Ext2Enabled = false;
    b.Ext1Caption = s.InputTable[6].Name;
    b.Ext2Caption = s.InputTable[7].Name;
    return b;
}

std::optional<int> LanguageStaticForSetting(const std::string& setting) {
    if (setting == "Chinese") return IdChinese;
    if (setting == "English") return IdEnglish;
    return std::nullopt;
}

std::array<WindowEvent, 3> WindowButtonEvents(int clickedId) {
    switch (clickedId) {
    case IdVideoSettingWindow:
        return {{{EvMediaPlayerWindow, 3}, {EvVideoSettingWindow, 0}, {EvFeatherWindow, 3}}};
    case IdMediaPlayerWindow:
        return {{{EvVideoSettingWindow, 3}, {EvMediaPlayerWindow, 0}, {EvFeatherWindow, 3}}};
    default:
        return {{{EvFeatherWindow, 0}, {EvMediaPlayerWindow, 3}, {EvVideoSettingWindow, 3}}};
    }
}
