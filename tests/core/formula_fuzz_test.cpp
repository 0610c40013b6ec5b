// Malformed input never crashes: random byte strings compile and evaluate
// (run under the sanitizer build as well).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/Formula.h"
#include "core/Tokenizer.h"

namespace vormid {
namespace {

double AnyName(void*, const std::string& name) { return name.size() % 3 == 0 ? 0.0 : 1.5; }

std::string RandomText(std::mt19937& rng) {
    // Mostly the characters of the language, now and then any byte.
    static const std::string alphabet = "()()+-*/^;;,.0123456789aBxSINLOGPIMODFACT\t\x07 ";
    std::uniform_int_distribution<int> length(0, 48), any(0, 255), which(0, 9);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::string s(static_cast<std::size_t>(length(rng)), ' ');
    for (char& c : s) c = which(rng) == 0 ? static_cast<char>(any(rng)) : alphabet[letter(rng)];
    return s;
}

TEST(FormulaFuzz, RandomBytesNeverCrash) {
    std::mt19937 rng(4242);
    int compiled = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string text = RandomText(rng);
        TFormul f;
        (void)TokenizeNames(text);
        if (!f.Compile(text)) {
            EXPECT_THROW(f.Evaluate(&AnyName, nullptr), std::logic_error);
            continue;
        }
        ++compiled;
        const double full = f.Evaluate(&AnyName, nullptr);
        const int fullError = EvalError;
        EXPECT_GE(fullError, 0);
        EXPECT_LE(fullError, InvalidOperation);
        std::vector<double> x;
        for (const auto& name : f.SlotNames()) x.push_back(AnyName(nullptr, name));
        const double bound = f.EvaluateBound(x);
        EXPECT_TRUE((std::isnan(full) && std::isnan(bound)) || full == bound) << text;
        EXPECT_EQ(EvalError, fullError) << text;
        for (std::size_t s = 0; s < x.size(); ++s) (void)f.EvaluateWithSlot(s, -x[s]);
    }
    EXPECT_GT(compiled, 1000);  // the generator reaches the evaluator
}

}  // namespace
}  // namespace vormid
