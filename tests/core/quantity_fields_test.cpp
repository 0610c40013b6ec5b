// The description of a quantity record: what its walkers rely on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/GumParam.h"
#include "core/QuantityFields.h"

namespace vormid {
namespace {

std::span<const TQuantityField> Kind(TParamKind k) { return QuantityKindFields(static_cast<std::uint8_t>(k)); }

// Every field can be written and read by every walker: a key, a name, the
// captions of a code, the capacity of a text; no key twice among the fields
// one set of codes makes present.
TEST(QuantityFields, EveryFieldIsCompleteAndKeysAreUnique) {
    for (auto k : {TParamKind::Result, TParamKind::TypeA, TParamKind::TypeB, TParamKind::Const}) {
        SCOPED_TRACE(static_cast<int>(k));
        for (const TQuantityField& f : Kind(k)) {
            EXPECT_NE(std::string(f.JsonKey), "");
            EXPECT_NE(std::string(f.Name), "");
            if (f.Type == TFieldType::Code) {
                ASSERT_NE(f.Codes, nullptr) << f.JsonKey;
                EXPECT_EQ(f.Codes->Names.size(), f.Codes->Captions.size()) << f.JsonKey;
            }
            if (f.Type == TFieldType::Text || f.Type == TFieldType::TextList) {
                EXPECT_GT(f.Capacity.Width, 0u) << f.JsonKey;
            }
        }
    }
    for (int eval = 0; eval <= be_Interval; ++eval) {
        for (int d = 0; d < kDistributionCount; ++d) {
            TRecordCodes codes;
            codes.Set(TCodeSlot::BEvalType, static_cast<std::uint8_t>(eval));
            codes.Set(TCodeSlot::Distribution, static_cast<std::uint8_t>(d));
            std::set<std::string> keys;
            for (const TQuantityField& f : Kind(TParamKind::TypeB)) {
                if (f.When.Holds(codes)) {
                    EXPECT_TRUE(keys.insert(f.JsonKey).second) << eval << "/" << d << f.JsonKey;
                }
            }
        }
    }
}

// A Type B quantity states either degrees of freedom or a reliability, for
// every evaluation kind and distribution, and its degrees of freedom follow
// the one it states.
TEST(QuantityFields, TypeBStatesDofOrReliability) {
    for (int eval = 0; eval <= be_Interval; ++eval) {
        for (int d = 0; d < kDistributionCount; ++d) {
            TGumParam q;
            q.SetKind(TParamKind::TypeB);
            q.BEvalType = static_cast<std::uint8_t>(eval);
            q.Distribution = static_cast<TDistribution>(d);
            q.SetDegreesOfFreedom(7);
            q.Reliability = 10;  // 50 degrees of freedom
            const bool dof = PresentField(q, TField::DegreesOfFreedom) != nullptr;
            const bool reliability = PresentField(q, TField::Reliability) != nullptr;
            EXPECT_NE(dof, reliability) << eval << "/" << d;
            EXPECT_EQ(q.DOF(), dof ? 7 : 50) << eval << "/" << d;
        }
    }
}

// An unknown code decides as the file's writer did: a distribution past the
// list still keeps a reliability, an unknown evaluation kind keeps nothing.
TEST(QuantityFields, UnknownCodesFollowTheFileLayout) {
    TRecordCodes codes;
    codes.Set(TCodeSlot::BEvalType, be_Interval);
    codes.Set(TCodeSlot::Distribution, 200);
    EXPECT_NE(PresentField(TParamKind::TypeB, codes, TField::Reliability), nullptr);
    EXPECT_EQ(PresentField(TParamKind::TypeB, codes, TField::BParam2), nullptr);
    codes.Set(TCodeSlot::BEvalType, 9);
    EXPECT_EQ(PresentField(TParamKind::TypeB, codes, TField::Reliability), nullptr);
    EXPECT_EQ(PresentField(TParamKind::TypeB, codes, TField::InPercent), nullptr);
    EXPECT_TRUE(QuantityKindFields(9).empty());
}

}  // namespace
}  // namespace vormid
