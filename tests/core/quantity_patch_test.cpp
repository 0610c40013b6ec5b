// The patch of one quantity edit: applied backwards it gives the quantity as
// it was, forwards as it became, bit for bit, and it holds only the changed
// stretch of the readings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "core/QuantityPatch.h"

using namespace vormid;

namespace {

TGumParam TypeA(int n) {
    TGumParam q;
    q.Name = "U";
    q.SetKind(TParamKind::TypeA);
    q.SetObservationCount(n);
    // All at once: each single reading set recomputes the statistics.
    std::vector<double> readings(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) readings[static_cast<std::size_t>(i)] = 10.0 + i;
    q.SetReadings(readings, q.RowValues);
    return q;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

bool Same(TGumParam& a, TGumParam& b) {
    return TQuantityPatch::HeadOf(a) == TQuantityPatch::HeadOf(b) && SameBits(a.Observations, b.Observations) &&
           SameBits(a.RowValues, b.RowValues) && a.Statistics.Count == b.Statistics.Count;
}

struct TCase {
    const char* Name;
    std::function<void(TGumParam&)> Edit;
    std::size_t MaxHeldBytes;
};

class QuantityPatchTest : public ::testing::TestWithParam<TCase> {};

TEST_P(QuantityPatchTest, UndoAndRedoGiveBothStatesExactly) {
    TGumParam q = TypeA(10000);
    TGumParam original = q;
    TQuantityCapture before(q);
    GetParam().Edit(q);
    q.RecomputeStatistics();
    TGumParam edited = q;
    const TQuantityPatch patch(std::move(before), q);
    EXPECT_FALSE(patch.Empty());
    EXPECT_LE(patch.HeldBytes(), GetParam().MaxHeldBytes);

    patch.Apply(q, false);
    EXPECT_TRUE(Same(q, original));
    patch.Apply(q, true);
    EXPECT_TRUE(Same(q, edited));
}

// The fields before and after, and their texts.
const std::size_t kHead = 4 * sizeof(TGumParam);

INSTANTIATE_TEST_SUITE_P(Edits, QuantityPatchTest,
                         ::testing::Values(TCase{"OneCell", [](TGumParam& q) { q.SetObservation(5000, 1.5); }, 64},
                                           TCase{"NegativeZeroAndNaN",
                                                 [](TGumParam& q) {
                                                     q.SetObservation(0, -0.0);
                                                     q.SetObservation(9999, std::nan(""));
                                                 },
                                                 10000 * 2 * sizeof(double)},
                                           TCase{"FewerReadings", [](TGumParam& q) { q.SetObservationCount(9990); },
                                                 kHead + 2 * 10 * sizeof(double)},
                                           TCase{"MostReadingsDropped", [](TGumParam& q) { q.SetObservationCount(12); },
                                                 kHead + 2 * 10000 * sizeof(double)},
                                           TCase{"OneField", [](TGumParam& q) { q.CoverageFactor = 3; }, kHead},
                                           TCase{"KindAndReadings",
                                                 [](TGumParam& q) {
                                                     q.ClearObservations();
                                                     q.SetKind(TParamKind::TypeB);
                                                 },
                                                 kHead + 10000 * 2 * sizeof(double)}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(QuantityPatch, NoChangeIsEmptyAndTypingFoldsIntoOneStep) {
    TGumParam q = TypeA(3);
    TQuantityCapture c0(q);
    TQuantityPatch none(std::move(c0), q);
    EXPECT_TRUE(none.Empty());

    TQuantityCapture c1(q);
    q.Description = "a";
    TQuantityPatch first(std::move(c1), q);
    TQuantityCapture c2(q);
    q.Description = "ab";
    TQuantityPatch second(std::move(c2), q);
    ASSERT_TRUE(first.Absorb(second));
    first.Apply(q, false);
    EXPECT_EQ(q.Description, "");
    first.Apply(q, true);
    EXPECT_EQ(q.Description, "ab");

    // Readings never fold: each typed cell stays a step of its own.
    TQuantityCapture c3(q);
    q.SetObservation(1, 7);
    TQuantityPatch cell(std::move(c3), q);
    EXPECT_FALSE(first.Absorb(cell));
}

}  // namespace
