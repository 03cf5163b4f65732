#pragma once
#include <string>
#include <string_view>

// Replaces the file at path with bytes: they go to a temporary file in the same folder, which
// is flushed to disk and renamed over the old file. So a failed write (disk full, read-only
// mount) leaves the old file whole. Where the folder takes no new file but the existing file
// may be written, the file is rewritten in place instead and flushed before success is
// reported. An existing file that may not be written, and anything at path that is not a
// regular file (a FIFO, a device, a socket, a folder), is refused and left as it is. Returns
// false on failure and says why in *error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// True when a regular file exists at path that is not to be written: one without any write
// permission bit (protected for every user, root included, as its owner meant), or one this
// process may not open for writing (its permissions, a read-only mount). A rename over it
// would need only the folder's permission, so the writer asks first.
bool IsWriteProtectedFile(const std::string& path);

// Reads the whole file into bytes. Only a regular file is read: a FIFO, a device or a socket
// is refused without waiting on it. Files above maxBytes are refused rather than loaded, so a
// stray huge file cannot exhaust memory. Returns false when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes = 64u << 20);
