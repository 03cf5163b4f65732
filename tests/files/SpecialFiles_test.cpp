// What stands where a file is expected may be a FIFO, a device, a socket or a folder: readers
// never wait on it and refuse it, and the writer leaves it as it is.
#include "FileTestSupport.h"

#include "app/AppGlobals.h"
#include "app/InfoIni.h"
#include "app/Language.h"
#include "app/ProfileIni.h"
#include "app/ProjectFile.h"
#include "app/StdioFileEx.h"
#include "app/UiStrings.h"
#include "platform/os/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

#include <cstring>
#include <functional>

using namespace std::chrono_literals;

namespace {

bool IsFifo(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool IsLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

struct ReaderRow {
    const char* what;
    const char* fifo; // the name in the program folder that is a FIFO
    std::function<bool(const std::string& fifo)> readsWithoutWaiting;
};

} // namespace

// Each reader meets a FIFO where its file should be: it answers at once as for a file that
// cannot be opened, and the FIFO is still a FIFO afterwards.
TEST(SpecialFiles, ReadersNeverWaitOnAFifoAndLeaveItAsItIs) {
    const ReaderRow rows[] = {
        {"whole-file reader", "x.bin", [](const std::string& fifo) {
             std::string bytes;
             return !ReadWholeFile(fifo, bytes) && bytes.empty();
         }},
        {"text file", "x.pro", [](const std::string& fifo) {
             CStdioFileEx file;
             std::string error;
             return !file.Open(fifo, CStdioFileEx::modeRead | CStdioFileEx::typeText, &error) && !file.IsOpen();
         }},
        {"project file", "show.pro", [](const std::string& fifo) {
             std::string error;
             return ReadProjectFile(fifo) == ProjectLoadResult::NotOpened && !WriteProjectFile(fifo, &error) &&
                    !error.empty();
         }},
        {"Info.ini", "Info.ini", [](const std::string&) {
             return GetLanguageSetting() == LanguageEnglish && LoadProjectFilePath().empty() &&
                    !SaveProjectFilePath("/show/show.pro");
         }},
        {"language file", "Language/English.ini", [](const std::string&) {
             const std::string chosen = InitLanguage("");
             LoadLanguageStrings();
             return chosen == LanguageEnglish && UiStrings[0] == DefaultUiStrings[0];
         }},
    };
    for (const ReaderRow& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ProgramFolderAt home(folder.Path());
        std::filesystem::create_directory(folder / "Language");
        InfoIniPath = folder / "Info.ini";
        const std::string fifo = folder / row.fifo;
        ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0) << std::strerror(errno);
        EXPECT_EQ(FinishesWithin([&] { return row.readsWithoutWaiting(fifo); }, 20s), ChildResult::True);
        EXPECT_TRUE(IsFifo(fifo));
        InfoIniPath.clear();
    }
}

namespace {

struct WriterRow {
    const char* what;
    // Makes the thing in folder and returns the path handed to the writer, or "" to skip the row.
    std::function<std::string(const ScratchFolder& folder)> make;
    // True while the thing is still as it was made.
    std::function<bool(const ScratchFolder& folder)> unchanged;
};

// A character device of the scratch folder's own, like /dev/null: mknod needs root's rights; else
// a link to /dev/null itself, when this process could not replace it anyway.
std::string DeviceNode(const ScratchFolder& folder) {
    const std::string node = folder / "null";
    if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) return node;
    if (geteuid() == 0 && access("/dev", W_OK) == 0) return {};
    return "/dev/null";
}

bool IsNullDevice(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == makedev(1, 3);
}

} // namespace

// The writer refuses anything but a regular file, through a link too, and leaves it as it was:
// a FIFO stays a FIFO, a device a device, the link a link; no temporary file is left behind.
TEST(SpecialFiles, WriterRefusesWhatIsNotARegularFileAndLeavesIt) {
    const WriterRow rows[] = {
        {"FIFO",
         [](const ScratchFolder& f) { return mkfifo((f / "p.ini").c_str(), 0644) == 0 ? f / "p.ini" : ""; },
         [](const ScratchFolder& f) { return IsFifo(f / "p.ini"); }},
        {"link to a FIFO",
         [](const ScratchFolder& f) {
             if (mkfifo((f / "p").c_str(), 0644) != 0 || symlink("p", (f / "Info.ini").c_str()) != 0) return std::string();
             return f / "Info.ini";
         },
         [](const ScratchFolder& f) { return IsFifo(f / "p") && IsLink(f / "Info.ini"); }},
        {"link to a device",
         [](const ScratchFolder& f) {
             const std::string device = DeviceNode(f);
             if (device.empty() || symlink(device.c_str(), (f / "PFile.BMP").c_str()) != 0) return std::string();
             return f / "PFile.BMP";
         },
         [](const ScratchFolder& f) { return IsLink(f / "PFile.BMP") && IsNullDevice(f / "PFile.BMP"); }},
        {"socket",
         [](const ScratchFolder& f) {
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const std::string path = f / "s.ini";
             if (path.size() >= sizeof address.sun_path) return std::string();
             std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
             const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
             const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
             if (fd >= 0) close(fd);
             return bound ? path : std::string();
         },
         [](const ScratchFolder& f) {
             struct stat info {};
             return lstat((f / "s.ini").c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
         }},
        {"folder",
         [](const ScratchFolder& f) { return std::filesystem::create_directory(f / "d.pro") ? f / "d.pro" : ""; },
         [](const ScratchFolder& f) { return std::filesystem::is_directory(f / "d.pro") && EntriesIn(f / "d.pro") == 0; }},
    };
    for (const WriterRow& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        const std::string path = row.make(folder);
        if (path.empty()) {
            ADD_FAILURE() << "cannot make it here";
            continue;
        }
        const size_t entries = EntriesIn(folder.Path());
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, "NEW", &error));
        EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
        EXPECT_TRUE(row.unchanged(folder));
        EXPECT_EQ(EntriesIn(folder.Path()), entries);
    }
}

// A link whose target does not exist yet stays a link: the bytes go to its target. A loop of
// links is refused.
TEST(SpecialFiles, DanglingLinkIsWrittenAtItsTargetAndALoopIsRefused) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "settings");
    ASSERT_EQ(symlink("settings/Info.ini", (folder / "Info.ini").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(folder / "Info.ini", "NEW"));
    EXPECT_TRUE(IsLink(folder / "Info.ini"));
    EXPECT_EQ(ReadBytes(folder / "settings/Info.ini"), "NEW");

    ASSERT_EQ(symlink("b", (folder / "a").c_str()), 0);
    ASSERT_EQ(symlink("a", (folder / "b").c_str()), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(folder / "a", "NEW", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(IsLink(folder / "a"));
    EXPECT_TRUE(IsLink(folder / "b"));
}
