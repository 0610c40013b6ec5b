// The model page driven as a user drives it: the equation, the quantity
// list, the kind box and the Result, Type B and Const pages; the name
// drawing on pixels.
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QMenu>
#include <QTest>
#include <QTextEdit>
#include <cmath>

#include "core/GumModel.h"
#include "evaluation/BudgetCalculation.h"
#include "persistence/ModelIO.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/FormLook.h"
#include "ui/TfrmMain.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/widgets/ByteLimitValidator.h"
#include "ui/widgets/FitScrollArea.h"
#include "ui/widgets/NameMarkupPainter.h"
#include "ui/widgets/NumberEdit.h"
#include "ui/TextCodec.h"
#include "UiTestSupport.h"
#include "UiTestWindow.h"

using namespace vormid;

namespace {

struct Window : vormid::test::TTestWindow {
    Window() { w->SelectModelPage(1); }
    void equation(const QString& text) {
        QTextEdit* edit = get<TRichTextEditor>("Equation")->TextEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, lines[i]);
        }
        w->findChild<QAction*>("miAnalysis")->trigger();
    }
    void select(const char* name) { c().Select(params().IndexOf(params().FindByName(name))); }
    void choose(const char* combo, int item) {
        auto* box = get<QComboBox>(combo);
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    void type(const char* box, const QString& text) {
        auto* e = get<TNumberEdit>(box);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        // keyClicks knows only ASCII; other letters come as key events with their text.
        for (QChar c : text)
            if (c.unicode() < 0x80)
                QTest::keyClick(e, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
};

// The stored number an entry box writes, by the field's name.
double Field(const TGumParam& q, const QString& field) {
    if (field == "P") return q.CoverageProbability;
    if (field == "k") return q.CoverageFactor;
    if (field == "p") return q.StatedValue;
    if (field == "q") return q.BParam2;
    if (field == "nu") return q.DegreesOfFreedom;
    if (field == "r") return q.Reliability;
    if (field == "const") return q.ConstValue;
    if (field == "x") return q.BValue;
    qFatal("no field %s", qPrintable(field));
}

QString Order(const TGumParams& params) {
    QStringList names;
    for (const auto& p : params) names << QString::fromStdString(p->Name);
    return names.join(' ');
}

}  // namespace

class TstModelPage : public QObject {
    Q_OBJECT
private slots:
    void analysisFollowsTheEquation() {
        Window win;
        QAbstractItemModelTester tester(win.get<QTableView>("dgParams")->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        win.equation("Y = A + B");
        QCOMPARE(Order(win.params()), QStringLiteral("Y A B"));
        QCOMPARE(win.params().Get(0)->Kind, TParamKind::Result);
        QCOMPARE(win.params().Get(1)->Kind, TParamKind::Undefined);
        QVERIFY(win.w->findChild<QWidget*>("btnPageValues")->isEnabled());

        win.equation("Y = sin(A) + B\nB = C*2");
        QCOMPARE(Order(win.params()), QStringLiteral("Y A B C"));
        QCOMPARE(win.params().FindByName("B")->Kind, TParamKind::VarResult);

        // A removed by the equation comes back with its data.
        win.select("A");
        win.choose("qcbParamType", 3);  // "Тип B"
        win.type("feBValue", "7,25");
        win.equation("Y = B\nB = C*2");
        QCOMPARE(Order(win.params()), QStringLiteral("Y B C"));
        win.equation("Y = A + B\nB = C*2");
        QCOMPARE(win.params().FindByName("A")->Kind, TParamKind::TypeB);
        QCOMPARE(win.params().FindByName("A")->BValue, 7.25);

        // Removing A deletes only A: Y and C keep what they hold.
        win.select("Y");
        win.get<QRadioButton>("rbResMethod3")->click();
        win.select("C");
        win.choose("qcbParamType", 4);  // "Константа"
        win.type("feConst", "3,5");
        win.equation("Y = B\nB = C*2");
        QCOMPARE(Order(win.params()), QStringLiteral("Y B C"));
        QCOMPARE(int(win.params().FindByName("Y")->CoverageMethod), 3);
        QCOMPARE(win.params().FindByName("C")->ConstValue, 3.5);

        // A name longer than the file keeps is refused, naming the line, and
        // the list stays as it was.
        test::TScriptedAnswers answers;
        win.equation("Y = B\nB = C*2 + " + QString(101, QLatin1Char('N')));
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY2(answers.messages[0].contains(QStringLiteral("Ред 2")), qPrintable(answers.messages[0]));
        QCOMPARE(Order(win.params()), QStringLiteral("Y B C"));
    }

    // Every mistake the analysis refuses is told once, with its line and
    // character, also when a menu opens over the editor before the command.
    void refusedEquationIsToldOnceWithItsPlace_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("says");
        QTest::newRow("bracket never closed") << "P = U^2/(R"
                                              << "Ред 1, знак 7";
        QTest::newRow("operand missing") << "P = U^2/"
                                         << "на знака „/“ липсва";
        QTest::newRow("unknown function") << "P = FOO(U)"
                                          << "„FOO“ пред „(“";
        QTest::newRow("stray character") << "P = U$R"
                                         << "знакът „$“";
        QTest::newRow("name too long") << "P = " + QString(120, QLatin1Char('N')) << "Ред 1";
    }
    void refusedEquationIsToldOnceWithItsPlace() {
        QFETCH(QString, text);
        QFETCH(QString, says);
        Window win;
        win.equation("P = U^2/R");
        QCOMPARE(Order(win.params()), QStringLiteral("P U R"));
        test::TScriptedAnswers answers;
        QTextEdit* edit = win.get<TRichTextEditor>("Equation")->TextEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        // The menu with the command opens over the editor first.
        QMenu menu;
        menu.addAction(win.w->findChild<QAction*>("miAnalysis"));
        menu.popup(edit->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QFocusEvent popupFocus(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(edit, &popupFocus);
        menu.actions().first()->trigger();
        menu.close();
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY2(answers.messages[0].contains(says), qPrintable(answers.messages[0]));
        QCOMPARE(Order(win.params()), QStringLiteral("P U R"));  // the list stays as it was
    }

    // The status line: a new Type A series of ten zeros has nine degrees of
    // freedom, a reliability above 70,7 % one, an entered 0 is infinite.
    void statusLineDegreesOfFreedom() {
        Window win;
        win.equation("Y = A + B");
        win.select("A");
        win.choose("qcbParamType", 2);  // "Тип А"
        auto* status = win.get<QLabel>("lblQuantityStatus");
        QVERIFY2(status->text().endsWith(QStringLiteral("ν = 9")), qPrintable(status->text()));
        win.select("B");
        win.choose("qcbParamType", 3);  // "Тип B"
        win.choose("cbBEvalType", 2);   // an error bound with its reliability
        win.type("feBRelError", "80");
        QTest::keyClick(win.get<TNumberEdit>("feBRelError"), Qt::Key_Return);
        QCOMPARE(win.params().FindByName("B")->DOF(), 1);
        QVERIFY2(status->text().endsWith(QStringLiteral("ν = 1")), qPrintable(status->text()));
        win.choose("cbBEvalType", 1);  // a stated standard uncertainty, ν entered as 0
        win.type("feBDOF", "0");
        QTest::keyClick(win.get<TNumberEdit>("feBDOF"), Qt::Key_Return);
        QCOMPARE(win.params().FindByName("B")->DOF(), 0);
        QVERIFY2(status->text().endsWith(QStringLiteral("ν = ∞")), qPrintable(status->text()));
    }

    // Without a budget the comment box under it takes no typing (which
    // would be dropped).
    void budgetCommentIsReadOnlyWithoutABudget() {
        Window win;
        win.w->SelectMainPage(2);
        auto* comment = win.get<TRichTextEditor>("BudgetComent");
        QVERIFY(comment->TextEdit()->isReadOnly());
        win.w->SelectMainPage(0);
        win.w->SelectModelPage(1);
        win.equation("Y = A");
        win.select("A");
        win.choose("qcbParamType", 3);
        win.w->SelectMainPage(2);
        QVERIFY(!comment->TextEdit()->isReadOnly());
    }

    void resultPage() {
        Window win;
        win.equation("Y = A");
        win.select("Y");
        QVERIFY(!win.get<QComboBox>("qcbParamType")->isEnabled());
        win.choose("qcbParamType", 3);
        QCOMPARE(win.params().FindByName("Y")->Kind, TParamKind::Result);

        TGumParam* y = win.params().FindByName("Y");
        y->CoverageProbability = 90;
        y->CoverageFactor = 5;
        win.get<QRadioButton>("rbResMethod0")->click();
        QCOMPARE(y->CoverageProbability, 95.0);
        QCOMPARE(y->CoverageFactor, 2.0);
        QVERIFY(!win.get<TNumberEdit>("febResTegProb")->isEnabled());

        win.get<QRadioButton>("rbResMethod1")->click();
        win.type("febResTegProb", "95");
        QVERIFY(std::fabs(y->CoverageFactor - 1.96) < 0.001);
        QCOMPARE(win.get<TNumberEdit>("febResFactor")->text(), QStringLiteral("1,96"));
        win.type("febResFactor", "3");
        QVERIFY(std::fabs(y->CoverageProbability - 99.73) < 0.01);
        QVERIFY(win.get<TNumberEdit>("febResFactor")->ButtonVisible());
    }

    void editorScrollsOnlyWhenTheWindowIsTooSmall() {
        // The arithmetic: the view, less a bar per direction that scrolls.
        QCOMPARE(TFitScrollArea::FittedSize({500, 400}, {300, 200}, 15), QSize(500, 400));
        QCOMPARE(TFitScrollArea::FittedSize({500, 400}, {300, 600}, 15), QSize(485, 600));
        QCOMPARE(TFitScrollArea::FittedSize({500, 400}, {600, 390}, 15), QSize(600, 390));
        QCOMPARE(TFitScrollArea::FittedSize({500, 400}, {600, 395}, 15), QSize(600, 395));

        Window win;
        win.equation("Y = A + B");
        win.select("A");
        win.choose("qcbParamType", 2);  // Type A: the tallest editor
        win.select("B");
        win.choose("qcbParamType", 4);  // a constant
        auto* area = win.get<TFitScrollArea>("sbParamData");
        auto* editor = win.get<QWidget>("pnlParamData");
        auto scrolls = [&] {
            QCoreApplication::sendPostedEvents();
            return editor->height() > area->viewport()->height();
        };
        win.w->resize(1100, 760);
        QVERIFY(!scrolls());  // the constant does not ask for the Type A page's room
        win.w->resize(770, 570);
        win.select("A");
        QVERIFY(scrolls());
        QVERIFY(editor->width() <= area->viewport()->width());  // never sideways
        // Scrolled, every box keeps at least its own minimum height.
        QVERIFY(editor->height() >= editor->minimumSizeHint().height());

        // A result's number formats go below its method rather than sideways.
        win.select("Y");
        auto* formats = win.get<QWidget>("gbResFormats");
        auto* method = win.get<QWidget>("rbResMethod");
        scrolls();
        QVERIFY(editor->width() <= area->viewport()->width());
        QVERIFY(formats->y() > method->y());
        win.w->resize(1100, 760);
        scrolls();
        QVERIFY(formats->x() > method->x() + method->width());
    }

    void typeAEditorKeepsItsWidthAfterAnotherKind() {
        Window win;
        win.equation("Y = A + B");
        win.select("B");
        win.choose("qcbParamType", 3);  // Type B
        win.select("A");
        win.choose("qcbParamType", 2);  // Type A
        win.w->resize(1100, 760);
        auto* box = win.get<QWidget>("cbASUType");
        auto width = [&] {
            QCoreApplication::sendPostedEvents();
            return box->width();
        };
        const int first = width();
        win.select("B");
        win.select("A");
        QCOMPARE(width(), first);
    }

    void typeBPage() {
        Window win;
        win.equation("Y = A");
        win.select("A");
        win.choose("qcbParamType", 3);
        TGumParam* a = win.params().FindByName("A");
        QCOMPARE(a->Kind, TParamKind::TypeB);
        win.choose("cbBEvalType", 3);
        win.choose("cbBDistType", dc_Trapez);
        QCOMPARE(a->Distribution, dc_Trapez);
        win.choose("cbBEvalType", 1);
        QCOMPARE(a->Distribution, dc_Normal);
        win.choose("cbBEvalType", 2);
        QCOMPARE(a->Distribution, dc_Rectangle);
        // Kind 3 again shows the distribution the quantity holds.
        win.choose("cbBEvalType", 3);
        QCOMPARE(win.get<QComboBox>("cbBDistType")->currentIndex(), int(a->Distribution));

        // The percent box changes u: the model is modified, so that closing
        // asks before the change is lost.
        win.choose("cbBEvalType", 0);
        win.w->Document().MarkModified(false);
        win.get<QCheckBox>("cbBParam1")->click();
        QVERIFY(a->InPercent);
        QVERIFY(win.modified());

        // Text that is no number is shown as such and stores nothing.
        win.type("feBParam1", "1,5");
        QCOMPARE(a->StatedValue, 1.5);
        QTest::keyClick(win.get<TNumberEdit>("feBParam1"), Qt::Key_Return);
        win.type("feBParam1", "1,5x");
        QVERIFY(!win.get<TNumberEdit>("feBParam1")->IsValid());
        QCOMPARE(a->StatedValue, 1.5);
        QCOMPARE(QString::fromStdString(a->StatedValueText), QStringLiteral("1,5"));
    }

    void modelBuiltThroughTheWidgetsIsSavedAndCalculated() {
        Window win;
        win.equation("Y = A*B");
        win.select("A");
        win.choose("qcbParamType", 3);
        win.choose("cbBEvalType", 1);  // standard uncertainty
        win.type("feBValue", "2,5");
        win.type("feBParam1", "0,1");
        win.select("B");
        win.choose("qcbParamType", 3);
        win.choose("cbBEvalType", 2);  // error bound
        win.type("feBValue", "4");
        win.type("feBParam1", "0.3");
        const QString file = win.dir.filePath("built.gmf");
        win.w->SetFileDialogHook([&](bool) { return file; });
        QVERIFY(win.w->Document().SaveAs());

        TGumModelStore reopened;
        reopened.SetFileName(file);
        reopened.Load();
        TGumModel& m = reopened.Model();
        QVERIFY(CalculateBudgets(m));
        QCOMPARE(int(m.Budgets.size()), 1);
        const TBudget& b = *m.Budgets.front();
        QCOMPARE(b.ErrorCode, int(NoError));
        QVERIFY(std::fabs(b.Value - 10.0) < 1e-9);
        const double uc = std::sqrt(std::pow(4 * 0.1, 2) + std::pow(2.5 * 0.3 / std::sqrt(3.0), 2));
        QVERIFY(std::fabs(b.CombinedUncertainty - uc) < 1e-6 * uc);
    }

    // Every entry box of the Result, Type B and Const pages with text it must
    // refuse (and a few it must take): the refusal comes as a message that
    // names the box, the box returns to the stored number, and the quantity
    // keeps what it had.
    void entryBoxesRefuseImpossibleValues_data() {
        QTest::addColumn<QString>("quantity");  // Y a Result, A Type B, C Const
        QTest::addColumn<int>("setting");       // Result: method; Type B: evaluation kind
        QTest::addColumn<int>("distribution");  // Type B kind 3 only
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");  // empty: the text is taken
        QTest::addColumn<double>("stored");    // the field afterwards

        auto row = [](const char* name, const char* q, int setting, int d, const char* box, const char* typed,
                      const char* field, const char* message, double stored) {
            QTest::newRow(name) << QString::fromLatin1(q) << setting << d << QString::fromLatin1(box)
                                << QString::fromUtf8(typed) << QString::fromLatin1(field) << QString::fromUtf8(message)
                                << stored;
        };
        // Result, normal method (P and k editable and coupled).
        row("result P above 100", "Y", 1, -1, "febResTegProb", "150", "P",
            "Вероятност на покриване в %: 150 е извън допустимите граници 0,1 … 100.", 95);
        row("result k zero", "Y", 3, -1, "febResFactor", "0", "k",
            "Фактор на покриване: факторът на покриване трябва да е положително число", 2);
        row("result k negative", "Y", 3, -1, "febResFactor", "-2", "k", "положително число", 2);
        row("result k above 10", "Y", 3, -1, "febResFactor", "12", "k", "извън допустимите граници 0,1 … 10", 2);
        row("result k no number", "Y", 3, -1, "febResFactor", "2,x", "k", "„2,x“ не е число", 2);
        row("result k taken", "Y", 3, -1, "febResFactor", "2,5", "k", "", 2.5);
        // Type B, each evaluation kind.
        row("expanded U negative", "A", 0, -1, "feBParam1", "-0,5", "p",
            "Разш. неопределеност: разширената неопределеност не може да бъде отрицателна.", 0);
        row("expanded U minus zero", "A", 0, -1, "feBParam1", "-0", "p", "не може да бъде отрицателна", 0);
        row("expanded k zero", "A", 0, -1, "feBParam3", "0", "k", "положително число", 2);
        row("expanded P above 100", "A", 0, -1, "feBParam2", "100,5", "P", "извън допустимите граници 0 … 100", 95);
        row("expanded nu not whole", "A", 0, -1, "feBDOF", "2,5", "nu", "„2,5“ не е цяло число", 9);
        row("expanded nu above 100", "A", 0, -1, "feBDOF", "101", "nu", "извън допустимите граници 0 … 100", 9);
        row("value no number", "A", 1, -1, "feBValue", "1.5.", "x", "Стойност: „1.5.“ не е число.", 0);
        row("value with a point taken", "A", 1, -1, "feBValue", "-12.5", "x", "", -12.5);
        row("standard u negative", "A", 1, -1, "feBParam1", "-1", "p", "стандартната неопределеност не може", 0);
        row("standard u taken", "A", 1, -1, "feBParam1", "0,25", "p", "", 0.25);
        row("error bound negative", "A", 2, -1, "feBParam1", "-3", "p", "границата на грешката не може", 0);
        row("reliability above 100", "A", 2, -1, "feBRelError", "120", "r", "извън допустимите граници", 0);
        row("half-width negative", "A", 3, dc_Rectangle, "feBParam1", "-0,1", "p",
            "1/2 интервал на разпр.: полуширината на разпределението не може", 0);
        row("trapezoid upper base negative", "A", 3, dc_Trapez, "feBParam2", "-1", "q",
            "1/2 интервал на разпр. (Г): полуширината на горната основа не може", 0);
        row("log-normal shape negative", "A", 3, dc_LgNormal, "feBParam1", "-1", "p",
            "Параметър на формата: параметърът на формата не може да бъде отрицателен.", 0);
        row("log-normal scale negative taken", "A", 3, dc_LgNormal, "feBParam2", "-1,5", "q", "", -1.5);
        row("t probability above 100", "A", 3, dc_DistributonT, "feBParam2", "101", "q", "извън допустимите", 0);
        // Const: any number, but a number.
        row("constant no number", "C", -1, -1, "feConst", "1,2,3", "const", "Стойност: „1,2,3“ не е число.", 0);
        row("constant negative taken", "C", -1, -1, "feConst", "-3", "const", "", -3);
        row("constant in E-notation taken", "C", -1, -1, "feConst", "1,5E3", "const", "", 1500);
        // A Cyrillic "е" looks like the exponent's letter but makes no number.
        row("constant with a Cyrillic e", "C", -1, -1, "feConst", "1,5е3", "const", "„1,5е3“ не е число", 0);
        row("constant with full-width digits", "C", -1, -1, "feConst", "１２", "const", "не е число", 0);
    }
    void entryBoxesRefuseImpossibleValues() {
        QFETCH(QString, quantity);
        QFETCH(int, setting);
        QFETCH(int, distribution);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, message);
        QFETCH(double, stored);

        Window win;
        test::TScriptedAnswers answers;
        win.equation("Y = A + C");
        win.select("A");
        win.choose("qcbParamType", 3);
        win.select("C");
        win.choose("qcbParamType", 4);
        win.select(qPrintable(quantity));
        if (quantity == "Y") win.get<QRadioButton>(qPrintable(QStringLiteral("rbResMethod%1").arg(setting)))->click();
        if (quantity == "A") win.choose("cbBEvalType", setting);
        if (distribution >= 0) win.choose("cbBDistType", distribution);
        TGumParam& q = *win.params().FindByName(quantity.toStdString());

        auto* edit = win.get<TNumberEdit>(qPrintable(box));
        QVERIFY(edit->isVisible() && edit->isEnabled());
        const QString before = edit->text();
        win.type(qPrintable(box), typed);
        // While the text stands, a refused one is marked as such.
        QCOMPARE(edit->IsValid(), message.isEmpty());
        QCOMPARE(edit->property("invalid").toBool(), !message.isEmpty());
        // Meanwhile the quantity holds the number from before, not one typed
        // on the way (the "12" of a refused "120").
        if (!message.isEmpty()) QCOMPARE(Field(q, field), stored);
        QTest::keyClick(edit, Qt::Key_Return);

        if (message.isEmpty()) {
            QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.value(0)));
            QCOMPARE(edit->text(), typed);
        } else {
            QCOMPARE(answers.messages.size(), 1);
            QVERIFY2(answers.messages[0].contains(message), qPrintable(answers.messages[0]));
            QCOMPARE(edit->text(), before);
            QVERIFY(edit->IsValid());
        }
        QCOMPARE(Field(q, field), stored);
    }

    // The plain text boxes hold what their file field stores: typing past the
    // limit, or a character Windows-1251 has no code for, changes nothing.
    void textBoxesHoldTheirFileFields_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("limit");
        QTest::newRow("description") << "edDescription" << 255;
        QTest::newRow("value format") << "edResValFmt" << 100;
        QTest::newRow("uncertainty format") << "edResEUFmt" << 100;
    }
    void textBoxesHoldTheirFileFields() {
        QFETCH(QString, box);
        QFETCH(int, limit);
        Window win;
        win.equation("Y = A");
        win.select("Y");
        auto* edit = win.get<QLineEdit>(qPrintable(box));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // Letters the test library's key table lacks go as key events with text.
        auto typeText = [edit](const QString& text) {
            for (QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        };
        typeText(QString(limit - 1, QChar(u'ж')));
        typeText(QStringLiteral("中"));
        typeText(QStringLiteral("яя"));
        QCOMPARE(edit->text(), QString(limit - 1, QChar(u'ж')) + QStringLiteral("я"));
        const TGumParam& y = *win.params().FindByName("Y");
        const std::string& stored = box == "edDescription" ? y.Description
                                    : box == "edResValFmt" ? y.ValueFormat
                                                           : y.UncertaintyFormat;
        QCOMPARE(int(stored.size()), limit);
        QCOMPARE(FromCp1251(stored), edit->text());
    }

    // Leaving a box with a refused text refuses it as Enter does, once.
    void leavingABoxRefusesItsText() {
        Window win;
        test::TScriptedAnswers answers;
        win.equation("Y = A");
        win.select("A");
        win.choose("qcbParamType", 3);
        win.type("feBParam1", "0,5");
        auto* edit = win.get<TNumberEdit>("feBParam1");
        QApplication::setActiveWindow(win.w.get());
        edit->setFocus();
        win.type("feBParam1", "-0,5");
        QCOMPARE(win.params().FindByName("A")->StatedValue, 0.5);
        win.get<TNumberEdit>("feBValue")->setFocus();
        QCOMPARE(answers.messages.size(), 1);
        QCOMPARE(edit->text(), QStringLiteral("0,5"));
        QCOMPARE(QString::fromStdString(win.params().FindByName("A")->StatedValueText), QStringLiteral("0,5"));

        // A negative estimate on its way ("-") is not shown as wrong while it
        // is typed, and is refused if the box is left with it.
        auto* value = win.get<TNumberEdit>("feBValue");
        value->selectAll();
        QTest::keyClicks(value, "-");
        QVERIFY(value->IsValid());
        edit->setFocus();
        QCOMPARE(answers.messages.size(), 2);
        QVERIFY(value->IsValid());
        QVERIFY(value->text() != QStringLiteral("-"));
    }

    // The kinds Result and VarResult come only from the equation: for an
    // input quantity their items are drawn in the disabled colour and
    // neither the keyboard nor a click reaches them.
    void kindBoxKeepsResultItemsForTheEquation() {
        Window win;
        win.equation("Y = A");
        win.select("A");
        auto* box = win.get<QComboBox>("qcbParamType");
        QVERIFY(box->isEnabled());
        QCOMPARE(box->currentIndex(), -1);  // Undefined shows no kind
        win.choose("qcbParamType", 2);      // "Тип А"
        QCOMPARE(win.params().FindByName("A")->Kind, TParamKind::TypeA);
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->currentIndex(), 2);
        win.choose("qcbParamType", 1);
        QCOMPARE(win.params().FindByName("A")->Kind, TParamKind::TypeA);
        QCOMPARE(box->currentIndex(), 2);

        box->showPopup();
        QAbstractItemView* view = box->view();
        QTRY_VERIFY(view->isVisible());
        const QImage image = view->viewport()->grab().toImage();
        auto darkest = [&](int item) {
            const QRect r = view->visualRect(view->model()->index(item, 0)) & image.rect();
            int dark = 255;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) dark = std::min(dark, qGray(image.pixel(x, y)));
            return dark;
        };
        for (int disabled : {0, 1})
            for (int enabled : {2, 3, 4}) QVERIFY(darkest(disabled) > darkest(enabled) + 40);
        box->hidePopup();

        // A result's box shows its kind and takes no choice.
        win.select("Y");
        QCOMPARE(box->currentIndex(), 0);
        QVERIFY(!box->isEnabled());
    }

    // The list shows one empty row for an empty model; names are drawn bold
    // in the form's own font, so that they stand out from units and text.
    void quantityListRowsAndBoldNames() {
        InstallFormFont();
        Window win;
        auto* list = win.get<QTableView>("dgParams");
        QCOMPARE(list->model()->rowCount(), 1);
        QVERIFY(!(list->model()->flags(list->model()->index(0, 0)) & Qt::ItemIsSelectable));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(win.c().Selected(), -1);
        QVERIFY(!win.get<QWidget>("pnlParamData")->isEnabled());

        win.equation("Y = A*B");
        QCOMPARE(list->model()->rowCount(), 3);
        QVERIFY(list->model()->data(list->model()->index(1, 0), Qt::FontRole).value<QFont>().bold());
        // Ink of the drawn name against the same name in the regular face.
        const QRect cell = list->visualRect(list->model()->index(1, 0));
        const QImage drawn = list->viewport()->grab(cell).toImage();
        auto ink = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 128;
            return n;
        };
        QImage regular(drawn.size(), QImage::Format_RGB32);
        regular.fill(Qt::white);
        QPainter p(&regular);
        p.setPen(Qt::black);
        TNameMarkupPainter(QApplication::font()).Draw(p, QRect(QPoint(0, 0), cell.size()).adjusted(3, 0, -3, 0), "A");
        p.end();
        QVERIFY2(ink(drawn) > ink(regular) * 5 / 4,
                 qPrintable(QStringLiteral("%1 %2").arg(ink(drawn)).arg(ink(regular))));

        // The wide list's in-place editors hold what the file keeps.
        QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(list->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
        QCOMPARE(list->model()->columnCount(), 3);
        for (int column : {1, 2}) {
            const QModelIndex cell = list->model()->index(1, column);
            list->edit(cell);
            auto* editor = list->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            auto* limit = qobject_cast<const TByteLimitValidator*>(editor->validator());
            QVERIFY(limit);
            QCOMPARE(limit->MaxBytes(), column == 1 ? 100 : 255);
            // Every change is stored at once, before the editor closes.
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_K);
            QCOMPARE(cell.data(Qt::EditRole).toString(), QStringLiteral("k"));
            QVERIFY(win.modified());
            QTest::keyClick(editor, Qt::Key_Escape);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!list->model()->setData(cell, QStringLiteral("中")));
            QVERIFY(list->model()->setData(cell, QStringLiteral("м")));
        }
        QCOMPARE(win.params().FindByName("A")->Units, ToCp1251(QStringLiteral("м")));

        win.equation("");
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->data(list->model()->index(0, 0), Qt::DisplayRole).toString(), QString());
    }

    void nameDrawing_data() {
        QTest::addColumn<QByteArray>("markup");
        QTest::addColumn<int>("dy");  // where the script's ink lies against the base text
        QTest::newRow("U with a lowered 1") << QByteArray("U\\b1\\n") << 1;
        QTest::newRow("m with a raised 2") << QByteArray("m\\t2\\n") << -1;
    }
    void nameDrawing() {
        QFETCH(QByteArray, markup);
        QFETCH(int, dy);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(8);
        TNameMarkupPainter painter(font);
        QImage image(60, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(Qt::black);
        painter.Draw(p, QRect(0, 0, 60, 24), markup.toStdString());
        p.end();
        const int baseWidth = QFontMetrics(font).horizontalAdvance(QChar(markup[0]));
        auto inkRows = [&](int x0, int x1) {
            int top = 99, bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = x0; x < x1; ++x)
                    if (qGray(image.pixel(x, y)) < 128) top = std::min(top, y), bottom = std::max(bottom, y);
            return std::pair{top, bottom};
        };
        auto [baseTop, baseBottom] = inkRows(0, baseWidth);
        auto [scriptTop, scriptBottom] = inkRows(baseWidth, 60);
        QVERIFY(scriptBottom >= 0);
        // The script is smaller than the base text.
        QVERIFY(scriptBottom - scriptTop < baseBottom - baseTop + (markup[0] == 'm' ? 6 : 0));
        if (dy > 0)
            QVERIFY2(scriptBottom > baseBottom, "the subscript reaches below the base line");
        else
            QVERIFY2(scriptTop < baseTop, "the superscript reaches above the base text");
        QCOMPARE(painter.Width(markup.toStdString()) > baseWidth, true);
    }
};

QTEST_MAIN(TstModelPage)
#include "model_page_test.moc"
