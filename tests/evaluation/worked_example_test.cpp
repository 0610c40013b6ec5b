// A complete published budget: EA-4/02 M:2013 "Evaluation of the Uncertainty
// of Measurement in Calibration", supplement 2, example S2 "Calibration of a
// weight of nominal value 10 kg" (OIML class M1 weight against an F2
// reference standard on a mass comparator).
//
// Model: m_X = m_S + dm_D + dm + dm_C + dB
//   m_S   reference standard, certificate 10 000,005 g, U = 45 mg (k = 2)
//   dm_D  drift of the standard since its calibration, 0 within +-15 mg
//   dm    observed difference, mean of +0,010 g, +0,030 g, +0,020 g, with
//         the comparator's pooled standard deviation s = 25 mg of one
//         comparison, so u = 25 mg / sqrt(3)
//   dm_C  comparator (eccentricity, magnetism), 0 within +-10 mg
//   dB    air buoyancy, 0 within +-10 mg (1e-6 of the nominal value)
//
// Published budget (mg): contributions 22,5; 8,66; 14,4; 5,77; 5,77;
// u(m_X) = 29,3 mg; m_X = 10 000,025 g; U = 2 x 29,3 mg = 59 mg.
#include <gtest/gtest.h>

#include <cmath>

#include "ModelBuilder.h"

namespace vormid {
namespace {

TEST(WorkedExample, Ea402CalibrationOfA10KgWeight) {
    test::TModel t;
    t.Result("m\\bX\\n", "g");
    TGumParam& ms = t.TypeB("m\\bS\\n", 10000.005, 0.0);
    ms.BEvalType = 0;  // expanded uncertainty with its coverage factor
    ms.StatedValue = 0.045;
    ms.CoverageFactor = 2.0;
    ms.Distribution = dc_Normal;
    TGumParam& drift = t.TypeB("dm\\bD\\n", 0.0, 0.0);
    drift.BEvalType = 3;  // interval of a rectangular distribution
    drift.Distribution = dc_Rectangle;
    drift.StatedValue = 0.015;
    TGumParam& dm = t.TypeA("dm", 0.0, 0.0, 2);
    dm.AEvalType = 1;  // entered standard deviation of one observation
    dm.StatedValue = 0.025;
    dm.SetObservationCount(3);
    dm.SetObservation(0, 0.010);
    dm.SetObservation(1, 0.030);
    dm.SetObservation(2, 0.020);
    TGumParam& comparator = t.Bound("dm\\bC\\n", 0.0, 0.010);
    comparator.Distribution = dc_Rectangle;
    TGumParam& buoyancy = t.Bound("dB", 0.0, 0.010);
    buoyancy.Distribution = dc_Rectangle;
    t.M.Equation =
        test::Rtf({"m\\sub X\\nosupersub  = m\\sub S\\nosupersub  + dm\\sub D\\nosupersub  + dm + "
                   "dm\\sub C\\nosupersub  + dB"});

    const TBudget& b = t.Run("m\\bX\\n");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_NEAR(b.Value, 10000.025, 1e-9);

    struct Published {
        const char* name;
        double estimate_g, u_mg, contribution_mg;
    };
    const Published rows[] = {{"m\\bS\\n", 10000.005, 22.5, 22.5},
                              {"dm\\bD\\n", 0.0, 8.66, 8.66},
                              {"dm", 0.020, 14.4, 14.4},
                              {"dm\\bC\\n", 0.0, 5.77, 5.77},
                              {"dB", 0.0, 5.77, 5.77}};
    ASSERT_EQ(b.EntryCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const TBudgetEntry& e = *b.GetEntry(i);
        const Published& p = rows[i];
        EXPECT_EQ(e.Name, p.name);
        EXPECT_NEAR(e.Value, p.estimate_g, 1e-9) << p.name;
        // The publication rounds to three significant digits.
        EXPECT_NEAR(e.StdUncertainty * 1000.0, p.u_mg, 0.05) << p.name;
        EXPECT_NEAR(e.Sensitivity, 1.0, 1e-6) << p.name;
        EXPECT_NEAR(e.Contribution * 1000.0, p.contribution_mg, 0.05) << p.name;
    }
    EXPECT_NEAR(b.CombinedUncertainty * 1000.0, 29.3, 0.05);
    EXPECT_DOUBLE_EQ(b.CoverageFactor, 2.0);
    EXPECT_NEAR(b.ExpandedUncertainty * 1000.0, 59.0, 0.5);
    // The reference standard dominates the variance.
    EXPECT_NEAR(b.GetEntry(0)->Index, 100.0 * 22.5 * 22.5 / (29.26 * 29.26), 0.5);
}

}  // namespace
}  // namespace vormid
