#include "app/ProjectKeyTable.h"

namespace {

using W = ProjectFieldWidth;

std::string Indexed(const std::string& name, int index) { return name + std::to_string(index); }

std::vector<ProjectKey> BuildTable() {
    std::vector<ProjectKey> t;
    t.reserve(1143);
    std::string section;
    auto add = [&](const std::string& key, int offset, W width) {
        t.push_back({section, key, static_cast<uint16_t>(offset), width});
    };

    section = "OUTPUTRESO";
    add("RESOINDEX", 0, W::U32);
    const char* timing[] = {"HRESO", "VRESO", "FPS", "HTOTAL", "VTOTAL", "HSYNC", "VSYNC", "HBP", "VBP"};
    for (int k = 0; k < 9; ++k) add(timing[k], 4 + 2 * k, W::U16);
    add("HPOL", 22, W::U8);
    add("VPOL", 23, W::U8);

    section = "PICCOMMSETT";
    add("PICMODE", 24, W::U32);
    add("BRIGHTLEVEL", 28, W::U32);
    add("GAMMA", 32, W::F32);

    section = "MOSAICSETT";
    add("MOSAICMODE", 36, W::U32);
    add("MOSAICAUTOARR", 44, W::U32);
    const char* mosaic[] = {"HPOS", "VPOS", "HACT", "VACT", "HTOTAL", "VTOTAL"};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 6; ++k) add(Indexed(mosaic[k], i), 48 + 16 * k + 4 * i, W::U32);

    section = "CHNLDATA";
    for (int l = 0; l < 4; ++l) {
        const int base = 144 + 24 * l;
        add(Indexed("CHNLONOFF", l), base + 0, W::U8);
        add(Indexed("CHNLALPHA", l), base + 1, W::U8);
        add(Indexed("CHNLINPUT", l), base + 2, W::U8);
        const char* rect[] = {"HPOS", "VPOS", "HACT", "VACT"};
        for (int k = 0; k < 4; ++k) add(Indexed(rect[k], l), base + 4 + 4 * k, W::I32);
        add(Indexed("CHNLROTATION", l), base + 20, W::U32);
    }

    section = "INPUTINFO";
    for (int i = 0; i < 12; ++i) {
        if (i < 8) {
            const int signal = 280 + 10 * i;
            add(Indexed("INPUTSRC", i), 240 + 4 * i, W::U32);
            add(Indexed("INPUTSTATE", i), 272 + i, W::U8);
            add(Indexed("INPUTRESOHACT", i), signal + 2, W::U16);
            add(Indexed("INPUTRESOVACT", i), signal + 4, W::U16);
            add(Indexed("INPUTRESOFPS", i), signal + 6, W::U16);
            add(Indexed("INPUTRESOILE", i), signal + 8, W::U8);
            add(Indexed("INPUTRESOIDX", i), signal + 0, W::U8);
        }
        for (int j = 0; j < 4; ++j) {
            const int r = 4 * i + j;
            const int picture = 360 + 20 * r;
            const int crop = 1320 + 14 * r;
            auto key = [&](const char* name) { return Indexed(Indexed(name, i), j); };
            const char* values[] = {"BRIGHTNESS", "CONTRAST", "SHARPNESS", "SATURATION", "HUE"};
            for (int k = 0; k < 5; ++k) add(key(values[k]), picture + k, W::U8);
            add(key("COLORTEMP"), picture + 8, W::U32);
            add(key("COLORRED"), picture + 12, W::U8);
            add(key("COLORGREEN"), picture + 13, W::U8);
            add(key("COLORBLUE"), picture + 14, W::U8);
            add(key("OPTION"), picture + 16, W::U8);
            add(key("CROPONOFF"), crop, W::U8);
            const char* rect[] = {"HPOS", "VPOS", "HACT", "VACT", "HTOTAL", "VTOTAL"};
            for (int k = 0; k < 6; ++k) add(key(rect[k]), crop + 2 + 2 * k, W::U16);
        }
    }
    add("DPMDE0", 1992, W::U8);
    add("DPMDE1", 1993, W::U8);

    section = "EDIDINFO";
    for (int k = 0; k < 7; ++k) {
        const int base = 1996 + 12 * k;
        add(Indexed("INPUTSRC", k), base, W::U8);
        const char* edid[] = {"HACT", "VACT", "FPS", "HBLANK", "VBLANK"};
        for (int f = 0; f < 5; ++f) add(Indexed(edid[f], k), base + 2 + 2 * f, W::U16);
    }

    section = "TASKEINFO";
    add("TASKSTATUS", 2080, W::U8);
    for (int n = 0; n < 10; ++n) {
        const int base = 2084 + 12 * n;
        const char* task[] = {"YEAR", "MONTH", "DAY", "HOUR", "MIN", "SEC", "PRESETID"};
        for (int f = 0; f < 7; ++f) add(Indexed(task[f], n), base + f, W::U8);
        add(Indexed("OPTION", n), base + 8, W::U32);
    }

    section = "LOGOINFO";
    add("LOGOUSAGE", 2204, W::U8);
    add("LOGOCURID", 2205, W::U8);
    add("LOGOONOFF", 2206, W::U8);
    add("LOGOPOS", 2207, W::U8);
    for (int s = 0; s < 4; ++s) {
        add(Indexed("HPOS", s), 2210 + 2 * s, W::U16);
        add(Indexed("VPOS", s), 2218 + 2 * s, W::U16);
        add(Indexed("HACT", s), 2226 + 2 * s, W::U16);
        add(Indexed("VACT", s), 2234 + 2 * s, W::U16);
        add(Indexed("LOGOVALID", s), 2242 + s, W::U8);
    }

    section = "PVWMODEINFO";
    add("PVWMODE", 2248, W::U8);
    add("PVWDTIME", 2252, W::U32);
    for (int i = 0; i < 4; ++i) {
        add(Indexed("PGMSTATE", i), 2256 + i, W::U8);
        add(Indexed("PVWSTATE", i), 2260 + i, W::U8);
    }

    section = "KEYERINFO";
    for (int k = 0; k < 2; ++k) {
        // The second keyer's keys carry the suffix "1"; the first keyer's none.
        auto key = [&](const char* name) { return k == 0 ? std::string(name) : Indexed(name, 1); };
        const int base = 2264 + 20 * k;
        add(key("KEYERONOFF"), base + 1, W::U8);
        add(key("KEYERMODE"), base + 4, W::U32);
        // The red-high value has always been stored under the red-low key, second in turn.
        add(key("KEYERREDL"), base + 8, W::U8);
        add(key("KEYERREDL"), base + 9, W::U8);
        add(key("KEYERGREENL"), base + 10, W::U8);
        add(key("KEYERGREENH"), base + 11, W::U8);
        add(key("KEYERBLUEL"), base + 12, W::U8);
        add(key("KEYERBLUEH"), base + 13, W::U8);
        add(key("KEYERGAININ"), base + 14, W::U8);
        add(key("KEYERGAINOUT"), base + 15, W::U8);
        add(key("KEYERGAINBND"), base + 16, W::U8);
        add(key("KEYERCHNL"), base + 0, W::U8);
    }

    section = "LOOPINFO";
    add("LOOPOUTIP", 2304, W::U8);

    section = "MACHINESYNCMODE";
    add("SYNCLOCKMODE", 2308, W::U32);
    add("SYNCMODE", 2312, W::U32);

    section = "COMPOSITEBOARD";
    add("CMPBOARDMODE", 2356, W::U32);
    add("CMPBOARDEXIST", 2316, W::U8);
    add("CMPBOARDACTNOSRC", 2332, W::U32);
    for (int i = 0; i < 3; ++i) add(Indexed("CMPBOARDIPSRC", i), 2320 + 4 * i, W::U32);
    add("CMPBOARDACTDUAL", 2352, W::U8);
    add("CMPBOARDACTSIGNAL", 2336, W::U8);
    add("CMPBOARDACTHACT", 2338, W::U16);
    add("CMPBOARDACTVACT", 2342, W::U16);
    add("CMPBOARDACTFPS", 2346, W::U16);
    add("CMPBOARDACTINTERLACE", 2350, W::U8);
    return t;
}

} // namespace

const std::vector<ProjectKey>& ProjectKeyTable() {
    static const std::vector<ProjectKey> table = BuildTable();
    return table;
}

const std::vector<std::string>& ProjectSectionNames() {
    static const std::vector<std::string> names = {
        "OUTPUTRESO", "PICCOMMSETT", "MOSAICSETT", "CHNLDATA",  "INPUTINFO",       "EDIDINFO",      "TASKEINFO",
        "LOGOINFO",   "PVWMODEINFO", "KEYERINFO",  "LOOPINFO", "MACHINESYNCMODE", "COMPOSITEBOARD"};
    return names;
}
