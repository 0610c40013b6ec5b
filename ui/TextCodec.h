#pragma once
// The model keeps its texts as Windows-1251 bytes; the window shows QString.
// These two conversions are the only place where the two meet.
#include <QString>
#include <string>

namespace vormid {

// Decodes Windows-1251 bytes; never throws.
QString FromCp1251(const std::string& bytes);

// Encodes to Windows-1251; a character without a code becomes '?'. Never throws.
std::string ToCp1251(const QString& text);

// A file path as the operating system's bytes (for the standard-library side).
std::string PathToNative(const QString& path);
QString PathFromNative(const std::string& path);

}  // namespace vormid
