#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "preview/settings/VideoSettingModel.h"
#include "support/RecordingCommLink.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

// The 32-byte block of command 25: the nine named bytes, the rest 0x55.
std::vector<uint8_t> Block25(std::initializer_list<int> first9) {
    std::vector<uint8_t> block(32, 0x55);
    size_t at = 0;
    for (int byte : first9) block[at++] = static_cast<uint8_t>(byte);
    return block;
}

struct VideoSettingTest : ::testing::Test {
    void SetUp() override {
        ResetDeviceState();
        UiStrings[142] = "Update Failure";
        UiStrings[143] = "Success, Pls Restart the Machine";
    }
    void TearDown() override { ResetDeviceState(); }

    std::vector<LinkCall> Sent() const { return scoped.Link.CallsOf("SendCommand"); }
    std::vector<uint8_t> LastBlock() const {
        const auto sent = Sent();
        return sent.empty() ? std::vector<uint8_t>{} : sent.back().Bytes;
    }
    static std::array<uint8_t, 10> Reply(std::initializer_list<int> bytes) {
        std::array<uint8_t, 10> reply{};
        size_t at = 0;
        for (int byte : bytes) reply[at++] = static_cast<uint8_t>(byte);
        return reply;
    }

    ScopedRecordingLink scoped;
    DeviceState& state = GetDeviceState();
    VideoSettingModel page;
};

} // namespace

TEST(VideoEncoderTables, PresetsAndResolutionsAsTheDeviceKnowsThem) {
    struct Row { int text, fps, code, kbps; };
    const Row presets[] = {{138, 15, 21, 1024}, {139, 15, 7, 3072}, {140, 7, 16, 6144}, {141, 7, 17, 8192}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(EncoderQualityPresets[i].UiString, presets[i].text);
        EXPECT_EQ(EncoderQualityPresets[i].FrameRate, presets[i].fps);
        EXPECT_EQ(EncoderQualityPresets[i].ResolutionCode, presets[i].code);
        EXPECT_EQ(EncoderQualityPresets[i].Kbps, presets[i].kbps);
    }
    EXPECT_EQ(DefaultUiStrings[138], "Fluency");
    EXPECT_EQ(DefaultUiStrings[141], "Ultra Clear");
    const std::pair<const char*, int> list[] = {{"352*240", 1},  {"480*270", 21}, {"640*360", 20},
                                                {"640*480", 7},  {"960*540", 19}, {"1280*720", 16},
                                                {"1920*1080", 17}};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(PreviewResolutions[i].Text, list[i].first);
        EXPECT_EQ(PreviewResolutions[i].Code, list[i].second);
    }
    EXPECT_EQ(PreviewResolutions[StartResolutionItem].Text, "1920*1080");
    EXPECT_EQ(FindPreviewResolution(21)->Width, 480);
    EXPECT_EQ(FindPreviewResolution(21)->Height, 270);
    EXPECT_EQ(FindPreviewResolution(19)->Width, 960);
    EXPECT_FALSE(FindPreviewResolution(2));
    EXPECT_EQ(QualityForResolutionCode(17), 3);
    EXPECT_FALSE(QualityForResolutionCode(1));
}

TEST_F(VideoSettingTest, UltraClearSendsItsPresetTwice) {
    EXPECT_EQ(page.OnQualityChosen(state, 3), uint8_t{17});
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].Command, uint32_t{CmdPreviewEncoder});
    EXPECT_EQ(LastBlock(), Block25({0x00, 0x07, 0x11, 0x20, 0x00, 0x07, 0x11, 0x20, 0x00}));
    EXPECT_EQ(page.CurrentQuality, 3);
    EXPECT_EQ(page.FrameRate, 15); // the edits wait for the device's reply
    EXPECT_EQ(page.Kbps, 6144);
    EXPECT_FALSE(page.OnQualityChosen(state, 4));
    EXPECT_FALSE(page.OnQualityChosen(state, -1));
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(VideoSettingTest, AResolutionChoiceSendsTheEditsValuesWithItsCode) {
    page.FrameRate = 25;
    page.Kbps = 2000; // 0x07D0
    EXPECT_EQ(page.OnResolutionChosen(state, 2), uint8_t{20});
    EXPECT_EQ(LastBlock(), Block25({0, 25, 20, 0x07, 0xD0, 25, 20, 0x07, 0xD0}));
    EXPECT_EQ(page.ResolutionItem, 2u);
    EXPECT_FALSE(page.OnResolutionChosen(state, 7));
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(VideoSettingTest, AnEditCommitSendsOnceAndFourFF) {
    page.FrameRate = 60;
    page.Kbps = 40960; // 0xA000
    page.OnEditCommitted(state);
    EXPECT_EQ(LastBlock(), Block25({0, 60, 17, 0xA0, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    page.ResolutionItem = 0;
    page.FrameRate = 1;
    page.Kbps = 2;
    page.OnEditCommitted(state);
    EXPECT_EQ(LastBlock(), Block25({0, 1, 1, 0, 2, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(VideoSettingTest, ASettingsReplySelectsTheQualityAndPostsOnlyOnChange) {
    // The first report always posts, even for the quality the list starts with.
    EXPECT_EQ(page.UpdateFromDevice(Reply({2, 0, 15, 21, 0x04, 0x00})), uint8_t{21});
    EXPECT_EQ(page.CurrentQuality, 0);
    EXPECT_EQ(page.FrameRate, 15);
    EXPECT_EQ(page.Kbps, 1024);
    EXPECT_EQ(page.ResolutionItem, 1u); // "480*270"
    EXPECT_FALSE(page.UpdateFromDevice(Reply({2, 0, 12, 21, 0x05, 0x00})));
    EXPECT_EQ(page.FrameRate, 12);
    EXPECT_EQ(page.Kbps, 1280);
    EXPECT_EQ(page.UpdateFromDevice(Reply({2, 0, 7, 16, 0x18, 0x00})), uint8_t{16});
    EXPECT_EQ(page.QualityItem, 2);
    EXPECT_EQ(page.ResolutionItem, 5u);
    EXPECT_TRUE(Sent().empty()); // a reply sends nothing
}

TEST_F(VideoSettingTest, SettingsReplyCodesAfterUltraClear) {
    // From Ultra Clear ("1920*1080", 7 fps, 8192 kbps) a reply of 30 fps, 2048 kbps: a size in the
    // resolution list shows with its rates, the quality list moving only for a preset's size.
    struct Row { int code; std::optional<uint8_t> post; size_t item; int quality, fps, kbps; };
    const Row rows[] = {{1, std::nullopt, 0, 3, 30, 2048},  {19, std::nullopt, 4, 3, 30, 2048},
                        {20, std::nullopt, 2, 3, 30, 2048}, {21, 21, 1, 0, 30, 2048},
                        {0, std::nullopt, 6, 3, 7, 8192},   {99, std::nullopt, 6, 3, 7, 8192}};
    for (const Row& row : rows) {
        VideoSettingModel model;
        model.UpdateFromDevice(Reply({2, 0, 7, 17, 0x20, 0x00}));
        const auto post = model.UpdateFromDevice(Reply({2, 0, 30, row.code, 0x08, 0x00}));
        EXPECT_EQ(std::tuple(post, model.ResolutionItem, model.QualityItem, model.FrameRate, model.Kbps),
                  std::tuple(row.post, row.item, row.quality, row.fps, row.kbps)) << row.code;
        model.FrameRate = 20; // typed: sent with the size and bit rate shown
        model.OnEditCommitted(state);
        EXPECT_EQ(LastBlock(), Block25({0, 20, PreviewResolutions[row.item].Code, row.kbps >> 8, row.kbps & 0xFF,
                                        0xFF, 0xFF, 0xFF, 0xFF})) << row.code;
    }
}

TEST_F(VideoSettingTest, AddressAndVersionReplies) {
    page.UpdateFromDevice(Reply({0, 9, 9, 9, 9, 127, 0, 0, 1}));
    EXPECT_EQ(page.EncoderIp, "127.0.0.1");
    page.UpdateFromDevice(Reply({0, 0, 0, 0, 0, 192, 168, 10, 254}));
    EXPECT_EQ(page.EncoderIp, "192.168.10.254");
    page.UpdateFromDevice(Reply({1, 0x01, 0x2A}));
    EXPECT_EQ(page.VersionText, "Version:012a");
    page.UpdateFromDevice(Reply({1, 0xFF, 0xFF}));
    EXPECT_EQ(page.VersionText, "Version:ffff");
    EXPECT_FALSE(page.UpdateFromDevice(Reply({3, 1, 2, 3})));
    EXPECT_EQ(page.VersionText, "Version:ffff");
}

TEST_F(VideoSettingTest, ProgressTextAtEveryTenthAndTheEnds) {
    EXPECT_FALSE(page.ProgressTextShown);
    page.SetProgress(39);
    EXPECT_EQ(page.ProgressPosition, 39);
    EXPECT_FALSE(page.ProgressTextShown);
    page.SetProgress(90);
    EXPECT_EQ(page.ProgressText, "90%");
    page.SetProgress(95);
    EXPECT_EQ(page.ProgressText, "90%"); // no new text
    EXPECT_EQ(page.ProgressPosition, 95);
    page.SetProgress(100);
    EXPECT_EQ(page.ProgressText, "Success, Pls Restart the Machine");
    EXPECT_EQ(page.ProgressPosition, 100);
    page.SetProgress(-1);
    EXPECT_EQ(page.ProgressText, "Update Failure");
    EXPECT_TRUE(page.ProgressTextShown);
    EXPECT_EQ(page.ProgressPosition, 100); // the failure leaves the slider
    page.SetProgress(0);
    EXPECT_EQ(page.ProgressText, "0%");
}
