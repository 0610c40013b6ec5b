// The calculation's own walk over the pieces of an equation must cut exactly
// as the equation language's tokenizer does.
#include "evaluation/EquationPieces.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vormid {
namespace {

TEST(EquationPieces, SameAsTheTokenizerOnRandomTexts) {
    const std::string alphabet = "AXbx1,.SINsinPIMAXLOG2\\'e0 \t\r\n()*+-/;=^\x07\xC0\xFF";
    std::mt19937 rng(99);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), len(0, 24);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (std::size_t k = len(rng); k > 0; --k) text += alphabet[pick(rng)];
        std::vector<std::pair<std::string, std::string>> mine;
        ForEachPiece(text, [&](std::string_view raw, std::string_view word) {
            mine.emplace_back(std::string(raw), std::string(word));
        });
        std::vector<TTextPiece> theirs = SplitPieces(text);
        ASSERT_EQ(mine.size(), theirs.size()) << text;
        for (std::size_t i = 0; i < mine.size(); ++i) {
            EXPECT_EQ(mine[i].first, theirs[i].Raw) << text;
            EXPECT_EQ(mine[i].second, theirs[i].Kind == TTextPieceKind::Token ? theirs[i].Word : "") << text;
            if (theirs[i].Kind == TTextPieceKind::Token) {
                EXPECT_EQ(IsQuantityToken(mine[i].second), IsNameToken(theirs[i].Word)) << text;
            }
        }
        std::vector<std::string> names;
        ForEachName(text, [&](std::string_view n) { names.emplace_back(n); });
        EXPECT_EQ(names, TokenizeNames(text)) << text;
    }
}

TEST(EquationPieces, FunctionNamesAndNumbersAreNoQuantities) {
    for (const char* t : {"SIN", "sin", "Log10", "PI", "2,5", "3.", ""}) EXPECT_FALSE(IsQuantityToken(t)) << t;
    for (const char* t : {"X1", "Sinus", "\xD1IN", "2,5,1", "A.B"}) EXPECT_TRUE(IsQuantityToken(t)) << t;
}

}  // namespace
}  // namespace vormid
