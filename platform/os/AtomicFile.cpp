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

// More hops than this is taken for a loop of links, as the kernel does.
constexpr int LinkHopLimit = 40;

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
}

bool Refuse(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links one hop at a time to the path the bytes belong at. Unlike a full
// canonical resolution this also ends at the target of a link whose target is missing yet, so
// that target is written and the link stays. False (errno set) for a loop of links or a link
// that cannot be read.
bool FollowLinks(std::string& path) {
    for (int hop = 0; hop < LinkHopLimit; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (ec || target.empty()) {
            errno = ec ? ec.value() : ENOENT;
            return false;
        }
        path = target.is_absolute() ? target.string() : FolderOf(path) + "/" + target.string();
    }
    errno = ELOOP;
    return false;
}

bool WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// The folder takes no new file, but the file itself may be written: its bytes are rewritten
// where they are. Room for a longer file is reserved first, so a full disk or a size limit
// fails before any old byte is touched and the file is left as it was. A write that fails
// after that (an I/O error) leaves the new bytes up to that point over the old ones; it is
// reported as a failure.
bool WriteInPlace(const std::string& path, std::string_view bytes, std::string* error) {
    const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Fail(error, "cannot open " + path + " to write it in place");
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return Refuse(error, "not a regular file, left as it is: " + path);
    }
    const off_t oldSize = info.st_size;
    const off_t newSize = static_cast<off_t>(bytes.size());
    if (newSize > oldSize) {
        if (const int reserved = posix_fallocate(fd, oldSize, newSize - oldSize); reserved != 0) {
            // Back to the old length: no old byte was touched.
            const bool restored = ftruncate(fd, oldSize) == 0;
            close(fd);
            errno = reserved;
            return Fail(error, "no room to rewrite " + path + (restored ? " (left as it was)" : " (its length may have grown)"));
        }
    }
    if (!WriteAll(fd, bytes)) {
        Fail(error, "cannot rewrite " + path + " (it may now be partly rewritten)");
        close(fd);
        return false;
    }
    if (newSize < oldSize && ftruncate(fd, newSize) != 0) {
        Fail(error, "cannot cut " + path + " to its new length");
        close(fd);
        return false;
    }
    if (fsync(fd) != 0) {
        Fail(error, "cannot flush " + path);
        close(fd);
        return false;
    }
    if (close(fd) != 0) return Fail(error, "cannot close " + path);
    return true;
}

} // namespace

bool IsWriteProtectedFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // No write bit for anyone: root could open it, but whoever cleared the bits meant it to stay.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
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
    // A path that is a symbolic link is written where the link leads, and the link stays; so is
    // a link whose target does not exist yet: that target is created (in its folder, which must
    // exist). A loop of links is refused.
    std::string path = requestedPath;
    if (!FollowLinks(path)) return Fail(error, "cannot follow the link " + requestedPath);
    struct stat old {};
    const bool exists = lstat(path.c_str(), &old) == 0;
    // Only a regular file is replaced: a FIFO, a device, a socket or a folder stays as it is.
    if (exists && !S_ISREG(old.st_mode)) return Refuse(error, "not a regular file, left as it is: " + path);
    if (exists && IsWriteProtectedFile(path)) return Refuse(error, "the file is write-protected: " + path);
    // The temporary file is created with the usual 0666 less umask, like any new file; one that
    // replaces an existing file takes over that file's permissions.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(TempCounter.fetch_add(1));
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM)) return WriteInPlace(path, bytes, error);
        return Fail(error, "cannot create a temporary file beside " + path);
    }
    if (exists) fchmod(fd, old.st_mode & 07777);
    if (!WriteAll(fd, bytes)) {
        Fail(error, "cannot write " + temp);
        close(fd);
        unlink(temp.c_str());
        return false;
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
    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    // Asked first, so a device is never opened; the open itself does not wait for a FIFO's
    // writer either, and what was opened is checked again in case the path changed meanwhile.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
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
