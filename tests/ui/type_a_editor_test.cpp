// The Type A page driven as a user would: n, the method and the schema keep
// what was typed, and ask before anything entered is dropped.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "core/GumModel.h"
#include "ui/TfrmDlgBox.h"
#include "ui/editors/TypeAEditor.h"
#include "ui/widgets/NumberEdit.h"
#include "UiTestWindow.h"

using namespace vormid;

class TstTypeAEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TControllerHarness> writer;
    TTypeAEditor* page = nullptr;
    QStringList asked;
    TDlgAnswer answer = TDlgAnswer::Yes;

    template <class W>
    W* Get(const char* name) {
        return page->findChild<W*>(name);
    }
    TGumParam& Q() { return *writer->model().Params.Get(0); }

private slots:
    void init() {
        writer = std::make_unique<test::TControllerHarness>();
        TGumParam& q = *writer->model().Params.Add();
        q.SetKind(TParamKind::TypeA);
        for (int i = 0; i < 10; ++i) q.SetObservation(i, i + 1);
        page = new TTypeAEditor;
        page->Attach(writer->controller);
        page->Display(q);
        page->show();
        asked.clear();
        answer = TDlgAnswer::Yes;
        SetDlgBoxResponder([this](TfrmDlgBox& box) {
            asked << box.Message();
            return box.ButtonCount() > 1 ? answer : box.DefaultAnswer();
        });
    }
    void cleanup() {
        SetDlgBoxResponder({});
        delete page;
        writer.reset();
    }

    void countChangesKeepReadingsAndAskBeforeDropping() {
        Get<QSpinBox>("seACountMeas")->setValue(12);  // 10 -> 12 keeps the ten readings
        QCOMPARE(Q().ObservationCount, 12);
        QCOMPARE(Q().GetObservation(9), 10.0);
        QCOMPARE(Q().GetObservation(11), 0.0);
        QVERIFY(asked.isEmpty());
        answer = TDlgAnswer::No;
        Get<QSpinBox>("seACountMeas")->setValue(8);
        QCOMPARE(asked, QStringList{"Наблюденията след №8 ще бъдат изтрити. Да продължа ли?"});
        QCOMPARE(Q().ObservationCount, 12);  // "Не" keeps them
        QCOMPARE(Get<QSpinBox>("seACountMeas")->value(), 12);
        answer = TDlgAnswer::Yes;
        Get<QSpinBox>("seACountMeas")->setValue(8);
        QCOMPARE(Q().ObservationCount, 8);
        QCOMPARE(Q().GetObservation(7), 8.0);
    }

    void methodChangeAsksAndTheLayoutFollows() {
        QVERIFY(Get<QComboBox>("cbAValType")->isVisible());
        QVERIFY(!Get<QGroupBox>("gbSchema")->isVisible());
        answer = TDlgAnswer::No;
        Get<QComboBox>("cbAMethod")->setCurrentIndex(1);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(Q().AMethod, am_Direct);
        QCOMPARE(Get<QComboBox>("cbAMethod")->currentIndex(), 0);
        answer = TDlgAnswer::Yes;
        Get<QComboBox>("cbAMethod")->setCurrentIndex(1);
        QCOMPARE(Q().AMethod, am_Indirect);
        QVERIFY(!Get<QComboBox>("cbAValType")->isVisible());
        QVERIFY(Get<QGroupBox>("gbSchema")->isVisible());
        QCOMPARE(Get<QLineEdit>("edSchemaEval")->maxLength(), 100);
    }

    void schemaLinesCarryTheirReadings() {
        QAbstractItemModelTester tester(Get<QTableView>("dgSchema")->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Get<QComboBox>("cbAMethod")->setCurrentIndex(1);
        Get<QSpinBox>("seACountMeas")->setValue(2);
        auto* del = Get<QToolButton>("btnSchemaDelete");
        auto* up = Get<QToolButton>("btnSchemaUp");
        auto* down = Get<QToolButton>("btnSchemaDown");
        QVERIFY(!del->isEnabled());
        Get<QToolButton>("btnSchemaAdd")->click();
        Get<QToolButton>("btnSchemaAdd")->click();
        QVERIFY(del->isEnabled());
        QVERIFY(up->isEnabled());  // the new second line is selected
        QVERIFY(!down->isEnabled());
        Q().SetSchemaFormula("x2-x1");
        for (int i = 0; i < 4; ++i) Q().SetObservation(i, i * 10 + 1);  // 1, 11 | 21, 31
        auto* grid = Get<QTableView>("dgSchema");
        grid->model()->setData(grid->model()->index(0, 1), "U_1");
        QCOMPARE(Q().SchemaColumns[0], std::string("U_1"));
        QCOMPARE(Q().Observations, (std::vector<double>{1, 11, 21, 31}));  // renaming keeps them
        up->click();                                                       // the second line moves up with its readings
        QCOMPARE(Q().SchemaColumns[1], std::string("U_1"));
        QCOMPARE(Q().Observations, (std::vector<double>{11, 1, 31, 21}));
        QCOMPARE(Q().RowValues, (std::vector<double>{-10, -10}));
        asked.clear();
        answer = TDlgAnswer::No;
        del->click();
        QCOMPARE(asked, QStringList{"Наблюденията по ред №1 от схемата ще бъдат изтрити. Да продължа ли?"});
        QCOMPARE(Q().SchemaColumns.size(), 2u);
    }

    // The schema formula tells its mistake where it is typed, with the place.
    void schemaFormulaMistakeIsShownWhereItIsTyped() {
        Get<QComboBox>("cbAMethod")->setCurrentIndex(1);
        Get<QToolButton>("btnSchemaAdd")->click();
        Get<QToolButton>("btnSchemaAdd")->click();
        auto* box = Get<QLineEdit>("edSchemaEval");
        auto* state = Get<QLabel>("lblSchemaState");
        struct Case {
            const char* typed;
            const char* says;  // empty: nothing wrong
        } const cases[] = {
            {"(A2-A1", "знак 1: скобата „(“ не е затворена."},
            {"A3-A1", "знак 1: „A3“ не е ред на схемата"},
            {"A2-", "знак 3: на знака „-“ липсва"},
            {"A2-A1", ""},
        };
        for (const Case& c : cases) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, c.typed);
            QCOMPARE(state->isVisible(), *c.says != '\0');
            QVERIFY2(state->text().contains(QString::fromUtf8(c.says)), qPrintable(state->text()));
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(Q().SchemaFormula, std::string(c.typed));
            QCOMPARE(state->isVisible(), *c.says != '\0');
        }
    }

    void enteredEvaluationLayoutAndRefusals() {
        Get<QComboBox>("cbAUnEval")->setCurrentIndex(1);
        QVERIFY(Get<QLineEdit>("febATegProb")->isVisible());
        Get<QComboBox>("cbAEvalType")->setCurrentIndex(2);
        QVERIFY(!Get<QLineEdit>("febATegProb")->isVisible());
        QVERIFY(!Get<QLineEdit>("febAFactor")->isVisible());
        QVERIFY(Get<QLineEdit>("feADOF")->isVisible());
        auto* p = Get<QLineEdit>("feAEvalVal");
        p->setText("0,25");
        emit p->editingFinished();
        QCOMPARE(Q().StatedValue, 0.25);
        QCOMPARE(Q().StatedValueText, std::string("0,25"));
        p->setText("0,2x");
        emit p->editingFinished();
        QCOMPARE(asked.last(), QString("Стойност: „0,2x“ не е число."));
        QCOMPARE(Q().StatedValue, 0.25);
        QCOMPARE(p->text(), QString("0,25"));
    }

    // The four number boxes store a valid number as it is typed and refuse
    // the rest on Return, showing the stored number again.
    void numberBoxesRefuse_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");  // empty: stored
        QTest::addColumn<QString>("shown");
        QTest::newRow("p stored") << "feAEvalVal"
                                  << "1,5e-3"
                                  << ""
                                  << "1,5e-3";
        QTest::newRow("p negative") << "feAEvalVal"
                                    << "-0,1"
                                    << "Стойност: стойността на оценката не може да бъде отрицателна."
                                    << "0";
        QTest::newRow("P stored") << "febATegProb"
                                  << "99.73"
                                  << ""
                                  << "99.73";
        QTest::newRow("P above 100") << "febATegProb"
                                     << "150"
                                     << "Вер. на покр. в %: вероятността на покриване е от 0,1 до 100 %."
                                     << "95";
        QTest::newRow("k below 0,1") << "febAFactor"
                                     << "0,05"
                                     << "Фактор на покриване: факторът на покриване е от 0,1 до 10."
                                     << "2";
        QTest::newRow("k text") << "febAFactor"
                                << "2a"
                                << "Фактор на покриване: „2a“ не е число."
                                << "2";
        QTest::newRow("nu stored") << "feADOF"
                                   << "25"
                                   << ""
                                   << "25";
        QTest::newRow("nu not whole") << "feADOF"
                                      << "2,5"
                                      << "Степени на свобода: „2,5“ не е цяло число."
                                      << "9";
        QTest::newRow("nu zero") << "feADOF"
                                 << "0"
                                 << "Степени на свобода: степените на свобода са цяло число от 1 до 2147483647."
                                 << "9";
    }
    void numberBoxesRefuse() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        Get<QComboBox>("cbAUnEval")->setCurrentIndex(1);
        auto* edit = Get<TNumberEdit>(box.toLatin1().constData());
        QVERIFY(edit != nullptr);
        const double p = Q().StatedValue, P = Q().CoverageProbability, k = Q().CoverageFactor;
        const int nu = Q().DegreesOfFreedom;
        writer->edits = 0;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), shown);
        if (message.isEmpty()) {
            QVERIFY(asked.isEmpty());
            QVERIFY(writer->edits > 0);
            return;
        }
        QCOMPARE(asked, QStringList{message});
        QCOMPARE(writer->edits, 0);
        QCOMPARE(Q().StatedValue, p);
        QCOMPARE(Q().CoverageProbability, P);
        QCOMPARE(Q().CoverageFactor, k);
        QCOMPARE(Q().DegreesOfFreedom, nu);
    }
};

QTEST_MAIN(TstTypeAEditor)
#include "type_a_editor_test.moc"
