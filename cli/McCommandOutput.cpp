#include "cli/McCommandOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Cp1251.h"
#include "cli/JsonStream.h"
#include "cli/OutputOrigin.h"
#include "core/NameMarkup.h"
#include "core/NumberFormat.h"
#include "cli/TextTable.h"
#include "evaluation/QuantityIndex.h"

namespace vormid::cli {
namespace {

std::string Interval(double low, double high, double tolerance) {
    return "[" + McNumber(low, tolerance) + "; " + McNumber(high, tolerance) + "]";
}

std::string Percent(double p) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", p);
    return WithDecimalComma(buf) + " %";
}

void WriteOneText(const TQuantityIndex& quantities, const TMonteCarloResult& r, std::ostream& out) {
    const TGumParam* q = quantities.Find(r.Name);
    out << "Монте Карло: " << MarkupToUtf8(r.Name);
    if (q && !q->Description.empty()) out << " — " << Cp1251ToUtf8(q->Description);
    out << '\n';
    const std::string units = q && !q->Units.empty() ? " " + MarkupToUtf8(q->Units) : std::string();
    if (!r.Ok) {
        out << "Изчислението не е успешно.\n" << Cp1251ToUtf8(r.Message) << "\n\n";
        return;
    }
    const double d = r.Tolerance;
    TextTable t({false, false});
    t.AddRow({"Брой опити",
              std::to_string(r.Trials) +
                  (r.Converged ? " (стабилизиран резултат)" : " (резултатът не се стабилизира до лимита на опитите)")});
    t.AddRow({"Числен толеранс δ", McNumber(d, d)});
    t.AddRow({"Средна стойност", McNumber(r.Mean, d) + units});
    t.AddRow({"Стандартна неопределеност", McNumber(r.StdUncertainty, d) + units});
    t.AddRow({"Вероятност на покриване", Percent(r.CoverageProbability)});
    t.AddRow({"Симетричен интервал", Interval(r.SymmetricLow, r.SymmetricHigh, d) + units});
    t.AddRow({"Най-къс интервал", Interval(r.ShortestLow, r.ShortestHigh, d) + units});
    t.AddRule();
    if (r.Gum.Available) {
        const TGumValidation& g = r.Gum;
        t.AddRow({"GUM", McNumber(g.Value, d) + " ± " + McNumber(g.ExpandedUncertainty, d) + units + "  " +
                             Interval(g.Value - g.ExpandedUncertainty, g.Value + g.ExpandedUncertainty, d) + units});
        t.AddRow({"d_low, d_high", McNumber(g.DLow, d / 10.0) + "; " + McNumber(g.DHigh, d / 10.0) + units});
        t.AddRow({"Проверка на GUM",
                  g.Validated ? "потвърден (d_low и d_high ≤ δ)" : "не е потвърден (d_low или d_high > δ)"});
    } else {
        t.AddRow({"Проверка на GUM", "няма бюджет, с който да се сравни"});
    }
    t.Write(out);
    if (r.ApproximateCorrelation)
        out << "* Корелациите са приближени: корелирана величина няма нормално разпределение.\n";
    out << '\n';
}

}  // namespace

void WriteMonteCarloText(const TGumModel& model, const std::vector<TMonteCarloResult>& results, std::ostream& out) {
    const TQuantityIndex quantities(model.Params);
    for (const auto& r : results) WriteOneText(quantities, r, out);
}

void WriteMonteCarloJson(const std::string& file, const std::vector<TMonteCarloResult>& results, std::ostream& out) {
    JsonStream j(out);
    // Figures of a failed run are null rather than zeros that could be read.
    const auto number = [&j](bool ok, double x) { ok ? j.Number(x) : j.Null(); };
    const auto pair = [&](bool ok, double a, double b) {
        if (!ok) return j.Null();
        j.BeginArray();
        j.Number(a);
        j.Number(b);
        j.EndArray();
    };
    j.BeginObject();
    WriteOriginKeys(j, file);
    j.Key("results");
    j.BeginArray();
    for (const auto& r : results) {
        j.BeginObject();
        j.Key("name"), j.String(MarkupToUtf8(r.Name));
        j.Key("ok"), j.Bool(r.Ok);
        j.Key("error_message"), j.String(Cp1251ToUtf8(r.Message));
        j.Key("trials"), j.Integer(static_cast<long long>(r.Trials));
        j.Key("converged"), j.Bool(r.Converged);
        j.Key("tolerance"), number(r.Ok, r.Tolerance);
        j.Key("mean"), number(r.Ok, r.Mean);
        j.Key("std_uncertainty"), number(r.Ok, r.StdUncertainty);
        j.Key("coverage_probability"), j.Number(r.CoverageProbability);
        j.Key("symmetric_interval"), pair(r.Ok, r.SymmetricLow, r.SymmetricHigh);
        j.Key("shortest_interval"), pair(r.Ok, r.ShortestLow, r.ShortestHigh);
        j.Key("gum");
        if (r.Ok && r.Gum.Available) {
            j.BeginObject();
            j.Key("value"), j.Number(r.Gum.Value);
            j.Key("expanded_uncertainty"), j.Number(r.Gum.ExpandedUncertainty);
            j.Key("d_low"), j.Number(r.Gum.DLow);
            j.Key("d_high"), j.Number(r.Gum.DHigh);
            j.Key("validated"), j.Bool(r.Gum.Validated);
            j.EndObject();
        } else {
            j.Null();
        }
        j.Key("failed_draws"), j.Integer(static_cast<long long>(r.FailedDraws));
        j.Key("first_error"), j.String(Cp1251ToUtf8(r.FirstError));
        j.Key("approximate_correlation"), j.Bool(r.ApproximateCorrelation);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    j.Finish();
}

}  // namespace vormid::cli
