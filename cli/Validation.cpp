#include "cli/Validation.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>

#include "core/NumberFormat.h"
#include "cli/Calculation.h"
#include "core/Cp1251.h"
#include "cli/JsonValues.h"
#include "cli/ModelFile.h"
#include "cli/ModelJson.h"
#include "core/GumModel.h"

namespace vormid::cli {
namespace {

const char* FigureName(FigureKind k) {
    switch (k) {
        case FigureKind::Value:
            return "стойност";
        case FigureKind::CombinedUncertainty:
            return "комб. станд. неопределеност u_c";
        case FigureKind::EffectiveDof:
            return "ефект. степени на свобода ν_eff";
        case FigureKind::CoverageFactor:
            return "фактор на покриване k";
        case FigureKind::ExpandedUncertainty:
            return "разш. неопределеност U";
    }
    return "";
}

// Decimals written after the "." of a published figure.
int DecimalsOf(const std::string& text) {
    const auto dot = text.find('.');
    return dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
}

// A number with a decimal comma, as the program writes numbers.
std::string Decimal(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return WithDecimalComma(buf);
}

std::string WithUnit(const std::string& number, const std::string& unit) {
    return unit.empty() ? number : number + " " + unit;
}

const TBudget* FindBudget(const TGumModel& model, const std::string& name) {
    for (const auto& b : model.Budgets)
        if (b->Name == name) return b.get();
    return nullptr;
}

// The calculated figure in the model's unit; NaN for an infinite ν_eff.
double Calculated(const TBudget& b, FigureKind k) {
    switch (k) {
        case FigureKind::Value:
            return b.Value;
        case FigureKind::CombinedUncertainty:
            return b.CombinedUncertainty;
        case FigureKind::EffectiveDof:
            return b.EffectiveDOF == kInfiniteDof ? std::nan("") : static_cast<double>(b.EffectiveDOF);
        case FigureKind::CoverageFactor:
            return b.CoverageFactor;
        case FigureKind::ExpandedUncertainty:
            return b.CoverageFactor * b.CombinedUncertainty;
    }
    return std::nan("");
}

// Reads and calculates one example's model; returns why it failed, or "".
std::string Calculate(const WorkedExample& e, TGumModel& model) {
    try {
        const Json doc = Json::parse(e.Document);
        TDisplayState display;
        ModelFromJson(doc, model, display);
    } catch (const std::exception& ex) {
        return std::string("моделът на примера не може да се прочете: ") + ex.what();
    }
    std::string why;
    if (!CalculateModelBudgets(model, &why)) return "бюджетът не може да се изчисли: " + why;
    return {};
}

// Compares one figure and writes its line; returns whether it agrees.
bool CheckFigure(const TGumModel& model, const PublishedFigure& f, std::ostream& out) {
    out << "  " << f.Result << ", " << FigureName(f.Kind) << ": ";
    const TBudget* b = FindBudget(model, f.Result);
    if (!b) {
        out << "няма бюджет на „" << f.Result << "“ — НЕ СЪВПАДА\n";
        return false;
    }
    if (b->ErrorCode != NoError) {
        out << "бюджетът не е изчислен (" << Cp1251ToUtf8(b->ErrorMessage) << ") — НЕ СЪВПАДА\n";
        return false;
    }
    const double published = std::stod(f.Published);
    const double tolerance = std::stod(f.Tolerance);
    const double calculated = Calculated(*b, f.Kind) / f.Scale;
    const int decimals = DecimalsOf(f.Published);
    // ν_eff is a whole number: more digits would only show zeros.
    const int shown = f.Kind == FigureKind::EffectiveDof ? 0 : decimals + 2;
    // A figure the program gives with more digits than the source prints is
    // compared unrounded; the tolerance carries the source's rounding.
    const bool agrees = std::isfinite(calculated) && std::fabs(calculated - published) <= tolerance * (1 + 1e-9);
    out << "изчислено " << (std::isfinite(calculated) ? WithUnit(Decimal(calculated, shown), f.Unit) : "∞")
        << ", публикувано " << WithUnit(Decimal(published, decimals), f.Unit) << " ± "
        << WithUnit(Decimal(tolerance, DecimalsOf(f.Tolerance)), f.Unit) << " — " << (agrees ? "съвпада" : "НЕ СЪВПАДА")
        << '\n';
    if (!f.Why.empty()) out << "    (допуск: " << f.Why << ")\n";
    return agrees;
}

}  // namespace

void SaveExampleModel(const WorkedExample& e, const std::string& path) {
    auto model = std::make_unique<LoadedModel>();
    ModelFromJson(Json::parse(e.Document), model->Model, model->Display);
    SaveModelFile(path, model->Model, model->Display);
}

ValidationCounts ValidateExamples(const std::vector<WorkedExample>& examples, std::ostream& out) {
    ValidationCounts counts;
    out << "Проверка по публикувани примери (" << examples.size() << ")\n";
    for (const WorkedExample& e : examples) {
        out << "\n"
            << e.Title << " [" << e.Id << "]\n"
            << "  Източник: " << e.Source << "\n"
            << "  Модел: " << e.Transcription << "\n";
        auto model = std::make_unique<TGumModel>();
        const std::string failure = Calculate(e, *model);
        counts.Figures += static_cast<int>(e.Figures.size());
        if (!failure.empty()) {
            out << "  " << failure << " — НЕ СЪВПАДА\n";
            ++counts.FailedExamples;
            continue;
        }
        for (const PublishedFigure& f : e.Figures)
            if (CheckFigure(*model, f, out)) ++counts.Agreeing;
    }
    out << "\n"
        << (counts.AllAgree() ? "Валидирано: " : "НЕ Е ВАЛИДИРАНО: ") << counts.Agreeing << " от " << counts.Figures
        << " публикувани стойности съвпадат в допуска си.\n";
    return counts;
}

}  // namespace vormid::cli
