#include "ui/models/BudgetCopy.h"

#include <QStringList>

#include "core/GumModel.h"
#include "evaluation/BudgetTable.h"
#include "ui/TextCodec.h"
#include "ui/models/BudgetModel.h"
#include "ui/widgets/BudgetMarkup.h"

namespace vormid {

namespace {

// A cell of the copy in both forms.
struct TCopyCell {
    QString Text, Html;
    bool Header = false;
};

TCopyCell Plain(const QString& text, bool header = false) { return {text, text.toHtmlEscaped(), header}; }

// The cell without its suffix; the suffix goes to units.
TCopyCell Split(TBudgetCell cell, std::string* units = nullptr) {
    if (units) *units = cell.Suffix;
    cell.Suffix.clear();
    return {CellPlainText(cell), CellHtml(cell), false};
}

TCopyCell Units(const std::string& markup) { return {MarkupPlain(markup), MarkupHtml(markup), false}; }

using TCopyRow = QList<TCopyCell>;

}  // namespace

TBudgetCopy CopyBudget(const TGumModel& m, int index, const TDisplayState& display) {
    if (index < 0 || index >= static_cast<int>(m.Budgets.size())) return {};
    const TBudget& b = *m.Budgets[static_cast<std::size_t>(index)];
    const TQuantityIndex quantities(m.Params);
    // Built with the units column hidden, so that every number carries its
    // units as a suffix, which the copy then moves to a cell of its own.
    TDisplayState shown = display;
    shown.Columns[kBudgetUnitsColumn].Hidden = true;
    const TBudgetTable table(b, quantities, m.FormatSettings, shown, m.Correlations);
    std::vector<int> columns;
    for (int c : table.VisibleColumns())
        if (c != kBudgetGraphColumn) columns.push_back(c);
    const auto rows = table.Rows();

    // A column whose numbers all carry the same units other than the
    // entry's own (per cent, the result's units) names them in its header.
    std::vector<std::string> headerUnits(columns.size());
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (columns[k] == 2 || columns[k] == 3) continue;  // the entry's units
        for (const TBudgetEntry* e : rows) {
            const TBudgetCell cell = table.Cell(*e, columns[k]);
            if (!cell.Suffix.empty()) {
                headerUnits[k] = cell.Suffix;
                break;
            }
        }
    }

    QList<TCopyRow> body;
    TCopyRow header;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        TCopyCell h = Plain(QString::fromStdString(BudgetHeader(columns[k], display.ChartShowsContribution)), true);
        if (!headerUnits[k].empty() && !h.Text.endsWith(MarkupPlain(headerUnits[k]))) {
            h.Text += QStringLiteral(", ") + MarkupPlain(headerUnits[k]);
            h.Html += QStringLiteral(", ") + MarkupHtml(headerUnits[k]);
        }
        header << h;
        if (columns[k] == 0) header << Plain(QString::fromStdString(BudgetHeader(kBudgetUnitsColumn, false)), true);
    }
    body << header;
    for (const TBudgetEntry* e : rows) {
        TCopyRow row;
        for (int c : columns) {
            row << Split(table.Cell(*e, c));
            if (c == 0) row << Units(e->Units);
        }
        body << row;
    }

    // The footer: a heading row per block, then label, value and units.
    QList<TCopyRow> footer;
    const auto f = table.Footer();
    for (int block : {0, 2}) {
        const auto& labels = f[static_cast<std::size_t>(block)];
        const auto& values = f[static_cast<std::size_t>(block + 1)];
        footer << TCopyRow{Split(values[0])};
        for (std::size_t i = 1; i < 5; ++i) {
            std::string units;
            footer << TCopyRow{Plain(QString()), Split(labels[i]), Split(values[i], &units), Units(units)};
        }
    }
    // The result line as one sentence: y = value ± U, k, P.
    const auto line = table.ResultLine();
    const QString name = MarkupPlain(b.Name), nameHtml = MarkupHtml(b.Name);
    const QString k = QString::fromStdString(line[2].Text), p = QString::fromStdString(line[3].Text);
    const QString result = name + QStringLiteral(" = ") + CellPlainText(line[0]) + QLatin1Char(' ') +
                           CellPlainText(line[1]) + QStringLiteral("; k = ") + k + QStringLiteral("; P = ") + p;
    const QString resultHtml = nameHtml + QStringLiteral(" = ") + CellHtml(line[0]) + QLatin1Char(' ') +
                               CellHtml(line[1]) + QStringLiteral("; k = ") + k.toHtmlEscaped() +
                               QStringLiteral("; P = ") + p.toHtmlEscaped();
    // The marks' reasons (a ν_eff that ignores correlations, a k short of P).
    QStringList notes;
    for (const std::string& hint : table.FooterHints()) notes << QString::fromStdString(hint);

    const QString model = FromCp1251(m.ModelName);
    const QString title = (model.isEmpty() ? QString() : model + QStringLiteral(": ")) +
                          QStringLiteral("бюджет на неопределеността на ") + name;
    const QString titleHtml = (model.isEmpty() ? QString() : model.toHtmlEscaped() + QStringLiteral(": ")) +
                              QStringLiteral("бюджет на неопределеността на ") + nameHtml;

    TBudgetCopy copy;
    const QString eol = QStringLiteral("\r\n");
    auto text = [&](const QList<TCopyRow>& rowsOut) {
        for (const TCopyRow& row : rowsOut) {
            QStringList cells;
            for (const TCopyCell& c : row) cells << c.Text;
            copy.Text += cells.join(QLatin1Char('\t')) + eol;
        }
    };
    copy.Text = title + eol + eol;
    text(body);
    copy.Text += eol;
    text(footer);
    copy.Text += eol + QStringLiteral("Резултат: ") + result + eol;
    for (const QString& n : notes) copy.Text += n + eol;

    auto html = [&](const QList<TCopyRow>& rowsOut) {
        QString out = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
        for (const TCopyRow& row : rowsOut) {
            out += QStringLiteral("<tr>");
            for (const TCopyCell& c : row) {
                const QString tag = c.Header ? QStringLiteral("th") : QStringLiteral("td");
                out +=
                    QLatin1Char('<') + tag + QLatin1Char('>') + c.Html + QStringLiteral("</") + tag + QLatin1Char('>');
            }
            out += QStringLiteral("</tr>");
        }
        return out + QStringLiteral("</table>");
    };
    copy.Html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><p><b>") + titleHtml +
                QStringLiteral("</b></p>") + html(body) + QStringLiteral("<p></p>") + html(footer) +
                QStringLiteral("<p>Резултат: ") + resultHtml + QStringLiteral("</p>");
    for (const QString& n : notes) copy.Html += QStringLiteral("<p>") + n.toHtmlEscaped() + QStringLiteral("</p>");
    copy.Html += QStringLiteral("</body></html>");
    return copy;
}

}  // namespace vormid
