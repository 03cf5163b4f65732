#include "platform/os/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

std::atomic<unsigned> TempCounter{0};

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool IsWriteProtectedFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        close(fd);
        return false;
    }
    return errno == EACCES || errno == EPERM || errno == EROFS || errno == ETXTBSY;
}

bool WriteFileAtomically(const std::string& requestedPath, std::string_view bytes, std::string* error) {
    if (requestedPath.empty()) {
        errno = ENOENT;
        return Fail(error, "no file name");
    }
    // A file reached through a symbolic link is replaced where it really lives; the link stays.
    std::string path = requestedPath;
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto target = std::filesystem::canonical(path, ec);
        if (!ec) path = target.string();
    }
    if (IsWriteProtectedFile(path)) return Fail(error, "the file is write-protected: " + path);
    // The temporary file is created with the usual 0666 less umask, like any new file; one that
    // replaces an existing file takes over that file's permissions.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(TempCounter.fetch_add(1));
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Fail(error, "cannot create a temporary file beside " + path);
    struct stat old {};
    if (stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            Fail(error, "cannot write " + temp);
            close(fd);
            unlink(temp.c_str());
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (fsync(fd) != 0) {
        Fail(error, "cannot flush " + temp);
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    if (close(fd) != 0) {
        Fail(error, "cannot close " + temp);
        unlink(temp.c_str());
        return false;
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        Fail(error, "cannot replace " + path);
        unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<size_t>(info.st_size) > maxBytes) {
        close(fd);
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            close(fd);
            bytes.clear();
            return false;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
        if (bytes.size() > maxBytes) {
            close(fd);
            bytes.clear();
            return false;
        }
    }
    close(fd);
    return true;
}
