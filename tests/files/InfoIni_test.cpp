#include "FileTestSupport.h"

#include "app/AppGlobals.h"
#include "app/InfoIni.h"
#include "app/Language.h"
#include "app/StdioFileEx.h"

#include <gtest/gtest.h>

#include <locale>

namespace {

class InfoIniTest : public ::testing::Test {
protected:
    void SetUp() override { InfoIniPath = folder_ / "Info.ini"; }
    void TearDown() override { InfoIniPath.clear(); }
    ScratchFolder folder_;
    ProgramFolderAt home_{folder_.Path()};
};

// A C++ locale whose decimal point is a comma, as a German desktop would set it.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

} // namespace

TEST_F(InfoIniTest, ComSettingsRoundTrip) {
    ASSERT_TRUE(SaveComSettings("Info.ini", 7, "1"));
    EXPECT_EQ(ReadBytes(folder_ / "Info.ini"), "[COM]\r\nport=7\r\ntimeout=1\r\n");
    std::string timeout;
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 7);
    EXPECT_EQ(timeout, "1");
}

TEST_F(InfoIniTest, ComPortThatIsNotANumberLoadsZero) {
    WriteBytes(folder_ / "Info.ini", "[COM]\r\nport=COM3\r\ntimeout=123456789012\r\n");
    std::string timeout = "x";
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 0);
    EXPECT_EQ(timeout, "123456789");
    WriteBytes(folder_ / "Info.ini", "[COM]\r\nport=3\r\n");
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 3);
    EXPECT_EQ(timeout, "");
}

TEST_F(InfoIniTest, MissingInfoIniGivesDefaults) {
    std::string timeout = "x";
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 0);
    EXPECT_EQ(timeout, "");
    EXPECT_EQ(GetLanguageSetting(), "English");
    EXPECT_EQ(LoadProjectFilePath(), "");
    EXPECT_EQ(GetIniString(InfoIniPath, "PNAMESTR", "PRESET0-0"), "");
}

TEST_F(InfoIniTest, LanguageAndProjectKeysRoundTrip) {
    ASSERT_TRUE(WriteIniString(InfoIniPath, "Setting", "Language", "Chinese"));
    ASSERT_TRUE(SaveProjectFilePath("/home/op/Project/2026-12-06/2026-12-06.pro"));
    ASSERT_TRUE(SaveComSettings("Info.ini", 12, "1"));
    EXPECT_EQ(GetLanguageSetting(), "Chinese");
    EXPECT_EQ(LoadProjectFilePath(), "/home/op/Project/2026-12-06/2026-12-06.pro");
    std::string timeout;
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 12);
    EXPECT_EQ(ReadBytes(InfoIniPath), "[Setting]\r\nLanguage=Chinese\r\n[Project]\r\n"
                                      "FilePath=/home/op/Project/2026-12-06/2026-12-06.pro\r\n"
                                      "[COM]\r\nport=12\r\ntimeout=1\r\n");
}

TEST_F(InfoIniTest, WindowsInfoIniReadsTheSame) {
    // As the Windows program left it: UTF-16LE, CRLF, a Windows project path.
    WriteBytes(InfoIniPath, "\xFF\xFE" + Utf16Le(u"[COM]\r\nport=4\r\ntimeout=1\r\n[Setting]\r\nLanguage=Chinese\r\n"
                                                 u"[Project]\r\nFilePath=C:\\Velkan\\Project\\a.pro\r\n"
                                                 u"[PNAMESTR]\r\nPRESET1-2=\u5927\u5385\r\n"));
    std::string timeout;
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 4);
    EXPECT_EQ(GetLanguageSetting(), "Chinese");
    EXPECT_EQ(LoadProjectFilePath(), ""); // a Windows path counts as none here
    EXPECT_EQ(GetIniString(InfoIniPath, "PNAMESTR", "PRESET1-2"), "\u5927\u5385");
    ASSERT_TRUE(SaveProjectFilePath("/srv/p.pro"));
    EXPECT_EQ(LoadProjectFilePath(), "/srv/p.pro");
    EXPECT_TRUE(IsFileUnicode(InfoIniPath));
    EXPECT_EQ(GetIniString(InfoIniPath, "PNAMESTR", "PRESET1-2"), "\u5927\u5385");
}

TEST(NumberText, FormattersMatchPrintf) {
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(-1), "-1");
    EXPECT_EQ(FormatInt(2147483647), "2147483647");
    EXPECT_EQ(FormatFloat(2.2f), "2.200000");
    EXPECT_EQ(FormatFloat(-0.5f), "-0.500000");
    EXPECT_EQ(FormatFloat(0.0f), "0.000000");
}

TEST(NumberText, CommaDecimalLocaleChangesNothing) {
    const std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const std::string text = FormatFloat(2.2f);
    const double value = ParseLeadingDouble("2.200000");
    std::locale::global(old);
    EXPECT_EQ(text, "2.200000");
    EXPECT_DOUBLE_EQ(value, 2.2);
}

TEST(NumberText, ParsersTakeTheLeadingNumber) {
    EXPECT_EQ(ParseLeadingInt("3"), 3);
    EXPECT_EQ(ParseLeadingInt("COM3"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("  -12abc"), -12);
    EXPECT_EQ(ParseLeadingInt("+7"), 7);
    EXPECT_EQ(ParseLeadingInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(" 1.5x"), 1.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-2"), -2.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("x"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("1e-999"), 0.0);
}
