// The Monte Carlo check on the budget page, driven as a user drives it: the
// method chosen on the title page, the budget page entered, the panel's
// figures against "vormid-cli mc" on the same file with the same seed, the
// verdicts of a non-linear and a nearly linear sample, and an edit during a
// run, which cancels it and leaves no figure of the older model.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "evaluation/MonteCarloNumber.h"
#include "ui/MonteCarloRunner.h"
#include "ui/PanelSplitter.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/pages/BudgetPage.h"
#include "ui/widgets/MonteCarloPanel.h"

#include "UiTestWindow.h"

using namespace vormid;

namespace {

struct Window : vormid::test::TTestWindow {
    QString file;
    // A copy of the example, or the model a JSON text describes.
    explicit Window(const char* example, const QByteArray& json = {}) {
        file = dir.filePath(QString::fromLatin1(example) + ".gmf");
        if (json.isEmpty()) {
            QFile::copy(QStringLiteral(VORMID_EXAMPLES "/") + example + ".gmf", file);
        } else {
            QFile source(dir.filePath("model.json"));
            if (!source.open(QIODevice::WriteOnly) || source.write(json) != json.size()) qFatal("cannot write");
            source.close();
            QProcess cli;
            cli.start(QStringLiteral(VORMID_CLI_PATH), {"import", source.fileName(), "-o", file});
            if (!cli.waitForFinished(60000) || cli.exitCode() != 0) qFatal("vormid-cli import failed");
        }
        QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (!w->Document().OpenFile(file)) qFatal("cannot open %s", example);
    }
    TBudgetPage* page() const { return get<TBudgetPage>("Budjet"); }
    const TMonteCarloPanel& panel() const { return page()->MonteCarloPanel(); }
    bool running() const { return page()->MonteCarloRunner().Running(); }
    // "Monte-Carlo" on the title page, then "Бюджет".
    void checkByMonteCarlo() {
        w->SelectMainPage(0);
        get<QRadioButton>("rbEvalMonteCarlo")->click();
        w->SelectMainPage(2);
    }
};

QJsonObject ToolResult(const QString& file, int index) {
    QProcess cli;
    cli.start(QStringLiteral(VORMID_CLI_PATH), {"mc", file, "--format", "json", "--seed", "1"});
    if (!cli.waitForFinished(120000)) qFatal("vormid-cli mc did not finish");
    return QJsonDocument::fromJson(cli.readAllStandardOutput())["results"].toArray()[index].toObject();
}

}  // namespace

class TstMonteCarloPanel : public QObject {
    Q_OBJECT
private slots:
    void figuresAreThoseOfTheToolWithTheVerdict_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<bool>("validated");
        QTest::newRow("logarithm of a ratio: not validated") << "attenuation"
                                                             << "не е потвърден" << false;
        QTest::newRow("mass comparison: validated") << "mass"
                                                    << "потвърден" << true;
    }
    void figuresAreThoseOfTheToolWithTheVerdict() {
        QFETCH(QString, example);
        QFETCH(QString, verdict);
        QFETCH(bool, validated);
        Window win(example.toLatin1().constData());
        win.checkByMonteCarlo();
        QCOMPARE(win.c().Model().EvalMethod, em_MonteCarlo);
        QVERIFY(win.modified());
        QVERIFY(win.panel().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!win.running(), 120000);
        QTRY_VERIFY(win.panel().Result().has_value());
        const TMonteCarloResult& r = *win.panel().Result();
        QVERIFY2(r.Ok, r.Message.c_str());

        const QJsonObject tool = ToolResult(win.file, 0);
        QCOMPARE(static_cast<qint64>(r.Trials), tool["trials"].toInteger());
        QCOMPARE(r.Converged, tool["converged"].toBool());
        QCOMPARE(r.Tolerance, tool["tolerance"].toDouble());
        QCOMPARE(r.Mean, tool["mean"].toDouble());
        QCOMPARE(r.StdUncertainty, tool["std_uncertainty"].toDouble());
        QCOMPARE(r.SymmetricLow, tool["symmetric_interval"][0].toDouble());
        QCOMPARE(r.SymmetricHigh, tool["symmetric_interval"][1].toDouble());
        QCOMPARE(r.ShortestLow, tool["shortest_interval"][0].toDouble());
        QCOMPARE(r.ShortestHigh, tool["shortest_interval"][1].toDouble());
        QCOMPARE(r.Gum.DLow, tool["gum"]["d_low"].toDouble());
        QCOMPARE(r.Gum.DHigh, tool["gum"]["d_high"].toDouble());
        QCOMPARE(r.Gum.Validated, tool["gum"]["validated"].toBool());

        // What the panel shows: the tool's figures, as the tool rounds them.
        QCOMPARE(r.Gum.Validated, validated);
        QCOMPARE(win.panel().Figure("lblMcVerdict"), verdict);
        QVERIFY(win.get<QLabel>("lblMcVerdict")->styleSheet().contains(validated ? "0, 130, 0" : "200, 0, 0"));
        QVERIFY(win.panel().Figure("lblMcMean").startsWith(QString::fromUtf8(McNumber(r.Mean, r.Tolerance).c_str())));
        QVERIFY(win.panel().Figure("lblMcTrials").startsWith(QString::number(r.Trials)));
        // The histogram holds every draw, inside its classes or beyond them.
        std::uint64_t counted = r.Histogram.Below + r.Histogram.Above;
        for (const auto c : r.Histogram.Counts) counted += c;
        QCOMPARE(counted, r.Trials);
        QCOMPARE(r.Histogram.Counts.size(), std::size_t{kMcHistogramClasses});

        // In the smallest window the table keeps an entry in view and the
        // panel its last figure: the comment above gives up its room first.
        auto* comment = win.get<TPanelSplitter>("splBudget");
        const int stored = comment->PanelHeight();
        win.w->resize(770, 570);
        auto* table = win.get<QTableView>("dgBudget");
        QTRY_VERIFY(table->viewport()->height() >= table->rowHeight(0));
        const QWidget* last = win.get<QLabel>("lblMcVerdict");
        QVERIFY(last->mapTo(&win.panel(), QPoint(0, last->height())).y() <= win.panel().height());
        QCOMPARE(comment->PanelHeight(), stored);  // what the file keeps is the height set, not the one shown

        // Back to "GUM": no panel, and the file's byte says GUM again.
        win.w->SelectMainPage(0);
        win.get<QRadioButton>("rbEvalGUM")->click();
        QCOMPARE(win.c().Model().EvalMethod, em_Gum);
        win.w->SelectMainPage(2);
        QVERIFY(!win.panel().isVisible());
    }

    // Y: the budget holds (LN at 2 ± 1) but some draws of A fall below 0;
    // Z: the budget itself fails (LN at 0,5 − 1), so Z is not drawn at all.
    void failedDrawsAndAFailedBudgetSayWhy() {
        Window win("ln", R"({"format": "vormid-model", "version": 1,
            "equation": "{\\rtf1\\ansi\\ansicpg1251 Y = LN(A)\\par Z = LN(B)\\par}",
            "quantities": [{"name": "Y", "kind": "Result"}, {"name": "Z", "kind": "Result"},
                {"name": "A", "kind": "TypeB", "eval_type": "standard", "value": 2, "stated_value": 1},
                {"name": "B", "kind": "TypeB", "eval_type": "standard", "value": 0.5, "stated_value": 1}]})");
        win.checkByMonteCarlo();
        QTRY_VERIFY_WITH_TIMEOUT(!win.running(), 60000);
        QCOMPARE(win.page()->MonteCarloRunner().Results().size(), std::size_t{1});
        QTRY_VERIFY(win.panel().Result().has_value());
        const TMonteCarloResult& y = *win.panel().Result();
        QVERIFY(!y.Ok);
        QVERIFY(y.FailedDraws > 0);
        const QString message = win.panel().Figure("lblMcMessage");
        QVERIFY2(message.contains(QString::number(y.FailedDraws)), qPrintable(message));
        QCOMPARE(win.panel().Figure("lblMcVerdict"), QString());
        win.page()->SelectBudget(1);
        QVERIFY(!win.panel().Result().has_value());
        QVERIFY(win.panel().Figure("lblMcMessage").contains("Без бюджет"));
    }

    void editingDuringARunCancelsItAndLeavesNoStaleFigure() {
        Window win("attenuation");
        // Options from "Настройки", kept in the user's settings: a long run
        // of exactly 2·10^7 trials.
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmSettings*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            dialog->findChild<QSpinBox*>("seMcTrials")->setValue(20'000'000);
            dialog->findChild<QCheckBox*>("cbMcFixed")->setChecked(true);
            dialog->findChild<QAbstractButton*>("btnOK")->click();
        });
        win.get<QAbstractButton>("btnSettings")->click();
        QVERIFY(seen);
        QSettings ini(win.dir.filePath("t.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("Software/Kestrane/Vormid/MonteCarlo/Trials").toULongLong(), 20'000'000ull);
        QCOMPARE(ini.value("Software/Kestrane/Vormid/MonteCarlo/Fixed").toBool(), true);

        win.checkByMonteCarlo();
        QVERIFY(win.running());
        QTRY_VERIFY(win.get<QAbstractButton>("btnMcStop")->isVisible());
        // An edit of a quantity while the draws run.
        win.c().EditQuantity(1, [](TGumParam& q) { q.Description = "edited"; });
        QVERIFY(!win.running());
        QVERIFY(!win.panel().Result().has_value());
        QVERIFY(win.panel().Figure("lblMcMessage").contains("променен"));
        // Nothing of the cancelled run arrives later.
        QTest::qWait(300);
        QVERIFY(!win.panel().Result().has_value());
        QCOMPARE(win.panel().Figure("lblMcMean"), QString());

        // "Спиране" ends a new run in the same way.
        win.w->SelectMainPage(0);
        win.w->SelectMainPage(2);
        QVERIFY(win.running());
        QTRY_VERIFY(win.get<QAbstractButton>("btnMcStop")->isVisible());
        win.get<QAbstractButton>("btnMcStop")->click();
        QVERIFY(!win.running());
        QVERIFY(win.panel().Figure("lblMcMessage").contains("спряна"));
    }
};

QTEST_MAIN(TstMonteCarloPanel)
#include "monte_carlo_panel_test.moc"
