#include "evaluation/CorrelationMatrix.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <stdexcept>

#include "evaluation/Cp1251Text.h"
#include "evaluation/QuantityIndex.h"

namespace vormid {
namespace {

std::string T(const char* utf8) { return Cp1251FromUtf8(utf8); }

std::string PairText(const std::string& a, const std::string& b) { return QuotedName(a) + T(" и ") + QuotedName(b); }

// The summed coefficient of one unordered pair, and the names of the first
// coefficient given for it (the ones a message states).
struct TEntry {
    double Value = 0.0;
    std::string Name1, Name2;
};
using TKey = std::pair<std::size_t, std::size_t>;  // (smaller, larger) index

// Lower-triangular factor of the symmetric n×n matrix a (row-major), with
// zero pivots allowed: a pivot within the tolerance of zero leaves a zero
// column, provided that the rest of its column is zero as well (otherwise
// the matrix is indefinite). Returns the index of the row where the matrix
// stops being positive semi-definite, or n when it is.
std::size_t Factor(const std::vector<double>& a, std::size_t n, std::vector<double>& l) {
    l.assign(n * n, 0.0);
    for (std::size_t j = 0; j < n; ++j) {
        long double d = a[j * n + j];
        for (std::size_t k = 0; k < j; ++k) d -= static_cast<long double>(l[j * n + k]) * l[j * n + k];
        if (d < -kCorrelationTolerance) return j;
        const bool zero = d <= kCorrelationTolerance;
        const double root = zero ? 0.0 : static_cast<double>(std::sqrt(d));
        l[j * n + j] = root;
        for (std::size_t i = j + 1; i < n; ++i) {
            long double s = a[i * n + j];
            for (std::size_t k = 0; k < j; ++k) s -= static_cast<long double>(l[i * n + k]) * l[j * n + k];
            if (zero) {
                // Row i would need a non-zero multiple of a zero column.
                if (std::fabs(s) > kCorrelationTolerance) return i;
            } else {
                l[i * n + j] = static_cast<double>(s / root);
            }
        }
    }
    return n;
}

bool SemiDefinite(const std::vector<double>& full, std::size_t n, const std::vector<std::size_t>& keep) {
    const std::size_t m = keep.size();
    std::vector<double> sub(m * m);
    for (std::size_t r = 0; r < m; ++r)
        for (std::size_t c = 0; c < m; ++c) sub[r * m + c] = full[keep[r] * n + keep[c]];
    std::vector<double> l;
    return Factor(sub, m, l) == m;
}

// Above this size the smallest incompatible group is not searched for (the
// search costs n Cholesky factorisations of up to n×n); the message then
// names the pairs of the row where the factorisation broke down.
constexpr std::size_t kMaxSearchedGroup = 64;

// Positions (into the block) of a smallest group whose matrix is not
// positive semi-definite: the leading rows up to the failing one, thinned
// while the remainder still fails.
std::vector<std::size_t> IncompatibleGroup(const std::vector<double>& a, std::size_t n, std::size_t failed) {
    std::vector<std::size_t> group(failed + 1);
    std::iota(group.begin(), group.end(), std::size_t{0});
    if (group.size() > kMaxSearchedGroup) return group;
    for (std::size_t k = 0; k < group.size() && group.size() > 2;) {
        std::vector<std::size_t> without = group;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
        if (!SemiDefinite(a, n, without))
            group = std::move(without);
        else
            ++k;
    }
    return group;
}

TCorrelationCheck Failure(std::string message, std::vector<std::pair<std::string, std::string>> pairs) {
    TCorrelationCheck check;
    check.Message = std::move(message);
    check.Pairs = std::move(pairs);
    return check;
}

// Groups of indices linked by a non-zero coefficient, each ascending, in the
// order of their smallest member.
std::vector<std::vector<std::size_t>> LinkedGroups(std::size_t size, const std::map<TKey, TEntry>& entries) {
    std::vector<std::size_t> parent(size);
    std::iota(parent.begin(), parent.end(), std::size_t{0});
    auto root = [&parent](std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    std::vector<bool> linked(size, false);
    for (const auto& [key, entry] : entries) {
        linked[key.first] = linked[key.second] = true;
        const std::size_t a = root(key.first), b = root(key.second);
        if (a != b) parent[std::max(a, b)] = std::min(a, b);
    }
    std::map<std::size_t, std::vector<std::size_t>> byRoot;
    for (std::size_t i = 0; i < size; ++i)
        if (linked[i]) byRoot[root(i)].push_back(i);
    std::vector<std::vector<std::size_t>> groups;
    for (auto& [r, members] : byRoot) groups.push_back(std::move(members));
    return groups;
}

}  // namespace

TCorrelationFactor::TCorrelationFactor(std::size_t size) : Size_(size), BlockOf_(size, -1), PositionOf_(size, 0) {}

void TCorrelationFactor::AddBlock(TBlock block) {
    const std::size_t n = block.Members.size();
    if (block.Lower.size() != n * n) throw std::invalid_argument("AddBlock: factor size");
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t m = block.Members[k];
        if (m >= Size_ || BlockOf_[m] >= 0) throw std::invalid_argument("AddBlock: member");
        BlockOf_[m] = static_cast<int>(Blocks_.size());
        PositionOf_[m] = k;
    }
    Blocks_.push_back(std::move(block));
}

bool TCorrelationFactor::IsCorrelated(std::size_t i) const { return i < Size_ && BlockOf_[i] >= 0; }

double TCorrelationFactor::Lower(std::size_t i, std::size_t j) const {
    if (i >= Size_ || j >= Size_) return 0.0;
    if (BlockOf_[i] < 0 || BlockOf_[i] != BlockOf_[j]) return i == j ? 1.0 : 0.0;
    const TBlock& b = Blocks_[static_cast<std::size_t>(BlockOf_[i])];
    return b.Lower[PositionOf_[i] * b.Members.size() + PositionOf_[j]];
}

void TCorrelationFactor::Correlate(std::span<const double> z, std::span<double> out) const {
    if (z.size() != Size_ || out.size() != Size_) throw std::invalid_argument("Correlate: size");
    std::copy(z.begin(), z.end(), out.begin());
    for (const TBlock& b : Blocks_) {
        const std::size_t n = b.Members.size();
        for (std::size_t r = 0; r < n; ++r) {
            double s = 0.0;
            for (std::size_t c = 0; c <= r; ++c) s += b.Lower[r * n + c] * z[b.Members[c]];
            out[b.Members[r]] = s;
        }
    }
}

TCorrelationCheck CheckCorrelations(const std::vector<std::string>& names,
                                    const std::vector<TCoefficient>& coefficients) {
    TNameMap<std::size_t> indexOf;
    for (std::size_t i = 0; i < names.size(); ++i) indexOf.emplace(names[i], i);

    std::map<TKey, TEntry> entries;
    for (const TCoefficient& c : coefficients) {
        const auto i = indexOf.find(c.Name1), j = indexOf.find(c.Name2);
        if (i == indexOf.end() || j == indexOf.end()) continue;
        if (!std::isfinite(c.Value))
            return Failure(T("Коефициентът на корелация между ") + PairText(c.Name1, c.Name2) + T(" не е число."),
                           {{c.Name1, c.Name2}});
        if (i->second == j->second) {
            if (c.Value == 1.0) continue;
            return Failure(
                T("Величината ") + QuotedName(c.Name1) + T(" е корелирана със себе си с коефициент, различен от 1."),
                {{c.Name1, c.Name2}});
        }
        if (c.Value == 0.0) continue;
        const TKey key = std::minmax(i->second, j->second);
        auto [it, added] = entries.try_emplace(key);
        if (added) {
            it->second.Name1 = c.Name1;
            it->second.Name2 = c.Name2;
        }
        it->second.Value += c.Value;
    }
    for (auto it = entries.begin(); it != entries.end();) {
        const TEntry& e = it->second;
        if (std::fabs(e.Value) > 1.0 + kCorrelationTolerance)
            return Failure(T("Коефициентът на корелация между ") + PairText(e.Name1, e.Name2) +
                               T(" е извън интервала от -1 до 1."),
                           {{e.Name1, e.Name2}});
        // Coefficients of both orders that cancel leave the pair uncorrelated.
        it = e.Value == 0.0 ? entries.erase(it) : std::next(it);
    }

    TCorrelationCheck check;
    check.Factor = TCorrelationFactor(names.size());
    for (const std::vector<std::size_t>& members : LinkedGroups(names.size(), entries)) {
        const std::size_t n = members.size();
        std::vector<double> a(n * n, 0.0);
        for (std::size_t r = 0; r < n; ++r) {
            a[r * n + r] = 1.0;
            for (std::size_t c = r + 1; c < n; ++c) {
                const auto it = entries.find({members[r], members[c]});
                if (it == entries.end()) continue;
                a[r * n + c] = a[c * n + r] = std::clamp(it->second.Value, -1.0, 1.0);
            }
        }
        TCorrelationFactor::TBlock block;
        block.Members = members;
        const std::size_t failed = Factor(a, n, block.Lower);
        if (failed == n) {
            check.Factor.AddBlock(std::move(block));
            continue;
        }
        const std::vector<std::size_t> group = IncompatibleGroup(a, n, failed);
        std::vector<std::pair<std::string, std::string>> pairs;
        std::string list;
        for (std::size_t r = 0; r < group.size(); ++r)
            for (std::size_t c = r + 1; c < group.size(); ++c) {
                const auto it = entries.find({members[group[r]], members[group[c]]});
                if (it == entries.end()) continue;
                if (!list.empty()) list += ", ";
                list += PairText(it->second.Name1, it->second.Name2);
                pairs.emplace_back(it->second.Name1, it->second.Name2);
            }
        return Failure(T("Коефициентите на корелация между ") + list +
                           T(" са несъвместими: матрицата на корелациите не е положително "
                             "полуопределена."),
                       std::move(pairs));
    }
    check.Ok = true;
    return check;
}

TCorrelationCheck CheckCorrelations(const std::vector<std::string>& names, const TCorrelation& correlations) {
    std::vector<TCoefficient> coefficients;
    coefficients.reserve(static_cast<std::size_t>(correlations.Count()));
    for (int i = 0; i < correlations.Count(); ++i) {
        const TCorrelationPair* p = correlations.Get(i);
        coefficients.push_back({p->Name1, p->Name2, p->Coefficient});
    }
    return CheckCorrelations(names, coefficients);
}

}  // namespace vormid
