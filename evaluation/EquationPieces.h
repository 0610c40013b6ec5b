#pragma once
// The equation's text cut the way the tokenizer of the equation language
// cuts it (its delimiters, blanks, function names and number test), without
// losing a character: substitution rebuilds the text piece by piece, and
// registration walks its names. Unlike SplitPieces these walks allocate
// nothing per piece; an equation of ten thousand inputs is cut several times
// per calculation.
#include <string>
#include <string_view>

#include "core/Tokenizer.h"

namespace vormid {

namespace pieces_detail {
enum : unsigned char { kOther = 0, kDelimiter = 1, kBlank = 2 };
// Class of every byte by IsTokenDelimiter / IsTokenBlank.
const unsigned char* CharClasses();
}  // namespace pieces_detail

// IsNameToken, with a quick answer for tokens that cannot be function names
// (their first letter starts none).
bool IsQuantityToken(std::string_view token);

// A function name of the equation language (any case) or a number text:
// a token that never stands for a quantity.
inline bool IsReservedToken(std::string_view token) { return !IsQuantityToken(token); }

// Calls piece(raw, word) for consecutive pieces that together are the whole
// text, exactly the pieces of SplitPieces: word is the token to compare with
// names (raw without its blanks), empty for a delimiter or a run of blanks.
// The word view is valid during the call only.
template <class Piece>
void ForEachPiece(std::string_view text, Piece&& piece) {
    using namespace pieces_detail;
    const unsigned char* cls = CharClasses();
    auto at = [&](std::size_t k) { return cls[static_cast<unsigned char>(text[k])]; };
    std::string word;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        if (at(i) == kDelimiter) {
            piece(text.substr(i, 1), std::string_view());
            ++i;
        } else if (at(i) == kBlank) {
            std::size_t j = i;
            while (j < n && at(j) == kBlank) ++j;
            piece(text.substr(i, j - i), std::string_view());
            i = j;
        } else {
            // A token runs to its last token character before a delimiter;
            // blanks between its characters belong to it.
            std::size_t last = i;
            bool inner = false;
            std::size_t j = i;
            for (; j < n && at(j) != kDelimiter; ++j) {
                if (at(j) == kBlank) {
                    inner = true;
                    continue;
                }
                last = j;
            }
            std::string_view raw = text.substr(i, last + 1 - i);
            if (!inner || raw.find_first_of(" \t\r\n") == std::string_view::npos) {
                piece(raw, raw);
            } else {
                word.clear();
                for (char c : raw)
                    if (cls[static_cast<unsigned char>(c)] != kBlank) word += c;
                piece(raw, std::string_view(word));
            }
            i = last + 1;
        }
    }
}

// Calls name(token) for every token that names a quantity (neither a
// function name nor a number), in text order, repeats included.
template <class Name>
void ForEachName(std::string_view text, Name&& name) {
    ForEachPiece(text, [&](std::string_view, std::string_view word) {
        if (!word.empty() && IsQuantityToken(word)) name(word);
    });
}

}  // namespace vormid
