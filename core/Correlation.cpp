// TCorrelation: the list of correlated pairs.
#include "core/Correlation.h"

#include <algorithm>
#include <iterator>

#include "core/GumParamGrid.h"
#include "core/NumberFormat.h"

namespace vormid {

TCoefficientText CoefficientTextState(std::string_view text) {
    static constexpr std::string_view kStarts[] = {"", "-", ",", ".", "-,", "-."};
    if (std::find(std::begin(kStarts), std::end(kStarts), text) != std::end(kStarts))
        return TCoefficientText::Incomplete;
    const auto within = [](std::optional<double> v) { return v && *v >= -1.0 && *v <= 1.0; };
    // "-1," reads as -1, but the user is still typing its decimals.
    if ((text.back() == ',' || text.back() == '.') && within(ParseTypedNumber(text.substr(0, text.size() - 1))))
        return TCoefficientText::Incomplete;
    return within(ParseTypedNumber(text)) ? TCoefficientText::Valid : TCoefficientText::Refused;
}

void TCorrelation::AddPair(const std::string& name1, const std::string& name2) {
    if (IndexOf(name1, name2) >= 0) return;
    Pairs_.push_back(TCorrelationPair{name1, name2, std::string(), 0.0});
}

void TCorrelation::Delete(int index) {
    if (Valid(index)) Pairs_.erase(Pairs_.begin() + index);
}

int TCorrelation::IndexOf(const std::string& name1, const std::string& name2) const {
    const auto it = std::ranges::find_if(Pairs_, [&](const auto& p) { return p.Name1 == name1 && p.Name2 == name2; });
    return it != Pairs_.end() ? static_cast<int>(it - Pairs_.begin()) : -1;
}

bool TCorrelation::PairedElsewhere(const std::string& name1, const std::string& name2, int except) const {
    if (name1.empty() || name2.empty()) return false;
    for (int i = 0; i < Count(); ++i) {
        const TCorrelationPair& p = Pairs_[static_cast<std::size_t>(i)];
        if (i != except && ((p.Name1 == name1 && p.Name2 == name2) || (p.Name1 == name2 && p.Name2 == name1)))
            return true;
    }
    return false;
}

const TCorrelationPair* TCorrelation::Get(int index) const {
    return Valid(index) ? &Pairs_[static_cast<std::size_t>(index)] : nullptr;
}

std::string TCorrelation::GetName1(int index) const {
    return Valid(index) ? Pairs_[static_cast<std::size_t>(index)].Name1 : std::string();
}

std::string TCorrelation::GetName2(int index) const {
    return Valid(index) ? Pairs_[static_cast<std::size_t>(index)].Name2 : std::string();
}

std::string TCorrelation::GetCoefficientText(int index) const {
    return Valid(index) ? Pairs_[static_cast<std::size_t>(index)].CoefficientText : std::string();
}

double TCorrelation::GetCoefficient(int index) const {
    return Valid(index) ? Pairs_[static_cast<std::size_t>(index)].Coefficient : 0.0;
}

void TCorrelation::SetName1(int index, const std::string& name) {
    if (Valid(index)) Pairs_[static_cast<std::size_t>(index)].Name1 = name;
}

void TCorrelation::SetName2(int index, const std::string& name) {
    if (Valid(index)) Pairs_[static_cast<std::size_t>(index)].Name2 = name;
}

void TCorrelation::SetCoefficient(int index, double r) {
    if (!Valid(index)) return;
    auto& pair = Pairs_[static_cast<std::size_t>(index)];
    pair.Coefficient = r;
    pair.CoefficientText = FormatGeneral15(r, ',');
}

void TCorrelation::RestoreCoefficient(int index, const std::string& text, double r) {
    if (!Valid(index)) return;
    Pairs_[static_cast<std::size_t>(index)].CoefficientText = text;
    Pairs_[static_cast<std::size_t>(index)].Coefficient = r;
}

}  // namespace vormid
