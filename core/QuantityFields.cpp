#include "core/QuantityFields.h"

#include <initializer_list>
#include <iterator>
#include <type_traits>

#include "core/GumParam.h"

namespace vormid {
namespace {

constexpr const char* kKindNames[] = {"Undefined", "Result", "VarResult", "TypeA", "TypeB", "Const"};
// The kind selector's items; an undefined kind has none.
constexpr const char* kKindCaptions[] = {"Неопределен", "Резултат", "Межд. резултат", "Тип А", "Тип B", "Константа"};
constexpr const char* kResultFormatNames[] = {"absolute", "relative", "relative_percent"};
constexpr const char* kResultFormatCaptions[] = {"Абсолютна", "Относителна", "Относителна в %"};
constexpr const char* kCoverageMethodNames[] = {"standard", "normal", "t", "entered"};
constexpr const char* kCoverageMethodCaptions[] = {"Стандартен", "Норм. разпределение", "t-разпределение", "Въвеждане"};
constexpr const char* kAMethodNames[] = {"direct", "indirect"};
constexpr const char* kAMethodCaptions[] = {"Директен", "Индиректен"};
constexpr const char* kASourceNames[] = {"experimental", "entered"};
constexpr const char* kASourceCaptions[] = {"Експериментално", "Въвеждане"};
constexpr const char* kASUTypeNames[] = {"std_dev_mean", "sigma"};
constexpr const char* kASUTypeCaptions[] = {"Станд. отклонение", "Сигма"};
constexpr const char* kAEvalTypeNames[] = {"expanded", "std_deviation", "std_uncertainty"};
constexpr const char* kAEvalTypeCaptions[] = {"Разш. неопределеност", "Станд. отклонение", "Станд. неопределеност"};
constexpr const char* kAValueTypeNames[] = {"values", "grouped"};
constexpr const char* kAValueTypeCaptions[] = {"Стойности", "Груп. стойност"};
constexpr const char* kBEvalTypeNames[] = {"expanded", "standard", "bound", "interval"};
constexpr const char* kBEvalTypeCaptions[] = {"Разш. неопределеност", "Станд. неопределеност", "Граница на грешката",
                                              "Интервал на разпределение"};
constexpr const char* kDistributionNames[] = {"normal",      "lognormal", "t",        "rectangular", "triangular",
                                              "trapezoidal", "quadratic", "u_shaped", "cosine",      "half_cosine"};
constexpr const char* kDistributionCaptions[] = {"Нормално",
                                                 "Лог. нормално",
                                                 "t-разпределение",
                                                 "Правоъгълно",
                                                 "Триъгълно",
                                                 "Трапецовидно",
                                                 "Квадратично",
                                                 "U-разпределение",
                                                 "Косинусово-разпределение",
                                                 "1/2 Косинусово-разпределение"};
constexpr const char* kLimitSideNames[] = {"upper", "lower"};
constexpr const char* kLimitSideCaptions[] = {"Горна", "Долна"};

using F = TField;
using T = TFieldType;
using S = TCodeSlot;
using U = TQuantityField::TUse;

constexpr std::uint32_t Bits(std::initializer_list<int> codes) {
    std::uint32_t b = 0;
    for (int c : codes) b |= 1u << c;
    return b;
}
constexpr TCodeTest Is(S slot, std::initializer_list<int> codes) { return {slot, Bits(codes), false}; }
constexpr TCodeTest IsNot(S slot, std::initializer_list<int> codes) { return {slot, Bits(codes), true}; }

constexpr double kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr TRange kAnyI32{kI32Min, kI32Max};
constexpr TRange kAnyByte{0, 255};
constexpr TRange kPositive{0, std::numeric_limits<double>::infinity(), true};
constexpr TRange kNotNegative{0};
constexpr TRange kPercentOpen{0, 100, true, true};
constexpr TRange kPercent{0, 100};

}  // namespace

const TCodeList kKindCodes{kKindNames, kKindCaptions};
const TCodeList kResultFormatCodes{kResultFormatNames, kResultFormatCaptions};
const TCodeList kCoverageMethodCodes{kCoverageMethodNames, kCoverageMethodCaptions};
const TCodeList kAMethodCodes{kAMethodNames, kAMethodCaptions};
const TCodeList kAUncertaintySourceCodes{kASourceNames, kASourceCaptions};
const TCodeList kASUTypeCodes{kASUTypeNames, kASUTypeCaptions};
const TCodeList kAEvalTypeCodes{kAEvalTypeNames, kAEvalTypeCaptions};
const TCodeList kAValueTypeCodes{kAValueTypeNames, kAValueTypeCaptions};
const TCodeList kBEvalTypeCodes{kBEvalTypeNames, kBEvalTypeCaptions};
const TCodeList kDistributionCodes{kDistributionNames, kDistributionCaptions};
const TCodeList kLimitSideCodes{kLimitSideNames, kLimitSideCaptions};

namespace {

// One builder per type; If, In, Decides and UsedIf add what a field has
// beyond its type, name and key.
struct TField_ : TQuantityField {
    constexpr TField_ If(TCondition c) const {
        return With([&](TQuantityField& f) { f.When = c; });
    }
    constexpr TField_ In(TRange r) const {
        return With([&](TQuantityField& f) { f.Range = r; });
    }
    constexpr TField_ Deciding(S slot) const {
        return With([&](TQuantityField& f) { f.Decides = slot; });
    }
    constexpr TField_ UsedIf(TCondition c) const {
        return With([&](TQuantityField& f) {
            f.Use = U::When;
            f.UsedWhen = c;
        });
    }
    constexpr TField_ Unchecked() const {
        return With([](TQuantityField& f) { f.Use = U::Never; });
    }
    template <typename Fn>
    constexpr TField_ With(Fn fn) const {
        TField_ f = *this;
        fn(f);
        return f;
    }
};
constexpr TField_ Field(F id, T type, const char* name, const char* key) {
    return {{.Id = id, .Type = type, .Name = name, .JsonKey = key}};
}
constexpr TField_ Code(F id, const char* name, const char* key, const TCodeList& codes) {
    return Field(id, T::Code, name, key).With([&](TQuantityField& f) { f.Codes = &codes; }).In(kAnyByte);
}
constexpr TField_ Text(F id, const char* name, const char* key, TTextCapacity capacity = kText101) {
    return Field(id, T::Text, name, key).With([&](TQuantityField& f) { f.Capacity = capacity; });
}
constexpr TField_ Real(F id, const char* name, const char* key) { return Field(id, T::Real, name, key); }
constexpr TField_ Flag(F id, const char* name, const char* key) { return Field(id, T::Flag, name, key); }
constexpr TField_ Byte(F id, const char* name, const char* key, TRange r) {
    return Field(id, T::Byte, name, key).In(r);
}
constexpr TField_ Int(F id, const char* name, const char* key, TRange r = kAnyI32) {
    return Field(id, T::Int32, name, key).In(r);
}
constexpr TField_ Series(F id, const char* name, const char* key) { return Field(id, T::Series, name, key); }

constexpr TRange Held(TRange r) {
    r.Held = true;
    return r;
}

const TQuantityField kHead[] = {
    Text(F::Name, "name", "name"),
    Code(F::Kind, "kind", "kind", kKindCodes).Deciding(S::Kind),
    Text(F::Description, "description", "description", kText256),
    Text(F::Units, "units", "units"),
};

const TQuantityField kResult[] = {
    Code(F::ResultFormat, "result format", "result_format", kResultFormatCodes),
    Code(F::CoverageMethod, "coverage method", "coverage_method", kCoverageMethodCodes).Deciding(S::CoverageMethod),
    Real(F::CoverageFactor, "coverage factor", "coverage_factor")
        .In(kPositive)
        .UsedIf({Is(S::CoverageMethod, {cm_Normal, cm_Entered})}),
    Real(F::CoverageProbability, "coverage probability", "coverage_probability")
        .In(kPercentOpen)
        .UsedIf({Is(S::CoverageMethod, {cm_Normal, cm_Student})}),
    Int(F::SignificantDigits, "significant digits", "significant_digits"),
    Text(F::ValueFormat, "value format", "value_format"),
    Flag(F::ValueExpFormat, "value in E-format", "value_exp_format"),
    Text(F::UncertaintyFormat, "expanded-uncertainty format", "uncertainty_format"),
    Flag(F::UncertaintyExpFormat, "expanded uncertainty in E-format", "uncertainty_exp_format"),
};

constexpr TCondition kDirect{Is(S::AMethod, {am_Direct})};
constexpr TCondition kIndirect{Is(S::AMethod, {am_Indirect})};
constexpr TCondition kAExpanded{Is(S::AEvalType, {ae_Expanded})};
constexpr TCondition kAEntered{Is(S::AUncertaintySource, {as_Entered})};

const TQuantityField kTypeA[] = {
    Code(F::AMethod, "method", "method", kAMethodCodes).Deciding(S::AMethod).In({am_Direct, am_Indirect}),
    Int(F::ObservationCount, "number of measurements", "observation_count",
        Held({kMinObservationCount, kMaxObservationCount})),
    Code(F::AUncertaintySource, "uncertainty evaluation", "uncertainty_source", kAUncertaintySourceCodes)
        .Deciding(S::AUncertaintySource),
    Byte(F::Decimals, "decimals", "decimals", Held({0, kMaxDecimals})),
    Code(F::ASUType, "standard-uncertainty kind", "su_type", kASUTypeCodes)
        .If({Is(S::AUncertaintySource, {as_Observations})}),
    Code(F::AEvalType, "evaluation type", "eval_type", kAEvalTypeCodes).Deciding(S::AEvalType),
    Real(F::StatedValue, "entered value", "stated_value").In(kNotNegative).UsedIf(kAEntered),
    Text(F::StatedValueText, "entered value as typed", "stated_value_text"),
    Real(F::CoverageProbability, "coverage probability", "coverage_probability").If(kAExpanded).Unchecked(),
    Real(F::CoverageFactor, "coverage factor", "coverage_factor").If(kAExpanded).In(kPositive).UsedIf(kAEntered),
    Flag(F::InPercent, "value in percent", "in_percent"),
    Int(F::DegreesOfFreedom, "degrees of freedom", "degrees_of_freedom"),
    Code(F::AValueType, "value kind", "value_type", kAValueTypeCodes).If(kDirect).Deciding(S::AValueType),
    Series(F::Observations, "observations", "observations").If(kDirect),
    Series(F::RowValues, "row values", "row_values").If({Is(S::AMethod, {am_Direct}), Is(S::AValueType, {av_Grouped})}),
    Field(F::SchemaColumns, T::TextList, "schema column", "schema_columns")
        .With([](TQuantityField& f) { f.Capacity = kText101; })
        .If(kIndirect),
    Text(F::SchemaFormula, "schema formula", "schema_formula").If(kIndirect),
    Series(F::Observations, "observations", "observations").If(kIndirect),
    Series(F::RowValues, "row values", "row_values").If(kIndirect),
};

constexpr TCodeTest kInterval = Is(S::BEvalType, {be_Interval});
constexpr TRange kTypeBDof = Held({0, kMaxTypeBDof});
constexpr TCondition kExpanded{Is(S::BEvalType, {be_Expanded})};
constexpr TCondition kSecondParameter{kInterval, Is(S::Distribution, {dc_LgNormal, dc_DistributonT, dc_Trapez})};

const TQuantityField kTypeB[] = {
    Code(F::BEvalType, "evaluation type", "eval_type", kBEvalTypeCodes).Deciding(S::BEvalType),
    Real(F::BValue, "value", "value"),
    Text(F::BValueText, "value as typed", "value_text"),
    Real(F::StatedValue, "parameter 1", "stated_value").In(kNotNegative),
    Text(F::StatedValueText, "parameter 1 as typed", "stated_value_text"),
    Real(F::CoverageProbability, "coverage probability", "coverage_probability").If(kExpanded).In(kPercent).Unchecked(),
    Real(F::CoverageFactor, "coverage factor", "coverage_factor").If(kExpanded).In(kPositive),
    Flag(F::InPercent, "parameter 1 in percent", "in_percent")
        .If({Is(S::BEvalType, {be_Expanded, be_Standard, be_Bound})}),
    Byte(F::DegreesOfFreedom, "degrees of freedom", "degrees_of_freedom", kTypeBDof)
        .If({Is(S::BEvalType, {be_Expanded, be_Standard})}),
    Byte(F::Reliability, "reliability", "reliability", kPercent).If({Is(S::BEvalType, {be_Bound})}),
    Code(F::Distribution, "distribution", "distribution", kDistributionCodes).If({kInterval}).Deciding(S::Distribution),
    Real(F::CoverageProbability, "coverage probability", "coverage_probability")
        .If({kInterval, Is(S::Distribution, {dc_Normal})})
        .In(kPercent)
        .Unchecked(),
    Code(F::LimitSide, "limit side", "limit_side", kLimitSideCodes).If({kInterval, Is(S::Distribution, {dc_LgNormal})}),
    Real(F::BParam2, "parameter 2", "param2").If({kInterval, Is(S::Distribution, {dc_LgNormal, dc_Trapez})}),
    // Student's t: the second parameter is the coverage probability in per cent.
    Real(F::BParam2, "parameter 2", "param2")
        .If({kInterval, Is(S::Distribution, {dc_DistributonT})})
        .In(kPercent)
        .Unchecked(),
    Text(F::BParam2Text, "parameter 2 as typed", "param2_text").If(kSecondParameter),
    Byte(F::DegreesOfFreedom, "degrees of freedom", "degrees_of_freedom", kTypeBDof)
        .If({kInterval, Is(S::Distribution, {dc_DistributonT})}),
    Byte(F::Reliability, "reliability", "reliability", kPercent)
        .If({kInterval, IsNot(S::Distribution, {dc_DistributonT})}),
};

const TQuantityField kConst[] = {
    Real(F::ConstValue, "value", "value"),
    Text(F::ConstValueText, "value as typed", "value_text"),
};

}  // namespace

std::string_view CodeCaption(const TCodeList& codes, int code) {
    return code >= 0 && static_cast<std::size_t>(code) < codes.Captions.size() ? codes.Captions[code] : "";
}

std::string_view CodeName(const TCodeList& codes, int code) {
    return code >= 0 && static_cast<std::size_t>(code) < codes.Names.size() ? codes.Names[code] : "";
}

bool TCodeTest::Holds(const TRecordCodes& c) const {
    if (Slot == TCodeSlot::None) return true;
    const unsigned v = c.Get(Slot);
    const bool in = v < 32 && (Values >> v & 1u) != 0;
    return in != Except;
}

TRecordCodes CodesOf(const TGumParam& q) {
    TRecordCodes c;
    c.Set(S::Kind, static_cast<std::uint8_t>(q.Kind));
    c.Set(S::CoverageMethod, q.CoverageMethod);
    c.Set(S::AMethod, q.AMethod);
    c.Set(S::AUncertaintySource, q.AUncertaintySource);
    c.Set(S::AEvalType, q.AEvalType);
    c.Set(S::AValueType, q.AValueType);
    c.Set(S::BEvalType, q.BEvalType);
    c.Set(S::Distribution, q.Distribution);
    return c;
}

std::span<const TQuantityField> QuantityHeadFields() { return kHead; }

std::span<const TQuantityField> QuantityKindFields(std::uint8_t kind) {
    switch (static_cast<TParamKind>(kind)) {
        case TParamKind::Result:
            return kResult;
        case TParamKind::TypeA:
            return kTypeA;
        case TParamKind::TypeB:
            return kTypeB;
        case TParamKind::Const:
            return kConst;
        default:
            return {};
    }
}

const TQuantityField* PresentField(TParamKind kind, const TRecordCodes& codes, TField id) {
    for (const TQuantityField& f : QuantityKindFields(static_cast<std::uint8_t>(kind)))
        if (f.Id == id && f.When.Holds(codes)) return &f;
    return nullptr;
}

const TQuantityField* PresentField(const TGumParam& q, TField id) { return PresentField(q.Kind, CodesOf(q), id); }

bool FieldInUse(const TGumParam& q, TField id) {
    const TRecordCodes codes = CodesOf(q);
    for (const TQuantityField& f : QuantityKindFields(static_cast<std::uint8_t>(q.Kind))) {
        if (f.Id != id || !f.When.Holds(codes)) continue;
        if (f.Use == U::AsStored || (f.Use == U::When && f.UsedWhen.Holds(codes))) return true;
    }
    return false;
}

namespace {

// Where each field is kept in TGumParam, and the setter that keeps the
// quantity's invariants where it has one.
struct TAccess {
    F Id;
    long long (*Get)(const TGumParam&) = nullptr;
    void (*Set)(TGumParam&, long long) = nullptr;
    double TGumParam::*Real = nullptr;
    std::string TGumParam::*Text = nullptr;
};

template <auto M>
long long Get(const TGumParam& q) {
    return static_cast<long long>(q.*M);
}
template <auto M>
void Put(TGumParam& q, long long v) {
    q.*M = static_cast<std::remove_cvref_t<decltype(q.*M)>>(v);
}
template <auto M, typename A, void (TGumParam::*Setter)(A)>
constexpr TAccess Number(F id) {
    return {id, &Get<M>, [](TGumParam& q, long long v) { (q.*Setter)(static_cast<A>(v)); }};
}
template <auto M>
constexpr TAccess Number(F id) {
    return {id, &Get<M>, &Put<M>};
}
constexpr TAccess Real(F id, double TGumParam::*m) { return {.Id = id, .Real = m}; }
constexpr TAccess Text(F id, std::string TGumParam::*m) { return {.Id = id, .Text = m}; }

// A code outside the kinds has no fields of its own; the quantity is left
// undefined for the user to choose its kind.
void SetKindCode(TGumParam& q, long long v) {
    q.SetKind(v >= 0 && v <= static_cast<long long>(TParamKind::Const) ? static_cast<TParamKind>(v)
                                                                       : TParamKind::Undefined);
}

using P = TGumParam;
constexpr TAccess kAccess[] = {
    Text(F::Name, &P::Name),
    {F::Kind, &Get<&P::Kind>, &SetKindCode},
    Text(F::Description, &P::Description),
    Text(F::Units, &P::Units),
    Number<&P::ResultFormat>(F::ResultFormat),
    Number<&P::CoverageMethod>(F::CoverageMethod),
    Real(F::CoverageFactor, &P::CoverageFactor),
    Real(F::CoverageProbability, &P::CoverageProbability),
    Number<&P::SignificantDigits>(F::SignificantDigits),
    Text(F::ValueFormat, &P::ValueFormat),
    Number<&P::ValueExpFormat>(F::ValueExpFormat),
    Text(F::UncertaintyFormat, &P::UncertaintyFormat),
    Number<&P::UncertaintyExpFormat>(F::UncertaintyExpFormat),
    Number<&P::AMethod, std::uint8_t, &P::SetAMethod>(F::AMethod),
    Number<&P::ObservationCount, int, &P::SetObservationCount>(F::ObservationCount),
    Number<&P::AUncertaintySource>(F::AUncertaintySource),
    Number<&P::Decimals, int, &P::SetDecimals>(F::Decimals),
    Number<&P::ASUType>(F::ASUType),
    Number<&P::AEvalType>(F::AEvalType),
    Real(F::StatedValue, &P::StatedValue),
    Text(F::StatedValueText, &P::StatedValueText),
    Number<&P::InPercent>(F::InPercent),
    Number<&P::DegreesOfFreedom, int, &P::SetDegreesOfFreedom>(F::DegreesOfFreedom),
    Number<&P::AValueType, std::uint8_t, &P::SetAValueType>(F::AValueType),
    {F::Observations},
    {F::RowValues},
    {F::SchemaColumns},
    Text(F::SchemaFormula, &P::SchemaFormula),
    Number<&P::BEvalType>(F::BEvalType),
    Real(F::BValue, &P::BValue),
    Text(F::BValueText, &P::BValueText),
    Number<&P::Distribution>(F::Distribution),
    Number<&P::LimitSide>(F::LimitSide),
    Real(F::BParam2, &P::BParam2),
    Text(F::BParam2Text, &P::BParam2Text),
    Number<&P::Reliability>(F::Reliability),
    Real(F::ConstValue, &P::ConstValue),
    Text(F::ConstValueText, &P::ConstValueText),
};

// In the order of TField, so that a field's entry is found by its number.
constexpr bool InFieldOrder() {
    for (std::size_t i = 0; i < std::size(kAccess); ++i)
        if (static_cast<std::size_t>(kAccess[i].Id) != i) return false;
    return true;
}

static_assert(InFieldOrder());

const TAccess& AccessOf(TField id) { return kAccess[static_cast<std::size_t>(id)]; }

}  // namespace

long long NumberOf(const TGumParam& q, TField id) { return AccessOf(id).Get ? AccessOf(id).Get(q) : 0; }

void SetNumber(TGumParam& q, TField id, long long v) {
    if (AccessOf(id).Set) AccessOf(id).Set(q, v);
}

double RealOf(const TGumParam& q, TField id) { return q.*AccessOf(id).Real; }

void SetReal(TGumParam& q, TField id, double v) { q.*AccessOf(id).Real = v; }

std::string& TextOf(TGumParam& q, TField id) { return q.*AccessOf(id).Text; }

const std::string& TextOf(const TGumParam& q, TField id) { return q.*AccessOf(id).Text; }

const std::vector<double>& SeriesOf(const TGumParam& q, TField id) {
    return id == F::RowValues ? q.RowValues : q.Observations;
}

}  // namespace vormid
