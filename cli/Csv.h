#pragma once
// CSV by RFC 4180: fields separated by ",", records ended by CRLF, a field
// quoted when it holds a comma, a quote, CR or LF (quotes doubled), and also
// when it has a leading or trailing blank, which some readers would strip.
#include <string>
#include <string_view>
#include <vector>

namespace vormid::cli {

std::string CsvField(std::string_view field);
std::string CsvRecord(const std::vector<std::string>& fields);

}  // namespace vormid::cli
