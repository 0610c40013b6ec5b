#pragma once
// The program's own texts are written in the sources as UTF-8 and handed to
// the model, which holds text as Windows-1251 bytes.
#include <string>
#include <string_view>

namespace vormid {

// The Windows-1251 bytes of a UTF-8 text; characters the code page lacks
// become "?". Never throws (apart from allocation failure).
std::string Cp1251FromUtf8(std::string_view utf8);

}  // namespace vormid
