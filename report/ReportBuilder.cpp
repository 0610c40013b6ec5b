#include "report/ReportBuilder.h"

#include "core/QuantityFields.h"
#include "core/Cp1251.h"
#include "core/GumParamStatTable.h"
#include "core/NameMarkup.h"
#include "evaluation/BudgetTable.h"
#include "evaluation/MonteCarloNumber.h"
#include "evaluation/QuantityIndex.h"
#include "evaluation/QuantitySummary.h"
#include "report/ReportInputs.h"
#include "report/ReportText.h"

namespace vormid::report {
namespace {

TCell TextCell(std::string text, TAlign align = TAlign::Left, bool bold = false) {
    return Cell({Plain(std::move(text), bold)}, align);
}

void AddRichText(TSection& s, const std::string& bytes) {
    for (TParagraph& p : RichTextParagraphs(bytes)) s.Blocks.emplace_back(std::move(p));
}

TSection Header(const TReportSource& src) {
    TSection s;
    s.Blocks.emplace_back(Para(TParagraphStyle::Title, "Отчет за неопределеността на измерването"));
    TTable t;
    t.Name = "Заглавие";
    t.HeaderRows = 0;
    t.Widths = {1, 3};
    const auto row = [&t](std::string label, std::vector<TSpan> value) {
        TRow r;
        r.Cells = {TextCell(std::move(label), TAlign::Left, true), Cell(std::move(value), TAlign::Left)};
        t.Rows.push_back(std::move(r));
    };
    const TGumModel& m = *src.Model;
    row("Модел", m.ModelName.empty() ? std::vector<TSpan>{Plain("—")} : MarkupSpans(m.ModelName));
    row("Файл", {Plain(src.FileName)});
    TSpan hash = Plain(src.FileSha256.empty() ? "файлът не е записан" : src.FileSha256);
    if (!src.FileSha256.empty()) {
        // One unbroken line in a fixed-width face.
        hash.Font = "DejaVu Sans Mono";
        hash.SizePt = 8;
    }
    row("SHA-256 на файла", {hash});
    row("Дата и час на отчета", {Plain(src.Created)});
    row("Програма", {Plain(src.Program)});
    s.Blocks.emplace_back(std::move(t));
    return s;
}

// The description and the equation: a heading over the model's rich text,
// or a line saying the model has none.
TSection RichTextSection(std::string heading, const std::string& bytes, std::string none) {
    TSection s;
    s.Blocks.emplace_back(Para(TParagraphStyle::Heading, std::move(heading)));
    AddRichText(s, bytes);
    if (s.Blocks.size() == 1) s.Blocks.emplace_back(Para(TParagraphStyle::Body, std::move(none)));
    return s;
}

TSection Correlations(const TGumModel& m) {
    TSection s;
    s.Blocks.emplace_back(Para(TParagraphStyle::Heading, "Корелации"));
    const TCorrelation& c = m.Correlations;
    if (c.Count() == 0) {
        s.Blocks.emplace_back(Para(TParagraphStyle::Body, "Няма корелирани входни величини."));
        return s;
    }
    TTable t;
    t.Name = "Корелации";
    t.Widths = {2, 2, 1};
    TRow head;
    head.Role = TRowRole::Header;
    head.Cells = {TextCell("Величина 1", TAlign::Center, true), TextCell("Величина 2", TAlign::Center, true),
                  TextCell("Коеф. на корелация", TAlign::Center, true)};
    t.Rows.push_back(std::move(head));
    for (int i = 0; i < c.Count(); ++i) {
        TRow r;
        const std::string coefficient = c.GetCoefficientText(i);
        r.Cells = {Cell(MarkupSpans(c.GetName1(i), true), TAlign::Left),
                   Cell(MarkupSpans(c.GetName2(i), true), TAlign::Left),
                   TextCell(coefficient.empty() ? WithDecimalComma(FormatGeneral15(c.GetCoefficient(i), ','))
                                                : Cp1251ToUtf8(coefficient),
                            TAlign::Center)};
        t.Rows.push_back(std::move(r));
    }
    s.Blocks.emplace_back(std::move(t));
    return s;
}

TSection Series(const TGumModel& m) {
    TSection s;
    for (const auto& q : m.Params) {
        if (q->Kind != TParamKind::TypeA || q->Statistics.Count == 0) continue;
        if (s.Blocks.empty()) s.Blocks.emplace_back(Para(TParagraphStyle::Heading, "Наблюдения от Тип А"));
        s.Blocks.emplace_back(Para(TParagraphStyle::Subheading, Titled("Наблюдения: ", q->Name)));
        TTable t;
        t.Name = "Статистика " + MarkupToUtf8(q->Name);
        t.HeaderRows = 0;
        t.Widths = {3, 2, 3, 2, 3, 2};
        t.SizePt = 8;
        const TStatTable stats = StatisticsTable(*q, m.FormatSettings);
        for (const auto& line : stats) {
            TRow r;
            for (const TStatCell& cell : line) {
                r.Cells.push_back(TextCell(cell.Label, TAlign::Left));
                r.Cells.push_back(Cell(NumberSpans(cell.Value), TAlign::Right));
            }
            t.Rows.push_back(std::move(r));
        }
        s.Blocks.emplace_back(std::move(t));
        TPicture hist;
        hist.Kind = TPicture::TKind::Histogram;
        hist.Series = std::make_shared<const SeriesStatistics>(q->Statistics);
        hist.WidthPt = 360;
        hist.HeightPt = 266;  // the observation page's proportions
        hist.Caption = "[хистограма на " + MarkupToUtf8(q->Name) + "]";
        s.Blocks.emplace_back(std::move(hist));
    }
    return s;
}

// The result as a sentence: "Резултат: Y = y ± U units; k = …; P = … %".
std::vector<TSpan> Statement(const TBudget& b, const TBudgetTable& withSuffixes) {
    std::vector<TSpan> spans = Titled("Резултат: ", b.Name);
    spans.push_back(Plain(" = "));
    const auto line = withSuffixes.ResultLine();
    Append(spans, CellSpans(line[0]));
    spans.push_back(Plain(" "));
    Append(spans, CellSpans(line[1]));
    spans.push_back(Plain(";  k = " + line[2].Text + ";  P = " + line[3].Text));
    return spans;
}

TTable BudgetTableOf(const TBudgetTable& table, const std::string& name) {
    TTable t;
    t.Name = name;
    t.SizePt = 7;
    const std::vector<int> columns = table.VisibleColumns();
    TRow head;
    head.Role = TRowRole::Header;
    for (int c : columns) {
        head.Cells.push_back(TextCell(BudgetHeader(c, true), TAlign::Center, true));
        t.Widths.push_back(c == 0 ? 1.4 : c == 1 ? 0.8 : c == 5 ? 1.3 : 1.0);
    }
    t.Rows.push_back(std::move(head));
    for (const TBudgetEntry* e : table.Rows()) {
        TRow r;
        r.Role = table.KindOf(*e) == TParamKind::VarResult ? TRowRole::Tinted : TRowRole::Body;
        for (int c : columns)
            r.Cells.push_back(Cell(CellSpans(table.Cell(*e, c)), c <= 1 ? TAlign::Left : TAlign::Center));
        t.Rows.push_back(std::move(r));
    }
    return t;
}

// The footer of the page as a table of its own: name and units, then the
// four segments of each row.
TTable FooterOf(const TBudgetTable& table, const std::string& name) {
    TTable t;
    t.Name = name;
    t.HeaderRows = 0;
    t.SizePt = 7.5;
    t.Widths = {1.4, 0.8, 1.5, 1.5, 1.5, 1.5};
    const auto rows = table.Footer();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        TRow r;
        r.Role = i % 2 == 0 ? TRowRole::FooterLabel : TRowRole::FooterValue;
        r.Cells.push_back(Cell(CellSpans(row[0]), TAlign::Left));
        r.Cells.push_back(i == 1 ? Cell(CellSpans(table.CombinedUnits()), TAlign::Left) : TCell{});
        for (std::size_t k = 1; k < row.size(); ++k) r.Cells.push_back(Cell(CellSpans(row[k]), TAlign::Center));
        t.Rows.push_back(std::move(r));
    }
    return t;
}

TSection BudgetSection(const TReportSource& src, const TQuantityIndex& index, const TBudget& b, bool& failed) {
    const TGumModel& m = *src.Model;
    TSection s;
    TParagraph heading = Para(TParagraphStyle::Heading, Titled("Бюджет на неопределеността: ", b.Name));
    // A budget starts a page: its heading never stays behind alone.
    heading.NewPage = true;
    s.Blocks.emplace_back(std::move(heading));
    const TGumParam* result = index.Find(b.Name);
    if (result != nullptr && !result->Description.empty())
        s.Blocks.emplace_back(Para(TParagraphStyle::Body, Cp1251ToUtf8(result->Description)));
    if (b.ErrorCode != NoError) {
        failed = true;
        s.Blocks.emplace_back(Para(TParagraphStyle::Statement, "Грешка при изчисляване на бюджета."));
        if (!b.ErrorMessage.empty()) s.Blocks.emplace_back(Para(TParagraphStyle::Body, Cp1251ToUtf8(b.ErrorMessage)));
        return s;
    }
    const TDisplayState display = ReportDisplay(*src.Display);
    const TBudgetTable table(b, index, m.FormatSettings, display, m.Correlations);
    const std::string name = BudgetTableName(MarkupToUtf8(b.Name));
    s.Blocks.emplace_back(BudgetTableOf(table, name));
    s.Blocks.emplace_back(FooterOf(table, name + " (резултат)"));
    // The notes of every mark of the footer, as the page shows them.
    for (const std::string& hint : table.FooterHints()) s.Blocks.emplace_back(Para(TParagraphStyle::Note, hint));
    TDisplayState withSuffixes = display;
    withSuffixes.Columns[kBudgetUnitsColumn].Hidden = true;
    const TBudgetTable suffixed(b, index, m.FormatSettings, withSuffixes, m.Correlations);
    s.Blocks.emplace_back(Para(TParagraphStyle::Statement, Statement(b, suffixed)));
    if (result != nullptr && !result->BudgetComment.empty()) {
        s.Blocks.emplace_back(Para(TParagraphStyle::Subheading, "Коментар към бюджета"));
        AddRichText(s, result->BudgetComment);
    }
    return s;
}

TSection MonteCarlo(const TGumModel& m, const std::vector<TMonteCarloResult>& results) {
    TSection s;
    s.Blocks.emplace_back(Para(TParagraphStyle::Heading, "Проверка по метода Монте Карло"));
    const TQuantityIndex index(m.Params);
    for (const TMonteCarloResult& r : results) {
        s.Blocks.emplace_back(Para(TParagraphStyle::Subheading, Titled("Монте Карло: ", r.Name)));
        if (!r.Ok) {
            s.Blocks.emplace_back(Para(TParagraphStyle::Body, "Изчислението не е успешно. " + Cp1251ToUtf8(r.Message)));
            continue;
        }
        const TGumParam* q = index.Find(r.Name);
        const std::string units = q && !q->Units.empty() ? " " + MarkupToUtf8(q->Units) : std::string();
        const double d = r.Tolerance;
        const auto interval = [&](double low, double high) {
            return "[" + McNumber(low, d) + "; " + McNumber(high, d) + "]" + units;
        };
        TTable t;
        t.Name = "Монте Карло " + MarkupToUtf8(r.Name);
        t.HeaderRows = 0;
        t.Widths = {1, 2};
        const auto row = [&t](std::string label, std::string value) {
            TRow row;
            row.Cells = {TextCell(std::move(label)), TextCell(std::move(value))};
            t.Rows.push_back(std::move(row));
        };
        row("Брой опити", std::to_string(r.Trials) +
                              (r.Converged ? " (стабилизиран резултат)" : " (резултатът не се стабилизира до лимита)"));
        row("Числен толеранс δ", McNumber(d, d));
        row("Средна стойност", McNumber(r.Mean, d) + units);
        row("Стандартна неопределеност", McNumber(r.StdUncertainty, d) + units);
        row("Вероятност на покриване", TwoDecimalsComma(r.CoverageProbability) + " %");
        row("Симетричен интервал", interval(r.SymmetricLow, r.SymmetricHigh));
        row("Най-къс интервал", interval(r.ShortestLow, r.ShortestHigh));
        if (r.Gum.Available) {
            const TGumValidation& g = r.Gum;
            row("GUM", interval(g.Value - g.ExpandedUncertainty, g.Value + g.ExpandedUncertainty));
            row("d_low; d_high", McNumber(g.DLow, d / 10.0) + "; " + McNumber(g.DHigh, d / 10.0) + units);
            row("Проверка на GUM",
                g.Validated ? "потвърден (d_low и d_high ≤ δ)" : "не е потвърден (d_low или d_high > δ)");
        } else {
            row("Проверка на GUM", "няма бюджет, с който да се сравни");
        }
        s.Blocks.emplace_back(std::move(t));
        if (r.ApproximateCorrelation)
            s.Blocks.emplace_back(
                Para(TParagraphStyle::Note,
                     "* Корелациите са приближени: корелирана величина няма нормално разпределение."));
    }
    return s;
}

}  // namespace

std::string BudgetTableName(const std::string& resultUtf8) { return "Бюджет " + resultUtf8; }

TDisplayState ReportDisplay(const TDisplayState& page) {
    TDisplayState d = page;
    for (int c = 0; c < kBudgetTableColumns; ++c) {
        // The relative uncertainty and the relative contribution follow the
        // page; every column of the EA-4/02 layout and the index are always
        // there, the bars never.
        const bool optional = c == 4 || c == 9;
        d.Columns[static_cast<std::size_t>(c)].Hidden =
            optional ? page.Columns[static_cast<std::size_t>(c)].Hidden : c == kBudgetGraphColumn;
    }
    d.ShowConstants = true;
    d.ShowVarResults = true;
    return d;
}

TReport BuildReport(const TReportSource& src) {
    const TGumModel& m = *src.Model;
    TReport report;
    report.Title = m.ModelName.empty() ? "Отчет за неопределеността" : MarkupToUtf8(m.ModelName);
    report.PageText = "Страница %1 от %2";
    report.Sections.push_back(Header(src));
    report.Sections.push_back(RichTextSection("Описание", m.Description, "Моделът няма описание."));
    report.Sections.push_back(RichTextSection("Уравнение на модела", m.Equation, "Моделът няма уравнение."));
    report.Sections.push_back(InputsSection(m));
    if (TSection s = Series(m); !s.Blocks.empty()) report.Sections.push_back(std::move(s));
    report.Sections.push_back(Correlations(m));
    if (src.CalculationFailed) {
        report.BudgetFailed = true;
        TSection s;
        s.Blocks.emplace_back(Para(TParagraphStyle::Heading, "Бюджет на неопределеността"));
        s.Blocks.emplace_back(Para(TParagraphStyle::Statement, "Грешка при изчисляване на бюджета."));
        if (!src.CalculationMessage.empty()) s.Blocks.emplace_back(Para(TParagraphStyle::Body, src.CalculationMessage));
        report.Sections.push_back(std::move(s));
    } else {
        const TQuantityIndex index(m.Params);
        for (const auto& b : m.Budgets) report.Sections.push_back(BudgetSection(src, index, *b, report.BudgetFailed));
    }
    if (src.MonteCarlo != nullptr && !src.MonteCarlo->empty())
        report.Sections.push_back(MonteCarlo(m, *src.MonteCarlo));
    return report;
}

}  // namespace vormid::report
