#include "FileTestSupport.h"

#include "app/AppGlobals.h"
#include "app/AppStartup.h"
#include "app/DialogLanguage.h"
#include "app/Language.h"
#include "app/ProfileIni.h"
#include "app/UiStrings.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const std::string ShippedLanguageFolder = VELKAN_LANGUAGE_SOURCE_DIR "/";

// Sets or clears one environment variable for a test's lifetime.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~EnvVar() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

void ResetUiStrings() {
    for (size_t i = 0; i < UiStringCount; ++i) UiStrings[i] = DefaultUiStrings[i];
}

// A program folder with its own Language/ folder and Info.ini.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(folder_ / "Language");
        InfoIniPath = folder_ / "Info.ini";
        ActiveLanguageFilePath.clear();
        ResetUiStrings();
    }
    void TearDown() override {
        InfoIniPath.clear();
        ActiveLanguageFilePath.clear();
        ResetUiStrings();
    }
    void InstallShippedFiles() {
        for (const char* name : {"English.ini", "Chinese.ini"})
            std::filesystem::copy_file(ShippedLanguageFolder + name, folder_ / "Language/" + name);
    }
    void WriteLanguageFile(const std::string& name, const std::string& text) {
        WriteBytes(folder_ / "Language/" + name, text);
    }
    ScratchFolder folder_;
    ProgramFolderAt home_{folder_.Path()};
};

} // namespace

TEST(UiStrings, BuiltInEnglishTextsAsTheProgramShowsThem) {
    ASSERT_EQ(DefaultUiStrings.size(), 161u);
    EXPECT_EQ(DefaultUiStrings[0], "Picture Mode");
    EXPECT_EQ(DefaultUiStrings[15], "EDID Selcet");
    EXPECT_EQ(DefaultUiStrings[31], "Please Select A Ip");
    EXPECT_EQ(DefaultUiStrings[42], " User ");
    EXPECT_EQ(DefaultUiStrings[43], " White On Black1");
    EXPECT_EQ(DefaultUiStrings[57], " Standard ");
    EXPECT_EQ(DefaultUiStrings[64], " User ");
    EXPECT_EQ(DefaultUiStrings[65], "Waitting Operation ...");
    EXPECT_EQ(DefaultUiStrings[82], "Getting Data From Desitination... ");
    EXPECT_EQ(DefaultUiStrings[84], "Set Data To Desitination...");
    EXPECT_EQ(DefaultUiStrings[96], "Customized  Resolution");
    EXPECT_EQ(DefaultUiStrings[99], "Logo Position is changed, please Load logo");
    EXPECT_EQ(DefaultUiStrings[100], " Free Run");
    EXPECT_EQ(DefaultUiStrings[102], " Lock To Genlock");
    EXPECT_EQ(DefaultUiStrings[124], " Right");
    EXPECT_EQ(DefaultUiStrings[136], "In Serial Interface mode Take Function is not available");
    EXPECT_EQ(DefaultUiStrings[143], "Success, Pls Restart the Machine");
    EXPECT_EQ(DefaultUiStrings[147], "Auto");
    EXPECT_EQ(DefaultUiStrings[148], "Auto(Default HDMI)");
    EXPECT_EQ(DefaultUiStrings[160], "PIP3 Input Source Is  Signal Off");
    for (size_t i = 0; i < UiStringCount; ++i) EXPECT_EQ(UiStrings[i], DefaultUiStrings[i]) << i;
}

TEST(ShippedLanguageFiles, EnglishHoldsEveryTextExactlyAsBuiltIn) {
    ProfileIni file;
    ASSERT_TRUE(file.Load(ShippedLanguageFolder + "English.ini"));
    EXPECT_EQ(file.Find("Setting", "Language"), "English");
    for (size_t n = 0; n < UiStringCount; ++n)
        EXPECT_EQ(file.Find("String", "SIDS_" + std::to_string(n)), std::string(DefaultUiStrings[n])) << n;
}

TEST(ShippedLanguageFiles, ChineseHoldsEveryTextTranslatedWithTheSameBlanks) {
    ProfileIni file;
    ASSERT_TRUE(file.Load(ShippedLanguageFolder + "Chinese.ini"));
    EXPECT_EQ(file.Find("Setting", "Language"), "Chinese");
    size_t translated = 0;
    for (size_t n = 0; n < UiStringCount; ++n) {
        const auto text = file.Find("String", "SIDS_" + std::to_string(n));
        ASSERT_TRUE(text.has_value()) << n;
        ASSERT_FALSE(text->empty()) << n;
        // Drop lists line their items up by the leading blank.
        EXPECT_EQ(text->front() == ' ', DefaultUiStrings[n].front() == ' ') << n;
        if (*text != DefaultUiStrings[n]) ++translated;
    }
    EXPECT_EQ(translated, UiStringCount);
    EXPECT_EQ(file.Find("String", "SIDS_0"), "\u56FE\u50CF\u6A21\u5F0F");
}

TEST(SystemLanguage, ChineseOnlyForSimplifiedChineseLocales) {
    EXPECT_EQ(GetLanguageNameForLocale("zh_CN.UTF-8"), "Chinese");
    EXPECT_EQ(GetLanguageNameForLocale("zh_CN.GB2312"), "Chinese");
    EXPECT_EQ(GetLanguageNameForLocale("zh_CN"), "Chinese");
    EXPECT_EQ(GetLanguageNameForLocale("zh_TW.UTF-8"), "English");
    EXPECT_EQ(GetLanguageNameForLocale("zh_CNX"), "English");
    EXPECT_EQ(GetLanguageNameForLocale("en_US.UTF-8"), "English");
    EXPECT_EQ(GetLanguageNameForLocale("C"), "English");
    EXPECT_EQ(GetLanguageNameForLocale(""), "English");
}

TEST(SystemLanguage, LocaleVariablesInTheirOrder) {
    EnvVar all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr), lang("LANG", "zh_CN.UTF-8");
    EXPECT_EQ(GetDefaultLanguageName(), "Chinese");
    {
        EnvVar override_messages("LC_MESSAGES", "en_US.UTF-8");
        EXPECT_EQ(GetDefaultLanguageName(), "English");
        EnvVar override_all("LC_ALL", "zh_CN.UTF-8");
        EXPECT_EQ(GetDefaultLanguageName(), "Chinese");
    }
    EnvVar none("LANG", nullptr);
    EXPECT_EQ(GetDefaultLanguageName(), "English");
}

TEST_F(LanguageTest, StartUpPicksChineseUnderZhCnEvenWhenInfoIniSaysEnglish) {
    InstallShippedFiles();
    WriteBytes(InfoIniPath, "[Setting]\r\nLanguage=English\r\n");
    EnvVar all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr), lang("LANG", "zh_CN.UTF-8");
    InfoIniPath.clear();
    InitSettingsAndLanguage();
    EXPECT_EQ(InfoIniPath, folder_ / "Info.ini");
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/Chinese.ini");
    EXPECT_EQ(GetLanguageSetting(), "Chinese");
    LoadLanguageStrings();
    EXPECT_EQ(UiStrings[0], "\u56FE\u50CF\u6A21\u5F0F");
    EXPECT_EQ(UiStrings[42], " \u7528\u6237 ");
}

TEST_F(LanguageTest, OperatorsChoiceSwitchesBetweenTheTwoFiles) {
    InstallShippedFiles();
    EXPECT_TRUE(SwitchLanguage(1));
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/Chinese.ini");
    EXPECT_EQ(UiStrings[38], "\u63D0\u793A");
    EXPECT_TRUE(SwitchLanguage(0));
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/English.ini");
    EXPECT_EQ(UiStrings[38], "Tips");
    EXPECT_FALSE(SwitchLanguage(2));
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/English.ini");
    EXPECT_EQ(GetLanguageSetting(), "English");
}

TEST_F(LanguageTest, LanguageNameMustMatchExactly) {
    WriteLanguageFile("lower.ini", "[Setting]\r\nLanguage=english\r\n[String]\r\nSIDS_0=lower\r\n");
    WriteLanguageFile("upper.ini", "[Setting]\r\nLanguage=English\r\n[String]\r\nSIDS_0=upper\r\n");
    InitLanguage("English");
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/upper.ini");
}

TEST_F(LanguageTest, TwoFilesForOneLanguageResolveBySortedName) {
    WriteLanguageFile("b.ini", "[Setting]\r\nLanguage=English\r\n");
    WriteLanguageFile("A.INI", "[Setting]\r\nLanguage=English\r\n");
    WriteLanguageFile("c.ini", "[Setting]\r\nLanguage=English\r\n");
    WriteLanguageFile("a.txt", "[Setting]\r\nLanguage=English\r\n");
    InitLanguage("English");
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/A.INI");
}

TEST_F(LanguageTest, NoMatchFallsBackToEnglishIniAndCreatesTheFolder) {
    std::filesystem::remove(folder_ / "Language");
    EXPECT_EQ(InitLanguage("Chinese"), "English");
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "Language"));
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/English.ini");
    EXPECT_FALSE(std::filesystem::exists(ActiveLanguageFilePath));
    EXPECT_EQ(GetLanguageSetting(), "English");
    // With no file at all, every text keeps its built-in English.
    UiStrings[3] = "stale";
    LoadLanguageStrings();
    for (size_t i = 0; i < UiStringCount; ++i) EXPECT_EQ(UiStrings[i], DefaultUiStrings[i]) << i;
}

TEST_F(LanguageTest, EmptyNameTakesTheRecordedLanguage) {
    InstallShippedFiles();
    WriteBytes(InfoIniPath, "[Setting]\r\nLanguage=Chinese\r\n");
    EXPECT_EQ(InitLanguage(""), "Chinese");
    EXPECT_EQ(ActiveLanguageFilePath, folder_ / "Language/Chinese.ini");
}

TEST_F(LanguageTest, MissingKeyKeepsEnglishAndEmptyKeyStaysEmpty) {
    WriteLanguageFile("x.ini", "[Setting]\r\nLanguage=Test\r\n[String]\r\nSIDS_1=Farbe\r\nSIDS_2=\r\n"
                               "SIDS_3=Two\\nLines\r\nSIDS_42=\" Nutzer \"\r\nSIDS_43= Trimmed \r\n");
    InitLanguage("Test");
    LoadLanguageStrings();
    EXPECT_EQ(UiStrings[0], "Picture Mode");
    EXPECT_EQ(UiStrings[1], "Farbe");
    EXPECT_EQ(UiStrings[2], "");
    EXPECT_EQ(UiStrings[3], "Two\nLines");
    EXPECT_EQ(UiStrings[42], " Nutzer ");
    EXPECT_EQ(UiStrings[43], "Trimmed");
    EXPECT_EQ(UiStrings[160], "PIP3 Input Source Is  Signal Off");
    EXPECT_EQ(GetLanguageString("SIDS_3"), "Two\nLines");
    EXPECT_EQ(GetLanguageString("SIDS_99"), "");
}

TEST_F(LanguageTest, WriteLanguageStringChoosesTheFileByWhich) {
    InstallShippedFiles();
    ASSERT_TRUE(WriteLanguageString(LanguageFileEnglish, "SIDS_145", "Fixed to DP2"));
    ASSERT_TRUE(WriteLanguageString(LanguageFileChinese, "SIDS_145", "\u56FA\u5B9A DP2"));
    EXPECT_FALSE(WriteLanguageString(2, "SIDS_145", "nothing"));
    EXPECT_EQ(ReadProfileString(folder_ / "Language/English.ini", "String", "SIDS_145", "", 1000), "Fixed to DP2");
    EXPECT_EQ(ReadProfileString(folder_ / "Language/Chinese.ini", "String", "SIDS_145", "", 1000), "\u56FA\u5B9A DP2");
    // The rest of each file is untouched.
    EXPECT_EQ(ReadProfileString(folder_ / "Language/English.ini", "String", "SIDS_146", "", 1000), "Fixed to DP");
    InitLanguage("Chinese");
    LoadLanguageStrings();
    EXPECT_EQ(UiStrings[145], "\u56FA\u5B9A DP2");
    EXPECT_EQ(UiStrings[0], "\u56FE\u50CF\u6A21\u5F0F");
}

namespace {

// A dialog that records what the language pass does to it.
class RecordingDialog : public LanguageDialog {
public:
    struct Child {
        int Id;
        bool Edit;
        bool Visible;
        std::string Text;
    };
    std::string Caption = "Template caption";
    std::vector<Child> Children;
    std::vector<std::string> Log;

    void SetCaption(const std::string& text) override { Caption = text; }
    size_t ChildCount() const override { return Children.size(); }
    int ChildControlId(size_t c) const override { return Children[c].Id; }
    bool ChildIsEdit(size_t c) const override { return Children[c].Edit; }
    bool ChildIsVisible(size_t c) const override { return Children[c].Visible; }
    void ShowChild(size_t c, bool show) override {
        Children[c].Visible = show;
        Log.push_back((show ? "show " : "hide ") + std::to_string(Children[c].Id));
    }
    void SetChildText(size_t c, const std::string& text) override {
        Children[c].Text = text;
        Log.push_back("text " + std::to_string(Children[c].Id));
    }
};

} // namespace

TEST_F(LanguageTest, DialogTextsComeFromTheActiveFile) {
    WriteLanguageFile("t.ini", "[Setting]\r\nLanguage=Test\r\n[String]\r\nIDD130_Title=Connection\r\n"
                               "IDS_1001=Search\r\nIDS_1002=Hidden one\r\nIDS_1003=Not for edits\r\n"
                               "IDS_1004=\r\nIDS_1005=Two\\nLines\r\n");
    InitLanguage("Test");
    RecordingDialog dialog;
    dialog.Children = {{1001, false, true, "a"}, {1002, false, false, "b"}, {1003, true, true, "c"},
                       {1004, false, true, "d"}, {1005, false, true, "e"}, {1006, false, true, "f"}};
    ApplyLanguageToDialog(dialog, 130);
    EXPECT_EQ(dialog.Caption, "Connection");
    EXPECT_EQ(dialog.Children[0].Text, "Search");
    EXPECT_TRUE(dialog.Children[0].Visible);
    EXPECT_EQ(dialog.Children[1].Text, "Hidden one");
    EXPECT_FALSE(dialog.Children[1].Visible);
    EXPECT_EQ(dialog.Children[2].Text, "c");
    EXPECT_EQ(dialog.Children[3].Text, "d");
    EXPECT_EQ(dialog.Children[4].Text, "Two\\nLines");
    EXPECT_EQ(dialog.Children[5].Text, "f");
    EXPECT_EQ(dialog.Log, (std::vector<std::string>{"hide 1001", "text 1001", "show 1001", "text 1002", "hide 1005",
                                                    "text 1005", "show 1005"}));
    RecordingDialog untitled;
    ApplyLanguageToDialog(untitled, 131);
    EXPECT_EQ(untitled.Caption, "Template caption");
}
