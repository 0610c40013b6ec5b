#pragma once
// Whole-file reads and crash-safe whole-file writes of model files.
#include <cstdint>
#include <string>
#include <vector>

namespace vormid {

// Reads the whole file. Throws TModelFileError ("… не може да бъде
// отворен") when it is missing, unreadable or not a regular file.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Replaces the file at path by `bytes` so that either the old or the new
// content is on disk whatever happens: writes a temporary file in the same
// directory, flushes it to disk and renames it over the old file (following
// a symbolic link to its target; keeping the old file's permissions). Throws
// TModelFileError ("… не може да бъде записан"), the old file intact.
void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vormid
