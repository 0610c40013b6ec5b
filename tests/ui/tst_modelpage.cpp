// The model page driven as a user drives it: the equation, the quantity
// list, the kind box and the Result, Type B and Const pages; the name
// drawing on pixels.
#include <QComboBox>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <cmath>

#include "core/GumModel.h"
#include "evaluation/BudgetCalculation.h"
#include "persistence/ModelIO.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmMain.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/widgets/NameMarkupPainter.h"
#include "ui/widgets/NumberEdit.h"
#include "ui/TextCodec.h"

using namespace vormid;

namespace {

struct Window {
    QTemporaryDir dir;
    TGumModelStore* store = nullptr;
    std::unique_ptr<TfrmMain> w;
    Window() {
        auto s = std::make_unique<TGumModelStore>();
        store = s.get();
        w = std::make_unique<TfrmMain>(std::move(s), std::make_unique<QSettings>(dir.filePath("t.ini"), QSettings::IniFormat));
        w->FormShow();
        w->show();
        w->SelectModelPage(1);
    }
    template <class T> T* get(const char* name) const {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        if (!c) qFatal("no control %s", name);
        return c;
    }
    TModelController& c() const { return w->Controller(); }
    TGumParams& params() const { return store->Model().Params; }
    bool modified() const { return w->Document().Modified(); }
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
        QTest::keyClicks(e, text);
    }
};

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

        // The percent box alone does not make the model modified.
        win.choose("cbBEvalType", 0);
        win.w->Document().MarkModified(false);
        win.get<QCheckBox>("cbBParam1")->click();
        QVERIFY(a->InPercent);
        QVERIFY(!win.modified());

        // Text that is no number is shown as such and stores nothing.
        win.type("feBParam1", "1,5");
        QCOMPARE(a->StatedValue, 1.5);
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
        if (dy > 0) QVERIFY2(scriptBottom > baseBottom, "the subscript reaches below the base line");
        else QVERIFY2(scriptTop < baseTop, "the superscript reaches above the base text");
        QCOMPARE(painter.Width(markup.toStdString()) > baseWidth, true);
    }
};

QTEST_MAIN(TstModelPage)
#include "tst_modelpage.moc"
