#pragma once
// The correlation matrix of a set of input quantities: built from the
// model's correlation pairs, checked for positive semi-definiteness, and
// factored as R = L·Lᵀ so that correlated standard normals can be drawn as
// L·z from independent ones.
//
// Only inputs that take part in a non-zero coefficient are factored, and
// each group of inputs linked by coefficients (a connected component) on
// its own, so a budget of a thousand inputs with two correlated pairs costs
// two 2×2 factorisations, not one of 1000×1000.
//
// Coefficients of both orders of a pair, (A, B) and (B, A), add up, as they
// do in the combined uncertainty of the budget.
#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/Correlation.h"

namespace vormid {

// One coefficient between two named quantities.
struct TCoefficient {
    std::string Name1;
    std::string Name2;
    double Value = 0.0;
};

// The factor of a positive semi-definite correlation matrix, one dense
// lower-triangular block per group of linked inputs.
class TCorrelationFactor {
public:
    struct TBlock {
        std::vector<std::size_t> Members;  // indices into the names, ascending
        std::vector<double> Lower;         // row-major n×n, zero above the diagonal
    };

    TCorrelationFactor() = default;
    // The factor of size uncorrelated quantities (the identity).
    explicit TCorrelationFactor(std::size_t size);
    // Adds the factored block of a group of linked quantities; members must
    // be distinct, below Size() and in no other block, Lower its n×n factor.
    void AddBlock(TBlock block);

    // Number of quantities (the names given to the check).
    std::size_t Size() const { return Size_; }
    // Whether quantity i takes part in a non-zero coefficient.
    bool IsCorrelated(std::size_t i) const;
    const std::vector<TBlock>& Blocks() const { return Blocks_; }

    // out = L·z: z holds Size() independent standard normals, out receives
    // correlated ones (uncorrelated quantities keep theirs). out must not
    // overlap z. Safe to call from several threads at once.
    void Correlate(std::span<const double> z, std::span<double> out) const;

    // Element (i, j) of L (0 above the diagonal).
    double Lower(std::size_t i, std::size_t j) const;

private:
    std::size_t Size_ = 0;
    std::vector<TBlock> Blocks_;
    std::vector<int> BlockOf_;             // quantity -> block, or -1
    std::vector<std::size_t> PositionOf_;  // quantity -> its place in its block
};

// Result of the check: the factor when the matrix is a correlation matrix,
// otherwise a message (Windows-1251) that names the offending pair(s).
struct TCorrelationCheck {
    bool Ok = false;
    TCorrelationFactor Factor;
    std::string Message;
    // The pairs named in the message, as (Name1, Name2).
    std::vector<std::pair<std::string, std::string>> Pairs;
};

// Builds and checks the matrix of names. Coefficients naming a quantity
// outside names are ignored (they belong to another result's inputs).
// Fails, naming the pair, for a coefficient that is not a number, one
// outside [-1, 1], and a quantity correlated with itself with a coefficient
// other than 1; naming every pair of the smallest incompatible group when
// the matrix is not positive semi-definite.
TCorrelationCheck CheckCorrelations(const std::vector<std::string>& names,
                                    const std::vector<TCoefficient>& coefficients);
// The same with the model's correlation list.
TCorrelationCheck CheckCorrelations(const std::vector<std::string>& names, const TCorrelation& correlations);

// Pivots and residuals within this of zero count as zero: a matrix with
// entered coefficients of 1 or with exactly dependent rows is accepted.
constexpr double kCorrelationTolerance = 1e-10;

}  // namespace vormid
