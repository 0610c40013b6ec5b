#pragma once
// The Monte Carlo propagation's reasons for failing, in the program's words
// (Windows-1251), naming the result concerned.
#include <cstdint>
#include <string>

namespace vormid {

// The first failed draw: its number (1-based) and evaluation error code,
// or code 0 for a result that is infinite or not a number.
std::string MsgDrawFailed(const std::string& result, std::uint64_t draw, int code);
// count draws of trials failed; first is MsgDrawFailed of the first.
std::string MsgDrawsFailed(const std::string& result, std::uint64_t count, std::uint64_t trials,
                           const std::string& first);
std::string MsgCoverageOutOfRange(const std::string& result);

}  // namespace vormid
