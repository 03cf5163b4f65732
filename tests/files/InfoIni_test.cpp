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
    EXPECT_EQ(FormatNameIndex("HPOS", 2), "HPOS2");
    EXPECT_EQ(FormatNameIndex(FormatNameIndex("BRIGHTNESS", 11), 3), "BRIGHTNESS113");
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

// The project file's own reader: exact, forward only.
class ProjectScanner : public ::testing::Test {
protected:
    void Open(const std::string& bytes) {
        WriteBytes(folder_ / "p.pro", bytes);
        CurrentSection.clear();
        ASSERT_TRUE(file_.Open(folder_ / "p.pro", CStdioFileEx::modeRead | CStdioFileEx::typeText));
    }
    ScratchFolder folder_;
    CStdioFileEx file_;
};

TEST_F(ProjectScanner, FindsKeysInOrderAndNeverRewinds) {
    Open("[OUTPUTRESO]\r\nRESOINDEX=5\r\nHRESO=1920\r\n[PICCOMMSETT]\r\nGAMMA=2.200000\r\n");
    std::string value;
    ReadIniKeyFromFile(value, &file_, "OUTPUTRESO", "HRESO");
    EXPECT_EQ(value, "1920");
    ReadIniKeyFromFile(value, &file_, "PICCOMMSETT", "GAMMA");
    EXPECT_EQ(value, "2.200000");
    EXPECT_EQ(CurrentSection, "PICCOMMSETT");
    value = "kept";
    ReadIniKeyFromFile(value, &file_, "OUTPUTRESO", "RESOINDEX"); // already passed
    EXPECT_EQ(value, "kept");
}

TEST_F(ProjectScanner, MissingKeyLeavesTheValueAndTheFileAtItsEnd) {
    Open("[A]\r\nK=1\r\nL=2\r\n");
    std::string value = "before";
    ReadIniKeyFromFile(value, &file_, "A", "MISSING");
    EXPECT_EQ(value, "before");
    ReadIniKeyFromFile(value, &file_, "A", "L");
    EXPECT_EQ(value, "before");
}

TEST_F(ProjectScanner, DuplicateKeyIsFoundOncePerCallInFileOrder) {
    Open("[KEYERINFO]\r\nKEYERREDL=10\r\nKEYERREDL=200\r\n");
    std::string value;
    ReadIniKeyFromFile(value, &file_, "KEYERINFO", "KEYERREDL");
    EXPECT_EQ(value, "10");
    ReadIniKeyFromFile(value, &file_, "KEYERINFO", "KEYERREDL");
    EXPECT_EQ(value, "200");
}

TEST_F(ProjectScanner, NothingIsTrimmedOrFoldedInCase) {
    Open("[A]\r\n K=blank\r\nk=lower\r\n[a]\r\nK=wrong section\r\n[A]\r\nK= spaced \r\n");
    std::string value;
    ReadIniKeyFromFile(value, &file_, "A", "K");
    EXPECT_EQ(value, " spaced ");
}

TEST_F(ProjectScanner, SectionLineWithoutCloseEmptiesTheSection) {
    Open("[A]\r\n[B\r\nK=1\r\n[A]\r\nK=2\r\n");
    std::string value;
    ReadIniKeyFromFile(value, &file_, "A", "K");
    EXPECT_EQ(value, "2");
}

TEST_F(ProjectScanner, ReadsUtf16ProjectFiles) {
    Open("\xFF\xFE" + Utf16Le(u"[OUTPUTRESO]\r\nRESOINDEX=3\r\n"));
    std::string value;
    ReadIniKeyFromFile(value, &file_, "OUTPUTRESO", "RESOINDEX");
    EXPECT_EQ(value, "3");
}

TEST(ProjectLines, WritersProduceExactLines) {
    ScratchFolder folder;
    {
        CStdioFileEx file(folder / "w.pro", CStdioFileEx::modeCreate | CStdioFileEx::modeWrite);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_TRUE(WriteIniSection(&file, "OUTPUTRESO"));
        EXPECT_TRUE(WriteIniKey(&file, "A", "1"));
        EXPECT_TRUE(WriteIniKey(&file, "GAMMA", FormatFloat(2.2f)));
        ASSERT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadBytes(folder / "w.pro"), "[OUTPUTRESO]\r\nA=1\r\nGAMMA=2.200000\r\n");
    EXPECT_FALSE(WriteIniSection(nullptr, "X"));
    EXPECT_FALSE(WriteIniKey(nullptr, "A", "1"));
    std::string value = "same";
    ReadIniKeyFromFile(value, nullptr, "A", "B");
    EXPECT_EQ(value, "same");
}
