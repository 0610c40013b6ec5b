#include "cli/DumpSections.h"

#include <string>

namespace vormid::cli {
namespace {

constexpr std::size_t kText256 = 256, kText101 = 101, kText20 = 20;

const std::initializer_list<const char*> kDistributions = {"Нормално",
                                                           "Лог. нормално",
                                                           "t-разпределение",
                                                           "Правоъгълно",
                                                           "Триъгълно",
                                                           "Трапецовидно",
                                                           "Квадратично",
                                                           "U-разпределение",
                                                           "Косинусово-разпределение",
                                                           "1/2 Косинусово-разпределение"};

void DumpResult(DumpCursor& c) {
    c.Code("result format", {"Абсолютна", "Относителна", "Относителна в %"});
    c.Code("coverage method", {"Стандартен", "Норм. разпределение", "t-разпределение", "Въвеждане"});
    c.F64("coverage factor");
    c.F64("coverage probability");
    c.I32("significant digits");
    c.Text("value format", kText101);
    c.U8("value in E-format");
    c.Text("expanded-uncertainty format", kText101);
    c.U8("expanded uncertainty in E-format");
}

void DumpTypeA(DumpCursor& c) {
    const auto method = c.Code("method", {"Директен", "Индиректен"});
    c.I32("number of measurements");
    const auto source = c.Code("uncertainty evaluation", {"Експериментално", "Въвеждане"});
    c.U8("decimals");
    if (source == 0) c.Code("standard-uncertainty kind", {"Станд. отклонение", "Сигма"});
    const auto eval = c.Code("evaluation type", {"Разш. неопределеност", "Станд. отклонение", "Станд. неопределеност"});
    c.F64("entered value");
    c.Text("entered value as typed", kText101);
    if (eval == 0) {
        c.F64("coverage probability");
        c.F64("coverage factor");
    }
    c.U8("value in percent");
    c.I32("degrees of freedom");
    if (method == 0) {
        const auto kind = c.Code("value kind", {"Стойности", "Груп. стойност"});
        c.Series("observations");
        if (kind == 1) c.Series("row values");
    } else if (method == 1) {
        const std::int32_t columns = c.Count("schema column count");
        for (std::int32_t i = 0; i < columns; ++i) c.Text("schema column " + std::to_string(i + 1), kText101);
        c.Text("schema formula", kText101);
        c.Series("observations");
        c.Series("row values");
    }
}

void DumpTypeB(DumpCursor& c) {
    const auto type = c.Code("evaluation type", {"Разш. неопределеност", "Станд. неопределеност", "Граница на грешката",
                                                 "Интервал на разпределение"});
    c.F64("value");
    c.Text("value as typed", kText101);
    c.F64("parameter 1");
    c.Text("parameter 1 as typed", kText101);
    if (type == 0) {
        c.F64("coverage probability");
        c.F64("coverage factor");
    }
    if (type <= 2) c.U8("parameter 1 in percent");
    if (type <= 1) c.U8("degrees of freedom");
    if (type == 2) c.U8("reliability");
    if (type == 3) {
        const auto dist = c.Code("distribution", kDistributions);
        if (dist == 0) c.F64("coverage probability");
        if (dist == 1) c.Code("limit side", {"Горна", "Долна"});
        if (dist == 1 || dist == 2 || dist == 5) {
            c.F64("parameter 2");
            c.Text("parameter 2 as typed", kText101);
        }
        if (dist == 2)
            c.U8("degrees of freedom");
        else
            c.U8("reliability");
    }
}

}  // namespace

void DumpModelHeader(DumpCursor& c) {
    c.Text("model name", kText256);
    c.Code("evaluation method", {"GUM", "Monte-Carlo"});
    c.Blob("description");
    c.Blob("equation");
}

void DumpQuantities(DumpCursor& c) {
    const std::int32_t count = c.Count("quantity count");
    for (std::int32_t i = 0; i < count; ++i) {
        c.SetIndent("  ");
        c.Note("quantity " + std::to_string(i + 1) + ":");
        c.SetIndent("    ");
        c.Text("name", kText101);
        const auto kind = c.Code("kind", {"Undefined", "Result", "VarResult", "TypeA", "TypeB", "Const"});
        c.Text("description", kText256);
        c.Text("units", kText101);
        switch (kind) {
            case 1:
                DumpResult(c);
                break;
            case 3:
                DumpTypeA(c);
                break;
            case 4:
                DumpTypeB(c);
                break;
            case 5:
                c.F64("value");
                c.Text("value as typed", kText101);
                break;
            default:
                break;  // intermediate results and unknown kinds have no further fields
        }
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
