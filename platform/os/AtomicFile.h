#pragma once
#include <string>
#include <string_view>

// Replaces the file at path with bytes: they go to a temporary file in the same folder, which
// is flushed to disk and renamed over the old file. So a failed write (disk full, read-only
// folder) leaves the old file whole. An existing file that may not be written is refused and
// left as it is. Returns false on failure and says why in *error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// True when a file exists at path that this process may not open for writing (its permissions,
// a read-only mount). A rename over it would need only the folder's permission, so the writer
// asks first: whoever protected the file meant it to stay as it is.
bool IsWriteProtectedFile(const std::string& path);

// Reads the whole file into bytes. Files above maxBytes are refused rather than loaded, so a
// stray huge file cannot exhaust memory. Returns false when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes = 64u << 20);
