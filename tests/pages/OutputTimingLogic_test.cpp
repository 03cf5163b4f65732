// The output page's timing arithmetic: pixel-clock limits, the checks while typing, the guard
// before Apply, and the commands after a resolution change.
#include <gtest/gtest.h>

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "pages/OutputTimingLogic.h"

namespace {
using E = TimingEdit;

TimingValues Timing(float ha, float va, float fps, float ht, float vt, float hs, float vs, float hbp,
                    float vbp) {
    TimingValues v;
    v[E::HActive] = ha;
    v[E::VActive] = va;
    v[E::Fps] = fps;
    v[E::HTotal] = ht;
    v[E::VTotal] = vt;
    v[E::HSync] = hs;
    v[E::VSync] = vs;
    v[E::HBackPorch] = hbp;
    v[E::VBackPorch] = vbp;
    return v;
}

int64_t ClockOf(const TimingValues& v) {
    return static_cast<int64_t>(static_cast<double>(v.Whole(E::HTotal)) * v.Whole(E::VTotal) *
                                (FrameRateTimes100(v[E::Fps]) / 100.0));
}
} // namespace

TEST(EditRanges, MatchThePageTable) {
    const struct {
        int Id;
        float Min, Max;
        const char* Format;
    } expected[] = {{1323, 640, 4080, "%d"}, {1024, 480, 4080, "%d"}, {1326, 23, 120, "%0.2f"},
                    {1081, 680, 4094, "%d"}, {1083, 492, 4094, "%d"}, {1087, 4, 128, "%d"},
                    {1085, 4, 128, "%d"},    {1089, 4, 512, "%d"},    {1091, 4, 512, "%d"}};
    for (int i = 0; i < TimingEditCount; ++i) {
        EXPECT_EQ(TimingEditRanges[i].ControlId, expected[i].Id);
        EXPECT_EQ(TimingEditRanges[i].Minimum, expected[i].Min);
        EXPECT_EQ(TimingEditRanges[i].Maximum, expected[i].Max);
        EXPECT_STREQ(TimingEditRanges[i].Format, expected[i].Format);
        EXPECT_EQ(TimingEditIndexOf(expected[i].Id), i);
    }
    EXPECT_EQ(TimingEditIndexOf(1356), -1);
}

TEST(FrameRate, SinglePrecisionProduct) {
    EXPECT_EQ(FrameRateTimes100(59.94f), 5994);
    EXPECT_EQ(FrameRateTimes100(30.5f), 3050);
    EXPECT_EQ(FrameRateTimes100(120.0f), 12000);
    EXPECT_EQ(FrameRateTimes100(-1.0f), 0);
}

TEST(LimitHActive, ByLinesRateAndWish) {
    const struct {
        int Lines, Rate, Wish, Want;
    } rows[] = {
        {2160, 3000, 3840, 1994}, // blank 512, total 4094 (3582), 164500000 / (30 x 2188) = 2506 -> 1994
        {1080, 3000, 3840, 3840}, // blank 128: 3968 x 1108 x 30 = 131,896,320 fits
        {1617, 5000, 1488, 1488}, // 2000 x 1645 x 50 is exactly 164,500,000
        {1617, 5000, 1490, 1488}, {480, 2300, 4080, 3582}, // wide blank: 4094 - 512
        {480, 6000, 4080, 3966},                           // narrow blank: 4094 - 128
        {480, 2300, 1001, 1000},                           // made even
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Lines << " lines " << r.Rate << " wish " << r.Wish);
        EXPECT_EQ(LimitHActive(r.Lines, r.Rate, r.Wish), r.Want);
    }
}

TEST(LimitHActive, UnreachableLimitNeverWraps) {
    const int limit = LimitHActive(4080, 12000, 4080);
    EXPECT_GE(limit, 0);
    EXPECT_LT(limit, 640);
}

TEST(LimitVActive, NarrowBlankFor3840At30Hz) {
    int hActive = 3840;
    // H total 3968: 164500000 / (30 x 3968) = 1381 -> 1353 lines.
    EXPECT_EQ(LimitVActive(2160, 3000, hActive), 1353);
    EXPECT_EQ(hActive, 3840);
}

TEST(LimitVActive, CapsBothTotals) {
    int hActive = 4080;
    const int v = LimitVActive(4080, 2300, hActive);
    EXPECT_EQ(hActive, 3582);
    EXPECT_LE(v, 4066);
    EXPECT_GE(v, 0);
}

TEST(LimitFrameRate, KeepsAFittingRateAndLowersAnother) {
    EXPECT_EQ(LimitFrameRate(1200, 6000, 1920), 6000); // 2048 x 1228 x 60 = 150,896,640
    EXPECT_EQ(LimitFrameRate(1200, 7500, 1920), 6540);
}

TEST(CrossCheck, HiddenFpsLoweredTo6540) {
    TimingValues v = Timing(1920, 1200, 75, 2200, 1250, 44, 5, 148, 36);
    EXPECT_EQ(CrossCheckTiming(v, E::Fps, false), std::vector<E>{E::Fps});
    EXPECT_FLOAT_EQ(v[E::Fps], 65.40f);
}

TEST(CrossCheck, HiddenHActiveUsesWholeHertz) {
    TimingValues v = Timing(3840, 2160, 30, 4094, 2200, 44, 5, 148, 36);
    EXPECT_EQ(CrossCheckTiming(v, E::HActive, false), std::vector<E>{E::HActive});
    EXPECT_EQ(v[E::HActive], 1994);
    TimingValues kept = Timing(3840, 1080, 30, 4094, 1200, 44, 5, 148, 36);
    EXPECT_TRUE(CrossCheckTiming(kept, E::HActive, false).empty());
    EXPECT_EQ(kept[E::HActive], 3840);
}

TEST(CrossCheck, HiddenVActiveMayLowerHActiveToo) {
    TimingValues v = Timing(4080, 4080, 23, 4094, 4094, 44, 5, 148, 36);
    const auto changed = CrossCheckTiming(v, E::VActive, false);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.front(), E::HActive);
    EXPECT_EQ(v[E::HActive], 3582);
}

TEST(CrossCheck, ShownHActiveFromTotalsAndPorches) {
    // 164500000 / (1125 x 60) = 2437; - 148 - 44 - 32 = 2213, made even.
    TimingValues v = Timing(3000, 1080, 60, 2200, 1125, 44, 5, 148, 36);
    EXPECT_EQ(CrossCheckTiming(v, E::HActive, true), std::vector<E>{E::HActive});
    EXPECT_EQ(v[E::HActive], 2212);
}

TEST(CrossCheck, ShownLimitBelowZeroIsZero) {
    TimingValues v = Timing(4080, 4080, 120, 4094, 4094, 128, 128, 512, 512);
    CrossCheckTiming(v, E::HActive, true);
    EXPECT_EQ(v[E::HActive], 0); // the edit then holds its minimum; Apply refuses such a timing
}

TEST(CrossCheck, ShownFpsFromTotals) {
    TimingValues v = Timing(1920, 1080, 75, 2200, 1125, 44, 5, 148, 36);
    EXPECT_EQ(CrossCheckTiming(v, E::Fps, true), std::vector<E>{E::Fps});
    EXPECT_NEAR(v[E::Fps], 164500000.0 / (2200.0 * 1125.0), 1e-3);
}

TEST(CrossCheck, SyncRaisesTheTotalToExactlyTheSum) {
    TimingValues v = Timing(1920, 1080, 60, 2200, 1125, 44, 5, 148, 36);
    v[E::HSync] = 128;
    EXPECT_EQ(CrossCheckTiming(v, E::HSync, true), std::vector<E>{E::HTotal});
    EXPECT_EQ(v[E::HTotal], 1920 + 128 + 148 + 32);
    v[E::VBackPorch] = 100;
    EXPECT_EQ(CrossCheckTiming(v, E::VBackPorch, false), std::vector<E>{E::VTotal});
    EXPECT_EQ(v[E::VTotal], 1080 + 5 + 100 + 4);
    EXPECT_TRUE(CrossCheckTiming(v, E::VTotal, false).empty());
}

TEST(ApplyGuard, RaisesTotalsAndLowersTheRate) {
    // H active typed after H total: the total no longer holds it.
    TimingValues v = Timing(2400, 1080, 60, 2200, 1125, 44, 5, 148, 36);
    ASSERT_TRUE(MakeTimingConsistent(v, true));
    EXPECT_EQ(v[E::HTotal], 2400 + 44 + 148 + 32);
    EXPECT_EQ(v[E::VTotal], 1125);
    // 164500000 / (2624 x 1125) = 55.72 Hz, to whole hundredths below the budget.
    EXPECT_LE(ClockOf(v), PixelClockBudget);
    EXPECT_EQ(FrameRateTimes100(v[E::Fps]), 5572);
}

TEST(ApplyGuard, ActiveSizeLoweredWhereNoTotalHoldsIt) {
    TimingValues v = Timing(4080, 480, 23, 4094, 600, 128, 5, 512, 36);
    ASSERT_TRUE(MakeTimingConsistent(v, true));
    EXPECT_EQ(v[E::HActive], 4094 - 128 - 512 - 32);
    EXPECT_EQ(v[E::HTotal], 4094);
}

TEST(ApplyGuard, RefusesAnUnclockableTiming) {
    TimingValues v = Timing(4000, 4000, 60, 4094, 4094, 44, 5, 48, 36);
    EXPECT_FALSE(MakeTimingConsistent(v, true));
}

TEST(ApplyGuard, LeavesAGoodTimingAlone) {
    TimingValues v = Timing(1920, 1080, 59.94f, 2200, 1125, 44, 5, 148, 36);
    const TimingValues before = v;
    ASSERT_TRUE(MakeTimingConsistent(v, true));
    for (int i = 0; i < TimingEditCount; ++i)
        EXPECT_EQ(v.Value[i], before.Value[i]);
}

TEST(ApplyGuard, HiddenGroupKeepsSizeAndRateToStandardBlanking) {
    // Hidden totals 2600 x 1250 would hold no more than 50.61 Hz: they are not the operator's to see.
    const struct {
        float HActive, VActive, Fps;
        int WantHActive, WantVActive, WantRate;
    } rows[] = {
        {1920, 1080, 60, 1920, 1080, 6000},
        {3840, 1080, 30, 3840, 1080, 3000}, // H blank 128: 3968 x 1108 x 30 = 131,896,320
        {1920, 1200, 60, 1920, 1200, 6000}, // 2048 x 1228 x 60 = 150,896,640
        {1920, 1200, 75, 1920, 1200, 6540}, // 164500000 / (1228 x 2048) = 65.40
        // 18.36 Hz would fit, below the lowest 23 Hz: the size gives way at 23 Hz, H blank 512,
        // 164500000 / (23 x 2188) = 3268 -> H active 2756.
        {3840, 2160, 30, 2756, 2160, 2300},
        // 164500000 / (23 x 4028) = 1775 -> 1263, made even; then 1774 x 4028 x 23 = 164,350,456 fits.
        {4000, 4000, 60, 1262, 4000, 2300},
        // Lowered across 52 Hz the rate takes the 512-pixel blank and is lowered again:
        // 164500000 / (2688 x 1468) = 41.68, then 164500000 / (3072 x 1468) = 36.47.
        {2560, 1440, 60, 2560, 1440, 3647},
        // 164500000 / (2176 x 1564) = 48.33, then 164500000 / (2560 x 1564) = 41.08.
        {2048, 1536, 60, 2048, 1536, 4108},
        // 4080 + 128 passes the 4094 cap: 164500000 / (4094 x 1108) = 36.26, where the blank of
        // 512 leaves H active 4094 - 512 = 3582.
        {4080, 1080, 60, 3582, 1080, 3626},
        {4080, 1080, 30, 3582, 1080, 3000},
        {3966, 1080, 60, 3582, 1080, 3626},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.HActive << " x " << r.VActive << " at " << r.Fps);
        TimingValues v = Timing(r.HActive, r.VActive, r.Fps, 2600, 1250, 44, 5, 148, 36);
        ASSERT_TRUE(MakeTimingConsistent(v, false));
        EXPECT_EQ(v.Whole(E::HActive), r.WantHActive);
        EXPECT_EQ(v.Whole(E::VActive), r.WantVActive);
        EXPECT_EQ(FrameRateTimes100(v[E::Fps]), r.WantRate);
        EXPECT_EQ(v[E::HTotal], 2600);
        EXPECT_EQ(v[E::VTotal], 1250);
    }
}

// The rule the three standard-blanking checks share: H blank 128 from 52 Hz, and for 3840 x 1080
// or 3840 x 1200 at 30 Hz; 512 otherwise. V blank 28 lines; both totals at most 4094.
bool FitsStandardBlanking(int h, int v, float fps) {
    const int rate = static_cast<int>(fps * 100.0f);
    const bool narrow = rate >= 5200 || (h == 3840 && (v == 1080 || v == 1200) && rate / 100 == 30);
    const int64_t hTotal = h + (narrow ? 128 : 512), vTotal = v + 28;
    return hTotal <= 4094 && vTotal <= 4094 &&
           static_cast<int64_t>(static_cast<double>(hTotal) * static_cast<double>(vTotal) * rate / 100.0) <= 164500000;
}

TEST(ApplyGuard, HiddenGroupSendsOnlyTimingsInsideTheBudgetAndKeepsFittingOnesAsTyped) {
    const float hs[] = {640, 1024, 1280, 1920, 2048, 2560, 3000, 3582, 3840, 3966, 4080};
    const float vs[] = {480, 720, 1080, 1200, 1440, 2160, 3000, 4080};
    const float rates[] = {23, 24, 29.97f, 30, 30.5f, 31, 50, 51.99f, 52, 59.94f, 60, 75, 120};
    int kept = 0, lowered = 0;
    for (float h : hs)
        for (float vActive : vs)
            for (float fps : rates) {
                SCOPED_TRACE(testing::Message() << h << " x " << vActive << " at " << fps);
                TimingValues v = Timing(h, vActive, fps, 2600, 1250, 44, 5, 148, 36);
                const TimingValues typed = v;
                ASSERT_TRUE(MakeTimingConsistent(v, false));
                EXPECT_TRUE(FitsStandardBlanking(v.Whole(E::HActive), v.Whole(E::VActive), v[E::Fps]));
                EXPECT_GE(v[E::Fps], 23.0f);
                if (FitsStandardBlanking(static_cast<int>(h), static_cast<int>(vActive), fps)) {
                    ++kept;
                    for (int i = 0; i < TimingEditCount; ++i) EXPECT_EQ(v.Value[i], typed.Value[i]) << "edit " << i;
                } else {
                    ++lowered;
                }
            }
    // Both kinds are well represented.
    EXPECT_GT(kept, 200);
    EXPECT_GT(lowered, 200);
}

TEST(ResolutionRow, IndexBeyondTheTableIsCustom) {
    EXPECT_EQ(ResolutionRowOf(0), 0u);
    EXPECT_EQ(ResolutionRowOf(17), 17u);
    EXPECT_EQ(ResolutionRowOf(18), 18u);
    EXPECT_EQ(ResolutionRowOf(40), 18u);
    EXPECT_EQ(ResolutionRowOf(0xFFFFFFFFu), 18u);
}

TEST(ResolutionTable, NamesAndSizesOfTheRows) {
    ResetDeviceState();
    const DeviceState& s = GetDeviceState();
    const struct {
        const char* Name;
        uint16_t W, H, Rate;
    } rows[18] = {{"1024 x 768      60Hz", 1024, 768, 6000},   {"1280 x 1024    60Hz", 1280, 1024, 6000},
                  {"1024 x 768      120Hz", 1024, 768, 12000}, {"1280 x 720    59.94Hz", 1280, 720, 5994},
                  {"1280 x 720      60Hz", 1280, 720, 6000},   {"1440 x 900      60Hz", 1440, 900, 6000},
                  {"1600 x 1200    60Hz", 1600, 1200, 6000},   {"1600 x 1200 60Hz Redc.", 1600, 1200, 6000},
                  {"1680 x 1050    60Hz", 1680, 1050, 6000},   {"1920 x 1080    59.94Hz", 1920, 1080, 5994},
                  {"1920 x 1080    60Hz", 1920, 1080, 6000},   {"1920 x 1080    50Hz", 1920, 1080, 5000},
                  {"2176 x 1168    60Hz", 2176, 1168, 6000},   {"1920 x 1200    60Hz", 1920, 1200, 6000},
                  {"1936 x 1280    60Hz", 1936, 1280, 6000},   {"2048 x 1152    60Hz", 2048, 1152, 6000},
                  {"1024 x 1280    60Hz", 1024, 1280, 6000},   {"1536 x 1536    60Hz", 1536, 1536, 6000}};
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(s.ResolutionTable[i].Name, rows[i].Name);
        EXPECT_EQ(s.ResolutionTable[i].Width, rows[i].W);
        EXPECT_EQ(s.ResolutionTable[i].Height, rows[i].H);
        EXPECT_EQ(s.ResolutionTable[i].FrameRate, rows[i].Rate);
    }
}

TEST(FollowUps, ByPathSwitcherAndLogo) {
    ResetDeviceState();
    DeviceState& s = GetDeviceState();
    auto commands = [](const std::vector<QueuedCommand>& q) {
        std::vector<int> out;
        for (const QueuedCommand& c : q)
            out.push_back(c.Command * 10 + c.Argument);
        return out;
    };
    EXPECT_EQ(commands(ResolutionFollowUps(s, true)), (std::vector<int>{540, 541, 542, 543, 700}));
    EXPECT_EQ(commands(ResolutionFollowUps(s, false)), (std::vector<int>{540, 541, 542, 543}));
    s.SwitcherSettings.Mode = 1;
    s.LogoSettings.Pip3Usage = 1;
    EXPECT_EQ(commands(ResolutionFollowUps(s, true)), (std::vector<int>{540, 541, 542, 543, 600, 580, 700}));
    EXPECT_EQ(commands(ResolutionFollowUps(s, false)), (std::vector<int>{540, 541, 542, 543, 600}));
    ResetDeviceState();
}
