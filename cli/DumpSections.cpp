#include "cli/DumpSections.h"

#include <string>

#include "core/QuantityFields.h"

namespace vormid::cli {
namespace {

constexpr const char* kEvalMethodCaptions[] = {"GUM", "Monte-Carlo"};

long long DumpField(const TQuantityField& f, DumpCursor& c) {
    switch (f.Type) {
        case TFieldType::Code:
            return c.Code(f.Name, f.Codes->Captions);
        case TFieldType::Flag:
        case TFieldType::Byte:
            c.U8(f.Name);
            break;
        case TFieldType::Int32:
            c.I32(f.Name);
            break;
        case TFieldType::Real:
            c.F64(f.Name);
            break;
        case TFieldType::Text:
            c.Text(f.Name, f.Capacity);
            break;
        case TFieldType::Series:
            c.Series(f.Name);
            break;
        case TFieldType::TextList: {
            const std::string name = f.Name;
            const std::int32_t n = c.Count(name + " count");
            for (std::int32_t i = 0; i < n; ++i) c.Text(name + " " + std::to_string(i + 1), f.Capacity);
            break;
        }
    }
    return 0;
}

}  // namespace

void DumpModelHeader(DumpCursor& c) {
    c.Text("model name", kText256);
    c.Code("evaluation method", kEvalMethodCaptions);
    c.Blob("description");
    c.Blob("equation");
}

void DumpQuantities(DumpCursor& c) {
    const std::int32_t count = c.Count("quantity count");
    for (std::int32_t i = 0; i < count; ++i) {
        c.SetIndent("  ");
        c.Note("quantity " + std::to_string(i + 1) + ":");
        c.SetIndent("    ");
        WalkQuantityRecord([&](const TQuantityField& f) { return DumpField(f, c); });
    }
    c.SetIndent("  ");
    for (std::int32_t i = 0; i < count && !c.AtEnd(); ++i) {
        const std::int32_t n = c.I32("comment " + std::to_string(i + 1) + " length");
        if (n <= 0) continue;
        c.Raw("comment " + std::to_string(i + 1), static_cast<std::size_t>(n));
    }
}

void DumpCorrelations(DumpCursor& c) {
    if (c.AtEnd()) {
        c.Note("(empty: no correlations)");
        return;
    }
    const std::int32_t count = c.Count("correlation count");
    for (std::int32_t i = 0; i < count; ++i) {
        c.Note("pair " + std::to_string(i + 1) + ":");
        c.Text("  first quantity", kText101);
        c.Text("  second quantity", kText101);
        c.F64("  coefficient");
    }
}

void DumpBudgets(DumpCursor& c) {
    if (c.AtEnd()) {
        c.Note("(empty: no budgets)");
        return;
    }
    const std::int32_t count = c.Count("budget count");
    for (std::int32_t i = 0; i < count; ++i) {
        c.SetIndent("  ");
        c.Note("budget " + std::to_string(i + 1) + ":");
        c.SetIndent("    ");
        c.Text("result name", kText101);
        c.Text("result units", kText101);
        c.F64("result value");
        c.F64("combined standard uncertainty");
        c.F64("relative standard uncertainty");
        c.I32("effective degrees of freedom");
        c.F64("reported value");
        c.F64("expanded uncertainty");
        c.F64("coverage factor");
        c.F64("coverage probability");
        c.F64("largest absolute contribution");
        const std::int32_t lines = c.Count("line count");
        for (std::int32_t l = 0; l < lines; ++l) {
            c.SetIndent("    ");
            c.Note("line " + std::to_string(l + 1) + ":");
            c.SetIndent("      ");
            c.Text("quantity name", kText101);
            c.Text("units", kText101);
            c.F64("value");
            c.F64("standard uncertainty");
            c.F64("relative uncertainty");
            c.U32("distribution");
            c.I32("degrees of freedom");
            c.F64("sensitivity coefficient");
            c.F64("contribution");
            c.F64("relative contribution");
            c.F64("variance index");
        }
        c.SetIndent("    ");
        if (c.AtEnd()) {
            c.Note("(no budget comment: the section ends here)");
            break;
        }
        const std::int32_t n = c.I32("budget comment length");
        if (n > 0) c.Raw("budget comment", static_cast<std::size_t>(n));
    }
    c.SetIndent("  ");
}

void DumpDisplaySettings(DumpCursor& c) {
    c.I32("lower exponent");
    c.I32("upper exponent");
    c.F64("lower threshold");
    c.I32("upper threshold");
    c.I32("significant digits");
    c.Text("exponent style", kText20);
    c.Text("result value format", kText20);
    c.U8("result value in E-format");
    c.Text("expanded-uncertainty format", kText20);
    c.U8("expanded uncertainty in E-format");
    for (int col = 0; col < 12; ++col) {
        const std::string p = "column " + std::to_string(col) + " ";
        c.I32(p + "width");
        c.I32(p + "data width");
        c.U8(p + "hidden");
    }
    c.U8("show intermediate results");
    c.U8("show constants");
    c.I32("column width mode");
    if (c.AtEnd()) return c.Note("(ends after the width mode)");
    c.I32("equation panel height");
    if (c.AtEnd()) return c.Note("(ends after the equation panel height)");
    c.I32("budget comment panel height");
    if (c.AtEnd()) return c.Note("(ends after the budget comment panel height)");
    c.U8("chart shows contribution");
}

}  // namespace vormid::cli
