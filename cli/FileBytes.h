#pragma once
// Reading an input file whole, with a message in the tool's words.
#include <string>

namespace vormid::cli {

// "-" names standard input (or output, for an output file).
bool IsStandardStream(const std::string& path);

// The whole file ("-": all of standard input). Throws FileError naming the file when it is missing,
// unreadable or not a regular file.
std::string ReadInputFile(const std::string& path);

// Messages of the program's libraries are Windows-1251; the tool writes UTF-8.
std::string LibraryMessage(const char* cp1251);

}  // namespace vormid::cli
