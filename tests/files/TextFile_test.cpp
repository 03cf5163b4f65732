#include "FileTestSupport.h"

#include "app/StdioFileEx.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <vector>

namespace {

std::vector<std::string> ReadAllLines(const std::string& path, unsigned codePage = CodePageAnsi) {
    CStdioFileEx file;
    EXPECT_TRUE(file.Open(path, CStdioFileEx::modeRead | CStdioFileEx::typeText));
    file.CodePage = codePage;
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadString(line))
        lines.push_back(line);
    return lines;
}

bool WriteAllLines(const std::string& path, const std::vector<std::string>& lines, unsigned codePage) {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | CStdioFileEx::typeText))
        return false;
    file.CodePage = codePage;
    for (const auto& line : lines)
        file.WriteString(line + "\r\n");
    return file.Close();
}

// The process-wide ANSI code page for one test.
class AnsiCodePageAs {
  public:
    explicit AnsiCodePageAs(unsigned codePage) { SetAnsiCodePage(codePage); }
    ~AnsiCodePageAs() { SetAnsiCodePage(0); }
};

} // namespace

TEST(TextFile, ReadsWindowsUtf16WithMarkAndCrLf) {
    ScratchFolder folder;
    const std::string path = folder / "u16.pro";
    WriteBytes(path, "\xFF\xFE" + Utf16Le(u"[OUTPUTRESO]\r\nRESOINDEX=5\r\nNAME=Caf\u00E9 \u4E2D\u6587\r\n"));
    EXPECT_TRUE(IsFileUnicode(path));
    CStdioFileEx file(path, CStdioFileEx::modeRead | CStdioFileEx::typeText);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.IsUnicodeText);
    EXPECT_EQ(file.OpenFlags, CStdioFileEx::modeRead | CStdioFileEx::typeBinary);
    std::vector<std::string> lines;
    for (std::string line; file.ReadString(line);)
        lines.push_back(line);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"[OUTPUTRESO]", "RESOINDEX=5", "NAME=Caf\u00E9 \u4E2D\u6587"}));
}

TEST(TextFile, Utf16UnitsHoldingLineFeedBytesDoNotBreakLines) {
    // U+4E0A is stored as 0A 4E: a byte 0x0A that is no line end.
    ScratchFolder folder;
    WriteBytes(folder / "a.ini", "\xFF\xFE" + Utf16Le(u"K=\u4E0A\u4E0D\r\nL=1"));
    EXPECT_EQ(ReadAllLines(folder / "a.ini"), (std::vector<std::string>{"K=\u4E0A\u4E0D", "L=1"}));
}

TEST(TextFile, ReadsCp1252WithCrLfAndWritesTheSameBytesBack) {
    AnsiCodePageAs western(CodePageWestern);
    ScratchFolder folder;
    const std::string original = "[PNAMESTR]\r\nPRESET0-1=Caf\xE9 \x80\r\nPRESET0-2=\r\n";
    WriteBytes(folder / "in.ini", original);
    const auto lines = ReadAllLines(folder / "in.ini");
    EXPECT_EQ(lines, (std::vector<std::string>{"[PNAMESTR]", "PRESET0-1=Caf\u00E9 \u20AC", "PRESET0-2="}));
    ASSERT_TRUE(WriteAllLines(folder / "out.ini", lines, CodePageAnsi));
    EXPECT_EQ(ReadBytes(folder / "out.ini"), original);
    EXPECT_EQ(ReadAllLines(folder / "out.ini"), lines);
}

TEST(TextFile, ReadsCp936WithCrLfAndWritesTheSameBytesBack) {
    AnsiCodePageAs chinese(CodePageChinese);
    ScratchFolder folder;
    // "中文" and "设备" in GBK.
    const std::string original = "[X]\r\nNAME=\xD6\xD0\xCE\xC4\r\nMachine=\xC9\xE8\xB1\xB8 1\r\n";
    WriteBytes(folder / "in.pro", original);
    const auto lines = ReadAllLines(folder / "in.pro");
    EXPECT_EQ(lines, (std::vector<std::string>{"[X]", "NAME=\u4E2D\u6587", "Machine=\u8BBE\u5907 1"}));
    ASSERT_TRUE(WriteAllLines(folder / "out.pro", lines, CodePageAnsi));
    EXPECT_EQ(ReadBytes(folder / "out.pro"), original);
}

TEST(TextFile, Utf16FileWrittenBackAs8BitReadsTheSame) {
    ScratchFolder folder;
    WriteBytes(folder / "u16.ini", "\xFF\xFE" + Utf16Le(u"[A]\r\nB=Caf\u00E9 \u4E2D\u6587\r\n"));
    const auto lines = ReadAllLines(folder / "u16.ini");
    ASSERT_TRUE(WriteAllLines(folder / "back.ini", lines, CodePageChinese));
    EXPECT_FALSE(IsFileUnicode(folder / "back.ini"));
    EXPECT_EQ(ReadAllLines(folder / "back.ini", CodePageChinese), lines);
}

TEST(TextFile, CharacterMissingFromTheCodePageIsWrittenAsHash) {
    ScratchFolder folder;
    ASSERT_TRUE(WriteAllLines(folder / "o.ini", {"N=\u4E2D\u00E9"}, CodePageWestern));
    EXPECT_EQ(ReadBytes(folder / "o.ini"), "N=#\xE9\r\n");
}

TEST(TextFile, KeyLineIsExactlyFiveBytes) {
    ScratchFolder folder;
    ASSERT_TRUE(WriteAllLines(folder / "k.pro", {"A=1"}, CodePageAnsi));
    EXPECT_EQ(ReadBytes(folder / "k.pro"), std::string("\x41\x3D\x31\x0D\x0A"));
}

TEST(TextFile, LinesEndInCrLfLfOrCr) {
    ScratchFolder folder;
    const struct {
        std::string Bytes;
        std::vector<std::string> Lines;
    } rows[] = {{"A\r\nB\nC\rD\r\n\r\nF", {"A", "B", "C", "D", "", "F"}},
                {"A=1\r\nB=2", {"A=1", "B=2"}}, // the last line needs no end
                {"\xFF\xFE", {}}};              // only the mark: no lines
    for (const auto& row : rows) {
        WriteBytes(folder / "e.pro", row.Bytes);
        EXPECT_EQ(ReadAllLines(folder / "e.pro"), row.Lines) << row.Bytes;
    }
}

TEST(TextFile, Utf8MarkIsSkippedAndTextReadAsUtf8) {
    AnsiCodePageAs western(CodePageWestern);
    ScratchFolder folder;
    WriteBytes(folder / "u8.pro", "\xEF\xBB\xBF[OUTPUTRESO]\r\nNAME=\xE4\xB8\xAD\r\n");
    EXPECT_EQ(ReadAllLines(folder / "u8.pro"), (std::vector<std::string>{"[OUTPUTRESO]", "NAME=\u4E2D"}));
}

TEST(TextFile, LongLinesAreReadWhole) {
    ScratchFolder folder;
    const std::string longValue(20000, 'x');
    WriteBytes(folder / "long.pro", "K=" + longValue + "\r\nNEXT=1\r\n");
    const auto lines = ReadAllLines(folder / "long.pro");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "K=" + longValue);
    EXPECT_EQ(lines[1], "NEXT=1");
}

TEST(TextFile, EmptyLineReadsEmptyNotThePreviousLine) {
    ScratchFolder folder;
    WriteBytes(folder / "blank.pro", "A=1\r\n\r\nB=2\r\n");
    CStdioFileEx file(folder / "blank.pro", CStdioFileEx::modeRead | CStdioFileEx::typeText);
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "A=1");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "B=2");
    line = "kept";
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_EQ(line, "kept");
}

TEST(TextFile, UndefinedBytesOf1252SurviveARoundTrip) {
    ScratchFolder folder;
    const std::string original = "K=\x81\x8D\x8F\x90\x9D\r\n";
    WriteBytes(folder / "gap.ini", original);
    const auto lines = ReadAllLines(folder / "gap.ini", CodePageWestern);
    ASSERT_TRUE(WriteAllLines(folder / "gap2.ini", lines, CodePageWestern));
    EXPECT_EQ(ReadBytes(folder / "gap2.ini"), original);
}

TEST(TextFile, WritingReplacesALongerOldFileWhole) {
    ScratchFolder folder;
    WriteBytes(folder / "p.pro", std::string(1000, 'z'));
    ASSERT_TRUE(WriteAllLines(folder / "p.pro", {"A=1"}, CodePageAnsi));
    EXPECT_EQ(ReadBytes(folder / "p.pro"), "A=1\r\n");
}

TEST(TextFile, OpenFailsForMissingFilesAndFolders) {
    ScratchFolder folder;
    CStdioFileEx file;
    EXPECT_FALSE(file.Open(folder / "none.pro", CStdioFileEx::modeRead | CStdioFileEx::typeText));
    EXPECT_FALSE(file.Open(folder / "none.pro", CStdioFileEx::modeWrite));
    std::string error;
    EXPECT_FALSE(
        file.Open(folder / "no/such/folder.pro", CStdioFileEx::modeCreate | CStdioFileEx::modeWrite, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(file.WriteString("A=1\r\n"));
}

TEST(TextFile, FailedWriteKeepsTheOldFileAndIsReported) {
    ScratchFolder folder;
    const std::string path = folder / "keep.pro";
    WriteBytes(path, "OLD=1\r\n");
    // A file-size limit makes the write fail even for root; the signal it raises is ignored.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    file.WriteString(std::string(100, 'N') + "\r\n");
    std::string error;
    const bool closed = file.Close(&error);
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(closed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(path), "OLD=1\r\n");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(TextFile, OversizedFilesAreRefused) {
    ScratchFolder folder;
    WriteBytes(folder / "big.bin", std::string(2000, 'a'));
    std::string bytes;
    EXPECT_FALSE(ReadWholeFile(folder / "big.bin", bytes, 1000));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(ReadWholeFile(folder / "big.bin", bytes, 2000));
    EXPECT_EQ(bytes.size(), 2000u);
}

TEST(CodePages, ConvertersFollowTheCodePage) {
    EXPECT_EQ(CStdioFileEx::GetUnicodeFromMultiByte("\xD6\xD0", CodePageChinese), "\u4E2D");
    EXPECT_EQ(CStdioFileEx::GetUnicodeFromMultiByte("\xE9", CodePageWestern), "\u00E9");
    EXPECT_EQ(CStdioFileEx::GetMultiByteFromUnicode("\u4E2D", CodePageChinese), "\xD6\xD0");
    EXPECT_EQ(CStdioFileEx::GetMultiByteFromUnicode("\u4E2D", CodePageWestern), "#");
    EXPECT_EQ(CStdioFileEx::GetMultiByteFromUnicode("\u4E2D", CodePageUtf8), "\xE4\xB8\xAD");
    // Bytes a code page does not define are never dropped silently.
    EXPECT_EQ(CStdioFileEx::GetUnicodeFromMultiByte("a\xFF", CodePageChinese), "a\uFFFD");
}

TEST(CodePages, AnsiCodePageFollowsTheLocale) {
    EXPECT_EQ(AnsiCodePageForLocale("zh_CN.UTF-8"), CodePageChinese);
    EXPECT_EQ(AnsiCodePageForLocale("zh_CN"), CodePageChinese);
    EXPECT_EQ(AnsiCodePageForLocale("en_US.UTF-8"), CodePageWestern);
    EXPECT_EQ(AnsiCodePageForLocale("zh_TW.UTF-8"), CodePageWestern);
    EXPECT_EQ(AnsiCodePageForLocale(""), CodePageWestern);
    AnsiCodePageAs chinese(CodePageChinese);
    EXPECT_EQ(GetAnsiCodePage(), CodePageChinese);
}

TEST(CodePages, Utf16SurrogatesAndOddBytes) {
    EXPECT_EQ(Utf16LeToUtf8(Utf16Le(u"\U0001F600")), "\U0001F600");
    EXPECT_EQ(Utf8ToUtf16Le("\U0001F600"), Utf16Le(u"\U0001F600"));
    EXPECT_EQ(Utf16LeToUtf8(std::string("\x00\xD8", 2)), "\uFFFD"); // unpaired high surrogate
    EXPECT_EQ(Utf16LeToUtf8(std::string("A\x00"
                                        "B",
                                        3)),
              "A\uFFFD");
}

TEST(AtomicWrite, ReplacedFileKeepsItsPermissions) {
    ScratchFolder folder;
    const std::string path = folder / "Info.ini";
    WriteBytes(path, "old");
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

namespace {
// Drops root's rights over files for the rest of this process: an ordinary user id in a user
// namespace of its own, with every capability given up.
bool BecomeOrdinaryUser() {
    if (geteuid() != 0) return true;
    const std::string uid = std::to_string(geteuid()), gid = std::to_string(getegid());
    const auto put = [](const char* file, const std::string& text) { return bool(std::ofstream(file) << text); };
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct none[2]{};
    return unshare(CLONE_NEWUSER) == 0 && put("/proc/self/setgroups", "deny") &&
           put("/proc/self/uid_map", "1000 " + uid + " 1") && put("/proc/self/gid_map", "1000 " + gid + " 1") &&
           syscall(SYS_capset, &header, none) == 0;
}
} // namespace

// A rename over a file needs only its folder's permission: a read-only file is refused and left
// as it was. A writable one is still replaced whole by a new file (its old hard link keeps "OLD").
TEST(AtomicWrite, WriteProtectedFileIsLeftAsItWas) {
    ScratchFolder folder;
    const std::string locked = folder / "locked.pro", open = folder / "open.pro", link = folder / "open-old";
    WriteBytes(locked, "OLD");
    WriteBytes(open, "OLD");
    std::filesystem::create_hard_link(open, link);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    const pid_t child = fork();
    if (child == 0)
        _exit(!BecomeOrdinaryUser() ? 77 : WriteFileAtomically(locked, "NEW") || !WriteFileAtomically(open, "NEW"));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(locked) + ReadBytes(open) + ReadBytes(link), "OLDNEWOLD");
}

// A file with no write permission bit stays as it is whoever writes, root included: the check
// does not rest on whether this process could open it.
TEST(AtomicWrite, FileWithoutWriteBitsIsLeftEvenForRoot) {
    ScratchFolder folder;
    const std::string path = folder / "show.pro";
    WriteBytes(path, "OLD");
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                          std::filesystem::perms::others_read;
    std::filesystem::permissions(path, readOnly);
    EXPECT_TRUE(IsWriteProtectedFile(path));
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "NEW", &error));
    EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), "OLD");
    EXPECT_EQ(std::filesystem::status(path).permissions(), readOnly);
    // One write bit anywhere is the owner's choice to allow it (to whom the permissions say).
    std::filesystem::permissions(path, readOnly | std::filesystem::perms::owner_write);
    EXPECT_FALSE(geteuid() == 0 && IsWriteProtectedFile(path));
}

// A folder that takes no new file (no rename possible) with a writable file in it: the file is
// rewritten in place, shorter or longer, through the text file too. Where the new bytes do not
// fit (a file-size limit here), the old file is left whole and the failure reported.
TEST(AtomicWrite, WritableFileInAFolderThatTakesNoNewFileIsRewrittenInPlace) {
    ScratchFolder folder;
    const std::string locked = folder / "locked/";
    std::filesystem::create_directory(locked);
    WriteBytes(locked + "short.pro", "A LONGER OLD TEXT");
    WriteBytes(locked + "long.pro", "OLD");
    WriteBytes(locked + "text.pro", "OLD=1\r\n");
    WriteBytes(locked + "limit.pro", "OLD=1\r\n");
    struct stat before {};
    ASSERT_EQ(stat((locked + "long.pro").c_str(), &before), 0);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const pid_t child = fork();
    if (child == 0) {
        if (!BecomeOrdinaryUser()) _exit(77);
        if (access(locked.c_str(), W_OK) == 0) _exit(78);
        int failures = 0;
        failures += !WriteFileAtomically(locked + "short.pro", "NEW");
        failures += !WriteFileAtomically(locked + "long.pro", "NEW AND LONGER");
        failures += !WriteAllLines(locked + "text.pro", {"A=1", "B=2"}, CodePageAnsi);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small{16, 16};
        std::string error;
        failures += setrlimit(RLIMIT_FSIZE, &small) != 0;
        failures += WriteFileAtomically(locked + "limit.pro", std::string(100, 'N'), &error);
        failures += error.find("left as it was") == std::string::npos;
        _exit(failures);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    if (WEXITSTATUS(status) == 77 || WEXITSTATUS(status) == 78) GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(locked + "short.pro"), "NEW");
    EXPECT_EQ(ReadBytes(locked + "long.pro"), "NEW AND LONGER");
    struct stat info {};
    ASSERT_EQ(stat((locked + "long.pro").c_str(), &info), 0);
    EXPECT_EQ(info.st_ino, before.st_ino); // the same file, not a new one
    EXPECT_EQ(ReadBytes(locked + "text.pro"), "A=1\r\nB=2\r\n");
    EXPECT_EQ(ReadBytes(locked + "limit.pro"), "OLD=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 4);
}
