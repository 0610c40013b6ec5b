// The observation page at work: one typed cell of a 10 000-observation series
// (statistics, both grids and the histogram refreshed), and opening the page
// on a model of 200 Type A quantities of 1000 observations each.
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>

#include "core/GumModel.h"
#include "ui/Document.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/RecentFiles.h"
#include "ui/pages/ObservationPage.h"

using namespace vormid;

namespace {

void Fill(TGumModel& m, int quantities, int n) {
    for (int k = 0; k < quantities; ++k) {
        TGumParam& q = *m.Params.Add();
        q.Name = "x" + std::to_string(k);
        q.SetKind(TParamKind::TypeA);
        q.SetObservationCount(n);
        std::vector<double> readings;
        for (int i = 0; i < n; ++i) readings.push_back(10.0 + 0.001 * ((i * 7919) % 1000));
        q.SetReadings(readings, q.RowValues);
    }
}

// The model's one writer, as in the window.
class TNoHost : public IDocumentHost {
public:
    QString AskOpenFileName() override { return {}; }
    QString AskSaveFileName() override { return {}; }
    bool CanAsk() const override { return false; }
};

struct TWriter {
    TGumModelStore store;
    TRecentFiles recent;
    TNoHost host;
    TDocument document{store, recent, host};
    TModelController controller{store, document};
};

void BM_EditOneCellOf10000(benchmark::State& state) {
    TWriter writer;
    Fill(writer.store.Model(), 1, 10000);
    TObservationPage page;
    page.resize(920, 640);
    page.show();
    page.Attach(writer.controller);
    auto* grid = page.findChild<QTableView*>("dgTypeA");
    QAbstractItemModel* cells = grid->model();
    int k = 0;
    for (auto _ : state) {
        cells->setData(cells->index(k % 10000, 1), QString("%1,5").arg(k % 7));
        QCoreApplication::processEvents();  // the grids repaint
        ++k;
    }
}
BENCHMARK(BM_EditOneCellOf10000)->Unit(benchmark::kMillisecond);

void BM_OpenPage200x1000(benchmark::State& state) {
    TWriter writer;
    Fill(writer.store.Model(), 200, 1000);
    TObservationPage page;
    page.resize(920, 640);
    page.show();
    page.Attach(writer.controller);
    for (auto _ : state) {
        page.Entered();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenPage200x1000)->Unit(benchmark::kMillisecond);

// The first opening: 200 tabs made from nothing.
void BM_FirstOpen200x1000(benchmark::State& state) {
    TWriter writer;
    Fill(writer.store.Model(), 200, 1000);
    for (auto _ : state) {
        state.PauseTiming();
        auto page = std::make_unique<TObservationPage>();
        page->resize(920, 640);
        page->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        page->Attach(writer.controller);
        QCoreApplication::processEvents();
        state.PauseTiming();
        page.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpen200x1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
