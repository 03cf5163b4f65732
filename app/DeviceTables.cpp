#include "app/DeviceTables.h"

std::array<InputEntry, 12> DefaultInputTable() {
    // Rows 6 and 7 are the option card slots, named from the card type when a state arrives;
    // 8/9 the halves of DP-1, 10/11 the halves of the extension card's input.
    static const char* const names[12] = {" DVI-1 ", " HDMI-1 ", " DVI-2 ", " HDMI-2 ", " DP-1 ",  " SDI-1 ",
                                          " EXT-1 ", " EXT-2 ",  " DP1-L ", " DP1-R ",  " DP2-L ", " DP2-R "};
    std::array<InputEntry, 12> table;
    for (uint32_t row = 0; row < table.size(); ++row) {
        table[row].Index = row;
        table[row].Present = row <= 5 ? 1 : 0;
        table[row].Name = names[row];
        table[row].Remark = names[row];
    }
    return table;
}

std::array<ResolutionEntry, 19> DefaultResolutionTable() {
    return {{
        {1024, 768, 6000, "1024 x 768      60Hz"},
        {1280, 1024, 6000, "1280 x 1024    60Hz"},
        {1024, 768, 12000, "1024 x 768      120Hz"},
        {1280, 720, 5994, "1280 x 720    59.94Hz"},
        {1280, 720, 6000, "1280 x 720      60Hz"},
        {1440, 900, 6000, "1440 x 900      60Hz"},
        {1600, 1200, 6000, "1600 x 1200    60Hz"},
        {1600, 1200, 6000, "1600 x 1200 60Hz Redc."},
        {1680, 1050, 6000, "1680 x 1050    60Hz"},
        {1920, 1080, 5994, "1920 x 1080    59.94Hz"},
        {1920, 1080, 6000, "1920 x 1080    60Hz"},
        {1920, 1080, 5000, "1920 x 1080    50Hz"},
        {2176, 1168, 6000, "2176 x 1168    60Hz"},
        {1920, 1200, 6000, "1920 x 1200    60Hz"},
        {1936, 1280, 6000, "1936 x 1280    60Hz"},
        {2048, 1152, 6000, "2048 x 1152    60Hz"},
        {1024, 1280, 6000, "1024 x 1280    60Hz"},
        {1536, 1536, 6000, "1536 x 1536    60Hz"},
        // The custom timing: the output page keeps its last custom size and rate here.
        {1024, 768, 6000, "Customized  Resolution"},
    }};
}

std::array<PictureModePreset, 8> DefaultPictureModePresets() {
    return {{
        {1, 0.1f, {0, 0, 0, 0, 0, 8, 0, 0, 0}, " Standard "},
        {2, 0.6f, {10, 10, 10, 2, 10, 8, 20, 20, 20}, " Low Light1 "},
        {3, 1.1f, {20, 20, 20, 4, 20, 8, 40, 40, 40}, " Low Light2 "},
        {4, 1.6f, {30, 30, 30, 6, 30, 8, 60, 60, 60}, " Low Light3 "},
        {5, 2.1f, {40, 40, 40, 8, 40, 8, 80, 80, 80}, " Video "},
        {6, 2.6f, {50, 50, 50, 10, 50, 8, 100, 100, 100}, " Graphic "},
        {7, 3.1f, {60, 60, 60, 12, 60, 8, 120, 120, 120}, " Monochrome "},
        {8, 3.6f, {70, 70, 70, 14, 70, 8, 140, 140, 140}, " User "},
    }};
}

std::array<ColourTemperaturePreset, 9> DefaultColourTemperaturePresets() {
    static const char* const names[9] = {" 4000K ", " 5000K ",  " 6500K ",  " 7500K ", " 8200K ",
                                         " 9300K ", " 10000K ", " 11500K ", " User "};
    std::array<ColourTemperaturePreset, 9> table;
    for (size_t row = 0; row < table.size(); ++row) {
        const auto level = static_cast<uint8_t>(20 * row); // red, green and blue are equal
        table[row] = {level, level, level, names[row]};
    }
    return table;
}

std::array<SyncChoice, 13> DefaultSyncSourceNames() {
    return {{
        {0, " Free Run"},
        {1, " Lock To Main Input"},
        {2, " Lock To GenLock"},
        {3, " Lock To DVI1"},
        {4, " Lock To DVI2"},
        {5, " Lock To HDMI1"},
        {6, " Lock To HDMI2"},
        {7, " Lock To DP1"},
        {8, " Lock To DVI3"},
        {9, " Lock To DVI4"},
        {10, " Lock To HDMI3"},
        {11, " Lock To HDMI4"},
        {12, " Lock To DP2"},
    }};
}

std::array<SyncChoice, 3> DefaultSyncModeNames() { return {{{0, " Auto"}, {1, " Mode 1"}, {2, " Mode 2"}}}; }

std::array<PictureModeValue, 7> DefaultPictureModeValues() {
    return {{
        {17, 0, 50, 50, 50, 50, 12, 128, 128, 128},
        {8, 0, 50, 50, 50, 50, 12, 128, 128, 128},
        {8, 8, 50, 50, 50, 50, 12, 128, 128, 128},
        {8, 15, 50, 50, 50, 50, 12, 128, 128, 128},
        {17, 0, 48, 52, 55, 50, 12, 128, 128, 128},
        {17, 0, 48, 52, 45, 50, 12, 128, 128, 128},
        {17, 0, 50, 50, 0, 50, 12, 128, 128, 128},
    }};
}
