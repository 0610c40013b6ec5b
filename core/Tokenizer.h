#pragma once
// The tokenizer of the equation language: cuts a text into names, numbers
// and function names at the delimiters, for listing the names of an
// equation and for rebuilding an equation token by token.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vormid {

// The line separator of plain equation text.
constexpr char kLineSeparator = '\x07';

// Code 7 and ( ) * + - / ; = ^ end a token.
bool IsTokenDelimiter(char c);
// Tab, line feed, carriage return and space: dropped without ending a token.
bool IsTokenBlank(char c);
// True when a gathered token names a quantity: it is none of the function
// names (compared in upper case) and does not pass IsNumberText. The empty
// token is no name.
bool IsNameToken(std::string_view token);

enum class TTextPieceKind : std::uint8_t {
    Token,      // a run of token characters, possibly with blanks inside
    Delimiter,  // exactly one delimiter character
    Blank,      // a run of blanks before or after a token (or alone)
};

struct TTextPiece {
    TTextPieceKind Kind;
    // The bytes of the text this piece covers; the Raw of all pieces,
    // concatenated, give the text back unchanged.
    std::string_view Raw;
    // Token only: Raw without its blanks, the text to compare with names.
    std::string Word;
};

// Cuts text into pieces in order. Blanks inside a token ("A B") stay in the
// token's Raw and are left out of its Word; blanks before a token's first or
// after its last character are Blank pieces. A token still open at the end
// of the text is emitted as well, so the text need not end with a delimiter:
// appending ";" or code 7 first gives the same pieces plus that delimiter.
// Raw views point into text. Never throws except std::bad_alloc.
std::vector<TTextPiece> SplitPieces(std::string_view text);

// The names of text (tokens that pass IsNameToken), every occurrence in
// order of appearance, a final token without a delimiter after it included.
std::vector<std::string> TokenizeNames(std::string_view text);

}  // namespace vormid
