#include "app/ProjectFile.h"

#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/MainDialogInterface.h"
#include "app/ProjectFormat.h"
#include "app/ReplySlot.h"

#include "app/StdioFileEx.h"

#include <vector>

namespace {

static_assert(ProjectBlockSize == StateBlockSize);

// Clears LoadedFromProject on every way out of a load, so that a load that ends early never
// makes the next full state from the device look like a project.
struct LoadedFromProjectGuard {
    DeviceState& State;
    ~LoadedFromProjectGuard() { State.LoadedFromProject = 0; }
};

// The project's lines, decoded from 8-bit text or UTF-16LE as the file holds them.
bool ReadProjectLines(const std::string& path, std::vector<std::string>& lines) {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeRead | CStdioFileEx::shareDenyWrite | CStdioFileEx::typeText)) return false;
    std::string line;
    while (file.ReadString(line)) lines.push_back(line);
    return true;
}

} // namespace

bool WriteProjectFile(const std::string& path, std::string* error) {
    auto& state = GetDeviceState();
    auto* block = reinterpret_cast<uint8_t*>(static_cast<StateBlock*>(&state));
    ClampProjectFields(block);
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | CStdioFileEx::typeText, error))
        return false;
    // The file replaces the old one only when it is closed, and only when it was written whole.
    return file.WriteString(FormatProjectText(block)) && file.Close(error);
}

ProjectLoadResult ReadProjectFile(const std::string& path) {
    // The whole file is read once; the keys are then sought forward through its lines. A key
    // that is missing keeps the scan where it was, so one lost line costs only its own field.
    std::vector<std::string> lines;
    if (!ReadProjectLines(path, lines)) return ProjectLoadResult::NotOpened;
    auto& state = GetDeviceState();
    StateBlock block = state; // bytes the file does not carry keep their current values
    const bool anyKey = ParseProjectLines(lines, reinterpret_cast<uint8_t*>(&block)) != 0;
    if (anyKey) {
        LoadedFromProjectGuard guard{state};
        state.LoadedFromProject = 1;
        state.ApplyStateBlock(&block);
    }
    if (MainDialogInterface* dialog = TheMainDialog) dialog->OnDeviceReply(ReplyFullState, 0);
    return anyKey ? ProjectLoadResult::Loaded : ProjectLoadResult::NoKeys;
}
