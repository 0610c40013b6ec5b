// The observation page driven as a user would: tabs, typing into cells,
// Enter, paste of a long column, the statistics on the clipboard and the
// histogram options kept from one run to the next.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QToolButton>

#include "charts/Histogram.h"
#include "core/GumModel.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmMain.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/TfrmDlgBox.h"
#include "ui/pages/ObservationPage.h"
#include "UiTestWindow.h"

using namespace vormid;

namespace {

TGumParam& AddTypeA(TGumModel& m, const char* name, int n) {
    TGumParam& q = *m.Params.Add();
    q.Name = name;
    q.SetKind(TParamKind::TypeA);
    q.SetObservationCount(n);
    return q;
}

struct Fixture : test::TControllerHarness {
    TGumModel& model = store.Model();
    std::unique_ptr<TObservationPage> page;
    QStringList messages;
    void Open() {
        page = std::make_unique<TObservationPage>();
        page->resize(920, 640);
        page->Attach(controller);
        page->show();
        SetDlgBoxResponder([this](TfrmDlgBox& box) {
            messages << box.Message();
            return box.DefaultAnswer();
        });
    }
    ~Fixture() { SetDlgBoxResponder({}); }
    QTableView* Grid() const { return page->findChild<QTableView*>("dgTypeA"); }
    void Type(int row, int column, const QString& text) {
        QTableView* g = Grid();
        g->setCurrentIndex(g->model()->index(row, column));
        g->edit(g->currentIndex());
        QWidget* editor = g->indexWidget(g->currentIndex());
        QVERIFY(editor != nullptr);
        QMetaObject::invokeMethod(editor, "setText", Q_ARG(QString, text));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits by a queued call
    }
};

}  // namespace

class TstObservationPage : public QObject {
    Q_OBJECT
private slots:
    void init() {
        // Each test starts from the stored options of a fresh user.
        QFile::remove(QDir::homePath() + "/.config/Kestrane/Vormid.ini");
    }

    void noTypeAQuantity() {
        Fixture f;
        f.model.Params.Add()->Name = "x";
        f.Open();
        auto* stack = f.page->findChild<QStackedWidget*>("stkValues");
        auto* label = f.page->findChild<QLabel*>("lblNoTypeA");
        QCOMPARE(stack->currentWidget()->objectName(), QString("pgNoTypeA"));
        QCOMPARE(label->text(), QString("{ Няма величини от Тип А }"));
    }

    void tabsFollowTheQuantityList() {
        Fixture f;
        AddTypeA(f.model, "L\\b1\\n", 3).Description = "\xe4\xfa\xeb\xe6\xe8\xed\xe0";  // "дължина"
        f.model.Params.Add()->Name = "y";
        AddTypeA(f.model, "T", 2);
        f.Open();
        auto* tabs = f.page->findChild<QTabBar*>("tcValues");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("L1"));
        QCOMPARE(tabs->tabToolTip(0), QString("дължина"));
        QCOMPARE(f.page->CurrentQuantity(), 0);
        tabs->setCurrentIndex(1);
        QCOMPARE(f.page->CurrentQuantity(), 2);
        QCOMPARE(f.Grid()->model()->rowCount(), 2);
    }

    void typedNumbersAndRefusals() {
        Fixture f;
        AddTypeA(f.model, "x", 3);
        f.Open();
        f.Type(0, 1, "1,5");
        f.Type(1, 1, "2.5");
        QCOMPARE(f.model.Params.Get(0)->GetObservation(0), 1.5);
        QCOMPARE(f.model.Params.Get(0)->GetObservation(1), 2.5);
        QCOMPARE(f.edits, 2);
        f.Type(0, 1, "1,5x");
        QCOMPARE(f.messages, QStringList{"Ред 1: „1,5x“ не е число."});
        QCOMPARE(f.model.Params.Get(0)->GetObservation(0), 1.5);  // the old value stays
        QCOMPARE(f.edits, 2);
        QVERIFY(f.page->Histogram()->HasData());
        QCOMPARE(f.model.Params.Get(0)->Statistics.Count, 3);
    }

    void enterMovesByTheGridRules() {
        Fixture f;
        AddTypeA(f.model, "g", 2).SetAValueType(av_Grouped);
        f.Open();
        QTableView* g = f.Grid();
        f.Type(0, 1, "7");
        QCOMPARE(g->currentIndex(), g->model()->index(0, 2));  // value -> count
        f.Type(0, 2, "3");
        QCOMPARE(g->currentIndex(), g->model()->index(1, 1));  // count -> next value
        QTest::keyClick(g, Qt::Key_Return);                    // last row: Enter stays, in the value column too
        QCOMPARE(g->currentIndex(), g->model()->index(1, 1));
        g->setCurrentIndex(g->model()->index(1, 2));
        QTest::keyClick(g, Qt::Key_Return);  // and in the count column
        QCOMPARE(g->currentIndex(), g->model()->index(1, 2));
        QCOMPARE(f.model.Params.Get(0)->Statistics.Count, 4);  // 7 three times, 0 once
    }

    void pasteOfALongColumnIsOneEdit() {
        Fixture f;
        AddTypeA(f.model, "x", 10);
        f.Open();
        QAbstractItemModelTester tester(f.Grid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QString text;
        for (int i = 0; i < 1000; ++i) text += QString("%1,25\r\n").arg(i);
        QApplication::clipboard()->setText(text);
        QTableView* g = f.Grid();
        g->setCurrentIndex(g->model()->index(0, 1));
        QTest::keySequence(g, QKeySequence::Paste);
        QCOMPARE(f.edits, 1);
        const TGumParam& q = *f.model.Params.Get(0);
        QCOMPARE(q.ObservationCount, 1000);
        QCOMPARE(q.GetObservation(999), 999.25);
        QCOMPARE(g->model()->rowCount(), 1000);
        g->selectionModel()->select(QItemSelection(g->model()->index(0, 1), g->model()->index(2, 1)),
                                    QItemSelectionModel::ClearAndSelect);
        QTest::keySequence(g, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QString("0,25\n1,25\n2,25"));
        QApplication::clipboard()->setText("1\nzwei\n");
        QTest::keySequence(g, QKeySequence::Paste);
        QCOMPARE(f.messages, QStringList{"Ред 2: „zwei“ не е число."});
        QCOMPARE(f.edits, 1);
    }

    void statisticsOnTheClipboard() {
        Fixture f;
        TGumParam& q = AddTypeA(f.model, "x", 4);
        for (int i = 0; i < 4; ++i) q.SetObservation(i, i + 1);
        f.Open();
        QAbstractItemModel* stat = f.page->findChild<QTableView*>("dgStat")->model();
        QCOMPARE(stat->data(stat->index(3, 5)).toString(), QString("Да"));
        QCOMPARE(stat->data(stat->index(4, 0)).toString(), QString("Средна стойност"));
        f.page->CopyStatistics();
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        QVERIFY(mime->text().startsWith("Брой стойности\t4\tДисперсия\t"));
        QVERIFY(mime->html().contains("<td>Средна стойност</td><td align=\"right\">2,500000</td>"));
        // Pasted into a document, the table keeps its cells.
        QTextDocument doc;
        doc.setHtml(mime->html());
        QTextTable* table = nullptr;
        for (QTextFrame* frame : doc.rootFrame()->childFrames())
            if (!table) table = qobject_cast<QTextTable*>(frame);
        QVERIFY(table);
        auto cell = [table](int r, int c) {
            QTextCursor a = table->cellAt(r, c).firstCursorPosition();
            a.setPosition(table->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return a.selectedText();
        };
        bool mean = false;
        for (int r = 0; r < table->rows(); ++r)
            for (int c = 0; c + 1 < table->columns(); ++c)
                mean = mean || (cell(r, c) == QStringLiteral("Средна стойност") && cell(r, c + 1) == "2,500000");
        QVERIFY(mean);
    }

    void histogramOptionsSurviveARestart() {
        {
            Fixture f;
            AddTypeA(f.model, "x", 3);
            f.Open();
            f.page->findChild<QToolButton*>("btnHist9")->click();  // empirical function
            f.page->findChild<QToolButton*>("btnHist5")->click();  // opens pmAxis for the left scale
            auto* pmAxis = f.page->findChild<QMenu*>("pmAxis");
            pmAxis->actions().at(1)->trigger();  // "Абсолютна"
            pmAxis->hide();
            f.page->findChild<QToolButton*>("btnHist10")->click();
            auto* pmXS = f.page->findChild<QMenu*>("pmXS");
            pmXS->actions().at(5)->trigger();  // "± 5S"
            pmXS->hide();
            f.page->findChild<QToolButton*>("btnHist4")->click();  // median off for this run
            QCOMPARE(f.page->Histogram()->GetOption(6), 0);
        }
        Fixture f;
        f.Open();
        const THistogram* h = f.page->Histogram();
        QCOMPARE(h->GetOption(8), 1);
        QCOMPARE(h->GetOption(2), 1);
        QCOMPARE(h->GetOption(10), 5);
        QCOMPARE(h->GetOption(6), 1);  // the switches are on at every start
        QCOMPARE(h->GetOption(7), 0);
        QVERIFY(f.page->findChild<QToolButton*>("btnHist9")->isChecked());
        QVERIFY(!f.page->findChild<QToolButton*>("btnHist8")->isChecked());
        QVERIFY(f.page->findChild<QToolButton*>("btnHist4")->isChecked());
    }

    // A quantity with readings that is made Type B is asked about them: "Не"
    // keeps them for going back to Type A, "Отказ" keeps the kind, "Да"
    // clears them. Going back asks nothing and shows the kept readings.
    void kindChangeAwayAndBack() {
        QTemporaryDir dir;
        auto owned = std::make_unique<TGumModelStore>();
        TGumModelStore* store = owned.get();
        TfrmMain w(std::move(owned), std::make_unique<QSettings>(dir.filePath("t.ini"), QSettings::IniFormat));
        w.FormShow();
        w.show();
        w.SelectModelPage(1);
        QTextEdit* equation = w.findChild<TRichTextEditor*>("Equation")->TextEdit();
        equation->setFocus();
        QTest::keyClicks(equation, "Y = A");
        w.findChild<QAction*>("miAnalysis")->trigger();
        TGumParams& params = store->Model().Params;
        w.Controller().Select(params.IndexOf(params.FindByName("A")));
        auto* kind = w.findChild<QComboBox*>("qcbParamType");
        auto choose = [kind](int item) {
            kind->setCurrentIndex(item);
            emit kind->activated(item);
        };
        TGumParam& a = *params.FindByName("A");
        QStringList asked;
        TDlgAnswer answer = TDlgAnswer::No;
        SetDlgBoxResponder([&](TfrmDlgBox& box) {
            asked << box.Message();
            return answer;
        });
        choose(2);  // "Тип А"
        QCOMPARE(a.Kind, TParamKind::TypeA);
        for (int i = 0; i < a.ObservationCount; ++i) a.SetObservation(i, 10 + i);
        QVERIFY(asked.isEmpty());

        choose(3);  // "Тип B", "Не": the readings stay with the quantity
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].startsWith("Величината има въведени наблюдения. Да бъдат ли изтрити?"));
        QCOMPARE(a.Kind, TParamKind::TypeB);
        choose(2);  // back: nothing asked, the readings are shown again
        QCOMPARE(asked.size(), 1);
        QCOMPARE(a.Kind, TParamKind::TypeA);
        QCOMPARE(a.GetObservation(9), 19.0);
        w.SelectMainPage(1);
        auto* page = w.findChild<TObservationPage*>();
        QVERIFY(page->isVisible());
        QCOMPARE(page->findChild<QTableView*>("dgTypeA")->model()->index(9, 1).data().toString(), QString("19,000"));
        w.SelectMainPage(0);

        answer = TDlgAnswer::Cancel;
        choose(4);  // "Константа", "Отказ": stays Type A with its readings
        QCOMPARE(a.Kind, TParamKind::TypeA);
        QCOMPARE(kind->currentIndex(), 2);
        QCOMPARE(a.GetObservation(0), 10.0);

        answer = TDlgAnswer::Yes;
        choose(3);  // "Да": cleared
        QCOMPARE(a.Kind, TParamKind::TypeB);
        choose(2);
        QVERIFY(!a.HasEnteredObservations());
        QCOMPARE(a.Statistics.Mean, 0.0);
        QCOMPARE(asked.size(), 3);
        SetDlgBoxResponder({});
    }

    // The example model opens on its one Type A quantity. With
    // VORMID_SCREENSHOT_DIR set, the page is also pictured with it and with
    // a grouped and an indirect series made here, including a name with a
    // subscript on its tab (the pictures in docs/ come from the program's
    // --grab with the example models, and keep their names).
    // A series typed as in a spreadsheet, through the main window and its
    // one model writer: type, Enter (or Tab, Down), type ... no mouse.
    void tenReadingsFromTheKeyboardAlone() {
        test::TTestWindow win;
        const char* rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\pard Y = U\\par }";
        win.c().SetEquation(rtf);
        win.c().AnalyseEquation();
        TGumParams& p = win.params();
        const int u = p.IndexOf(p.FindByName("U"));
        win.c().EditQuantity(u, [](TGumParam& q) { q.SetKind(TParamKind::TypeA); });
        win.w->SelectMainPage(1);
        auto* g = win.get<QTableView>("dgTypeA");
        QAbstractItemModelTester tester(g->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester statistics(win.get<QTableView>("dgStat")->model(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(QTest::qWaitForWindowExposed(win.w.get()));
        win.w->activateWindow();
        g->setFocus();
        g->setCurrentIndex(g->model()->index(0, 1));
        const char* readings[] = {"5,01", "5,02", "4,99", "5,00", "5,03", "4,98", "5,01", "5,02", "5,00", "4,97"};
        const Qt::Key moves[] = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Down};
        // Every key goes where the keyboard's focus is, as a user's would.
        auto key = [](auto k) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target != nullptr);
            QTest::keyClick(target, k);
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 10; ++i) {
            for (const char* c = readings[i]; *c; ++c) key(*c);
            key(moves[i % 3]);
        }
        const TGumParam& q = *p.Get(u);
        for (int i = 0; i < 10; ++i) QCOMPARE(q.GetObservation(i), QString(readings[i]).replace(',', '.').toDouble());
        QCOMPARE(q.ObservationCount, 10);  // Enter at the last row adds nothing
        QCOMPARE(g->currentIndex().row(), 9);
        QVERIFY(win.modified());

        // Delete clears the selected readings; the menu inserts and deletes
        // a measurement, the readings below moving with it.
        g->setCurrentIndex(g->model()->index(1, 1));
        g->selectionModel()->select(QItemSelection(g->model()->index(1, 1), g->model()->index(2, 1)),
                                    QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(g, Qt::Key_Delete);
        QCOMPARE(q.GetObservation(1), 0.0);
        QCOMPARE(q.GetObservation(2), 0.0);
        QCOMPARE(q.GetObservation(3), 5.0);
        // A count changed in the editor adds or takes rows at the end: the
        // grid is told of rows, not reset, and the cells stay selected.
        for (int n : {12, 10}) {
            win.c().EditQuantity(u, [n](TGumParam& p) { p.SetObservationCount(n); });
            QCOMPARE(g->model()->rowCount(), n);
            QCOMPARE(g->currentIndex(), g->model()->index(1, 1));
            QCOMPARE(g->selectionModel()->selectedIndexes().size(), 2);
        }
        auto* menu = win.w->findChild<QMenu*>("pmObservations");
        QVERIFY(menu != nullptr);
        g->setCurrentIndex(g->model()->index(0, 1));
        menu->actions().at(1)->trigger();  // "Изтриване на ред"
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("Изтриване на ред"));
        QCOMPARE(q.ObservationCount, 9);
        QCOMPARE(q.GetObservation(0), 0.0);
        QCOMPARE(g->model()->rowCount(), 9);
        g->setCurrentIndex(g->model()->index(2, 1));
        menu->actions().at(0)->trigger();  // "Вмъкване на ред"
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Вмъкване на ред"));
        QCOMPARE(q.ObservationCount, 10);
        QCOMPARE(q.GetObservation(2), 0.0);
        QCOMPARE(q.GetObservation(3), 5.0);
        QCOMPARE(q.Statistics.Count, 10);
    }

    void exampleAndScreenshots() {
        Fixture f;
        f.store.SetFileName(VORMID_EXAMPLES "/resistance.gmf");
        f.store.Load();
        f.Open();
        auto* tabs = f.page->findChild<QTabBar*>("tcValues");
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QString("U"));
        QVERIFY(f.page->Histogram()->HasData());
        const QString dir = qEnvironmentVariable("VORMID_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QCoreApplication::processEvents();
        QVERIFY(f.page->grab().save(dir + "/page-test-resistance.png"));

        Fixture other;
        TGumModel& m = other.model;
        TGumParam& g = AddTypeA(m, "d", 7);
        g.Description = "\xc4\xe8\xe0\xec\xe5\xf2\xfa\xf0 \xed\xe0 \xe2\xe0\xeb";  // "Диаметър на вал"
        g.Units = "mm";
        g.SetAValueType(av_Grouped);
        const double values[] = {9.97, 9.98, 9.99, 10.0, 10.01, 10.02, 10.03};
        const double counts[] = {1, 4, 9, 14, 10, 5, 2};
        for (int i = 0; i < 7; ++i) {
            g.SetObservation(i, values[i]);
            g.SetRowValue(i, counts[i]);
        }
        TGumParam& s = AddTypeA(m, "L", 5);
        s.Name = "L\\b\xe8\xe7\xec\\n";  // L with the subscript "изм"
        s.Description = "\xd0\xe0\xe7\xeb\xe8\xea\xe0 \xec\xe5\xe6\xe4\xf3 \xe4\xe2\xe0 \xee\xf2\xf7\xe5\xf2\xe0";
        s.Units = "mm";
        s.SetAMethod(am_Indirect);
        s.InsertSchemaLine(0, "l_0");
        s.InsertSchemaLine(1, "l_1");
        s.SetSchemaFormula("x2-x1");
        const double readings[] = {0.12, 25.131, 0.10, 25.127, 0.11, 25.134, 0.13, 25.129, 0.12, 25.133};
        for (int i = 0; i < 10; ++i) s.SetObservation(i, readings[i]);
        s.Decimals = 3;
        other.Open();
        QCoreApplication::processEvents();
        QVERIFY(other.page->grab().save(dir + "/page-test-grouped.png"));
        other.page->findChild<QTabBar*>("tcValues")->setCurrentIndex(1);
        QCoreApplication::processEvents();
        QVERIFY(other.page->grab().save(dir + "/page-test-indirect.png"));
    }
};

QTEST_MAIN(TstObservationPage)
#include "observation_page_test.moc"
