// The key order of a project file is part of its format. The expected order here is typed
// from the format's key table, section by section, independently of the code's table.
#include "app/ProjectFormat.h"
#include "app/ProjectKeyTable.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Expected {
    std::string section, key;
    int offset;
    char width; // b u8, w u16, d u32, i i32, f f32
};

std::vector<Expected> ExpectedOrder() {
    std::vector<Expected> e;
    auto s = [&](const char* section, std::initializer_list<Expected> keys) {
        for (auto k : keys) e.push_back({section, k.key, k.offset, k.width});
    };
    s("OUTPUTRESO", {{"", "RESOINDEX", 0, 'd'}, {"", "HRESO", 4, 'w'}, {"", "VRESO", 6, 'w'}, {"", "FPS", 8, 'w'},
                     {"", "HTOTAL", 10, 'w'}, {"", "VTOTAL", 12, 'w'}, {"", "HSYNC", 14, 'w'}, {"", "VSYNC", 16, 'w'},
                     {"", "HBP", 18, 'w'}, {"", "VBP", 20, 'w'}, {"", "HPOL", 22, 'b'}, {"", "VPOL", 23, 'b'}});
    s("PICCOMMSETT", {{"", "PICMODE", 24, 'd'}, {"", "BRIGHTLEVEL", 28, 'd'}, {"", "GAMMA", 32, 'f'}});
    s("MOSAICSETT", {{"", "MOSAICMODE", 36, 'd'}, {"", "MOSAICAUTOARR", 44, 'd'}});
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        s("MOSAICSETT", {{"", "HPOS" + n, 48 + 4 * i, 'd'},
                         {"", "VPOS" + n, 64 + 4 * i, 'd'},
                         {"", "HACT" + n, 80 + 4 * i, 'd'},
                         {"", "VACT" + n, 96 + 4 * i, 'd'},
                         {"", "HTOTAL" + n, 112 + 4 * i, 'd'},
                         {"", "VTOTAL" + n, 128 + 4 * i, 'd'}});
    }
    for (int l = 0; l < 4; ++l) {
        const std::string n = std::to_string(l);
        const int b = 144 + 24 * l;
        s("CHNLDATA", {{"", "CHNLONOFF" + n, b, 'b'},
                       {"", "CHNLALPHA" + n, b + 1, 'b'},
                       {"", "CHNLINPUT" + n, b + 2, 'b'},
                       {"", "HPOS" + n, b + 4, 'i'},
                       {"", "VPOS" + n, b + 8, 'i'},
                       {"", "HACT" + n, b + 12, 'i'},
                       {"", "VACT" + n, b + 16, 'i'},
                       {"", "CHNLROTATION" + n, b + 20, 'd'}});
    }
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        if (i < 8) {
            const int sig = 280 + 10 * i;
            s("INPUTINFO", {{"", "INPUTSRC" + n, 240 + 4 * i, 'd'},
                            {"", "INPUTSTATE" + n, 272 + i, 'b'},
                            {"", "INPUTRESOHACT" + n, sig + 2, 'w'},
                            {"", "INPUTRESOVACT" + n, sig + 4, 'w'},
                            {"", "INPUTRESOFPS" + n, sig + 6, 'w'},
                            {"", "INPUTRESOILE" + n, sig + 8, 'b'},
                            {"", "INPUTRESOIDX" + n, sig, 'b'}});
        }
        for (int j = 0; j < 4; ++j) {
            const std::string m = n + std::to_string(j);
            const int r = 4 * i + j, p = 360 + 20 * r, c = 1320 + 14 * r;
            s("INPUTINFO", {{"", "BRIGHTNESS" + m, p, 'b'},     {"", "CONTRAST" + m, p + 1, 'b'},
                            {"", "SHARPNESS" + m, p + 2, 'b'},  {"", "SATURATION" + m, p + 3, 'b'},
                            {"", "HUE" + m, p + 4, 'b'},        {"", "COLORTEMP" + m, p + 8, 'd'},
                            {"", "COLORRED" + m, p + 12, 'b'},  {"", "COLORGREEN" + m, p + 13, 'b'},
                            {"", "COLORBLUE" + m, p + 14, 'b'}, {"", "OPTION" + m, p + 16, 'b'},
                            {"", "CROPONOFF" + m, c, 'b'},      {"", "HPOS" + m, c + 2, 'w'},
                            {"", "VPOS" + m, c + 4, 'w'},       {"", "HACT" + m, c + 6, 'w'},
                            {"", "VACT" + m, c + 8, 'w'},       {"", "HTOTAL" + m, c + 10, 'w'},
                            {"", "VTOTAL" + m, c + 12, 'w'}});
        }
    }
    s("INPUTINFO", {{"", "DPMDE0", 1992, 'b'}, {"", "DPMDE1", 1993, 'b'}});
    for (int k = 0; k < 7; ++k) {
        const std::string n = std::to_string(k);
        const int b = 1996 + 12 * k;
        s("EDIDINFO", {{"", "INPUTSRC" + n, b, 'b'},
                       {"", "HACT" + n, b + 2, 'w'},
                       {"", "VACT" + n, b + 4, 'w'},
                       {"", "FPS" + n, b + 6, 'w'},
                       {"", "HBLANK" + n, b + 8, 'w'},
                       {"", "VBLANK" + n, b + 10, 'w'}});
    }
    s("TASKEINFO", {{"", "TASKSTATUS", 2080, 'b'}});
    for (int t = 0; t < 10; ++t) {
        const std::string n = std::to_string(t);
        const int b = 2084 + 12 * t;
        s("TASKEINFO", {{"", "YEAR" + n, b, 'b'},
                        {"", "MONTH" + n, b + 1, 'b'},
                        {"", "DAY" + n, b + 2, 'b'},
                        {"", "HOUR" + n, b + 3, 'b'},
                        {"", "MIN" + n, b + 4, 'b'},
                        {"", "SEC" + n, b + 5, 'b'},
                        {"", "PRESETID" + n, b + 6, 'b'},
                        {"", "OPTION" + n, b + 8, 'd'}});
    }
    s("LOGOINFO", {{"", "LOGOUSAGE", 2204, 'b'},
                   {"", "LOGOCURID", 2205, 'b'},
                   {"", "LOGOONOFF", 2206, 'b'},
                   {"", "LOGOPOS", 2207, 'b'}});
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k);
        s("LOGOINFO", {{"", "HPOS" + n, 2210 + 2 * k, 'w'},
                       {"", "VPOS" + n, 2218 + 2 * k, 'w'},
                       {"", "HACT" + n, 2226 + 2 * k, 'w'},
                       {"", "VACT" + n, 2234 + 2 * k, 'w'},
                       {"", "LOGOVALID" + n, 2242 + k, 'b'}});
    }
    s("PVWMODEINFO", {{"", "PVWMODE", 2248, 'b'}, {"", "PVWDTIME", 2252, 'd'}});
    for (int i = 0; i < 4; ++i)
        s("PVWMODEINFO", {{"", "PGMSTATE" + std::to_string(i), 2256 + i, 'b'},
                          {"", "PVWSTATE" + std::to_string(i), 2260 + i, 'b'}});
    s("KEYERINFO", {{"", "KEYERONOFF", 2265, 'b'},   {"", "KEYERMODE", 2268, 'd'},    {"", "KEYERREDL", 2272, 'b'},
                    {"", "KEYERREDL", 2273, 'b'},    {"", "KEYERGREENL", 2274, 'b'},  {"", "KEYERGREENH", 2275, 'b'},
                    {"", "KEYERBLUEL", 2276, 'b'},   {"", "KEYERBLUEH", 2277, 'b'},   {"", "KEYERGAININ", 2278, 'b'},
                    {"", "KEYERGAINOUT", 2279, 'b'}, {"", "KEYERGAINBND", 2280, 'b'}, {"", "KEYERCHNL", 2264, 'b'},
                    {"", "KEYERONOFF1", 2285, 'b'},  {"", "KEYERMODE1", 2288, 'd'},   {"", "KEYERREDL1", 2292, 'b'},
                    {"", "KEYERREDL1", 2293, 'b'},   {"", "KEYERGREENL1", 2294, 'b'}, {"", "KEYERGREENH1", 2295, 'b'},
                    {"", "KEYERBLUEL1", 2296, 'b'},  {"", "KEYERBLUEH1", 2297, 'b'},  {"", "KEYERGAININ1", 2298, 'b'},
                    {"", "KEYERGAINOUT1", 2299, 'b'}, {"", "KEYERGAINBND1", 2300, 'b'}, {"", "KEYERCHNL1", 2284, 'b'}});
    s("LOOPINFO", {{"", "LOOPOUTIP", 2304, 'b'}});
    s("MACHINESYNCMODE", {{"", "SYNCLOCKMODE", 2308, 'd'}, {"", "SYNCMODE", 2312, 'd'}});
    s("COMPOSITEBOARD", {{"", "CMPBOARDMODE", 2356, 'd'},    {"", "CMPBOARDEXIST", 2316, 'b'},
                         {"", "CMPBOARDACTNOSRC", 2332, 'd'}, {"", "CMPBOARDIPSRC0", 2320, 'd'},
                         {"", "CMPBOARDIPSRC1", 2324, 'd'},   {"", "CMPBOARDIPSRC2", 2328, 'd'},
                         {"", "CMPBOARDACTDUAL", 2352, 'b'},  {"", "CMPBOARDACTSIGNAL", 2336, 'b'},
                         {"", "CMPBOARDACTHACT", 2338, 'w'},  {"", "CMPBOARDACTVACT", 2342, 'w'},
                         {"", "CMPBOARDACTFPS", 2346, 'w'},   {"", "CMPBOARDACTINTERLACE", 2350, 'b'}});
    return e;
}

char WidthCode(ProjectFieldWidth w) {
    switch (w) {
    case ProjectFieldWidth::U8: return 'b';
    case ProjectFieldWidth::U16: return 'w';
    case ProjectFieldWidth::U32: return 'd';
    case ProjectFieldWidth::I32: return 'i';
    case ProjectFieldWidth::F32: return 'f';
    }
    return '?';
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace

TEST(ProjectKeyOrder, TableMatchesTheFormatKeyForKey) {
    const auto expected = ExpectedOrder();
    const auto& table = ProjectKeyTable();
    ASSERT_EQ(expected.size(), 1143u);
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table[i].Section, expected[i].section) << "key #" << i;
        EXPECT_EQ(table[i].Key, expected[i].key) << "key #" << i;
        EXPECT_EQ(table[i].Offset, expected[i].offset) << expected[i].key;
        EXPECT_EQ(WidthCode(table[i].Width), expected[i].width) << expected[i].key;
    }
}

TEST(ProjectKeyOrder, WrittenFileHasSectionsThenKeysInOrder) {
    std::array<uint8_t, ProjectBlockSize> block{};
    const std::string text = FormatProjectText(block.data());
    const auto lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 13u + 1143u);

    // Expected lines: a section line at each change of section, then "KEY=value".
    const auto expected = ExpectedOrder();
    std::vector<std::string> sections;
    size_t line = 0, inputInfoKeys = 0;
    std::string current;
    for (const auto& e : expected) {
        if (e.section != current) {
            current = e.section;
            sections.push_back(current);
            ASSERT_EQ(lines[line++], "[" + current + "]");
        }
        if (current == "INPUTINFO") ++inputInfoKeys;
        const auto& l = lines[line++];
        ASSERT_EQ(l.substr(0, l.find('=')), e.key);
    }
    EXPECT_EQ(inputInfoKeys, 874u);
    EXPECT_EQ(sections, ProjectSectionNames());
    EXPECT_EQ(sections.size(), 13u);
    // Nothing after the last line, no byte-order mark, no blank line.
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text[0], '[');
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
}
