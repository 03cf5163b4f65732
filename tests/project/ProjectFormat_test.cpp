#include "app/ProjectFormat.h"
#include "app/ProjectKeyTable.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstring>
#include <random>

namespace {

using Block = std::array<uint8_t, ProjectBlockSize>;

uint16_t U16(const Block& b, int off) { return static_cast<uint16_t>(b[off] | (b[off + 1] << 8)); }
uint32_t U32(const Block& b, int off) {
    return b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) | (static_cast<uint32_t>(b[off + 3]) << 24);
}
void PutU16(Block& b, int off, uint16_t v) {
    b[off] = static_cast<uint8_t>(v);
    b[off + 1] = static_cast<uint8_t>(v >> 8);
}
void PutU32(Block& b, int off, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(v >> (8 * i));
}
float F32(const Block& b, int off) {
    float f;
    std::memcpy(&f, b.data() + off, 4);
    return f;
}
void PutF32(Block& b, int off, float f) { std::memcpy(b.data() + off, &f, 4); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

std::string LineOf(const std::string& text, const std::string& section, const std::string& key) {
    std::string current;
    for (const auto& l : Lines(text)) {
        if (!l.empty() && l[0] == '[') current = l.substr(1, l.size() - 2);
        else if (current == section && l.rfind(key + "=", 0) == 0) return l;
    }
    return {};
}

// A random block whose carried fields lie in the writer's ranges (values the program can hold).
Block RandomValidBlock(std::mt19937& rng) {
    Block b{};
    for (auto& byte : b) byte = static_cast<uint8_t>(rng());
    auto range = [&](int lo, int hi) { return static_cast<uint16_t>(std::uniform_int_distribution<int>(lo, hi)(rng)); };
    PutU32(b, 0, range(0, 18));
    PutU16(b, 4, range(640, 4080));
    PutU16(b, 6, range(480, 4080));
    PutU16(b, 8, range(2300, 12000));
    PutU16(b, 10, range(680, 4094));
    PutU16(b, 12, range(492, 4094));
    PutU16(b, 14, range(4, 128));
    PutU16(b, 16, range(4, 128));
    PutU16(b, 18, range(4, 512));
    PutU16(b, 20, range(4, 512));
    PutF32(b, 32, static_cast<float>(range(0, 360)) / 100.0f);
    for (int k = 0; k < 7; ++k) {
        PutU16(b, 1996 + 12 * k + 2, range(240, 3840));
        PutU16(b, 1996 + 12 * k + 4, range(240, 3840));
        PutU16(b, 1996 + 12 * k + 6, range(2000, 12100));
    }
    return b;
}

std::vector<bool> CarriedBytes() {
    std::vector<bool> carried(ProjectBlockSize, false);
    for (const auto& k : ProjectKeyTable()) {
        const int width = k.Width == ProjectFieldWidth::U8 ? 1 : k.Width == ProjectFieldWidth::U16 ? 2 : 4;
        for (int i = 0; i < width; ++i) carried[k.Offset + i] = true;
    }
    return carried;
}

} // namespace

TEST(ProjectFormat, RandomValidBlocksRoundTrip) {
    std::mt19937 rng(1234);
    const auto carried = CarriedBytes();
    for (int round = 0; round < 200; ++round) {
        Block written = RandomValidBlock(rng);
        Block before = written;
        ClampProjectFields(written.data());
        ASSERT_EQ(written, before) << "a valid block needs no clamping";
        const std::string text = FormatProjectText(written.data());

        Block other{};
        for (auto& byte : other) byte = static_cast<uint8_t>(rng());
        Block loaded = other;
        EXPECT_EQ(ParseProjectLines(Lines(text), loaded.data()), 1143u);
        for (size_t i = 0; i < ProjectBlockSize; ++i) {
            if (carried[i]) ASSERT_EQ(loaded[i], written[i]) << "byte " << i << " round " << round;
            else ASSERT_EQ(loaded[i], other[i]) << "uncarried byte " << i << " must keep the loader's value";
        }
    }
}

TEST(ProjectFormat, UncarriedBytesAreExactlyAuxBorderFreezeAndReserved) {
    const auto carried = CarriedBytes();
    for (int i = 40; i < 44; ++i) EXPECT_FALSE(carried[i]);
    EXPECT_FALSE(carried[2208]); // logo border
    EXPECT_FALSE(carried[2305]); // freeze state
    EXPECT_FALSE(carried[147]);  // reserved byte of layer 0
    EXPECT_TRUE(carried[2273]);  // red-high travels under the red-low key
}

TEST(ProjectFormat, ValuesAreWrittenAsTheFormatPrintsThem) {
    Block b{};
    PutU32(b, 144 + 4, static_cast<uint32_t>(-25)); // layer 0 X, signed
    PutU32(b, 2252, 0xFFFFFFFFu);                   // u32 printed signed
    PutU16(b, 1320 + 2, 65535);                     // u16 unsigned
    b[144] = 255;                                   // u8 unsigned
    PutF32(b, 32, 2.2f);
    const std::string text = FormatProjectText(b.data());
    EXPECT_EQ(LineOf(text, "CHNLDATA", "HPOS0"), "HPOS0=-25");
    EXPECT_EQ(LineOf(text, "PVWMODEINFO", "PVWDTIME"), "PVWDTIME=-1");
    EXPECT_EQ(LineOf(text, "INPUTINFO", "HPOS00"), "HPOS00=65535");
    EXPECT_EQ(LineOf(text, "CHNLDATA", "CHNLONOFF0"), "CHNLONOFF0=255");
    EXPECT_EQ(LineOf(text, "PICCOMMSETT", "GAMMA"), "GAMMA=2.200000");
    EXPECT_EQ(text.substr(0, 25), "[OUTPUTRESO]\r\nRESOINDEX=0");
}

TEST(ProjectFormat, GammaIgnoresACommaDecimalLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    Block b{};
    PutF32(b, 32, 1.5f);
    const std::string text = FormatProjectText(b.data());
    EXPECT_EQ(LineOf(text, "PICCOMMSETT", "GAMMA"), "GAMMA=1.500000");
    Block loaded{};
    ParseProjectLines({"[PICCOMMSETT]", "GAMMA=2.250000"}, loaded.data());
    EXPECT_FLOAT_EQ(F32(loaded, 32), 2.25f);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) GTEST_LOG_(INFO) << "de_DE.UTF-8 not installed; checked under the C locale only";
}

TEST(ProjectFormat, WriterClampsAtTheFormatBounds) {
    struct Case {
        int offset;
        uint16_t in, out;
    } cases[] = {
        {4, 100, 640},     {4, 639, 640},     {4, 640, 640},     {4, 4079, 4079},   {4, 4080, 4080},
        {4, 65535, 4080},  {6, 479, 480},     {6, 4081, 4080},   {8, 2299, 2300},   {8, 12000, 12000},
        {8, 12001, 12000}, {10, 679, 680},    {10, 4094, 4094},  {10, 4095, 4094},  {12, 491, 492},
        {12, 5000, 4094},  {14, 3, 4},        {14, 128, 128},    {14, 129, 128},    {16, 0, 4},
        {18, 3, 4},        {18, 513, 512},    {20, 600, 512},    {20, 4, 4},
        {1996 + 2, 239, 240}, {1996 + 2, 3840, 3840}, {1996 + 2, 3841, 3840}, {1996 + 12 * 6 + 4, 0, 240},
        {1996 + 6, 0, 2000},  {1996 + 6, 12100, 12100}, {1996 + 6, 12101, 12100}, {1996 + 12 * 3 + 6, 60, 2000},
    };
    for (const auto& c : cases) {
        Block b = {};
        for (int k = 0; k < 7; ++k) { // the other fields in range, so only the one under test moves
            PutU16(b, 1996 + 12 * k + 2, 1024);
            PutU16(b, 1996 + 12 * k + 4, 768);
            PutU16(b, 1996 + 12 * k + 6, 6000);
        }
        PutU16(b, c.offset, c.in);
        ClampProjectFields(b.data());
        EXPECT_EQ(U16(b, c.offset), c.out) << "offset " << c.offset << " value " << c.in;
    }
    struct IndexCase {
        int32_t in, out;
    } rows[] = {{-1, 0}, {-2147483647 - 1, 0}, {0, 0}, {17, 17}, {18, 18}, {19, 17}, {1000, 17}};
    for (const auto& r : rows) {
        Block b{};
        PutU32(b, 0, static_cast<uint32_t>(r.in));
        ClampProjectFields(b.data());
        EXPECT_EQ(static_cast<int32_t>(U32(b, 0)), r.out) << r.in;
    }
}

TEST(ProjectFormat, ReaderKeepsLowBitsAndReadsNonNumbersAsZero) {
    Block b{};
    b[144] = 9;
    ParseProjectLines({"[CHNLDATA]", "CHNLONOFF0=300", "CHNLALPHA0=abc", "CHNLINPUT0=  -1x", "HPOS0=99999999999"},
                      b.data());
    EXPECT_EQ(b[144], 44);
    EXPECT_EQ(b[145], 0);
    EXPECT_EQ(b[146], 255);
    EXPECT_EQ(static_cast<int32_t>(U32(b, 148)), 2147483647);
}

TEST(ProjectFormat, TwoRedLowLinesLoadRedLowThenRedHigh) {
    Block b{};
    ParseProjectLines({"[KEYERINFO]", "KEYERREDL=10", "KEYERREDL=200", "KEYERREDL1=7", "KEYERREDL1=8"}, b.data());
    EXPECT_EQ(b[2272], 10);
    EXPECT_EQ(b[2273], 200);
    EXPECT_EQ(b[2292], 7);
    EXPECT_EQ(b[2293], 8);
}

TEST(ProjectFormat, AMissingKeyCostsOnlyThatKey) {
    // HSYNC is missing: every later key still loads, and HSYNC keeps its earlier value.
    Block b{};
    PutU16(b, 14, 77);
    const std::vector<std::string> lines = {"[OUTPUTRESO]", "RESOINDEX=3", "HRESO=1920", "VRESO=1080", "FPS=6000",
                                            "HTOTAL=2200", "VTOTAL=1125", "VSYNC=5",  "HBP=148",  "VBP=36",
                                            "HPOL=1",      "VPOL=0",      "[LOOPINFO]", "LOOPOUTIP=2"};
    EXPECT_EQ(ParseProjectLines(lines, b.data()), 12u);
    EXPECT_EQ(U16(b, 14), 77);
    EXPECT_EQ(U16(b, 16), 5);
    EXPECT_EQ(U16(b, 20), 36);
    EXPECT_EQ(b[22], 1);
    EXPECT_EQ(b[2304], 2);
}

TEST(ProjectFormat, KeysBeforeTheScanPositionAreNotFound) {
    // FPS stands before VRESO in this file: finding VRESO moves the scan past FPS for good.
    Block b{};
    PutU16(b, 8, 1111);
    const std::vector<std::string> lines = {"[OUTPUTRESO]", "HRESO=800", "FPS=6000", "VRESO=600", "HTOTAL=900"};
    ParseProjectLines(lines, b.data());
    EXPECT_EQ(U16(b, 4), 800);
    EXPECT_EQ(U16(b, 6), 600);
    EXPECT_EQ(U16(b, 8), 1111) << "FPS stood before VRESO, so the forward scan has passed it";
    EXPECT_EQ(U16(b, 10), 900);
}

TEST(ProjectFormat, SectionsTellRepeatedKeyNamesApart) {
    Block b{};
    ParseProjectLines({"[LOGOINFO]", "HPOS0=5", "[MOSAICSETT]", "HPOS0=6"}, b.data());
    // Mosaic keys come before logo keys in the table: the mosaic HPOS0 is sought first and found
    // in its own section after the logo line; the logo key then finds nothing after it.
    EXPECT_EQ(U32(b, 48), 6u);
    EXPECT_EQ(U16(b, 2210), 0);
}

TEST(ProjectFormat, KeysAreExactAndCaseSensitive) {
    Block b{};
    EXPECT_EQ(ParseProjectLines({"[OUTPUTRESO]", " HRESO=800", "hreso=801", "HRESO =802", "[outputreso]", "VRESO=9"},
                                b.data()),
              0u);
    EXPECT_EQ(U16(b, 4), 0);
}

TEST(ProjectFormat, RealsOutsideAFloatBecomeInfinities) {
    Block b{};
    ParseProjectLines({"[PICCOMMSETT]", "GAMMA=1e300"}, b.data());
    EXPECT_TRUE(std::isinf(F32(b, 32)));
    ParseProjectLines({"[PICCOMMSETT]", "GAMMA=-1e39"}, b.data());
    EXPECT_TRUE(std::isinf(F32(b, 32)) && F32(b, 32) < 0);
}
