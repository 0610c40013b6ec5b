#pragma once
// What one edit changed in one quantity, kept small enough that a thousand
// of them fit beside a large model: the quantity's fields (its "head": every
// field but the reading arrays and the statistics) only when they differ, and
// of each reading array only the stretch between the first and the last
// changed element. A typed cell of a 10 000-reading series is a few bytes.
//
// The statistics are derived from the readings and are computed again when a
// patch is applied, not stored.
#include <cstddef>
#include <memory>
#include <vector>

#include "core/GumParam.h"

namespace vormid {

// The changed stretch of one array: elements [At, At + Before.size()) were
// Before and became After (the array's length may differ).
struct TArrayPatch {
    std::size_t At = 0;
    std::vector<double> Before;
    std::vector<double> After;

    bool Empty() const { return Before.empty() && After.empty(); }
    // Applies the change (forward) or takes it back.
    void Apply(std::vector<double>& v, bool forward) const;
    // The stretch in which before and after differ (compared bit for bit,
    // so that a NaN or a -0 comes back as it was).
    static TArrayPatch Between(const std::vector<double>& before, const std::vector<double>& after);
};

// A copy of a quantity as it is before an edit, from which the edit's patch
// is made afterwards.
class TQuantityCapture {
public:
    explicit TQuantityCapture(TGumParam& q);
    const TGumParam& Head() const { return head_; }

private:
    friend class TQuantityPatch;
    TGumParam head_;
    std::vector<double> observations_;
    std::vector<double> rowValues_;
};

class TQuantityPatch {
public:
    TQuantityPatch() = default;
    // The change from the captured state to the quantity as it is now.
    TQuantityPatch(TQuantityCapture&& before, TGumParam& after);

    bool Empty() const { return !headBefore_ && observations_.Empty() && rowValues_.Empty(); }
    bool ChangesReadings() const { return !observations_.Empty() || !rowValues_.Empty(); }
    // Applies the change to q (forward: redo) or takes it back (undo).
    void Apply(TGumParam& q, bool forward) const;
    // Extends this patch by a later one of the same quantity that changed its
    // fields only; false (nothing done) when either changed readings.
    bool Absorb(const TQuantityPatch& later);
    // Bytes held beside the object itself (for the memory figures).
    std::size_t HeldBytes() const;

    // The quantity's fields without its arrays and statistics, and a
    // comparison of them that ignores those.
    static TGumParam HeadOf(TGumParam& q);
    static void SetHead(TGumParam& q, const TGumParam& head);

private:
    // Held apart, so that a patch of readings alone stays small.
    std::unique_ptr<TGumParam> headBefore_;
    std::unique_ptr<TGumParam> headAfter_;
    TArrayPatch observations_;
    TArrayPatch rowValues_;
};

}  // namespace vormid
