// ListNames: names of an expression entered into the quantity list.
#include <gtest/gtest.h>

#include "core/ListNames.h"

namespace vormid {
namespace {

const std::string kSep(1, '\x07');

std::vector<std::string> Names(const TGumParams& list) {
    std::vector<std::string> names;
    for (const auto& p : list) names.push_back(p->Name);
    return names;
}

TEST(ListNames, EveryNewNameBecomesAnUnconfirmedUndefinedQuantity) {
    TGumParams list;
    ListNames("A*B+sin(C)/2,5" + kSep, list);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B", "C"}));
    for (const auto& p : list) {
        EXPECT_EQ(p->Kind, TParamKind::Undefined);
        EXPECT_TRUE(p->Unconfirmed);
    }
}

TEST(ListNames, ExistingQuantitiesAreKeptAndNamesAddedOnce) {
    TGumParams list;
    TGumParam* a = list.Add();
    a->Name = "A";
    a->SetKind(TParamKind::TypeA);
    a->SetObservation(0, 4.0);
    ListNames("A*a+A^2-\xC0" + kSep, list);  // cp1251 А differs from A and a
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "a", "\xC0"}));
    EXPECT_EQ(a->Kind, TParamKind::TypeA);
    EXPECT_FALSE(a->Unconfirmed);
    EXPECT_EQ(a->GetObservation(0), 4.0);
}

TEST(ListNames, AResultUsedInAnExpressionBecomesAnIntermediateResult) {
    TGumParams list;
    TGumParam* x = list.Add();
    x->Name = "X";
    x->SetKind(TParamKind::Result);
    TGumParam* c = list.Add();
    c->Name = "K";
    c->SetKind(TParamKind::Const);
    ListNames("X+K" + kSep, list);
    EXPECT_EQ(x->Kind, TParamKind::VarResult);
    EXPECT_EQ(c->Kind, TParamKind::Const);
    EXPECT_EQ(list.Count(), 2);
}

TEST(ListNames, NumbersAndFunctionNamesAreNoQuantities) {
    TGumParams list;
    ListNames("SQRT(2.5;3)+PI()*max(1;LOG10(7))" + kSep, list);
    EXPECT_EQ(list.Count(), 0);
    ListNames(std::string() + kSep, list);
    ListNames("", list);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace vormid
