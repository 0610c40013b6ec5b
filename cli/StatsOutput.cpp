#include "cli/StatsOutput.h"

#include "cli/BudgetCells.h"

#include <cmath>

#include "core/Cp1251.h"
#include "cli/OutputOrigin.h"
#include "core/NameMarkup.h"
#include "cli/TextTable.h"
#include "core/GumParamStatTable.h"
#include "core/NumberFormat.h"

namespace vormid::cli {
namespace {

Json Finite(double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); }

// Element i of a class array, 0 when the array is shorter than the class count says.
template <typename T>
double At(const std::vector<T>& a, int i) {
    return i >= 0 && i < static_cast<int>(a.size()) ? static_cast<double>(a[i]) : 0.0;
}

void WriteOneText(const TGumModel& model, const TGumParam& p, std::ostream& out) {
    out << "Тип А: " << MarkupToUtf8(p.Name);
    if (!p.Description.empty()) out << " — " << Cp1251ToUtf8(p.Description);
    if (!p.Units.empty()) out << " [" << MarkupToUtf8(p.Units) << "]";
    out << '\n';
    // The table of the observation page, cell by cell.
    TextTable t({false, true, false, true, false, true});
    for (const auto& row : StatisticsTable(p, model.FormatSettings)) {
        std::vector<std::string> cells;
        for (const TStatCell& c : row) {
            cells.push_back(c.Label);
            cells.push_back(c.Value.Mantissa + Superscript(c.Value.Exponent));
        }
        t.AddRow(std::move(cells));
    }
    t.Write(out);
    out << '\n';
}

}  // namespace

void WriteStatsText(const TGumModel& model, std::ostream& out) {
    bool any = false;
    for (const auto& p : model.Params) {
        if (p->Kind != TParamKind::TypeA) continue;
        WriteOneText(model, *p, out);
        any = true;
    }
    if (!any) out << "{ Няма величини от Тип А }\n";
}

Json StatsToJson(const std::string& file, const TGumModel& model) {
    Json doc;
    AddOriginKeys(doc, file);
    Json list = Json::array();
    for (const auto& p : model.Params) {
        if (p->Kind != TParamKind::TypeA) continue;
        const SeriesStatistics& s = p->Statistics;
        Json q;
        q["name"] = MarkupToUtf8(p->Name);
        q["count"] = s.Count;
        q["min"] = Finite(s.Min);
        q["max"] = Finite(s.Max);
        q["median"] = Finite(s.Median);
        q["mean"] = Finite(s.Mean);
        q["range"] = Finite(s.Range);
        q["variance"] = Finite(s.StdDev * s.StdDev);
        q["std_dev"] = Finite(s.StdDev);
        q["rel_std_dev"] = Finite(s.RelStdDev);
        q["std_dev_mean"] = Finite(s.StdDevMean);
        q["sigma_mean"] = Finite(s.SigmaMean);
        q["skewness"] = Finite(s.Skewness);
        q["kurtosis"] = Finite(s.Kurtosis);
        q["ks_distance"] = Finite(s.KsDistance);
        q["ks_critical_05"] = Finite(s.KsCritical05);
        q["ks_critical_01"] = Finite(s.KsCritical01);
        q["normal_05"] = s.Normal05;
        q["normal_01"] = s.Normal01;
        q["value"] = Finite(p->Value());
        q["std_uncertainty"] = Finite(p->StdUncertainty());
        q["dof"] = MachineDof(p->DOF());
        Json classes = Json::array();
        for (int j = 1; j <= s.ClassCount && j <= kMaxClasses; ++j) {
            classes.push_back(Json{{"lower", Finite(At(s.ClassBounds, j - 1))},
                                   {"upper", Finite(At(s.ClassBounds, j))},
                                   {"mid", Finite(At(s.ClassMids, j))},
                                   {"count", static_cast<long long>(At(s.Counts, j - 1))},
                                   {"cum_count", static_cast<long long>(At(s.CumCounts, j - 1))},
                                   {"rel_freq", Finite(At(s.RelFreq, j - 1))},
                                   {"cum_rel_freq", Finite(At(s.CumRelFreq, j - 1))},
                                   {"norm_prob", Finite(At(s.NormProb, j - 1))},
                                   {"norm_cum_prob", Finite(At(s.NormCumProb, j - 1))}});
        }
        q["classes"] = std::move(classes);
        list.push_back(std::move(q));
    }
    doc["quantities"] = std::move(list);
    return doc;
}

}  // namespace vormid::cli
