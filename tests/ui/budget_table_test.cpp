// The budget grid: its model over a calculated model, the sticky footer, the
// row filter, and examples/mass.gmf against what vormid-cli budget prints.
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QtTest>

#include "core/GumModel.h"
#include "evaluation/BudgetCalculation.h"
#include "persistence/GumModelFile.h"
#include "persistence/ModelIO.h"
#include "ui/TextCodec.h"
#include "ui/models/BudgetCopy.h"
#include "ui/models/BudgetModel.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/widgets/BudgetTable.h"
#include "ui/widgets/NameMarkupPainter.h"

using namespace vormid;

namespace {

const char* kRtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}\\pard\\f0\\fs16 ";

// Y = X1 + ... + Xn + K, the X Type B with u = 0.1 i, K a constant.
void Build(TGumModel& m, int n) {
    TGumParam* y = m.Params.Add();
    y->Name = "Y";
    y->SetKind(TParamKind::Result);
    std::string eq = "Y = K";
    for (int i = 1; i <= n; ++i) {
        TGumParam* x = m.Params.Add();
        x->Name = "X" + std::to_string(i);
        x->SetKind(TParamKind::TypeB);
        x->BEvalType = 1;
        x->BValue = i;
        x->StatedValue = 0.1 * i;
        x->SetDegreesOfFreedom(0);  // counts as infinite
        eq += " + " + x->Name;
    }
    TGumParam* k = m.Params.Add();
    k->Name = "K";
    k->SetKind(TParamKind::Const);
    k->ConstValue = 2;
    m.Equation = std::string(kRtf) + eq + "\\par }";
}

int ColumnOf(const BudgetModel& m, int logical) {
    for (int c = 0; c < m.columnCount(); ++c)
        if (m.LogicalColumn(c) == logical) return c;
    return -1;
}

}  // namespace

class TestBudgetTable : public QObject {
    Q_OBJECT
private slots:
    void scrollingKeepsTheFooterAtTheBottom() {
        TGumModel m;
        Build(m, 100);
        QVERIFY(CalculateBudgets(m));
        TDisplayState display;
        BudgetModel model;
        model.Reset(&m, &display, 0);
        BudgetTableView view;
        view.setBudgetModel(&model);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const int bottom = view.footer()->geometry().bottom();
        QCOMPARE(view.footer()->height(), BudgetTableView::kFooterRows * view.rowHeight());
        QVERIFY(view.verticalScrollBar()->maximum() > 0);
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QCOMPARE(view.footer()->geometry().bottom(), bottom);
        QVERIFY(bottom < view.height());  // inside the view, at its bottom
        QVERIFY(bottom >= view.height() - 2 * view.frameWidth() - 1);
        QVERIFY(view.footer()->geometry().top() >= view.viewport()->geometry().bottom());
        // The last entry ends just above the footer.
        const QRect last = view.visualRect(model.index(model.rowCount() - 1, 0));
        QVERIFY(last.bottom() <= view.viewport()->height());
        QVERIFY(last.bottom() >= view.viewport()->height() - view.rowHeight());
    }

    void constantsOffRemovesTheirRowsButNotTheFooter() {
        TGumModel m;
        Build(m, 3);
        QVERIFY(CalculateBudgets(m));
        TDisplayState display;
        BudgetModel model;
        model.Reset(&m, &display, 0);
        QCOMPARE(model.rowCount(), 4);
        const auto footer = model.Table()->Footer();
        display.ShowConstants = false;
        model.Reset(&m, &display, 0);
        QCOMPARE(model.rowCount(), 3);
        for (int r = 0; r < 3; ++r) QVERIFY(model.EntryAt(r)->Name != "K");
        QVERIFY(model.Table()->Footer() == footer);
    }

    // With "Изм. единици" shown the combined row has its units under the
    // units column, as every entry has; hidden, the first cell spans both.
    void combinedRowShowsTheResultUnitsInTheUnitsColumn() {
        TGumModel m;
        Build(m, 3);
        m.Params.FindByName("Y")->Units = "mm";
        QVERIFY(CalculateBudgets(m));
        TDisplayState display;
        BudgetModel model;
        model.Reset(&m, &display, 0);
        BudgetTableView view;
        view.setBudgetModel(&model);
        view.resize(700, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(model.Table()->CombinedUnits().Kind, TBudgetCellKind::Empty);
        QCOMPARE(view.FooterCells(1).size(), 5);

        display.Columns[kBudgetUnitsColumn].Hidden = false;
        model.Reset(&m, &display, 0);
        const TBudgetCell units = model.Table()->CombinedUnits();
        QCOMPARE(units.Kind, TBudgetCellKind::Name);
        QCOMPARE(units.Markup, std::string("mm"));
        const QList<QRect> cells = view.FooterCells(1);
        QCOMPARE(cells.size(), 6);
        const QHeaderView* h = view.horizontalHeader();
        QCOMPARE(ColumnOf(model, kBudgetUnitsColumn), 1);
        QCOMPARE(cells[5].left(), h->sectionViewportPosition(1));
        QCOMPARE(cells[5].width(), h->sectionSize(1));
        QCOMPARE(cells[0].right() + 1, cells[5].left());
        // Something is drawn there.
        const QImage footer = view.footer()->grab().toImage();
        int ink = 0;
        for (int x = cells[5].left(); x <= cells[5].right(); ++x)
            for (int y = cells[5].top(); y <= cells[5].bottom(); ++y)
                if (qGray(footer.pixel(x, y)) < 100) ++ink;
        QVERIFY(ink > 5);
    }

    void unitsSuffixAndInfinityAndGraphModeInTheModel() {
        TGumModel m;
        Build(m, 2);
        m.Params.Get(1)->Units = "V";
        QVERIFY(CalculateBudgets(m));
        TDisplayState display;
        BudgetModel model;
        model.Reset(&m, &display, 0);
        const int value = ColumnOf(model, 2);
        const int x1 = 1;  // entries: K, X1, X2
        QCOMPARE(model.EntryAt(x1)->Name, std::string("X1"));
        QVERIFY(model.index(x1, value).data().toString().endsWith(" V"));
        QCOMPARE(model.index(x1, ColumnOf(model, 6)).data().toString(), QStringLiteral("∞"));
        display.Columns[1].Hidden = false;
        model.Reset(&m, &display, 0);
        QVERIFY(!model.index(x1, ColumnOf(model, 2)).data().toString().contains(' '));
        display.ChartShowsContribution = false;
        model.Reset(&m, &display, 0);
        QCOMPARE(model.headerData(model.columnCount() - 1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Дисп. индекс (граф.)"));
        display.ChartShowsContribution = true;
        model.Reset(&m, &display, 0);
        QCOMPARE(model.headerData(model.columnCount() - 1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Принос (граф.)"));
        const auto bar = model.index(x1, model.columnCount() - 1)
                             .data(static_cast<int>(BudgetModel::Role::Cell))
                             .value<TBudgetCell>();
        QCOMPARE(bar.BarLargest, m.Budgets[0]->MaxContribution);
    }

    void massExampleShowsWhatTheToolPrints() {
        const QString path = QStringLiteral(VORMID_EXAMPLES_DIR "/mass.gmf");
        TGumModel m;
        TDisplayState display;
        TGumModelFile file;
        file.FileName = path.toStdString();
        file.Load();
        LoadModel(file, m, display);
        QVERIFY(m.Correlations.Count() > 0);
        QVERIFY(CalculateBudgets(m));
        QProcess cli;
        cli.start(QStringLiteral(VORMID_CLI_PATH), {QStringLiteral("budget"), path});
        QVERIFY(cli.waitForFinished(20000));
        const QString printed = QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY(printed.contains(QStringLiteral("Бюджет: M")));
        BudgetModel model;
        model.Reset(&m, &display, 0);
        QVERIFY(model.rowCount() > 0);
        const TBudgetCopy copy = CopyBudget(m, 0, display);
        const QString html = copy.Html, tsv = copy.Text;
        int numbers = 0;
        auto check = [&](const TBudgetCell& c) {
            if (c.Kind != TBudgetCellKind::Number) return;
            const QString mantissa = FromCp1251(c.Number.Mantissa);
            QVERIFY2(printed.contains(mantissa), qPrintable(mantissa));
            QVERIFY2(html.contains(mantissa), qPrintable(mantissa));
            QVERIFY2(tsv.contains(mantissa), qPrintable(mantissa));
            ++numbers;
        };
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c)
                check(model.index(r, c).data(static_cast<int>(BudgetModel::Role::Cell)).value<TBudgetCell>());
        for (const auto& row : model.Table()->Footer())
            for (const auto& cell : row) check(cell);
        QVERIFY(numbers > 10);
        QVERIFY(html.contains(QStringLiteral("<table")));
        QVERIFY(html.contains(QStringLiteral("Резултат")));
        QVERIFY(tsv.contains(QStringLiteral("95,45 %")));
        // mass correlates two inputs of M: the footer's ν_eff is marked.
        QVERIFY(model.Table()->Footer()[1][4].Approximate);
    }

    // Names and units in the cells are the common name drawing's: the same
    // width, and a subscript below the base line.
    void cellsDrawNamesByTheCommonNameDrawing() {
        QFont font;
        QFont bold = font;
        bold.setBold(true);
        TBudgetCell name;
        name.Kind = TBudgetCellKind::Name;
        name.Bold = true;
        name.Markup = "U\\b0";
        QCOMPARE(BudgetCellWidth(name, font), TNameMarkupPainter(bold).Width(name.Markup));
        TBudgetCell number;
        number.Kind = TBudgetCellKind::Number;
        number.Number.Mantissa = "1,5";
        number.Suffix = "m\\t2";
        QCOMPARE(BudgetCellWidth(number, font), QFontMetrics(font).horizontalAdvance(QStringLiteral("1,5 ")) +
                                                    TNameMarkupPainter(font).Width(number.Suffix));
        auto lowest = [&](const std::string& markup) {
            TBudgetCell c = name;
            c.Markup = markup;
            QImage image(60, 18, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            p.setPen(Qt::black);
            PaintBudgetCell(p, image.rect(), c, font);
            p.end();
            int bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qGray(image.pixel(x, y)) < 128) bottom = y;
            return bottom;
        };
        QVERIFY(lowest("U\\b0") > lowest("U0"));
        // A plain name is drawn whole, not cut to an ellipsis by its own width.
        auto ink = [&](const std::string& markup, bool direct) {
            QImage image(200, 18, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            p.setPen(Qt::black);
            TBudgetCell c = name;
            c.Markup = markup;
            const int w = BudgetCellWidth(c, font);
            if (direct)
                TNameMarkupPainter(bold).Draw(p, QRect((200 - w) / 2, 0, 100, 18), markup);
            else
                PaintBudgetCell(p, image.rect(), c, font);
            p.end();
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
            return dark;
        };
        for (const char* plain : {"LS", "\xEC\xEC", "Temperature"}) QCOMPARE(ink(plain, false), ink(plain, true));
    }

    // With VORMID_GRAB_DIR set: pictures of the grid for the documentation.
    void grabForTheDocumentation() {
        const QByteArray dir = qgetenv("VORMID_GRAB_DIR");
        if (dir.isEmpty()) QSKIP("VORMID_GRAB_DIR not set");
        for (const char* name : {"gauge_block", "mass"}) {
            TGumModel m;
            TDisplayState display;
            TGumModelFile file;
            file.FileName = std::string(VORMID_EXAMPLES_DIR "/") + name + ".gmf";
            file.Load();
            LoadModel(file, m, display);
            QVERIFY(CalculateBudgets(m));
            BudgetModel model;
            model.Reset(&m, &display, 0);
            BudgetTableView view;
            view.setBudgetModel(&model);
            view.resize(900, 260);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            const int n = model.columnCount();
            for (int c = 0; c < n; ++c) view.horizontalHeader()->resizeSection(c, view.viewport()->width() / n);
            QVERIFY(view.grab().save(QString::fromUtf8(dir) + "/budget-" + name + ".png"));
        }
        TfrmSettings dialog(TNumberFormatSettings{});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(QString::fromUtf8(dir) + "/settings-dialog.png"));
    }
};

QTEST_MAIN(TestBudgetTable)
#include "budget_table_test.moc"
