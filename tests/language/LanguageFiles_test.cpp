// Both language files against the texts the windows are built with: every page is built (not
// shown) and read back, the main window's own texts come from its table. Each built text needs
// its key in both files, English equal to the built text and Chinese a real translation; no
// file may hold a window key that no window has.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/textctrl.h>

#include "app/AppGlobals.h"
#include "app/ProfileIni.h"
#include "app/UiStrings.h"
#include "connect/MConnectDlg.h"
#include "connect/MSearchMachineDlg.h"
#include "controls/CDropButton.h"
#include "controls/MBaseDialog.h"
#include "controls/PageLanguage.h"
#include "mainwnd/MAboutDlg.h"
#include "mainwnd/MainTexts.h"
#include "pages/MCropDlg.h"
#include "pages/MEdidDlg.h"
#include "pages/MKeyerDlg.h"
#include "pages/MLogoDlg.h"
#include "pages/MMediaPlayerDlg.h"
#include "pages/MMiscDlg.h"
#include "pages/MMosaicDlg.h"
#include "pages/MOutputDlg.h"
#include "pages/MPIPDlg.h"
#include "pages/MPicSettingDlg.h"
#include "pages/MSubTitleDlg.h"
#include "pages/MSwitcherDlg.h"
#include "pages/MTaskDlg.h"
#include "pages/MTstPatternDlg.h"
#include "pages/MVgaDlg.h"
#include "pages/MVideoSettingDlg.h"
#include "pages/Velk_FeatherDlg.h"
#include "platform/ui/ControlIds.h"
#include "support/RecordingCommLink.h"
#include "support/WxTestApp.h"

[[maybe_unused]] static ::testing::Environment* const WxEnvironment =
    ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

MBaseDialog* MakePreviewPage();

namespace {

// Two-line texts ("Full\nScreen") have no key: the dialog pass would show "\n" as two
// characters. Controls whose text the page sets from the device's state (or the operator's choice): a key
// would put the built text back over it on every language change.
// Layer buttons too: switcher modes rename them.
const std::set<std::pair<int, int>> StateTexts = {
    {110, 1060}, {110, 1061}, {110, 1062},  {110, 1063}, {110, 1416}, {110, 1432}, {110, 1192}, {117, 1105},
    {117, 1106}, {117, 1107}, {117, 1108},  {119, 1132}, {119, 1133}, {119, 1134}, {119, 1135}, {119, 1182},
    {120, 1142}, {120, 1143}, {120, 1144},  {120, 1145}, {150, 1259}, {150, 1261}, {150, 1266}, {152, 1273},
    {158, 1410}, {158, 1411}, {158, 32781}, {160, 1353}, {164, 1412}, {164, 1413}, {164, 1414}, {164, 1415},
    {164, 1420}, {164, 1421}, {164, 1422},  {164, 1423},
};

// Group boxes titled from UiStrings after the file's pass: their texts are "SIDS_" keys.
bool TitledFromUiStrings(const wxString& title) {
    for (std::string_view text : DefaultUiStrings)
        if (title == wxString::FromUTF8(text.data(), text.size())) return true;
    return false;
}

// Texts a Chinese operator reads as they are: names of inputs and layers, abbreviations, and
// texts without a Latin letter (numbers, angles, arrows, texts already in Chinese).
const std::set<std::string> KeptAsIs = {
    "PIP",    "EDID", "MAIN", "PIP-1",   "PIP-2",           "PIP-3",
    "PIP2",   "PIP3", "TAKE", "DVI-1",   "DVI-2",           "HDMI-1",
    "HDMI-2", "DP1",  "SDI",  "English", "Language / 语言", "FPS :",
    "DP",     "DP-L", "DP-R",
};

// The media player's keys are built with Chinese captions; English.ini gives them English ones
// and Chinese.ini keeps the built text.
const std::map<std::string, std::string> EnglishForChineseBuiltTexts = {
    {"IDS_1577", "Switch"}, {"IDS_1578", "Up"}, {"IDS_1579", "Down"}, {"IDS_1580", "Left"}, {"IDS_1581", "Right"},
};

bool KeptAsIsText(const std::string& text) {
    if (KeptAsIs.count(text)) return true;
    for (char c : text)
        if (std::isalpha(static_cast<unsigned char>(c))) return false;
    return true;
}

struct BuiltText {
    int TemplateId;
    std::string Key;
    std::string English;
};

std::string Utf8(const wxString& text) {
    return text.utf8_string();
}

// Builds every page the main window owns and reads back each keyed text: the caption, and the
// text of every child that is not an edit or a drop list, and every group box.
std::vector<BuiltText> CollectBuiltTexts() {
    std::vector<BuiltText> texts;
    for (const ControlText& caption : PageCaptions())
        texts.push_back({caption.Id, "IDD" + std::to_string(caption.Id) + "_Title", caption.Text});
    for (const ControlText& text : MainDialogTexts())
        texts.push_back({MainDialogTemplateId, "IDS_" + std::to_string(text.Id), text.Text});

    ActiveLanguageFilePath = "/nonexistent/English.ini"; // no file: the built texts stay
    auto* frame = new wxFrame(nullptr, wxID_ANY, "pages", wxPoint(0, 0), wxSize(700, 620));
    const std::vector<std::function<MBaseDialog*()>> makers = {
        [] { return new MPicSettingDlg; },   [] { return new MOutputDlg; },
        [] { return new MCropDlg; },         [] { return new MMosaicDlg; },
        [] { return new MPIPDlg; },          [] { return new MLogoDlg; },
        [] { return new MKeyerDlg; },        [] { return new MEdidDlg; },
        [] { return new MVgaDlg; },          [] { return new MTstPatternDlg; },
        [] { return new MTaskDlg; },         [] { return new MMiscDlg; },
        [] { return new MConnectDlg; },      [] { return new MSearchMachineDlg; },
        [] { return new MSwitcherDlg; },     [] { return new MSubTitleDlg; },
        [] { return new MVideoSettingDlg; }, [] { return new MMediaPlayerDlg; },
        [] { return new Velk_FeatherDlg; },  [] { return MakePreviewPage(); },
        [] { return new MAboutDlg; },
    };
    for (const auto& make : makers) {
        MBaseDialog* page = make();
        page->Create(frame, wxRect(0, 0, 320, 560));
        // These two are built by the main window at once, the others on first use.
        if (auto* connect = dynamic_cast<MConnectDlg*>(page)) connect->OnInitDialog();
        if (auto* search = dynamic_cast<MSearchMachineDlg*>(page)) search->OnInitDialog();
        if (auto* about = dynamic_cast<MAboutDlg*>(page)) about->OnInitDialog();
        page->ApplyLanguage();
        for (wxWindow* child : page->GetChildren()) {
            const int id = ControlIdOf(child);
            if (id <= 0 || child->IsKindOf(wxCLASSINFO(wxTextCtrl)) || dynamic_cast<CDropButton*>(child) ||
                child->GetLabel().empty() || child->GetLabel().Contains("\n") || id == CloseButtonId ||
                id == MaximizeButtonId || StateTexts.count({page->TemplateId, id}))
                continue;
            texts.push_back({page->TemplateId, "IDS_" + std::to_string(id), Utf8(child->GetLabel())});
        }
        for (CSxGroupBox* box : page->AllGroupBoxes())
            if (!box->GetText().empty() && !TitledFromUiStrings(box->GetText()) &&
                !StateTexts.count({page->TemplateId, box->Id}))
                texts.push_back({page->TemplateId, "IDS_" + std::to_string(box->Id), Utf8(box->GetText())});
    }
    frame->Destroy();
    Pump(20);
    return texts;
}

// The [String] keys of a language file with their values.
std::map<std::string, std::string> StringKeys(const std::string& path) {
    ProfileIni file;
    EXPECT_TRUE(file.Load(path)) << path;
    std::map<std::string, std::string> keys;
    bool inStrings = false;
    for (std::string line : file.Lines()) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inStrings = line == "[String]";
            continue;
        }
        const size_t eq = line.find('=');
        if (!inStrings || eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        keys[key] = *file.Find("String", key);
    }
    return keys;
}

bool IsWindowKey(const std::string& key) {
    return key.rfind("IDD", 0) == 0 || key.rfind("IDS_", 0) == 0;
}

class LanguageFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Link = std::make_unique<ScopedRecordingLink>();
        Built = CollectBuiltTexts();
        English = StringKeys(std::string(VELKAN_LANGUAGE_DIR) + "/English.ini");
        Chinese = StringKeys(std::string(VELKAN_LANGUAGE_DIR) + "/Chinese.ini");
    }
    static void TearDownTestSuite() { Link.reset(); }
    static inline std::unique_ptr<ScopedRecordingLink> Link;
    static inline std::vector<BuiltText> Built;
    static inline std::map<std::string, std::string> English, Chinese;
};

TEST_F(LanguageFiles, EveryBuiltTextHasItsKeyInBothFiles) {
    ASSERT_GT(Built.size(), 200u);
    for (const BuiltText& text : Built) {
        SCOPED_TRACE(std::to_string(text.TemplateId) + " " + text.Key + "=" + text.English);
        ASSERT_TRUE(English.count(text.Key)) << "missing in English.ini";
        ASSERT_TRUE(Chinese.count(text.Key)) << "missing in Chinese.ini";
        if (const auto english = EnglishForChineseBuiltTexts.find(text.Key);
            english != EnglishForChineseBuiltTexts.end()) {
            EXPECT_EQ(English[text.Key], english->second) << "English.ini keeps the Chinese caption";
            EXPECT_EQ(Chinese[text.Key], text.English) << "Chinese.ini differs from the window";
            continue;
        }
        EXPECT_EQ(English[text.Key], text.English) << "English.ini differs from the window";
        EXPECT_FALSE(Chinese[text.Key].empty());
        if (!KeptAsIsText(text.English)) {
            EXPECT_NE(Chinese[text.Key], text.English) << "not translated";
        }
    }
}

TEST_F(LanguageFiles, BothFilesHoldTheSameKeysAndNoWindowKeyThatNoWindowHas) {
    std::set<std::string> known;
    for (const BuiltText& text : Built)
        known.insert(text.Key);
    for (const auto& [key, value] : English) {
        EXPECT_TRUE(Chinese.count(key)) << key << " only in English.ini";
        if (IsWindowKey(key) && key != "IDS_TOPMEN_TOPSET") {
            EXPECT_TRUE(known.count(key)) << key << " has no window";
        }
    }
    for (const auto& [key, value] : Chinese) {
        EXPECT_TRUE(English.count(key)) << key << " only in Chinese.ini";
        if (key.rfind("XIDS_", 0) == 0 || IsWindowKey(key)) {
            EXPECT_FALSE(value.empty()) << key;
        }
    }
}

} // namespace
