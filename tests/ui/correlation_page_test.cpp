// The correlation page driven as a user drives it: clicks on the grid, the
// quantity box and the coefficient box, the two buttons and the keys.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "core/GumModel.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmMain.h"
#include "ui/models/CorrelationModel.h"
#include "ui/pages/CorrelationPage.h"
#include "ui/pages/CorrelationPageEditors.h"
#include "UiTestSupport.h"
#include "UiTestWindow.h"

using namespace vormid;

namespace {

const char* kRtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}\\pard\\f0\\fs16 ";

// The main window on its correlation page over Y = A + B + C: A and B
// Type A (1, 2, 3 and 2, 4, 6), C Type B.
struct Window : vormid::test::TTestWindow {
    QTableView* grid = nullptr;
    Window() {
        c().SetEquation(std::string(kRtf) + "Y = A + B + C\\par }");
        c().AnalyseEquation();
        for (const char* name : {"A", "B"})
            edit(name, [name](TGumParam& q) {
                q.SetKind(TParamKind::TypeA);
                q.SetObservationCount(3);
                for (int i = 0; i < 3; ++i) q.SetObservation(i, (name[0] == 'A' ? 1 : 2) * (i + 1));
            });
        edit("C", [](TGumParam& q) { q.SetKind(TParamKind::TypeB); });
        w->SelectModelPage(2);
        grid = get<QTableView>("dgCorr");
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
    }
    const TCorrelation& list() const { return store->Model().Correlations; }
    void edit(const char* name, const std::function<void(TGumParam&)>& fn) {
        TGumParams& p = store->Model().Params;
        c().EditQuantity(p.IndexOf(p.FindByName(name)), fn);
    }
    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    // A click selects the cell; a click on the selected cell opens its editor.
    void open(int row, int column) {
        const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        if (!editorShown()) QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    bool editorShown() const {
        return get<QComboBox>("cbCorrParam")->isVisible() || get<TCoefficientEdit>("febCorrel")->isVisible();
    }
    QStringList choices() const {
        QStringList names;
        auto* box = get<QComboBox>("cbCorrParam");
        for (int i = 0; i < box->count(); ++i) names << box->itemText(i);
        return names;
    }
    void choose(int row, int column, const QString& name) {
        open(row, column);
        auto* box = get<QComboBox>("cbCorrParam");
        QVERIFY(box->isVisible());
        box->setCurrentIndex(box->findText(name));
    }
    QString pair(int i) const {
        return QString::fromStdString(list().GetName1(i) + "," + list().GetName2(i) + "," +
                                      list().GetCoefficientText(i));
    }
    void typeCoefficient(const QString& text) {
        auto* box = get<TCoefficientEdit>("febCorrel");
        for (QChar ch : text) QTest::keyClick(box, ch.toLatin1());
    }
};

}  // namespace

class TstCorrelationPage : public QObject {
    Q_OBJECT
private slots:
    void addTwiceChooseNamesDelete() {
        Window win;
        QCOMPARE(win.grid->model()->rowCount(), 1);  // the empty row of an empty list
        QVERIFY(!win.get<QPushButton>("btnDelCorr")->isEnabled());
        // It is no pair: nothing on it looks chosen.
        const QImage empty = win.grid->viewport()->grab().toImage();
        const QColor highlight = win.grid->palette().color(QPalette::Active, QPalette::Highlight);
        for (int y = 0; y < win.grid->rowHeight(0); ++y)
            for (int x = 0; x < empty.width(); ++x) {
                const QColor c = empty.pixelColor(x, y);
                QVERIFY(c != highlight && c != QColor(226, 236, 250));
            }

        win.click("btnAddCorr");
        win.click("btnAddCorr");
        QCOMPARE(win.list().Count(), 1);  // the incomplete entry is selected again
        QCOMPARE(win.grid->currentIndex(), win.grid->model()->index(0, 0));
        QVERIFY(win.w->Document().Modified());

        win.choose(0, 0, "A");
        QCOMPARE(win.choices(), QStringList({"A", "B", "C"}));  // inputs only, no result
        win.click("btnAddCorr");                                // the second name is missing: that cell is selected
        QCOMPARE(win.grid->currentIndex(), win.grid->model()->index(0, 1));
        win.choose(0, 1, "B");
        QCOMPARE(win.choices(), QStringList({"B", "C"}));  // less the other name of the row
        QCOMPARE(win.pair(0), QStringLiteral("A,B,"));

        // Changing a name of the only entry has nothing to conflict with.
        win.choose(0, 0, "C");
        QCOMPARE(win.pair(0), QStringLiteral("C,B,"));

        QVERIFY(win.get<QPushButton>("btnDelCorr")->isEnabled());
        win.click("btnDelCorr");
        QCOMPARE(win.list().Count(), 0);
        QCOMPARE(win.grid->model()->rowCount(), 1);
        QVERIFY(!win.editorShown());
        // A name chosen in the empty row of an empty list starts its first entry.
        win.choose(0, 0, "B");
        QCOMPARE(win.list().Count(), 1);
        QCOMPARE(win.pair(0), QStringLiteral("B,,"));
    }

    void duplicateInEitherOrder_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("same order") << "A"
                                    << "B";
        QTest::newRow("reversed") << "B"
                                  << "A";
    }
    void duplicateInEitherOrder() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        Window win;
        test::TScriptedAnswers answers;
        win.click("btnAddCorr");
        win.choose(0, 0, "A");
        win.choose(0, 1, "B");
        win.click("btnAddCorr");
        QCOMPARE(win.list().Count(), 2);
        QCOMPARE(win.grid->currentIndex(), win.grid->model()->index(1, 0));
        win.choose(1, 0, first);
        win.choose(1, 1, second);
        QCOMPARE(answers.messages, QStringList({TCorrelationPage::DuplicateMessage()}));
        QCOMPARE(win.pair(1), first + ",,");  // the entry keeps its previous names
        QCOMPARE(win.get<QComboBox>("cbCorrParam")->currentIndex(), -1);
    }

    void typedCoefficients() {
        Window win;
        win.click("btnAddCorr");
        win.choose(0, 0, "A");
        win.choose(0, 1, "C");
        win.open(0, 2);
        auto* box = win.get<TCoefficientEdit>("febCorrel");
        QVERIFY(box->isVisible());
        QVERIFY(!box->ButtonVisible());  // C is no Type A series
        win.typeCoefficient("-");
        QCOMPARE(win.pair(0), QStringLiteral("A,C,"));  // a lone minus stores nothing
        win.typeCoefficient("0.5");
        QCOMPARE(win.list().GetCoefficient(0), -0.5);
        QCOMPARE(win.pair(0), QStringLiteral("A,C,-0,5"));
        QVERIFY(!win.get<QLabel>("lblCorrState")->isVisible());

        // Outside -1 ... 1: refused with a message, nothing stored, not clamped.
        box->selectAll();
        win.typeCoefficient("1.5");
        // "1" on the way was a coefficient, but the pair is back at what it
        // held when the box was opened (nothing yet).
        QCOMPARE(win.pair(0), QStringLiteral("A,C,"));
        QVERIFY(!box->IsValid());
        QVERIFY(win.get<QLabel>("lblCorrState")->isVisible());
        QTest::keyClick(box, Qt::Key_Return);  // back to the grid: the box keeps the refused text
        QCOMPARE(box->text(), QStringLiteral("1.5"));
        QCOMPARE(win.pair(0), QStringLiteral("A,C,"));

        // Typing in the grid's coefficient column starts the box with that key.
        win.grid->setFocus();
        QTest::keyClick(win.grid, Qt::Key_Left);  // another cell closes the editors
        QVERIFY(!win.editorShown());
        QTest::keyClick(win.grid, Qt::Key_Right);
        QTest::keyClick(win.grid, '0');
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("0"));
        QCOMPARE(box->cursorPosition(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
        win.typeCoefficient(",25");
        QCOMPARE(win.list().GetCoefficient(0), 0.25);
    }

    // A pair at 0,5: a text that is refused or left incomplete never leaves
    // a number typed on the way in the model.
    void refusedTextKeepsTheCoefficient_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("above one") << "1,5";
        QTest::newRow("decimal sign last") << "-1,";
        QTest::newRow("letter after a number") << "0,5x";
        QTest::newRow("whole number above one") << "2";
    }
    void refusedTextKeepsTheCoefficient() {
        QFETCH(QString, typed);
        Window win;
        win.click("btnAddCorr");
        win.choose(0, 0, "A");
        win.choose(0, 1, "C");
        win.open(0, 2);
        auto* box = win.get<TCoefficientEdit>("febCorrel");
        win.typeCoefficient("0,5");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(win.pair(0), QStringLiteral("A,C,0,5"));
        win.open(0, 2);
        QVERIFY(box->hasFocus());
        box->selectAll();
        win.typeCoefficient(typed);
        QCOMPARE(win.pair(0), QStringLiteral("A,C,0,5"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(win.list().GetCoefficient(0), 0.5);
        QCOMPARE(win.pair(0), QStringLiteral("A,C,0,5"));
        // A valid number typed afterwards is stored as before.
        win.open(0, 2);
        box->selectAll();
        win.typeCoefficient("-0,25");
        QCOMPARE(win.list().GetCoefficient(0), -0.25);
    }

    void coefficientFromTwoSeries() {
        Window win;
        win.click("btnAddCorr");
        win.choose(0, 0, "A");
        win.choose(0, 1, "B");
        win.open(0, 2);
        auto* box = win.get<TCoefficientEdit>("febCorrel");
        QVERIFY(box->ButtonVisible());
        emit box->buttonClicked();
        QCOMPARE(win.list().GetCoefficient(0), 1.0);  // 1, 2, 3 and 2, 4, 6
        QCOMPARE(box->text(), QStringLiteral("1"));
    }

    void quantityBoxKeysReturnToTheGrid() {
        Window win;
        win.click("btnAddCorr");
        win.choose(0, 0, "B");
        auto* box = win.get<QComboBox>("cbCorrParam");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
        QTest::keyClick(box, Qt::Key_Down);  // consumed: the name stays
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(win.grid));
        QCOMPARE(win.pair(0), QStringLiteral("B,,"));
        QTest::keyClick(win.grid, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(win.grid));
    }

    void pairOfANoLongerInputIsGreyedAndKept() {
        Window win;
        win.click("btnAddCorr");
        win.choose(0, 0, "A");
        win.choose(0, 1, "C");
        win.edit("C", [](TGumParam& q) { q.SetKind(TParamKind::Const); });
        const QModelIndex cell = win.grid->model()->index(0, 1);
        QVERIFY(cell.data(static_cast<int>(CorrelationModel::Role::Stale)).toBool());
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
        QVERIFY(!cell.data(Qt::ToolTipRole).toString().isEmpty());
        QCOMPARE(win.pair(0), QStringLiteral("A,C,"));
        win.edit("C", [](TGumParam& q) { q.SetKind(TParamKind::TypeB); });
        QVERIFY(!cell.data(static_cast<int>(CorrelationModel::Role::Stale)).toBool());
    }

    // Pairs added, deleted and renamed elsewhere and a quantity that stops
    // being an input leave the user on the pair that was current, still
    // selected: the grid is told of rows, not reset.
    void currentPairStaysThroughChanges() {
        Window win;
        QAbstractItemModelTester tester(win.grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        win.c().EditCorrelations([](TCorrelation& c) {
            c.AddPair("A", "B");
            c.AddPair("A", "C");
            c.AddPair("B", "C");
        });
        const QPoint at = win.grid->visualRect(win.grid->model()->index(2, 1)).center();
        QTest::mouseClick(win.grid->viewport(), Qt::LeftButton, {}, at);
        auto onBC = [&](int row) {
            const QModelIndex current = win.grid->currentIndex();
            QCOMPARE(current, win.grid->model()->index(row, 1));
            QVERIFY(win.grid->selectionModel()->isSelected(current));
            QCOMPARE(win.pair(row), QStringLiteral("B,C,"));
        };
        onBC(2);
        win.c().EditCorrelations([](TCorrelation& c) { c.AddPair("C", "A"); });
        onBC(2);
        win.c().EditCorrelations([](TCorrelation& c) { c.Delete(0); });
        onBC(1);
        win.c().EditCorrelations([](TCorrelation& c) { c.SetName2(0, "B"); });
        onBC(1);
        QCOMPARE(win.pair(0), QStringLiteral("A,B,"));
        win.edit("C", [](TGumParam& q) { q.SetKind(TParamKind::Const); });
        onBC(1);
        QVERIFY(win.grid->model()->index(1, 1).data(static_cast<int>(CorrelationModel::Role::Stale)).toBool());
    }

    // With VORMID_GRAB_DIR set: the page with a refused coefficient in its
    // box, for a look at the editors in place.
    void grabWithTheEditorsOpen() {
        const QByteArray dir = qgetenv("VORMID_GRAB_DIR");
        if (dir.isEmpty()) QSKIP("VORMID_GRAB_DIR not set");
        Window win;
        win.click("btnAddCorr");
        win.choose(0, 0, "A");
        win.choose(0, 1, "B");
        win.open(0, 2);
        win.typeCoefficient("1.5");
        QVERIFY(win.w->grab().save(QString::fromUtf8(dir) + "/correlation-refused.png"));
        win.open(0, 0);
        QVERIFY(win.w->grab().save(QString::fromUtf8(dir) + "/correlation-quantity-box.png"));
    }
};

QTEST_MAIN(TstCorrelationPage)
#include "correlation_page_test.moc"
