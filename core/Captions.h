#pragma once
// Captions of the model's codes as the program shows them (UTF-8, the
// program's own texts): the budget table, the distribution box and the
// command-line tool write the same words.
#include <string_view>

namespace vormid {

// Caption of a distribution code; empty for a code outside 0..9.
std::string_view DistributionCaption(int code);

}  // namespace vormid
