// The report's content of the sample models: what it holds and in what
// order, every figure as the budget page writes it.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/BudgetCells.h"
#include "cli/Calculation.h"
#include "cli/ModelFile.h"
#include "core/NameMarkup.h"
#include "report/ReportBuilder.h"
#include "report/ReportInputs.h"

namespace vormid::report {
namespace {

struct Sample {
    std::unique_ptr<cli::LoadedModel> loaded;
    TReport report;

    explicit Sample(const std::string& file) {
        loaded = cli::LoadModelFile(std::string(VORMID_EXAMPLES_DIR) + "/" + file);
        std::string why;
        const bool ok = cli::CalculateModelBudgets(loaded->Model, &why);
        TReportSource src;
        src.Model = &loaded->Model;
        src.Display = &loaded->Display;
        src.FileName = file;
        src.FileSha256 = std::string(64, 'a');
        src.Created = "09.12.2026 14:00";
        src.Program = "Vormid 0.1.0";
        src.CalculationFailed = !ok;
        src.CalculationMessage = why;
        report = BuildReport(src);
    }

    const TTable* Table(const std::string& name) const {
        for (const TSection& s : report.Sections)
            for (const TBlock& b : s.Blocks)
                if (const auto* t = std::get_if<TTable>(&b); t && t->Name == name) return t;
        return nullptr;
    }
    // Every paragraph's text, in order.
    std::vector<std::string> Paragraphs() const {
        std::vector<std::string> out;
        for (const TSection& s : report.Sections)
            for (const TBlock& b : s.Blocks)
                if (const auto* p = std::get_if<TParagraph>(&b)) out.push_back(PlainText(p->Spans));
        return out;
    }
    bool HasParagraph(const std::string& text) const {
        const auto all = Paragraphs();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
};

std::string CellText(const TRow& row, std::size_t i) { return PlainText(row.Cells.at(i).Spans); }

// The text of a name's runs, scripts dropped.
std::string RunsText(const std::string& markup) {
    std::string text;
    for (const TNameRun& r : NameMarkupRuns(markup)) text += CodePointsToUtf8(r.Text);
    return text;
}

// A cell of the page as the report's text reads: the exponent raised (so
// its plain digits), bars left out.
std::string Expected(const TBudgetCell& c) {
    switch (c.Kind) {
        case TBudgetCellKind::Name:
            return RunsText(c.Markup);
        case TBudgetCellKind::Number:
            return c.Text + c.Number.Mantissa + c.Number.Exponent + (c.Suffix.empty() ? "" : " " + RunsText(c.Suffix));
        case TBudgetCellKind::Bar:
            return "";
        default:
            return cli::CellText(c, 0);
    }
}

TEST(ReportContent, MassSampleHoldsEveryInputEveryBudgetRowAndTheMarks) {
    const Sample s("mass.gmf");
    const TGumModel& m = s.loaded->Model;
    ASSERT_FALSE(s.report.BudgetFailed);

    // The sections in their order.
    const auto paragraphs = s.Paragraphs();
    const auto at = [&](const std::string& text) {
        return std::find(paragraphs.begin(), paragraphs.end(), text) - paragraphs.begin();
    };
    EXPECT_EQ(paragraphs.front(), "Отчет за неопределеността на измерването");
    EXPECT_LT(at("Описание"), at("Уравнение на модела"));
    EXPECT_LT(at("Уравнение на модела"), at("Величини"));
    EXPECT_LT(at("Величини"), at("Корелации"));
    EXPECT_LT(at("Корелации"), at("Бюджет на неопределеността: M"));

    const TTable* header = s.Table("Заглавие");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(CellText(header->Rows.at(2), 1), std::string(64, 'a'));

    // Every quantity in the inputs table, in list order, with kind and ν.
    const TTable* inputs = s.Table("Величини");
    ASSERT_NE(inputs, nullptr);
    ASSERT_EQ(inputs->Rows.size(), static_cast<std::size_t>(m.Params.Count() + 1));
    std::size_t row = 1;
    for (const auto& q : m.Params) {
        const TRow& r = inputs->Rows.at(row++);
        EXPECT_EQ(CellText(r, 0), RunsText(q->Name));
        // The kind in the kind selector's words (the sample has these three).
        EXPECT_EQ(CellText(r, 1), q->Kind == TParamKind::TypeA   ? "Тип А"
                                  : q->Kind == TParamKind::TypeB ? "Тип B"
                                                                 : "Резултат");
        if (q->Kind == TParamKind::TypeA) {
            EXPECT_NE(CellText(r, 6).find("n = " + std::to_string(q->Statistics.Count) + "; средна стойност = "),
                      std::string::npos);
            EXPECT_NE(CellText(r, 6).find("s/√n = "), std::string::npos);
        }
        if (q->Kind == TParamKind::TypeB) {
            EXPECT_FALSE(CellText(r, 6).empty());
        }
    }

    // Every budget with every entry, cell for cell as the page writes them.
    ASSERT_EQ(m.Budgets.size(), 2u);
    const TQuantityIndex index(m.Params);
    for (const auto& b : m.Budgets) {
        const std::string name = BudgetTableName(MarkupToUtf8(b->Name));
        const TTable* t = s.Table(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->HeaderRows, 1);
        const TDisplayState display = ReportDisplay(s.loaded->Display);
        const TBudgetTable page(*b, index, m.FormatSettings, display, m.Correlations);
        const auto columns = page.VisibleColumns();
        EXPECT_EQ(std::count(columns.begin(), columns.end(), kBudgetGraphColumn), 0);
        EXPECT_EQ(std::count(columns.begin(), columns.end(), 10), 1);  // the dispersion index
        ASSERT_EQ(t->Rows.size(), static_cast<std::size_t>(b->EntryCount() + 1));
        int i = 1;
        for (const TBudgetEntry* e : page.Rows()) {
            const TRow& r = t->Rows.at(static_cast<std::size_t>(i++));
            for (std::size_t c = 0; c < columns.size(); ++c)
                EXPECT_EQ(CellText(r, c), Expected(page.Cell(*e, columns[c]))) << name << " column " << columns[c];
        }
        // The footer: ν_eff of M is marked, as its budget correlates MR and
        // DB; DMR has only one of them.
        const TTable* footer = s.Table(name + " (резултат)");
        ASSERT_NE(footer, nullptr);
        EXPECT_EQ(CellText(footer->Rows.at(1), 5), Expected(page.Footer()[1][4]));
        EXPECT_EQ(CellText(footer->Rows.at(1), 5).back() == '*', b->Name == "M") << name;
        EXPECT_EQ(CellText(footer->Rows.at(3), 0), "Резултат");
    }
    EXPECT_TRUE(s.HasParagraph("* " + DofIgnoresCorrelationHint()));
    // A k that covers less than P at ν_eff is noted as the page notes it.
    int shortOfP = 0;
    for (const auto& b : m.Budgets) {
        if (!BudgetCoverageAtDof(*b).FallsShort) continue;
        ++shortOfP;
        EXPECT_TRUE(s.HasParagraph("† " + CoverageFallsShortHint(*b))) << b->Name;
    }
    EXPECT_GT(shortOfP, 0);

    // The result statement in words.
    bool statement = false;
    for (const auto& p : paragraphs) {
        if (p.rfind("Резултат: M = ", 0) != 0) continue;
        statement = true;
        EXPECT_NE(p.find(" ± "), std::string::npos) << p;
        EXPECT_NE(p.find("г ± 0,00006 %;  k = 2,00;  P = 95,45 %"), std::string::npos) << p;
    }
    EXPECT_TRUE(statement);

    const TTable* corr = s.Table("Корелации");
    ASSERT_NE(corr, nullptr);
    ASSERT_EQ(corr->Rows.size(), 2u);
    EXPECT_EQ(CellText(corr->Rows[1], 2), "0,3");
}

TEST(ReportContent, TypeASeriesGetTheirStatisticsAndHistogram) {
    const Sample s("gauge_block.gmf");
    int histograms = 0;
    for (const TSection& sec : s.report.Sections)
        for (const TBlock& b : sec.Blocks)
            if (const auto* p = std::get_if<TPicture>(&b); p && p->Kind == TPicture::TKind::Histogram) {
                ++histograms;
                ASSERT_TRUE(p->Series);
                EXPECT_GT(p->Series->Count, 0);
            }
    int typeA = 0;
    for (const auto& q : s.loaded->Model.Params)
        if (q->Kind == TParamKind::TypeA && q->Statistics.Count > 0) ++typeA;
    EXPECT_EQ(histograms, typeA);
}

TEST(ReportContent, TheMonteCarloCheckFollowsTheBudgetsWhenItRan) {
    Sample s("mass.gmf");
    EXPECT_FALSE(s.HasParagraph("Проверка по метода Монте Карло"));
    TMonteCarloOptions o;
    o.MaxTrials = 20000;
    o.Adaptive = false;
    o.Threads = 1;
    const auto mc = RunMonteCarlo(s.loaded->Model, nullptr, o);
    TReportSource src;
    src.Model = &s.loaded->Model;
    src.Display = &s.loaded->Display;
    src.MonteCarlo = &mc;
    s.report = BuildReport(src);
    EXPECT_TRUE(s.HasParagraph("Проверка по метода Монте Карло"));
    const TTable* t = s.Table("Монте Карло M");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(PlainText(t->Rows.front().Cells[1].Spans).rfind("20000", 0), 0u);
    EXPECT_EQ(PlainText(t->Rows.back().Cells[0].Spans), "Проверка на GUM");
}

TEST(ReportContent, AFailedBudgetIsReportedInTheDocument) {
    Sample s("mass.gmf");
    s.loaded->Model.Budgets.front()->ErrorCode = DivisionByZero;
    s.loaded->Model.Budgets.front()->ErrorMessage = "Деление на нула";
    TReportSource src;
    src.Model = &s.loaded->Model;
    src.Display = &s.loaded->Display;
    const TReport r = BuildReport(src);
    EXPECT_TRUE(r.BudgetFailed);
}

}  // namespace
}  // namespace vormid::report
