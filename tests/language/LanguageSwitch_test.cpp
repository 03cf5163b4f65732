// The language switch in the real program: the system page's "中 文" turns every window Chinese
// and "English" turns it back, hidden controls stay hidden, and a zh_CN locale starts in
// Chinese. The texts are read from the list the program keeps for tests ("language: ..." lines).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

namespace {
// Client positions at 96 dpi in the 1280 x 728 window.
constexpr int PageButtonX = 37;
constexpr int PageButtonY(int index) {
    return 104 + 36 * index + 18;
}
constexpr int OutputPage = 1, MiscPage = 9, CommPage = 10;
// The language choices and the keyer tab of the system page (docked at 77, 106).
constexpr int EnglishX = 77 + 50 + 20, ChineseX = 77 + 190 + 20, LanguageY = 106 + 80 + 9;
constexpr int KeyerTabX = 77 + 80 + 40, KeyerTabY = 106 + 26 + 16;

// Lines of the same texts in English and in Chinese: page buttons, output page labels, search
// page buttons, a pop-up's title, and controls that are hidden (and must stay so).
struct Text {
    const char* English;
    const char* Chinese;
};
const Text Texts[] = {
    {"102 1021 PICTURE", "102 1021 图像"},
    {"102 1178 COMM", "102 1178 通讯"},
    {"102 1472 Lock Output (hidden)", "102 1472 锁定输出 (hidden)"},
    {"117 1075 Apply", "117 1075 应用"},
    {"117 1328 More >", "117 1328 更多 >"},
    {"179 1191 SEARCH", "179 1191 搜索"},
    {"179 1184 Connect", "179 1184 连接"},
    {"154 window Chroma Keyer Settings", "154 window 抠像设置"},
    // The TOP buttons' own small window and the Loop-Out group drawn over the input strip.
    {"102 1446 TOP-M", "102 1446 置顶-M"},
    {"102 1449 TOP-3", "102 1449 置顶-3"},
    {"102 box 1255 Loop Out", "102 box 1255 环出"},
};

class LanguageSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
        std::string pattern = std::filesystem::temp_directory_path().string() + "/velkan-lang-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Home = pattern + "/";
        std::filesystem::copy(VELKAN_LANGUAGE_DIR, Home + "Language");
        for (const char* variable : {"LC_ALL", "LC_MESSAGES"})
            unsetenv(variable);
    }
    void TearDown() override {
        Program.reset();
        std::error_code ignored;
        std::filesystem::remove_all(Home, ignored);
    }
    bool ShowsAll(bool chinese) const {
        for (const Text& text : Texts)
            if (!Program->WaitForShown(
                    {std::string("language: ") + (chinese ? text.Chinese : text.English)})) {
                ADD_FAILURE() << "not shown: " << (chinese ? text.Chinese : text.English) << "\n"
                              << Program->ShownTexts();
                return false;
            }
        return true;
    }
    std::string Home;
    std::unique_ptr<ProgramUnderTest> Program;
};

TEST_F(LanguageSwitch, SystemPageSwitchesEveryWindowToChineseAndBack) {
    setenv("LANG", "en_US.UTF-8", 1);
    Program = std::make_unique<ProgramUnderTest>(Home);
    ASSERT_TRUE(Program->Start());
    ASSERT_TRUE(ShowsAll(false));

    Program->Click(PageButtonX, PageButtonY(MiscPage));
    Program->Click(ChineseX, LanguageY);
    ASSERT_TRUE(ShowsAll(true));
    EXPECT_TRUE(Program->SaveScreenshot(Artifact("language_zh_system_page.png")));
    Program->Click(KeyerTabX, KeyerTabY);
    EXPECT_TRUE(Program->SaveScreenshot(Artifact("language_zh_keyer_popup.png")));
    Program->Click(KeyerTabX - 80, KeyerTabY);
    Program->Click(PageButtonX, PageButtonY(OutputPage));
    EXPECT_TRUE(Program->SaveScreenshot(Artifact("language_zh_output_page.png")));
    Program->Click(PageButtonX, PageButtonY(CommPage));
    EXPECT_TRUE(Program->SaveScreenshot(Artifact("language_zh_comm_page.png")));

    Program->Click(PageButtonX, PageButtonY(MiscPage));
    Program->Click(EnglishX, LanguageY);
    EXPECT_TRUE(ShowsAll(false));
}

TEST_F(LanguageSwitch, ChineseLocaleStartsInChinese) {
    setenv("LANG", "zh_CN.UTF-8", 1);
    Program = std::make_unique<ProgramUnderTest>(Home);
    ASSERT_TRUE(Program->Start());
    EXPECT_TRUE(ShowsAll(true));
    EXPECT_TRUE(Program->SaveScreenshot(Artifact("language_zh_main_window.png")));
}

} // namespace
