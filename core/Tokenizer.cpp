// Cutting equation text into tokens.
#include "core/Tokenizer.h"

#include "core/Formula.h"

namespace vormid {

bool IsTokenDelimiter(char c) {
    return c == kLineSeparator || std::string_view("()*+-/;=^").find(c) != std::string_view::npos;
}

bool IsTokenBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

bool IsNameToken(std::string_view token) { return !token.empty() && FindFunction(token) == 0 && !IsNumberText(token); }

std::vector<TTextPiece> SplitPieces(std::string_view text) {
    std::vector<TTextPiece> pieces;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (IsTokenDelimiter(c)) {
            pieces.push_back({TTextPieceKind::Delimiter, text.substr(i, 1), {}});
            ++i;
        } else if (IsTokenBlank(c)) {
            std::size_t j = i;
            while (j < n && IsTokenBlank(text[j])) ++j;
            pieces.push_back({TTextPieceKind::Blank, text.substr(i, j - i), {}});
            i = j;
        } else {
            // A token runs to its last token character before a delimiter or
            // the end; blanks between its characters belong to it.
            std::string word;
            std::size_t last = i;
            std::size_t j = i;
            for (; j < n && !IsTokenDelimiter(text[j]); ++j) {
                if (IsTokenBlank(text[j])) continue;
                word.push_back(text[j]);
                last = j;
            }
            pieces.push_back({TTextPieceKind::Token, text.substr(i, last + 1 - i), std::move(word)});
            i = last + 1;
        }
    }
    return pieces;
}

std::vector<std::string> TokenizeNames(std::string_view text) {
    std::vector<std::string> names;
    for (TTextPiece& piece : SplitPieces(text))
        if (piece.Kind == TTextPieceKind::Token && IsNameToken(piece.Word)) names.push_back(std::move(piece.Word));
    return names;
}

}  // namespace vormid
