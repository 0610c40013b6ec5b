// The budget page driven through the main window as a user drives it: the
// example models opened from a copy, the tabs, the budget menu, a failed
// budget, "Копиране" and the settings dialog's OK and Cancel.
#include <QAbstractItemModelTester>
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QHeaderView>
#include <QTest>
#include <QTimer>

#include "core/GumModel.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmMain.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/models/BudgetModel.h"
#include "ui/pages/BudgetPage.h"
#include "ui/widgets/BudgetTable.h"
#include "ui/widgets/NumberEdit.h"

#include "UiTestWindow.h"

using namespace vormid;

namespace {

struct Window : vormid::test::TTestWindow {
    // Opens a copy of the example, so that the display state written on
    // closing never reaches the source tree.
    explicit Window(const char* example) {
        const QString copy = dir.filePath(QString::fromLatin1(example) + ".gmf");
        QFile::copy(QStringLiteral(VORMID_EXAMPLES "/") + example + ".gmf", copy);
        QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (!w->Document().OpenFile(copy)) qFatal("cannot open %s", example);
    }
    TBudgetPage* page() const { return get<TBudgetPage>("Budjet"); }
    const BudgetModel& budget() const { return page()->Model(); }
    // Every text the model shows, to see whether a repaint changed it.
    static QStringList Texts(const QAbstractItemModel& m) {
        QStringList t;
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.columnCount(); ++c) t << m.index(r, c).data().toString();
        return t;
    }
    // Presses "Настройки", lets edit set the controls and closes the dialog
    // with OK (or Cancel).
    void settings(const std::function<void(TfrmSettings&)>& edit, bool ok = true) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmSettings*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            edit(*dialog);
            dialog->findChild<QAbstractButton*>(ok ? "btnOK" : "btnCancel")->click();
        });
        get<QAbstractButton>("btnSettings")->click();
        QVERIFY(seen);
    }
    int column(int logical) const {
        for (int c = 0; c < budget().columnCount(); ++c)
            if (budget().LogicalColumn(c) == logical) return c;
        return -1;
    }
};

}  // namespace

class TstBudgetPage : public QObject {
    Q_OBJECT
private slots:
    // Opening a model fills each page once: one reset of each of its grids
    // (a second one would rebuild a large table for nothing).
    void openingFillsEachPageOnce() {
        test::TTestWindow win;
        win.w->SelectMainPage(1);
        const QString copy = win.dir.filePath("resistance.gmf");
        QFile::copy(QStringLiteral(VORMID_EXAMPLES "/resistance.gmf"), copy);
        QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        std::vector<std::unique_ptr<QSignalSpy>> resets;
        for (const char* grid : {"dgBudget", "dgTypeA", "dgCorr"})
            resets.push_back(
                std::make_unique<QSignalSpy>(win.get<QTableView>(grid)->model(), &QAbstractItemModel::modelReset));
        // The statistics grid keeps its shape: its values change once.
        QSignalSpy statistics(win.get<QTableView>("dgStat")->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(win.w->Document().OpenFile(copy));
        for (const auto& spy : resets) QCOMPARE(spy->count(), 1);
        QCOMPARE(statistics.count(), 1);
    }

    void tabsMenuAndCopy() {
        Window win("mass");
        win.w->SelectMainPage(2);
        QAbstractItemModelTester tester(win.get<QTableView>("dgBudget")->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* tabs = win.get<QTabBar>("tcBudget");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("M"));
        QVERIFY(!win.get<QTableView>("dgBudget")->isHidden());
        QVERIFY(win.budget().rowCount() > 0);
        // M correlates MR and DB: the footer's ν_eff carries its mark and hint.
        QVERIFY(win.budget().Table()->Footer()[1][4].Approximate);
        QVERIFY(!win.get<BudgetTableView>("dgBudget")->footer()->toolTip().isEmpty());
        tabs->setCurrentIndex(1);
        QCOMPARE(win.page()->CurrentBudget(), 1);
        tabs->setCurrentIndex(0);

        // A column toggle of the main menu checks its twin in the pop-up.
        QAction* units = win.page()->ColumnAction(1);
        QVERIFY(!units->isChecked());
        QVERIFY(win.column(1) < 0);
        units->trigger();
        QVERIFY(win.column(1) >= 0);
        QAction* twin = nullptr;
        for (QAction* a : win.page()->PopupMenu()->actions())
            if (a->text() == units->text()) twin = a;
        QVERIFY(twin && twin->isChecked());
        // With units in a column of their own the value stands alone.
        QVERIFY(!win.budget().index(0, win.column(2)).data().toString().contains(' '));

        // "Графика": "Дисп. индекс" and back to "Принос в неопр.".
        auto graphMode = [&](int item) -> QAction* {
            for (QAction* a : win.page()->BudgetActions())
                if (a->menu() && a->text() == QStringLiteral("Графика")) return a->menu()->actions().value(item);
            return nullptr;
        };
        QVERIFY(graphMode(1));

        graphMode(1)->trigger();
        const int graph = win.budget().columnCount() - 1;
        QCOMPARE(win.budget().headerData(graph, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Дисп. индекс (граф.)"));
        graphMode(0)->trigger();
        QCOMPARE(win.budget().headerData(graph, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Принос (граф.)"));

        QVERIFY(win.page()->CopyValuesAction()->isEnabled());
        QVERIFY(graphMode(0)->isChecked() && !graphMode(1)->isChecked());
        win.page()->CopyValuesAction()->trigger();
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        QVERIFY(mime->html().contains(QStringLiteral("<table")));
        QVERIFY(mime->text().contains(QStringLiteral("Резултат")));
        win.page()->CopyGraphAction()->trigger();
        QVERIFY(!QApplication::clipboard()->image().isNull());
    }

    // What "Копиране" puts on the clipboard, pasted into a document as an
    // office program would take it and read back.
    void copiedBudgetPastesIntoADocument() {
        Window win("mass");
        win.w->SelectMainPage(0);
        win.w->SelectModelPage(1);
        win.c().Select(win.params().IndexOf(win.params().FindByName("MR")));  // an input
        QVERIFY(!win.get<QLabel>("lblQuantityStatus")->text().isEmpty());
        win.w->SelectMainPage(2);
        // The budget shows no single quantity: the status line says none.
        QVERIFY(win.get<QLabel>("lblQuantityStatus")->text().isEmpty());
        QVERIFY(win.column(1) < 0);  // units glued to the numbers on the page
        win.page()->CopyValuesAction()->trigger();
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        QTextDocument doc;
        doc.setHtml(mime->html());
        const QString pasted = doc.toPlainText();
        QVERIFY(pasted.startsWith(QStringLiteral("Сравнение на маса 100 г: бюджет на неопределеността на M")));
        QList<QTextTable*> tables;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if (auto* t = qobject_cast<QTextTable*>(f)) tables << t;
        QCOMPARE(tables.size(), 2);  // the entries, the footer
        auto text = [](QTextTable* t, int r, int c) {
            QTextCursor a = t->cellAt(r, c).firstCursorPosition(), b = t->cellAt(r, c).lastCursorPosition();
            a.setPosition(b.position(), QTextCursor::KeepAnchor);
            return a.selectedText();
        };
        QTextTable* entries = tables[0];
        QCOMPARE(text(entries, 0, 0), QStringLiteral("Величина"));
        QCOMPARE(text(entries, 0, 1), QStringLiteral("Изм. ед."));
        QCOMPARE(entries->rows(), win.budget().rowCount() + 1);
        int mr = -1;
        for (int r = 1; r < entries->rows(); ++r)
            if (text(entries, r, 0) == QStringLiteral("MR")) mr = r;
        QVERIFY(mr > 0);
        QCOMPARE(text(entries, mr, 1), QStringLiteral("г"));
        QVERIFY(!text(entries, mr, 2).contains(QStringLiteral("г")));  // the value stands alone
        QVERIFY(!text(entries, mr, 2).isEmpty());
        // The footer: label, value and units; ν_eff marked, its note below.
        QTextTable* footer = tables[1];
        QCOMPARE(footer->columns(), 4);
        bool dofMarked = false, resultUnits = false;
        for (int r = 0; r < footer->rows(); ++r) {
            if (text(footer, r, 1) == QStringLiteral("Ефект. степени на свобода"))
                dofMarked = text(footer, r, 2).endsWith(QLatin1Char('*'));
            if (text(footer, r, 1) == QStringLiteral("Стойност"))
                resultUnits = text(footer, r, 3) == QStringLiteral("г");
        }
        QVERIFY(dofMarked);
        QVERIFY(resultUnits);
        QVERIFY(pasted.contains(QStringLiteral("Резултат: M = ")));
        QVERIFY(pasted.contains(QStringLiteral("* Ефективните степени на свобода не отчитат корелациите")));

        // The text: heading, blank line, the header row with the units
        // column, one line per entry with as many cells.
        const QStringList lines = mime->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines[0], QStringLiteral("Сравнение на маса 100 г: бюджет на неопределеността на M"));
        QVERIFY(lines[1].isEmpty());
        const QStringList header = lines[2].split(QLatin1Char('\t'));
        QCOMPARE(header.value(1), QStringLiteral("Изм. ед."));
        QVERIFY(!header.contains(QStringLiteral("Принос (граф.)")));
        for (int r = 0; r < win.budget().rowCount(); ++r)
            QCOMPARE(lines[3 + r].split(QLatin1Char('\t')).size(), header.size());
        QVERIFY(mime->text().contains(QStringLiteral("Резултат: M = ")));
        QVERIFY(mime->text().contains(QStringLiteral("\r\n* Ефективните")));

        // "Графика": the whole table, header, rows, bars and footer, in a
        // document as a picture.
        auto* view = win.get<BudgetTableView>("dgBudget");
        const QSize shown = view->size();
        win.page()->CopyGraphAction()->trigger();
        const QImage picture = QApplication::clipboard()->image();
        QVERIFY(picture.width() >= view->horizontalHeader()->length());
        QVERIFY(picture.height() >= (win.budget().rowCount() + 1) * view->rowHeight() + view->footer()->height());
        QTextDocument pictured;
        QTextCursor(&pictured).insertImage(picture, QStringLiteral("budget"));
        const QImage back =
            pictured.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("budget"))).value<QImage>();
        QCOMPARE(back.size(), picture.size());
        int bar = 0;  // the bars' blue
        for (int y = 0; y < back.height(); ++y)
            for (int x = back.width() / 2; x < back.width(); ++x) {
                const QColor c = back.pixelColor(x, y);
                if (c.blue() > 150 && c.red() < 60 && c.green() < 130) ++bar;
            }
        QVERIFY(bar > 50);
        QCOMPARE(view->size(), shown);  // the page shows the view as before
    }

    void constantsOffAndAFailedBudget() {
        Window win("resistance");
        win.w->SelectMainPage(2);
        const int rows = win.budget().rowCount();
        const auto footer = win.budget().Table()->Footer();
        win.page()->Action(QStringLiteral("Константи"))->trigger();
        QCOMPARE(win.budget().rowCount(), rows - 2);  // A and T0
        QVERIFY(win.budget().Table()->Footer() == footer);

        // I = 0 divides by zero: the reason stands where the table was.
        win.w->SelectMainPage(0);
        TGumParams& p = win.params();
        win.w->Controller().EditQuantity(p.IndexOf(p.FindByName("I")), [](TGumParam& q) { q.BValue = 0; });
        win.w->SelectMainPage(2);
        auto* error = win.get<QLabel>("lblBudgetError");
        QVERIFY(!error->isHidden());
        QVERIFY(error->text().startsWith(QStringLiteral("Грешка при изчисляване на бюджета.")));
        QVERIFY(win.get<QTableView>("dgBudget")->isHidden());
        QVERIFY(!win.page()->CopyValuesAction()->isEnabled());
    }

    // "Копиране" calculates first: from the model page, after an edit and
    // with the budget page never shown, the copy holds the new figures.
    void copyIsUpToDateFromEveryPage() {
        Window win("resistance");
        auto* values = win.get<QAction>("miCopyValues");
        auto* graph = win.get<QAction>("miCopyGraph");
        auto* statistics = win.get<QAction>("miCopyStat");
        QVERIFY(values->isEnabled() && graph->isEnabled() && statistics->isEnabled());

        // I from 0,100021 A to 0,2 A: R falls from 98,8 Ω to 49,4 Ω.
        TGumParams& p = win.params();
        win.c().Select(p.IndexOf(p.FindByName("I")));
        auto* value = win.get<TNumberEdit>("feBValue");
        value->selectAll();
        QTest::keyClick(value, Qt::Key_Delete);
        QTest::keyClicks(value, QStringLiteral("0,2"));
        QTest::keyClick(value, Qt::Key_Return);
        QCOMPARE(p.FindByName("I")->BValue, 0.2);
        values->trigger();
        QCOMPARE(win.w->MainPage(), 0);
        const QString text = QApplication::clipboard()->mimeData()->text();
        QVERIFY2(text.contains(QStringLiteral("Стойност\t49,42")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("\t98,8")), qPrintable(text));
        graph->trigger();
        // The whole table although its page is hidden: header, rows and footer.
        const QImage image = QApplication::clipboard()->image();
        auto* view = win.get<BudgetTableView>("dgBudget");
        QVERIFY(image.height() > (BudgetTableView::kFooterRows + win.budget().rowCount()) * view->rowHeight());
        QVERIFY(image.width() >= view->horizontalHeader()->length());

        // "Статистика" needs a Type A series: U is the only one.
        const int u = p.IndexOf(p.FindByName("U"));
        win.c().EditQuantity(u, [](TGumParam& q) { q.SetKind(TParamKind::TypeB); });
        QVERIFY(!statistics->isEnabled());
        QVERIFY(values->isEnabled());
        win.c().EditQuantity(u, [](TGumParam& q) { q.SetKind(TParamKind::TypeA); });
        QVERIFY(statistics->isEnabled());
        // Without a result there is no budget to copy.
        const int r = p.IndexOf(p.FindByName("R"));
        win.c().EditQuantity(r, [](TGumParam& q) { q.SetKind(TParamKind::VarResult); });
        QVERIFY(!values->isEnabled() && !graph->isEnabled());
    }

    void settingsOkRepaintsEveryDisplay() {
        Window win("resistance");
        QVERIFY(!win.modified());
        QSignalSpy repaints(&win.w->Controller(), &TModelController::formatsChanged);

        // OK with nothing changed: every display is drawn again, the model
        // is not modified.
        win.settings([](TfrmSettings&) {});
        QCOMPARE(repaints.count(), 1);
        QVERIFY(!win.modified());
        // Cancel after changing every control changes nothing.
        const TNumberFormatSettings before = win.store->Model().FormatSettings;
        win.settings(
            [](TfrmSettings& d) {
                d.findChild<QSpinBox*>("seCMN")->setValue(7);
                d.findChild<QSpinBox*>("seMax")->setValue(1);
                d.findChild<QComboBox*>("cbEForm")->setCurrentIndex(2);
            },
            false);
        QCOMPARE(repaints.count(), 1);
        QVERIFY(win.store->Model().FormatSettings == before);

        // The statistics grid takes the new significant digits at once.
        win.w->SelectMainPage(1);
        const QAbstractItemModel& stat = *win.get<QTableView>("dgStat")->model();
        const QStringList statBefore = Window::Texts(stat);
        win.settings([](TfrmSettings& d) { d.findChild<QSpinBox*>("seCMN")->setValue(7); });
        QVERIFY(win.modified());
        QVERIFY(Window::Texts(stat) != statBefore);

        // The budget writes numbers above 10 in the exponent form "…E3".
        win.w->SelectMainPage(2);
        auto exponents = [&] {
            QString all;
            for (int r = 0; r < win.budget().rowCount(); ++r)
                for (int c = 0; c < win.budget().columnCount(); ++c) {
                    const TFormattedNumber n = win.budget()
                                                   .index(r, c)
                                                   .data(static_cast<int>(BudgetModel::Role::Cell))
                                                   .value<TBudgetCell>()
                                                   .Number;
                    all += QString::fromStdString(n.Mantissa);
                }
            return all;
        };
        QVERIFY(!exponents().contains('E'));
        win.settings([](TfrmSettings& d) {
            d.findChild<QSpinBox*>("seMax")->setValue(1);
            d.findChild<QComboBox*>("cbEForm")->setCurrentIndex(2);
        });
        QVERIFY(exponents().contains('E'));
    }
};

QTEST_MAIN(TstBudgetPage)
#include "budget_page_test.moc"
