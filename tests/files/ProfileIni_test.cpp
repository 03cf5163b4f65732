#include "FileTestSupport.h"

#include "app/ProfileIni.h"
#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

namespace {
std::string Read(const std::string& path, const char* section, const char* key, const char* fallback = "",
                 size_t capacity = 256) {
    return ReadProfileString(path, section, key, fallback, capacity);
}
} // namespace

TEST(ProfileIni, SectionAndKeyNamesMatchWithoutRegardToCase) {
    ScratchFolder folder;
    WriteBytes(folder / "i.ini", "[setting]\r\nlanguage=Chinese\r\n[1c-2b-3a-4-5-6]\r\nMachineName=Hall\r\n");
    EXPECT_EQ(Read(folder / "i.ini", "Setting", "Language"), "Chinese");
    EXPECT_EQ(Read(folder / "i.ini", "SETTING", "LANGUAGE"), "Chinese");
    EXPECT_EQ(Read(folder / "i.ini", "1C-2B-3A-4-5-6", "machinename"), "Hall");
}

TEST(ProfileIni, BlanksAroundNamesAndValuesAreTrimmed) {
    ScratchFolder folder;
    WriteBytes(folder / "i.ini", "  [ COM ]  \r\n\t port \t=  3  \r\ntimeout=\t1\r\n");
    EXPECT_EQ(Read(folder / "i.ini", "COM", "port"), "3");
    EXPECT_EQ(Read(folder / "i.ini", "COM", "timeout"), "1");
    EXPECT_EQ(Read(folder / "i.ini", " COM ", " port "), "3");
}

TEST(ProfileIni, OnePairOfSurroundingQuotesIsRemoved) {
    ScratchFolder folder;
    WriteBytes(folder / "q.ini",
               "[String]\r\nA=\" User \"\r\nB='x'\r\nC=\"\"inner\"\"\r\nD=\"open\r\nE=\"mixed'\r\nF=\"\r\n");
    EXPECT_EQ(Read(folder / "q.ini", "String", "A"), " User ");
    EXPECT_EQ(Read(folder / "q.ini", "String", "B"), "x");
    EXPECT_EQ(Read(folder / "q.ini", "String", "C"), "\"inner\"");
    EXPECT_EQ(Read(folder / "q.ini", "String", "D"), "\"open");
    EXPECT_EQ(Read(folder / "q.ini", "String", "E"), "\"mixed'");
    EXPECT_EQ(Read(folder / "q.ini", "String", "F"), "\"");
}

TEST(ProfileIni, UnquotedBlanksOfAValueAreLost) {
    ScratchFolder folder;
    WriteBytes(folder / "b.ini", "[String]\r\nSIDS_42= User \r\n");
    EXPECT_EQ(Read(folder / "b.ini", "String", "SIDS_42"), "User");
}

TEST(ProfileIni, FirstMatchWins) {
    ScratchFolder folder;
    WriteBytes(folder / "f.ini", "[A]\r\nK=first\r\nk=second\r\n[B]\r\nK=other\r\n[a]\r\nK=third\r\nL=later\r\n");
    EXPECT_EQ(Read(folder / "f.ini", "A", "K"), "first");
    EXPECT_EQ(Read(folder / "f.ini", "B", "K"), "other");
    // Only the first section of a name is searched.
    EXPECT_EQ(Read(folder / "f.ini", "A", "L", "none"), "none");
}

TEST(ProfileIni, CommentsAndLinesWithoutEqualsHoldNoKey) {
    ScratchFolder folder;
    WriteBytes(folder / "c.ini", "[A]\r\n;K=commented\r\nK\r\nK=real\r\n");
    EXPECT_EQ(Read(folder / "c.ini", "A", "K"), "real");
    EXPECT_EQ(Read(folder / "c.ini", "A", ";K", "none"), "none");
}

TEST(ProfileIni, MissingFileSectionOrKeyGivesTheDefault) {
    ScratchFolder folder;
    EXPECT_EQ(Read(folder / "none.ini", "Setting", "Language", "English"), "English");
    WriteBytes(folder / "d.ini", "[Setting]\r\nOther=1\r\nEmpty=\r\n");
    EXPECT_EQ(Read(folder / "d.ini", "Setting", "Language", "English  "), "English");
    EXPECT_EQ(Read(folder / "d.ini", "Nothing", "Other", "x"), "x");
    // A key that is present but empty is empty, not the default.
    EXPECT_EQ(Read(folder / "d.ini", "Setting", "Empty", "x"), "");
}

TEST(ProfileIni, ValuesAreCutToTheBuffer) {
    ScratchFolder folder;
    WriteBytes(folder / "t.ini", "[COM]\r\nport=123456789012\r\nname=\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\r\n");
    SetAnsiCodePage(CodePageUtf8);
    EXPECT_EQ(Read(folder / "t.ini", "COM", "port", "", 10), "123456789");
    EXPECT_EQ(Read(folder / "t.ini", "COM", "name", "", 3), "\u4E2D\u4E2D");
    SetAnsiCodePage(0);
}

TEST(ProfileIni, ReadsWindowsUtf16Files) {
    ScratchFolder folder;
    WriteBytes(folder / "w.ini", "\xFF\xFE" + Utf16Le(u"[String]\r\nSIDS_0=\u56FE\u50CF\u6A21\u5F0F\r\n"));
    EXPECT_EQ(Read(folder / "w.ini", "String", "SIDS_0"), "\u56FE\u50CF\u6A21\u5F0F");
}

TEST(ProfileIni, WriteReplacesTheKeyInPlaceAndKeepsOtherLines) {
    ScratchFolder folder;
    const std::string path = folder / "w.ini";
    WriteBytes(path, "; settings\r\n[COM]\r\nPort=1\r\ntimeout=1\r\n\r\n[Setting]\r\nLanguage=English\r\n");
    ASSERT_TRUE(WriteProfileString(path, "com", "port", "7"));
    EXPECT_EQ(ReadBytes(path), "; settings\r\n[COM]\r\nport=7\r\ntimeout=1\r\n\r\n[Setting]\r\nLanguage=English\r\n");
}

TEST(ProfileIni, WriteAddsAKeyAtTheEndOfItsSectionAndNewSectionsAtTheEnd) {
    ScratchFolder folder;
    const std::string path = folder / "w.ini";
    WriteBytes(path, "[COM]\r\nport=1\r\n\r\n[Setting]\r\nLanguage=English\r\n");
    ASSERT_TRUE(WriteProfileString(path, "COM", "timeout", "1"));
    ASSERT_TRUE(WriteProfileString(path, "Project", "FilePath", "/home/u/p.pro"));
    EXPECT_EQ(ReadBytes(path), "[COM]\r\nport=1\r\ntimeout=1\r\n\r\n[Setting]\r\nLanguage=English\r\n"
                               "[Project]\r\nFilePath=/home/u/p.pro\r\n");
}

TEST(ProfileIni, WriteCreatesAMissingFileButNotAMissingFolder) {
    ScratchFolder folder;
    ASSERT_TRUE(WriteProfileString(folder / "new.ini", "Setting", "Language", "Chinese"));
    EXPECT_EQ(ReadBytes(folder / "new.ini"), "[Setting]\r\nLanguage=Chinese\r\n");
    EXPECT_FALSE(WriteProfileString(folder / "no/new.ini", "Setting", "Language", "Chinese"));
}

TEST(ProfileIni, WriteKeepsUtf16Files) {
    ScratchFolder folder;
    const std::string path = folder / "u.ini";
    WriteBytes(path, "\xFF\xFE" + Utf16Le(u"[String]\r\nSIDS_0=\u56FE\u50CF\r\n"));
    ASSERT_TRUE(WriteProfileString(path, "String", "SIDS_145", "\u56FA\u5B9A DP2"));
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE" + Utf16Le(u"[String]\r\nSIDS_0=\u56FE\u50CF\r\nSIDS_145=\u56FA\u5B9A DP2\r\n"));
}

TEST(ProfileIni, WriteKeeps8BitFilesInTheirCodePage) {
    ScratchFolder folder;
    const std::string path = folder / "a.ini";
    SetAnsiCodePage(CodePageWestern);
    WriteBytes(path, "[PNAMESTR]\r\nPRESET0-1=Caf\xE9\r\n");
    ASSERT_TRUE(WriteProfileString(path, "PNAMESTR", "PRESET0-2", "Ni\u00F1o"));
    EXPECT_EQ(ReadBytes(path), "[PNAMESTR]\r\nPRESET0-1=Caf\xE9\r\nPRESET0-2=Ni\xF1o\r\n");
    SetAnsiCodePage(CodePageChinese);
    WriteBytes(path, "[M]\r\nMachineName=\xD6\xD0\r\n");
    ASSERT_TRUE(WriteProfileString(path, "M", "Other", "\u6587"));
    EXPECT_EQ(ReadBytes(path), "[M]\r\nMachineName=\xD6\xD0\r\nOther=\xCE\xC4\r\n");
    SetAnsiCodePage(0);
}

TEST(ProfileIni, EightBitFileBecomesUtf16RatherThanLoseCharacters) {
    ScratchFolder folder;
    const std::string path = folder / "a.ini";
    SetAnsiCodePage(CodePageWestern);
    WriteBytes(path, "[M]\r\nA=Caf\xE9\r\n");
    ASSERT_TRUE(WriteProfileString(path, "M", "B", "\u4E2D"));
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE" + Utf16Le(u"[M]\r\nA=Caf\u00E9\r\nB=\u4E2D\r\n"));
    EXPECT_EQ(Read(path, "M", "A"), "Caf\u00E9");
    SetAnsiCodePage(0);
}

TEST(ProfileIni, ValuesWithEdgeBlanksOrQuotesReadBackAsWritten) {
    ScratchFolder folder;
    const std::string path = folder / "v.ini";
    for (const std::string value : {" User ", "User ", " User", "\"quoted\"", "plain", "", "a\"b"}) {
        ASSERT_TRUE(WriteProfileString(path, "String", "K", value));
        EXPECT_EQ(Read(path, "String", "K", "default"), value);
    }
}

TEST(ProfileIni, NamesALineCannotHoldAreRefused) {
    ScratchFolder folder;
    EXPECT_FALSE(WriteProfileString(folder / "n.ini", "A]", "K", "1"));
    EXPECT_FALSE(WriteProfileString(folder / "n.ini", "A", "K=1", "1"));
    EXPECT_FALSE(WriteProfileString(folder / "n.ini", "", "K", "1"));
    EXPECT_FALSE(std::filesystem::exists(folder / "n.ini"));
    // A line break inside a value cannot split the line.
    ASSERT_TRUE(WriteProfileString(folder / "n.ini", "A", "K", "one\r\ntwo"));
    EXPECT_EQ(Read(folder / "n.ini", "A", "K"), "one  two");
}

TEST(ProfileIni, WritingThroughASymbolicLinkKeepsTheLink) {
    ScratchFolder folder;
    WriteBytes(folder / "real.ini", "[A]\r\nK=1\r\n");
    std::filesystem::create_symlink(folder / "real.ini", folder / "link.ini");
    ASSERT_TRUE(WriteProfileString(folder / "link.ini", "A", "K", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadBytes(folder / "real.ini"), "[A]\r\nK=2\r\n");
    EXPECT_FALSE(WriteProfileString("", "A", "K", "2"));
}
