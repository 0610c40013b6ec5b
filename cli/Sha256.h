#pragma once
// SHA-256 (FIPS 180-4) of bytes in memory: the report prints the model
// file's hash and its check compares it with the attached model.
#include <string>
#include <string_view>

namespace vormid::cli {

// 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace vormid::cli
