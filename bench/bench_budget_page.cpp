// The budget grid: opening it on a 200-input model (calculation, model and
// view), and one full repaint of a 10 000-entry budget after a scroll.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include "core/GumModel.h"
#include "evaluation/BudgetCalculation.h"
#include "ui/Document.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/RecentFiles.h"
#include "ui/models/BudgetModel.h"
#include "ui/pages/BudgetPage.h"
#include "ui/widgets/BudgetTable.h"

using namespace vormid;

namespace {

void Build(TGumModel& m, int n) {
    TGumParam* y = m.Params.Add();
    y->Name = "Y";
    y->SetKind(TParamKind::Result);
    std::string eq = "Y = 0";
    for (int i = 1; i <= n; ++i) {
        TGumParam* x = m.Params.Add();
        x->Name = "X" + std::to_string(i);
        x->SetKind(TParamKind::TypeB);
        x->BEvalType = 1;
        x->BValue = i;
        x->StatedValue = 0.001 * i;
        eq += " + " + x->Name;
    }
    m.Equation = "{\\rtf1\\ansi\\ansicpg1251\\pard " + eq + "\\par }";
}

void BM_OpenBudgetOf200Inputs(benchmark::State& state) {
    TGumModel m;
    Build(m, 200);
    TDisplayState display;
    for (auto _ : state) {
        CalculateBudgets(m);
        BudgetModel model;
        model.Reset(&m, &display, 0);
        BudgetTableView view;
        view.setBudgetModel(&model);
        view.resize(900, 500);
        QImage image(view.size(), QImage::Format_ARGB32);
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_OpenBudgetOf200Inputs)->Unit(benchmark::kMillisecond);

// The page as the main window enters it: the calculation, the tabs, the
// widths fitted to the data of every budget, and the first painting.
class TNoHost : public IDocumentHost {
public:
    QString AskOpenFileName() override { return {}; }
    QString AskSaveFileName() override { return {}; }
    bool CanAsk() const override { return false; }
};

void BM_EnterBudgetPageOf200Inputs(benchmark::State& state) {
    TGumModelStore store;
    Build(store.Model(), 200);
    TRecentFiles recent;
    TNoHost host;
    TDocument document(store, recent, host);
    TModelController controller(store, document);
    TBudgetPage page;
    page.Attach(controller);
    TDisplayState display;
    display.ColumnWidthMode = cw_ByData;
    page.ApplyDisplay(display);
    page.resize(900, 600);
    QImage image(page.size(), QImage::Format_ARGB32);
    for (auto _ : state) {
        page.Entered();
        page.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_EnterBudgetPageOf200Inputs)->Unit(benchmark::kMillisecond);

void BM_RepaintScrolled10000Entries(benchmark::State& state) {
    TGumModel m;
    Build(m, 10000);
    CalculateBudgets(m);
    TDisplayState display;
    BudgetModel model;
    model.Reset(&m, &display, 0);
    BudgetTableView view;
    view.setBudgetModel(&model);
    view.resize(900, 700);
    QImage image(view.size(), QImage::Format_ARGB32);
    int step = 0;
    for (auto _ : state) {
        QScrollBar* bar = view.verticalScrollBar();
        bar->setValue((step++ * 977) % std::max(1, bar->maximum()));
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RepaintScrolled10000Entries)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
