// Undo and redo of the model driven through the window as a user drives it:
// many kinds of change, all undone and redone with the saved bytes compared;
// the modified state following the stack; the analysis that removes a
// quantity and its undo after a save.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUndoStack>

#include "persistence/ModelIO.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/pages/CorrelationPageEditors.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/richtext/UnitsEdit.h"
#include "ui/widgets/NumberEdit.h"
#include "UiTestSupport.h"
#include "UiTestWindow.h"

using namespace vormid;

namespace {

struct Window : vormid::test::TTestWindow {
    explicit Window(const char* example = "resistance") {
        const QString copy = dir.filePath(QString::fromLatin1(example) + ".gmf");
        QFile::copy(QStringLiteral(VORMID_EXAMPLES "/") + example + ".gmf", copy);
        QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (!w->Document().OpenFile(copy)) qFatal("cannot open %s", example);
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get())) qFatal("window not active");
        w->SetFileDialogHook([this](bool) { return saveAs; });
    }
    // The model as the file keeps it (the display state held fixed).
    std::vector<std::uint8_t> bytes() const { return ModelFileBytes(store->Model(), TDisplayState{}); }
    QString saveAs;  // what the save dialog answers
    QUndoStack& stack() const { return c().UndoStack(); }
    QAction* action(const char* name) const { return get<QAction>(name); }

    void select(const char* name) {
        w->SelectMainPage(0);
        w->SelectModelPage(1);
        c().Select(params().IndexOf(params().FindByName(name)));
    }
    // Keys into a box that has the focus, as typing does.
    void keys(QWidget* box, const QString& text, bool replace = true) {
        box->setFocus();
        if (replace) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::keyClicks(box, text);
    }
    void type(const char* box, const QString& text) { keys(get<QWidget>(box), text); }
    void choose(const char* combo, int item) {
        auto* box = get<QComboBox>(combo);
        box->setFocus();
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    void tick(const char* box) {
        get<QAbstractButton>(box)->setFocus();
        get<QAbstractButton>(box)->click();
    }
    void cell(int row, int column, const QString& text) {
        auto* g = get<QTableView>("dgTypeA");
        g->setFocus();
        g->setCurrentIndex(g->model()->index(row, column));
        g->edit(g->currentIndex());
        QWidget* editor = g->indexWidget(g->currentIndex());
        QVERIFY(editor != nullptr);
        editor->setFocus();
        QMetaObject::invokeMethod(editor, "setText", Q_ARG(QString, text));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits by a queued call
    }
    void equation(const QString& text) {
        w->SelectMainPage(0);
        w->SelectModelPage(1);
        keys(get<TRichTextEditor>("Equation")->TextEdit(), text);
        action("miAnalysis")->trigger();
    }
    // Presses "Настройки", lets edit set the controls and closes with OK.
    void settings(const std::function<void(TfrmSettings&)>& edit) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmSettings*>(QApplication::activeModalWidget());
            if (!dialog) return;
            edit(*dialog);
            dialog->findChild<QAbstractButton*>("btnOK")->click();
        });
        get<QAbstractButton>("btnSettings")->click();
    }
    int undoAll() {
        int n = 0;
        for (; action("miUndo")->isEnabled(); ++n) action("miUndo")->trigger();
        return n;
    }
    int redoAll() {
        int n = 0;
        for (; action("miRedo")->isEnabled(); ++n) action("miRedo")->trigger();
        return n;
    }
};

}  // namespace

class TstUndo : public QObject {
    Q_OBJECT
private slots:
    void everyKindOfChangeUndoneAndRedone() {
        SetDlgBoxResponder([](TfrmDlgBox& box) { return box.DefaultAnswer(); });
        Window win;
        const auto opened = win.bytes();
        int changes = 0;
        int steps = 0;
        // Each change is a step of its own.
        auto changed = [&] {
            ++changes;
            QVERIFY2(win.stack().count() > steps, qPrintable(QString::number(changes)));
            steps = win.stack().count();
        };

        // The header: name, description, equation.
        win.w->SelectModelPage(0);
        win.keys(win.get<QLineEdit>("edGumName"), " 2", false), changed();
        win.keys(win.get<TRichTextEditor>("Editor")->TextEdit(), "new text"), changed();
        win.tick("rbEvalMonteCarlo"), changed();

        // Fields of every kind of quantity.
        win.select("U");
        win.type("edDescription", "voltage"), changed();
        win.keys(win.get<TUnitsEdit>("rtfUnits")->TextEdit(), "mV"), changed();
        win.keys(win.get<TRichTextEditor>("Commentar")->TextEdit(), "note"), changed();
        win.get<QSpinBox>("seADecimal")->setFocus();
        win.get<QSpinBox>("seADecimal")->setValue(6), changed();
        win.choose("cbAUnEval", 1), changed();
        win.choose("cbAValType", 1), changed();  // grouped values
        win.choose("cbAUnEval", 0), changed();
        win.choose("cbAValType", 0), changed();
        win.get<QSpinBox>("seACountMeas")->setFocus();
        win.get<QSpinBox>("seACountMeas")->setValue(12), changed();  // n grows
        win.get<QSpinBox>("seACountMeas")->setValue(8), changed();   // n shrinks: asked, dropped

        win.select("I");
        win.type("feBValue", "0,2"), changed();
        win.type("feBParam1", "0,00002"), changed();
        win.tick("cbBParam1"), changed();
        win.type("feBDOF", "20"), changed();
        win.choose("cbBEvalType", 3), changed();  // an interval
        win.type("feBParam2", "0,3"), changed();
        win.choose("cbBDistType", 2), changed();

        win.select("A");
        win.type("feConst", "0,0045"), changed();
        win.select("T0");
        win.choose("qcbParamType", 2), changed();  // the kind: Type B
        win.type("feBValue", "20"), changed();

        win.select("R");
        win.get<QRadioButton>("rbResMethod3")->setFocus();
        win.get<QRadioButton>("rbResMethod3")->click(), changed();
        win.type("febResFactor", "3"), changed();
        win.get<QSpinBox>("seResCMN")->setFocus();
        win.get<QSpinBox>("seResCMN")->setValue(4), changed();
        win.type("edResValFmt", "0.00"), changed();
        win.tick("cbResValE"), changed();
        win.choose("qcbResFormat", 1), changed();

        // Readings: typed cells.
        win.w->SelectMainPage(1);
        win.cell(0, 1, "10,5"), changed();
        win.cell(3, 1, "9,75"), changed();
        win.cell(7, 1, "11"), changed();
        QApplication::clipboard()->setText("1,25\n1,5\n1,75\n");
        win.get<QTableView>("dgTypeA")->setFocus();
        win.get<QTableView>("dgTypeA")->setCurrentIndex(win.get<QTableView>("dgTypeA")->model()->index(2, 1));
        QTest::keySequence(win.get<QTableView>("dgTypeA"), QKeySequence::Paste), changed();

        // Correlations: an entry, its names, its coefficient, a deletion.
        win.w->SelectMainPage(0);
        win.w->SelectModelPage(2);
        QTest::mouseClick(win.get<QPushButton>("btnAddCorr"), Qt::LeftButton), changed();
        // The grid's editors as the correlation page opens them.
        auto correlation = [&](const std::function<void(TCorrelation&)>& fn, const char* box) {
            win.get<QWidget>(box)->setFocus();
            win.c().EditCorrelations(fn);
        };
        correlation([](TCorrelation& c) { c.SetName1(0, "I"); }, "dgCorr"), changed();
        correlation([](TCorrelation& c) { c.SetName2(0, "T"); }, "btnDelCorr"), changed();
        correlation([](TCorrelation& c) { c.SetCoefficient(0, 0.25); }, "dgCorr"), changed();
        QTest::mouseClick(win.get<QPushButton>("btnAddCorr"), Qt::LeftButton), changed();
        QTest::mouseClick(win.get<QPushButton>("btnDelCorr"), Qt::LeftButton), changed();

        // The number formats.
        win.settings([](TfrmSettings& d) { d.findChild<QSpinBox*>("seCMN")->setValue(5); }), changed();
        win.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(win.w.get()));

        // The equation and the analysis: a new quantity, one removed.
        win.equation("R = U/I/(1+A*(T-T0)) + B"), changed();
        QCOMPARE(win.stack().undoText(), QStringLiteral("анализ на модела"));
        win.equation("R = U/I/(1+A*(T-B))"), changed();  // T0 leaves

        QVERIFY2(changes >= 40, qPrintable(QString::number(changes)));
        QVERIFY(win.modified());
        const auto edited = win.bytes();
        QVERIFY(edited != opened);

        const int undone = win.undoAll();
        QCOMPARE(undone, win.stack().count());
        QVERIFY(win.bytes() == opened);
        QVERIFY(!win.modified());  // back where the file was opened
        QVERIFY(!win.get<QAbstractButton>("btnSave")->isEnabled());

        QVERIFY(win.get<QRadioButton>("rbEvalGUM")->isChecked());

        QCOMPARE(win.redoAll(), undone);
        QVERIFY(win.bytes() == edited);
        QVERIFY(win.get<QRadioButton>("rbEvalMonteCarlo")->isChecked());  // as the model is
        QVERIFY(win.modified());
        SetDlgBoxResponder({});
    }

    void typingInOneBoxIsOneStepAndItsNameIsInTheMenu() {
        Window win;
        win.select("U");
        const int before = win.stack().count();
        win.type("edDescription", "abc");
        QCOMPARE(win.stack().count(), before + 1);
        QCOMPARE(win.action("miUndo")->text(), QStringLiteral("Отмяна: промяна на „U“"));
        win.select("I");
        win.type("feBValue", "0,5");
        QCOMPARE(win.stack().count(), before + 2);
        QCOMPARE(win.action("miUndo")->text(), QStringLiteral("Отмяна: промяна на „I“"));

        // Ctrl+Z in a box with the focus undoes inside it; on the grid it is
        // the model's undo, which shows the quantity it changed.
        auto* box = win.get<TNumberEdit>("feBValue");
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(win.stack().index(), before + 2);
        win.w->SelectMainPage(1);
        win.get<QTableView>("dgTypeA")->setFocus();
        QTest::keyClick(win.get<QTableView>("dgTypeA"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(win.stack().index(), before + 1);
        QCOMPARE(win.c().Selected(), win.params().IndexOf(win.params().FindByName("I")));
        QCOMPARE(win.w->MainPage(), 0);
        QCOMPARE(win.action("miRedo")->text(), QStringLiteral("Възстановяване: промяна на „I“"));
        QTest::keyClick(win.w.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(win.stack().index(), before + 2);
    }

    void undoToTheSavedStateClearsModified() {
        Window win;
        const QString saved = win.dir.filePath("saved.gmf");
        win.select("A");
        win.type("feConst", "0,005");
        QVERIFY(win.modified());
        win.action("miUndo")->trigger();
        QVERIFY(!win.modified());  // as opened
        win.action("miRedo")->trigger();
        QVERIFY(win.modified());
        win.saveAs = saved;
        QVERIFY(win.w->Document().SaveAs());
        QVERIFY(!win.modified());
        win.action("miUndo")->trigger();
        QVERIFY(win.modified());  // away from the saved state
        win.action("miRedo")->trigger();
        QVERIFY(!win.modified());
        QVERIFY(!win.get<QAbstractButton>("btnSave")->isEnabled());

        // New starts an empty stack.
        win.w->Document().New();
        QVERIFY(!win.action("miUndo")->isEnabled());
        QCOMPARE(win.stack().count(), 0);
    }

    void analysisThatRemovesAQuantityIsUndoneAfterSaveAs() {
        Window win;
        const auto opened = win.bytes();
        TGumParam* r = win.params().FindByName("R");
        const TGumParam kept = *r;
        win.equation("Y = U/I/(1+A*(T-T0))");
        QVERIFY(win.params().FindByName("R") == nullptr);
        if (HoldsData(kept))
            QVERIFY2(win.w->statusBar()->currentMessage().contains("„R“"),
                     qPrintable(win.w->statusBar()->currentMessage()));

        win.saveAs = win.dir.filePath("without-r.gmf");
        QVERIFY(win.w->Document().SaveAs());
        QVERIFY(!win.modified());

        QCOMPARE(win.action("miUndo")->text(), QStringLiteral("Отмяна: анализ на модела"));
        win.action("miUndo")->trigger();
        const TGumParam* back = win.params().FindByName("R");
        QVERIFY(back != nullptr);
        QCOMPARE(win.params().IndexOf(back), 0);
        QVERIFY(TQuantityPatch::HeadOf(const_cast<TGumParam&>(*back)) ==
                TQuantityPatch::HeadOf(const_cast<TGumParam&>(kept)));
        QVERIFY(win.params().FindByName("Y") == nullptr);
        QVERIFY(win.modified());
        // The equation typed is undone next; then the model is as opened.
        win.undoAll();
        QVERIFY(win.bytes() == opened);
        // Redone, the analysis takes R out again.
        win.redoAll();
        QVERIFY(win.params().FindByName("R") == nullptr);
        QVERIFY(!win.modified());
    }
};

QTEST_MAIN(TstUndo)
#include "undo_test.moc"
