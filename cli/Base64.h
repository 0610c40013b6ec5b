#pragma once
// Standard base64 (RFC 4648, with padding) for byte strings that cannot be
// written as text.
#include <optional>
#include <string>
#include <string_view>

namespace vormid::cli {

std::string Base64Encode(std::string_view bytes);

// The bytes, or nothing when the text is not canonical padded base64.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace vormid::cli
