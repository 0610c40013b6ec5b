#pragma once
// The one description of a quantity record: for each kind, its fields in
// the order the model file stores them, each with its type, text capacity,
// JSON key, captions of its codes, range, and the codes that decide whether
// it is present. The file reader and writer, the dump, the JSON reader and
// writer, the Type B editor and the input checks walk this list; a new
// distribution or field is described here once.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/GumTypes.h"
#include "core/TextFields.h"

namespace vormid {

class TGumParam;

// The values of a code: their names in JSON documents and their captions
// (the program's words, UTF-8), both in code order.
struct TCodeList {
    std::span<const char* const> Names;
    std::span<const char* const> Captions;
};
extern const TCodeList kKindCodes;
extern const TCodeList kResultFormatCodes;
extern const TCodeList kCoverageMethodCodes;
extern const TCodeList kAMethodCodes;
extern const TCodeList kAUncertaintySourceCodes;
extern const TCodeList kASUTypeCodes;
extern const TCodeList kAEvalTypeCodes;
extern const TCodeList kAValueTypeCodes;
extern const TCodeList kBEvalTypeCodes;
extern const TCodeList kDistributionCodes;
extern const TCodeList kLimitSideCodes;
// The caption of a code value; empty for a code outside the list.
std::string_view CodeCaption(const TCodeList& codes, int code);
// Its name in JSON documents; empty for a code outside the list.
std::string_view CodeName(const TCodeList& codes, int code);

// The codes on which later fields of a record depend.
enum class TCodeSlot : std::uint8_t {
    None,
    Kind,
    CoverageMethod,
    AMethod,
    AUncertaintySource,
    AEvalType,
    AValueType,
    BEvalType,
    Distribution
};
constexpr std::size_t kCodeSlotCount = 9;

// The deciding codes of one record, as far as it has been read or written:
// the raw bytes, so that a reader follows the layout of a damaged code
// exactly as the writer of the file did.
class TRecordCodes {
public:
    std::uint8_t Get(TCodeSlot s) const { return Codes_[static_cast<std::size_t>(s)]; }
    void Set(TCodeSlot s, std::uint8_t v) { Codes_[static_cast<std::size_t>(s)] = v; }

private:
    std::uint8_t Codes_[kCodeSlotCount] = {};
};
// The codes of a quantity as they are stored in it.
TRecordCodes CodesOf(const TGumParam& q);

// A test of one code: its value is one of a set (bits of Values), or, with
// Except, none of them. A test on TCodeSlot::None always holds.
struct TCodeTest {
    TCodeSlot Slot = TCodeSlot::None;
    std::uint32_t Values = 0;
    bool Except = false;
    bool Holds(const TRecordCodes& c) const;
};
// Both tests hold.
struct TCondition {
    constexpr TCondition() = default;
    constexpr TCondition(TCodeTest a, TCodeTest b = {}) : A(a), B(b) {}
    TCodeTest A, B;
    bool Holds(const TRecordCodes& c) const { return A.Holds(c) && B.Holds(c); }
};

// Which member of TGumParam a field stores.
enum class TField : std::uint8_t {
    Name,
    Kind,
    Description,
    Units,
    ResultFormat,
    CoverageMethod,
    CoverageFactor,
    CoverageProbability,
    SignificantDigits,
    ValueFormat,
    ValueExpFormat,
    UncertaintyFormat,
    UncertaintyExpFormat,
    AMethod,
    ObservationCount,
    AUncertaintySource,
    Decimals,
    ASUType,
    AEvalType,
    StatedValue,
    StatedValueText,
    InPercent,
    DegreesOfFreedom,
    AValueType,
    Observations,
    RowValues,
    SchemaColumns,
    SchemaFormula,
    BEvalType,
    BValue,
    BValueText,
    Distribution,
    LimitSide,
    BParam2,
    BParam2Text,
    Reliability,
    ConstValue,
    ConstValueText
};

// How a field is stored: Code, Flag and Byte in one byte; Int32 and Real
// (f64) in four and eight; Text in a fixed field of its capacity; Series
// as an i32 last index and that many + 1 doubles; TextList as an i32 count
// and that many fixed texts.
enum class TFieldType : std::uint8_t { Code, Flag, Byte, Int32, Real, Text, Series, TextList };

// The values a field may take. Integer fields: the bounds of what the JSON
// reader accepts and the editors offer; with Held, the record itself holds
// the value within them (its setter clamps, the writer clamps). Real
// fields: what the input checks accept where the field is in use.
struct TRange {
    double Min = -std::numeric_limits<double>::infinity();
    double Max = std::numeric_limits<double>::infinity();
    bool MinOpen = false;
    bool MaxOpen = false;
    bool Held = false;
    bool Contains(double v) const { return (MinOpen ? v > Min : v >= Min) && (MaxOpen ? v < Max : v <= Max); }
};

struct TQuantityField {
    TField Id;
    TFieldType Type;
    const char* Name;     // as the dump names it
    const char* JsonKey;  // key in the JSON document
    TTextCapacity Capacity{0, 0};
    const TCodeList* Codes = nullptr;  // Code fields
    TCodeSlot Decides = TCodeSlot::None;
    TRange Range{};
    TCondition When{};  // present in the record (within its kind)
    // Whether the calculation uses it, and so the input checks check it.
    enum class TUse : std::uint8_t { AsStored, When, Never } Use = TUse::AsStored;
    TCondition UsedWhen{};  // with TUse::When, besides When
};

// The fields every record starts with: name, kind, description, units.
std::span<const TQuantityField> QuantityHeadFields();
// The fields that follow the head for a kind code, in file order (none for
// an intermediate result or a code outside the kinds).
std::span<const TQuantityField> QuantityKindFields(std::uint8_t kind);

// Calls visit(field) for every field of one record, head first, in file
// order, that the codes met so far make present, and returns those codes.
// visit reads or writes the field and returns its value when it is a Code
// (the raw byte: the fields after it follow what the file holds).
template <typename Visit>
TRecordCodes WalkQuantityRecord(Visit&& visit) {
    TRecordCodes codes;
    const auto step = [&](const TQuantityField& f) {
        if (!f.When.Holds(codes)) return;
        const long long v = visit(f);
        if (f.Decides != TCodeSlot::None) codes.Set(f.Decides, static_cast<std::uint8_t>(v));
    };
    for (const TQuantityField& f : QuantityHeadFields()) step(f);
    for (const TQuantityField& f : QuantityKindFields(codes.Get(TCodeSlot::Kind))) step(f);
    return codes;
}

// The entry of field id that is present for these codes of a record of kind
// (the first one in file order), or null.
const TQuantityField* PresentField(TParamKind kind, const TRecordCodes& codes, TField id);
// The same for the codes of q.
const TQuantityField* PresentField(const TGumParam& q, TField id);
// True when the field is present in q's record and the calculation uses it.
bool FieldInUse(const TGumParam& q, TField id);

// Values of q's members by field: Code, Flag, Byte and Int32 fields as
// integers; Real as double; Text and Series by reference. SetNumber and
// SetReal store through the setters that keep q's invariants; a series is
// stored with TGumParam::SetReadings.
long long NumberOf(const TGumParam& q, TField id);
void SetNumber(TGumParam& q, TField id, long long v);
double RealOf(const TGumParam& q, TField id);
void SetReal(TGumParam& q, TField id, double v);
const std::string& TextOf(const TGumParam& q, TField id);
std::string& TextOf(TGumParam& q, TField id);
const std::vector<double>& SeriesOf(const TGumParam& q, TField id);

}  // namespace vormid
