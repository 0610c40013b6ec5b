#pragma once
// The equation's text cut the way the tokenizer of the equation language
// cuts it, but without losing a character: substitution rebuilds the text
// piece by piece, and registration walks its names.
#include <string>
#include <string_view>

#include "evaluation/EquationText.h"

namespace vormid {

// The delimiters of the equation language.
constexpr bool IsEquationDelimiter(char c) {
    switch (c) {
        case kLineSeparator:
        case '(':
        case ')':
        case '*':
        case '+':
        case '-':
        case '/':
        case ';':
        case '=':
        case '^': return true;
        default: return false;
    }
}

constexpr bool IsDroppedWhiteSpace(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// Calls piece(text, token) for consecutive pieces that together are the
// whole text: a delimiter alone (token empty), or a run of other characters
// whose token is the run without its white space (which does not end a
// token). A run of white space only has an empty token. The token view is
// valid during the call only.
template <class Piece>
void ForEachPiece(std::string_view text, Piece&& piece) {
    std::size_t start = 0;
    std::string token;
    auto flush = [&](std::size_t end) {
        if (end > start) piece(text.substr(start, end - start), std::string_view(token));
        token.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (IsEquationDelimiter(c)) {
            flush(i);
            piece(text.substr(i, 1), std::string_view());
            start = i + 1;
        } else if (!IsDroppedWhiteSpace(c)) {
            token += c;
        }
    }
    flush(text.size());
}

// Calls name(token) for every token that is neither a function name nor a
// number, in text order (repeats included).
template <class Name>
void ForEachName(std::string_view text, Name&& name);

// A function name of the equation language (any case) or a number text:
// a token that never stands for a quantity.
bool IsReservedToken(std::string_view token);

template <class Name>
void ForEachName(std::string_view text, Name&& name) {
    ForEachPiece(text, [&](std::string_view, std::string_view token) {
        if (!token.empty() && !IsReservedToken(token)) name(token);
    });
}

}  // namespace vormid
