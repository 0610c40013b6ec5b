// TCorrelation: the list of correlated pairs.
#include "core/Correlation.h"

#include "core/NumberFormat.h"

namespace vormid {

void TCorrelation::AddPair(const std::string& name1, const std::string& name2) {
    if (IndexOf(name1, name2) >= 0) return;
    Pairs_.push_back(TCorrelationPair{name1, name2, std::string(), 0.0});
}

void TCorrelation::Delete(int index) {
    if (Valid(index)) Pairs_.erase(Pairs_.begin() + index);
}

int TCorrelation::IndexOf(const std::string& name1, const std::string& name2) const {
    for (std::size_t i = 0; i < Pairs_.size(); ++i)
        if (Pairs_[i].Name1 == name1 && Pairs_[i].Name2 == name2) return static_cast<int>(i);
    return -1;
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
