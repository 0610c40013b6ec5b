#include "core/QuantityPatch.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vormid {

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The arrays and the statistics leave q for the time of fn, so that a copy
// of the rest costs no more than the fields themselves.
template <typename Fn>
void WithoutArrays(TGumParam& q, Fn fn) {
    std::vector<double> observations = std::exchange(q.Observations, {});
    std::vector<double> rowValues = std::exchange(q.RowValues, {});
    SeriesStatistics statistics = std::exchange(q.Statistics, {});
    fn();
    q.Observations = std::move(observations);
    q.RowValues = std::move(rowValues);
    q.Statistics = std::move(statistics);
}

}  // namespace

void TArrayPatch::Apply(std::vector<double>& v, bool forward) const {
    const std::vector<double>& from = forward ? Before : After;
    const std::vector<double>& to = forward ? After : Before;
    if (At > v.size() || from.size() > v.size() - At) return;  // not the array this patch was made on
    const auto at = v.begin() + static_cast<std::ptrdiff_t>(At);
    const std::size_t common = std::min(from.size(), to.size());
    std::copy(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(common), at);
    if (to.size() > from.size())
        v.insert(at + static_cast<std::ptrdiff_t>(common), to.begin() + static_cast<std::ptrdiff_t>(common), to.end());
    else if (from.size() > to.size())
        v.erase(at + static_cast<std::ptrdiff_t>(common), at + static_cast<std::ptrdiff_t>(from.size()));
}

TArrayPatch TArrayPatch::Between(const std::vector<double>& before, const std::vector<double>& after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && SameBits(before[head], after[head])) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && SameBits(before[before.size() - 1 - tail], after[after.size() - 1 - tail])) ++tail;
    TArrayPatch p;
    p.At = head;
    p.Before.assign(before.begin() + static_cast<std::ptrdiff_t>(head),
                    before.end() - static_cast<std::ptrdiff_t>(tail));
    p.After.assign(after.begin() + static_cast<std::ptrdiff_t>(head), after.end() - static_cast<std::ptrdiff_t>(tail));
    return p;
}

TQuantityCapture::TQuantityCapture(TGumParam& q)
    : head_(TQuantityPatch::HeadOf(q)), observations_(q.Observations), rowValues_(q.RowValues) {}

TGumParam TQuantityPatch::HeadOf(TGumParam& q) {
    TGumParam head;
    WithoutArrays(q, [&] { head = q; });
    return head;
}

void TQuantityPatch::SetHead(TGumParam& q, const TGumParam& head) {
    TGumParams* owner = q.Owner;
    WithoutArrays(q, [&] { q = head; });
    q.Owner = owner;
}

TQuantityPatch::TQuantityPatch(TQuantityCapture&& before, TGumParam& after)
    : observations_(TArrayPatch::Between(before.observations_, after.Observations)),
      rowValues_(TArrayPatch::Between(before.rowValues_, after.RowValues)) {
    TGumParam head = HeadOf(after);
    if (!(head == before.head_)) {
        headBefore_ = std::make_unique<TGumParam>(std::move(before.head_));
        headAfter_ = std::make_unique<TGumParam>(std::move(head));
    }
}

void TQuantityPatch::Apply(TGumParam& q, bool forward) const {
    if (headBefore_) SetHead(q, forward ? *headAfter_ : *headBefore_);
    observations_.Apply(q.Observations, forward);
    rowValues_.Apply(q.RowValues, forward);
    if (q.Kind == TParamKind::TypeA) q.RecomputeStatistics();
}

bool TQuantityPatch::Absorb(const TQuantityPatch& later) {
    if (ChangesReadings() || later.ChangesReadings()) return false;
    if (!later.headBefore_) return true;
    if (!headBefore_) headBefore_ = std::make_unique<TGumParam>(*later.headBefore_);
    headAfter_ = std::make_unique<TGumParam>(*later.headAfter_);
    // Typing that ends where it began changed nothing.
    if (*headBefore_ == *headAfter_) {
        headBefore_.reset();
        headAfter_.reset();
    }
    return true;
}

std::size_t TQuantityPatch::HeldBytes() const {
    auto strings = [](const TGumParam& h) {
        std::size_t n = 0;
        for (const std::string* s :
             {&h.Name, &h.Description, &h.Comment, &h.BudgetComment, &h.Units, &h.ValueFormat, &h.UncertaintyFormat,
              &h.SchemaFormula, &h.StatedValueText, &h.BValueText, &h.BParam2Text, &h.ConstValueText})
            n += s->capacity() > 15 ? s->capacity() : 0;
        for (const std::string& s : h.SchemaColumns) n += sizeof s + (s.capacity() > 15 ? s.capacity() : 0);
        return n;
    };
    std::size_t n = 0;
    if (headBefore_) n += 2 * sizeof(TGumParam) + strings(*headBefore_) + strings(*headAfter_);
    for (const TArrayPatch* a : {&observations_, &rowValues_})
        n += (a->Before.capacity() + a->After.capacity()) * sizeof(double);
    return n;
}

}  // namespace vormid
