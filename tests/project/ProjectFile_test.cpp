#include "../replies/RecordingMainDialog.h"
#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/ProjectFile.h"
#include "app/ProjectFormat.h"
#include "app/ProjectKeyTable.h"
#include "app/ProjectPath.h"
#include "app/ReplySleep.h"
#include "support/RecordingCommLink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

namespace fs = std::filesystem;


namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}
std::string ToUtf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}
StateBlock Block() { return static_cast<const StateBlock&>(GetDeviceState()); }
bool Same(const StateBlock& a, const StateBlock& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
// Equal in every byte that a project file carries.
bool SameCarried(const StateBlock& a, const StateBlock& b) {
    const auto* x = reinterpret_cast<const uint8_t*>(&a);
    const auto* y = reinterpret_cast<const uint8_t*>(&b);
    for (const auto& key : ProjectKeyTable()) {
        const int width = key.Width == ProjectFieldWidth::U8 ? 1 : key.Width == ProjectFieldWidth::U16 ? 2 : 4;
        if (std::memcmp(x + key.Offset, y + key.Offset, width) != 0) {
            ADD_FAILURE() << key.Section << "/" << key.Key;
            return false;
        }
    }
    return true;
}

class ProjectFileTest : public ::testing::Test {
protected:
    std::string Dir;
    RecordingMainDialog Dialog;
    RecordingCommLink Link;

    void SetUp() override {
        char pattern[] = "/tmp/velkan-project-XXXXXX";
        Dir = mkdtemp(pattern);
        Dir += '/';
        ResetDeviceState();
        TheMainDialog = &Dialog;
        SetCommLink(&Link);
    }
    // "command byte0" for every command sent.
    std::vector<std::string> Sent() const {
        std::vector<std::string> out;
        for (const auto& call : Link.CallsOf("SendCommand"))
            out.push_back(std::to_string(call.Command) + " " + std::to_string(call.Bytes[0]));
        return out;
    }
    void TearDown() override {
        TheMainDialog = nullptr;
        SetCommLink(nullptr);
        fs::remove_all(Dir);
    }

    // A state that a load reproduces exactly: no extension card, no split, sources on whole inputs.
    void FillLoadableState(std::mt19937& rng) {
        auto& s = GetDeviceState();
        auto* bytes = reinterpret_cast<uint8_t*>(static_cast<StateBlock*>(&s));
        for (size_t i = 0; i < sizeof(StateBlock); ++i) bytes[i] = static_cast<uint8_t>(rng());
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        s.OutputTiming = {static_cast<uint32_t>(pick(0, 18)), 1920, 1080, 6000, 2200, 1125, 44, 5, 148, 36, 1, 0};
        s.Gamma = static_cast<float>(pick(1, 36)) / 10.0f;
        for (auto& e : s.EdidEntry) {
            e.HActive = static_cast<uint16_t>(pick(240, 3840));
            e.VActive = static_cast<uint16_t>(pick(240, 3840));
            e.FrameRate = static_cast<uint16_t>(pick(2000, 12100));
        }
        for (auto& l : s.LayerWindow) l.Source = static_cast<uint8_t>(pick(0, 5));
        for (auto& c : s.InputCardType) c = static_cast<uint32_t>(pick(3, 9));
        s.DpSplit[0] = s.DpSplit[1] = 0;
        s.ExtensionCardInfo.Present = 0;
    }
};

} // namespace

TEST_F(ProjectFileTest, WriteThenReadGivesTheSameStateBlock) {
    std::mt19937 rng(77);
    for (int round = 0; round < 20; ++round) {
        FillLoadableState(rng);
        const StateBlock saved = Block();
        const std::string path = Dir + "a.pro";
        ASSERT_TRUE(WriteProjectFile(path));
        ASSERT_TRUE(Same(Block(), saved)) << "a state in range is not changed by saving";

        // Another state in memory, but with the uncarried bytes of the saved one, so that the
        // whole block must come back.
        ResetDeviceState();
        auto& s = GetDeviceState();
        static_cast<StateBlock&>(s) = saved;
        for (auto& l : s.LayerWindow) l.X += 5;
        s.Gamma = 0.5f;
        s.KeyerSettings[1].RedHigh ^= 0xFF;
        s.ExtensionCardInfo.FrameRate += 1;
        Dialog.Calls.clear();
        ASSERT_EQ(ReadProjectFile(path), ProjectLoadResult::Loaded);
        ASSERT_TRUE(Same(Block(), saved)) << "round " << round;
        EXPECT_EQ(Dialog.Calls, std::vector<std::string>({"route 2 0"}));
        EXPECT_EQ(s.LoadedFromProject, 0);
    }
}

TEST_F(ProjectFileTest, WrittenFileIsEightBitCrLfWithoutMark) {
    const std::string path = Dir + "b.pro";
    ASSERT_TRUE(WriteProjectFile(path));
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 14), "[OUTPUTRESO]\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(bytes[i]), 0x80) << i;
        if (bytes[i] == '\n') {
            ASSERT_EQ(bytes[i - 1], '\r');
            ++lines;
        }
    }
    EXPECT_EQ(lines, 1156u);
}

TEST_F(ProjectFileTest, SavingClampsTheModelToo) {
    auto& s = GetDeviceState();
    s.OutputTiming.HActive = 100;
    s.EdidEntry[3].FrameRate = 0;
    s.OutputTiming.ResolutionIndex = 40;
    const std::string path = Dir + "c.pro";
    ASSERT_TRUE(WriteProjectFile(path));
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("\r\nHRESO=640\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nRESOINDEX=17\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nFPS3=2000\r\n"), std::string::npos);
    EXPECT_EQ(s.OutputTiming.HActive, 640);
    EXPECT_EQ(s.EdidEntry[3].FrameRate, 2000);
    EXPECT_EQ(s.OutputTiming.ResolutionIndex, 17u);
}

TEST_F(ProjectFileTest, SavingOverALongerProjectLeavesNothingBehind) {
    const std::string path = Dir + "d.pro";
    WriteBytes(path, std::string(200000, 'x'));
    ASSERT_TRUE(WriteProjectFile(path));
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.find('x'), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(ProjectFileTest, AFailedSaveKeepsTheOldProjectAndSaysWhy) {
    // A file name of 250 characters leaves no room for the temporary file's name beside it.
    const std::string path = Dir + std::string(246, 'p') + ".pro";
    WriteBytes(path, "old project");
    std::string error;
    EXPECT_FALSE(WriteProjectFile(path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(path), "old project");
    EXPECT_FALSE(WriteProjectFile(Dir + "missing/folder/x.pro", &error));
    EXPECT_FALSE(fs::exists(Dir + "missing"));
}

TEST_F(ProjectFileTest, WindowsEightBitAndUtf16FilesLoadAlike) {
    std::mt19937 rng(5);
    FillLoadableState(rng);
    const StateBlock saved = Block();
    const std::string text = FormatProjectText(reinterpret_cast<const uint8_t*>(&saved));
    WriteBytes(Dir + "ansi.pro", text);
    WriteBytes(Dir + "wide.pro", ToUtf16Le(text));

    ResetDeviceState();
    ASSERT_EQ(ReadProjectFile(Dir + "ansi.pro"), ProjectLoadResult::Loaded);
    EXPECT_TRUE(SameCarried(Block(), saved));
    const StateBlock fromAnsi = Block();
    ResetDeviceState();
    ASSERT_EQ(ReadProjectFile(Dir + "wide.pro"), ProjectLoadResult::Loaded);
    EXPECT_TRUE(Same(Block(), fromAnsi));
}

TEST_F(ProjectFileTest, AFileSavedWithAUtf8MarkLoadsToo) {
    WriteBytes(Dir + "u8.pro", "\xEF\xBB\xBF[OUTPUTRESO]\r\nRESOINDEX=4\r\nHRESO=1280\r\n");
    ASSERT_EQ(ReadProjectFile(Dir + "u8.pro"), ProjectLoadResult::Loaded);
    EXPECT_EQ(GetDeviceState().OutputTiming.ResolutionIndex, 4u);
    EXPECT_EQ(GetDeviceState().OutputTiming.HActive, 1280);
}

TEST_F(ProjectFileTest, AFileWithNoKeyChangesNothingButTheWindowsStillRefresh) {
    auto& s = GetDeviceState();
    s.OutputTiming.HActive = 1234;
    s.InputCardType[2] = 77;
    const StateBlock before = Block();
    const auto table = s.InputTable;
    WriteBytes(Dir + "empty.pro", "");
    WriteBytes(Dir + "bom.pro", "\xFF\xFE");
    WriteBytes(Dir + "junk.pro", "hello\r\n[\r\n=\r\n[]x=1\r\n[OUTPUTRESO]\r\nNOTAKEY=1\r\n");
    for (const char* name : {"empty.pro", "bom.pro", "junk.pro"}) {
        Dialog.Calls.clear();
        EXPECT_EQ(ReadProjectFile(Dir + name), ProjectLoadResult::NoKeys) << name;
        EXPECT_TRUE(Same(Block(), before)) << name;
        for (int r = 0; r < 12; ++r) EXPECT_EQ(s.InputTable[r].Present, table[r].Present) << name;
        EXPECT_EQ(Dialog.Calls, std::vector<std::string>({"route 2 0"})) << name;
    }
    Dialog.Calls.clear();
    EXPECT_EQ(ReadProjectFile(Dir + "none.pro"), ProjectLoadResult::NotOpened);
    EXPECT_TRUE(Dialog.Calls.empty());
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(s.LoadedFromProject, 0);
}

TEST_F(ProjectFileTest, AMissingLineCostsOnlyItsField) {
    std::mt19937 rng(9);
    FillLoadableState(rng);
    const StateBlock saved = Block();
    std::string text = FormatProjectText(reinterpret_cast<const uint8_t*>(&saved));
    // Drop the sync-mode line: the extension-card keys after it must still load their own values.
    const size_t at = text.find("\r\nSYNCMODE=");
    text.erase(at, text.find("\r\n", at + 2) - at);
    WriteBytes(Dir + "gap.pro", text);
    ResetDeviceState();
    GetDeviceState().SyncMode = 2;
    ASSERT_EQ(ReadProjectFile(Dir + "gap.pro"), ProjectLoadResult::Loaded);
    StateBlock expected = saved;
    expected.SyncMode = 2;
    EXPECT_TRUE(SameCarried(Block(), expected));
    EXPECT_EQ(GetDeviceState().ExtensionCardInfo.Present, 0);
}

TEST_F(ProjectFileTest, LoadingSendsOnlyTheVgaQueries) {
    auto& s = GetDeviceState();
    for (auto& c : s.InputCardType) c = 4;
    s.InputCardType[1] = 3;
    s.InputSignalPresent[1] = s.InputSignalPresent[4] = 1;
    s.FeatherSettings.Enable = 1;
    ASSERT_TRUE(WriteProjectFile(Dir + "v.pro"));
    ASSERT_EQ(ReadProjectFile(Dir + "v.pro"), ProjectLoadResult::Loaded);
    EXPECT_EQ(Sent(), std::vector<std::string>({"49 1"}));
    EXPECT_EQ(s.FeatherSettings.Enable, 0u);
}

TEST_F(ProjectFileTest, ADeviceStateAfterAProjectLoadIsTreatedAsTheDevices) {
    ASSERT_TRUE(WriteProjectFile(Dir + "x.pro"));
    ASSERT_EQ(ReadProjectFile(Dir + "x.pro"), ProjectLoadResult::Loaded);
    ASSERT_EQ(GetDeviceState().LoadedFromProject, 0);
    StateBlock block = Block();
    for (auto& c : block.InputCardType) c = 4;
    block.InputSignalPresent[0] = 1;
    Link.Calls.clear();
    GetDeviceState().ApplyStateBlock(&block);
    EXPECT_EQ(Sent(), std::vector<std::string>({"48 0"}));
}

TEST_F(ProjectFileTest, EnsureProjectFileMakesTheDatedDefault) {
    setenv("VELKAN_HOME", Dir.c_str(), 1);
    std::string path;
    ASSERT_TRUE(EnsureProjectFile(path));
    const std::string name = FormatDateName(std::time(nullptr));
    EXPECT_EQ(path, Dir + "Project/" + name + "/" + name + ".pro");
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE");
    WriteBytes(path, "kept");
    ASSERT_TRUE(EnsureProjectFile(path));
    EXPECT_EQ(ReadBytes(path), "kept") << "an existing file is left alone";
    std::string windows = "C:\\Velkan\\Project\\x.pro";
    ASSERT_TRUE(EnsureProjectFile(windows));
    EXPECT_EQ(windows, path);
    std::string nested = Dir + "deep/er/p.pro";
    ASSERT_TRUE(EnsureProjectFile(nested));
    EXPECT_EQ(ReadBytes(nested), "\xFF\xFE");
    unsetenv("VELKAN_HOME");
}

TEST_F(ProjectFileTest, DateNameIsYearMonthDay) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 0;
    when.tm_mday = 5;
    when.tm_hour = 12;
    when.tm_isdst = -1;
    EXPECT_EQ(FormatDateName(std::mktime(&when)), "2026-01-05");
}
