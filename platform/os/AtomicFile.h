#pragma once
#include <string>
#include <string_view>

// Replaces the file at path with bytes: they go to a temporary file in the same folder, which
// is flushed to disk and renamed over the old file. So a failed write (disk full, read-only
// folder) leaves the old file whole. Returns false on failure and says why in *error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Reads the whole file into bytes. Files above maxBytes are refused rather than loaded, so a
// stray huge file cannot exhaust memory. Returns false when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes = 64u << 20);
