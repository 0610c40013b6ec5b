#pragma once
// Coverage intervals from the sorted draws of a result (JCGM 101, 7.7):
// with q = pM (or pM rounded when it is not an integer), the
// probabilistically symmetric interval [y_(r), y_(r+q)] with r the middle
// place, and the shortest one, the r that makes y_(r+q) − y_(r) smallest.
#include <cstddef>
#include <span>

namespace vormid::mc {

struct TInterval {
    double Low = 0.0;
    double High = 0.0;
};

// probability in (0, 1); sorted ascending, at least two values. Only the
// places that can be ends are read: the lowest M − q and the highest M − q.
TInterval SymmetricInterval(std::span<const double> sorted, double probability);
TInterval ShortestInterval(std::span<const double> sorted, double probability);

// The same intervals from draws in any order, which are reordered. Only the
// two tails that hold the ends get sorted: with p = 0.95 a tenth of the draws
// instead of all of them, for the same order statistics.
struct TCoverageIntervals {
    TInterval Symmetric;
    TInterval Shortest;
};
TCoverageIntervals CoverageIntervals(std::span<double> draws, double probability);
// The symmetric interval alone, by selecting its two places.
TInterval SymmetricIntervalOf(std::span<double> draws, double probability);

}  // namespace vormid::mc
