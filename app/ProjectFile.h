#pragma once
#include <string>

// Saves the StateBlock of DeviceState as a project file. The guarded fields are first brought
// into range in DeviceState itself. The file is written beside the target and renamed over it,
// so a failed save leaves the old project whole; false reports the failure and *error says why.
bool WriteProjectFile(const std::string& path, std::string* error = nullptr);

enum class ProjectLoadResult {
    Loaded,    // applied like a full state from the device; the windows refreshed
    NotOpened, // the file could not be read: nothing changed
    NoKeys,    // empty, or only a byte-order mark: nothing applied; the windows still refresh
};

// Loads a project file into DeviceState. The reader starts from a copy of the current block, so
// a key that is missing leaves its field as it was; then the block is applied as a full state
// and the main dialog refreshes every page. A file without a single key is not applied (every
// field would read as 0: no output size, every card slot taken), but the pages refresh all the
// same, so the windows show the state that was kept.
ProjectLoadResult ReadProjectFile(const std::string& path);
