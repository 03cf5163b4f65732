#include "app/ProjectFile.h"

#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/MainDialogInterface.h"
#include "app/ProjectFormat.h"
#include "app/ReplySlot.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

static_assert(ProjectBlockSize == StateBlockSize);

// Clears LoadedFromProject on every way out of a load, so that a load that ends early never
// makes the next full state from the device look like a project.
struct LoadedFromProjectGuard {
    DeviceState& State;
    ~LoadedFromProjectGuard() { State.LoadedFromProject = 0; }
};

// Interim: the project's lines, from 8-bit text or UTF-16LE after FF FE.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text;
    if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned unit = static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
            text += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
    } else {
        text = std::move(bytes);
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

// Interim: writes beside the target, then renames over it.
bool ReplaceFile(const std::string& path, const std::string& content) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    fchmod(fd, 0644);
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool ok = written == content.size() && fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

bool WriteProjectFile(const std::string& path) {
    auto& state = GetDeviceState();
    auto* block = reinterpret_cast<uint8_t*>(static_cast<StateBlock*>(&state));
    ClampProjectFields(block);
    return ReplaceFile(path, FormatProjectText(block));
}

ProjectLoadResult ReadProjectFile(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines)) return ProjectLoadResult::NotOpened;
    auto& state = GetDeviceState();
    StateBlock block = state; // bytes the file does not carry keep their current values
    if (ParseProjectLines(lines, reinterpret_cast<uint8_t*>(&block)) == 0) return ProjectLoadResult::NoKeys;
    {
        LoadedFromProjectGuard guard{state};
        state.LoadedFromProject = 1;
        state.ApplyStateBlock(&block);
    }
    if (MainDialogInterface* dialog = TheMainDialog) dialog->OnDeviceReply(ReplyFullState, 0);
    return ProjectLoadResult::Loaded;
}
