#pragma once
// Coverage intervals from the sorted draws of a result (JCGM 101, 7.7):
// with q = pM (or pM rounded when it is not an integer), the
// probabilistically symmetric interval [y_(r), y_(r+q)] with r the middle
// place, and the shortest one, the r that makes y_(r+q) − y_(r) smallest.
#include <cstddef>
#include <span>
#include <vector>

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
// The lowest and the highest draws of a part of a run, each in any order.
struct TTails {
    std::vector<double> Low;
    std::vector<double> High;
};
// The symmetric interval alone, by selecting its two places. With tails,
// also the lowest and the highest keep draws (at least those the interval
// needs; all of them when that is more than an eighth).
TInterval SymmetricIntervalOf(std::span<double> draws, double probability, std::size_t keep = 0,
                              TTails* tails = nullptr);
// CoverageIntervals of a run of m draws from the tails its parts kept, so
// that the run need not keep every draw. False when the parts kept too
// few for certain (then the intervals need all the draws).
bool CoverageIntervalsOfTails(std::span<const TTails> parts, std::size_t m, double probability,
                              TCoverageIntervals& intervals);

}  // namespace vormid::mc
