#include "cli/FileBytes.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/Cp1251.h"
#include "cli/FileError.h"
#include "persistence/Messages.h"

namespace vormid::cli {

bool IsStandardStream(const std::string& path) { return path == "-"; }

std::string ReadInputFile(const std::string& path) {
    if (IsStandardStream(path)) {
        std::ostringstream buf;
        buf << std::cin.rdbuf();
        if (std::cin.bad()) throw FileError("стандартният вход не може да бъде прочетен");
        return std::move(buf).str();
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw FileError("файлът „" + path + "“ не може да бъде отворен: " +
                        (std::filesystem::exists(path, ec) ? "не е обикновен файл" : "няма такъв файл"));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError("файлът „" + path + "“ не може да бъде отворен: " + Cp1251ToUtf8(msg::SystemErrorText(errno)));
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) throw FileError("файлът „" + path + "“ не може да бъде прочетен");
    return std::move(buf).str();
}

std::string LibraryMessage(const char* cp1251) { return Cp1251ToUtf8(cp1251); }

}  // namespace vormid::cli
