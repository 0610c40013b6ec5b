#pragma once
// The equation's text cut the way the tokenizer of the equation language
// cuts it, without losing a character: substitution rebuilds the text
// piece by piece, and registration walks its names.
#include <string_view>

#include "core/Tokenizer.h"

namespace vormid {

// Calls piece(raw, word) for consecutive pieces that together are the whole
// text: word is the token to compare with names (the raw text without its
// blanks), empty for a delimiter or a run of blanks.
template <class Piece>
void ForEachPiece(std::string_view text, Piece&& piece) {
    for (const TTextPiece& p : SplitPieces(text))
        piece(p.Raw, p.Kind == TTextPieceKind::Token ? std::string_view(p.Word) : std::string_view());
}

// Calls name(token) for every token that names a quantity (neither a
// function name nor a number), in text order, repeats included.
template <class Name>
void ForEachName(std::string_view text, Name&& name) {
    for (const TTextPiece& p : SplitPieces(text))
        if (p.Kind == TTextPieceKind::Token && IsNameToken(p.Word)) name(std::string_view(p.Word));
}

// A function name of the equation language (any case) or a number text:
// a token that never stands for a quantity.
inline bool IsReservedToken(std::string_view token) { return !IsNameToken(token); }

}  // namespace vormid
