#pragma once
// Scratch folders and raw file bytes for the file tests.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velkan-files-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        path_ += '/';
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Makes the scratch folder the program folder for the test's lifetime.
class ProgramFolderAt {
public:
    explicit ProgramFolderAt(const std::string& folder) {
        if (const char* old = std::getenv("VELKAN_HOME")) old_ = old, hadOld_ = true;
        setenv("VELKAN_HOME", folder.c_str(), 1);
    }
    ~ProgramFolderAt() {
        if (hadOld_) setenv("VELKAN_HOME", old_.c_str(), 1);
        else unsetenv("VELKAN_HOME");
    }
    ProgramFolderAt(const ProgramFolderAt&) = delete;
    ProgramFolderAt& operator=(const ProgramFolderAt&) = delete;

private:
    std::string old_;
    bool hadOld_ = false;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// True when the file begins with the UTF-16LE byte-order mark FF FE.
inline bool IsFileUnicode(const std::string& path) { return ReadBytes(path).rfind("\xFF\xFE", 0) == 0; }

// UTF-16LE bytes of an ASCII/Latin-1 text written with \u escapes by the caller as UTF-16 units.
inline std::string Utf16Le(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

enum class ChildResult { True, False, TimedOut };
inline void PrintTo(ChildResult result, std::ostream* out) {
    *out << (result == ChildResult::True ? "true" : result == ChildResult::False ? "false" : "timed out");
}

// Runs check in a child process and waits at most limit for its answer. A check that blocks
// (opening a FIFO, say) is killed at the limit, so the test fails instead of hanging.
template <typename Check>
ChildResult FinishesWithin(Check check, std::chrono::milliseconds limit) {
    const pid_t child = fork();
    if (child == 0) _exit(check() ? 0 : 1);
    if (child < 0) return ChildResult::TimedOut;
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return ChildResult::TimedOut;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildResult::True : ChildResult::False;
}
