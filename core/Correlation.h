#pragma once
// The model's correlation coefficients: an ordered list of named pairs.
// (A, B) and (B, A) are different keys; names are compared byte for byte.
#include <string>
#include <string_view>
#include <vector>

namespace vormid {

struct TCorrelationPair {
    std::string Name1;
    std::string Name2;
    std::string CoefficientText;
    double Coefficient = 0.0;

    bool operator==(const TCorrelationPair&) const = default;
};

// What a coefficient typed so far (without the blanks around it) amounts to.
enum class TCoefficientText {
    Incomplete,  // empty, a sign or decimal sign alone, a number ending in its decimal sign
    Valid,       // a number within −1 … 1
    Refused,     // not a number, or outside −1 … 1
};
TCoefficientText CoefficientTextState(std::string_view text);

class TCorrelation {
public:
    int Count() const { return static_cast<int>(Pairs_.size()); }
    // Appends (name1, name2) with coefficient 0 and empty text unless a pair
    // with exactly these names exists.
    void AddPair(const std::string& name1, const std::string& name2);
    // Removes the pair at index; nothing for a bad index.
    void Delete(int index);
    void Clear() { Pairs_.clear(); }
    // Index of the pair with exactly these names, or -1.
    int IndexOf(const std::string& name1, const std::string& name2) const;
    // Whether an entry other than `except` pairs these two names in either
    // order: (A, B) and (B, A) are one correlation to the user, who may not
    // enter it twice. An empty name pairs with nothing.
    bool PairedElsewhere(const std::string& name1, const std::string& name2, int except) const;
    // The pair at index, or nullptr past either end.
    const TCorrelationPair* Get(int index) const;

    // Getters give empty text / 0 for a bad index.
    std::string GetName1(int index) const;
    std::string GetName2(int index) const;
    std::string GetCoefficientText(int index) const;
    double GetCoefficient(int index) const;

    // Setters do nothing for a bad index.
    void SetName1(int index, const std::string& name);
    void SetName2(int index, const std::string& name);
    // Sets the coefficient and writes its text in general format with up to
    // 15 significant digits and the decimal comma.
    void SetCoefficient(int index, double r);
    // Puts back a coefficient and its text exactly as they were (an entry
    // that was taken back).
    void RestoreCoefficient(int index, const std::string& text, double r);

    bool operator==(const TCorrelation&) const = default;

private:
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    std::vector<TCorrelationPair> Pairs_;
};

}  // namespace vormid
