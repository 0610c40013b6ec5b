#include "evaluation/EquationPieces.h"

#include <array>

#include "core/Formula.h"

namespace vormid {
namespace {

std::array<unsigned char, 256> BuildClasses() {
    std::array<unsigned char, 256> cls{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        cls[static_cast<std::size_t>(c)] = IsTokenDelimiter(ch) ? pieces_detail::kDelimiter
                                           : IsTokenBlank(ch)   ? pieces_detail::kBlank
                                                                : pieces_detail::kOther;
    }
    return cls;
}

// Which bytes start a function name, in either case (the table is ASCII and
// only ASCII letters fold).
std::array<bool, 256> BuildFirstLetters() {
    std::array<bool, 256> first{};
    for (int slot = kFirstFunctionSlot; slot < kFunctionSlots; ++slot) {
        const char* name = FunctionTable[slot];
        if (name == nullptr || name[0] == '\0') continue;
        const auto upper = static_cast<unsigned char>(name[0]);
        first[upper] = true;
        if (upper >= 'A' && upper <= 'Z') first[upper - 'A' + 'a'] = true;
    }
    return first;
}

}  // namespace

const unsigned char* pieces_detail::CharClasses() {
    static const std::array<unsigned char, 256> classes = BuildClasses();
    return classes.data();
}

bool IsQuantityToken(std::string_view token) {
    static const std::array<bool, 256> firstLetters = BuildFirstLetters();
    if (token.empty() || IsNumberText(token)) return false;
    if (!firstLetters[static_cast<unsigned char>(token[0])]) return true;
    return IsNameToken(token);
}

}  // namespace vormid
