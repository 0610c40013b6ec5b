#include "lexicon/CaptionCode.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "lexicon/CaptionId.h"

namespace vormid::lexicon {
namespace {

constexpr std::size_t kCodeLength = 3;

// The code's bytes for a one-line message: printable ASCII as is, anything
// else (control bytes, line breaks, Windows-1251 letters) as \xNN.
std::string Printable(std::string_view bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F) {
            out += ch;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

bool IsDecimal(std::string_view digits) {
    if (digits.empty()) return false;
    for (const char ch : digits) {
        if (ch < '0' || ch > '9') return false;
    }
    return true;
}

}  // namespace

std::uint16_t CaptionIdOfCode(std::uint32_t table, const char* code) {
    const std::string_view used(code, strnlen(code, kCodeLength));
    const int letter = (!used.empty() && used[0] >= 'A' && used[0] <= 'Z') ? used[0] - 'A' : -1;
    const std::string_view digits = used.empty() ? used : used.substr(1);
    // Signs, blanks and other radixes are refused: a field number is digits only.
    if (!IsDecimal(digits)) {
        throw CodeError("\"" + Printable(digits) + "\" is not a decimal number (field code \"" + Printable(used) +
                        "\")");
    }
    int number = 0;
    for (const char ch : digits) number = number * 10 + (ch - '0');
    return CaptionId(table, letter, number);
}

}  // namespace vormid::lexicon
