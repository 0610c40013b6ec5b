// Selecting a quantity in the list of the model page and filling its editor
// page (kind box, description, units, comment, and the Result, Type A,
// Type B or Const page with its chart), on the example models. Each round
// selects the quantity from another one, as a click on its row does; the
// paint of the filled editor is measured apart.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include "core/GumModel.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmDlgBox.h"
#include "ui/TfrmMain.h"
#include "ui/editors/QuantityEditor.h"

using namespace vormid;

namespace {

struct TCase {
    const char* File;
    const char* Quantity;
};

// One quantity of each page: a result, a Type A series, a Type B interval
// with its chart, a stated expanded uncertainty, a constant.
const TCase kCases[] = {
    {"gauge_block.gmf", "L"},  {"gauge_block.gmf", "D"}, {"gauge_block.gmf", "DT"},
    {"gauge_block.gmf", "LS"}, {"resistance.gmf", "A"},
};

class TWindow {
public:
    explicit TWindow(const char* file) {
        auto store = std::make_unique<TGumModelStore>();
        window_ = std::make_unique<TfrmMain>(std::move(store),
                                             std::make_unique<QSettings>(dir_.filePath("b.ini"), QSettings::IniFormat));
        window_->FormShow();
        window_->resize(1100, 760);
        window_->show();
        window_->Document().OpenFile(QStringLiteral(VORMID_EXAMPLES "/") + QString::fromLatin1(file));
        window_->SelectMainPage(0);
        window_->SelectModelPage(1);
        list_ = window_->findChild<QTableView*>(QStringLiteral("dgParams"));
        editor_ = window_->findChild<TQuantityEditor*>(QStringLiteral("pnlParamData"));
        QApplication::processEvents();
    }
    int IndexOf(const char* name) const {
        const TGumParams& params = window_->Controller().Model().Params;
        return params.IndexOf(params.FindByName(name));
    }
    // What a click on the row does: the list's current row moves.
    void Click(int row) {
        list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    int Selected() const { return window_->Controller().Selected(); }
    QWidget* Editor() const { return editor_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<TfrmMain> window_;
    QTableView* list_ = nullptr;
    TQuantityEditor* editor_ = nullptr;
};

void BM_SelectQuantity(benchmark::State& state) {
    const TCase& c = kCases[state.range(0)];
    TWindow w(c.File);
    const int target = w.IndexOf(c.Quantity);
    const int other = target == 0 ? 1 : 0;
    if (target < 0) {
        state.SkipWithError("no such quantity");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.Click(other);
        state.ResumeTiming();
        w.Click(target);
    }
    if (w.Selected() != target) state.SkipWithError("the quantity was not selected");
    state.SetLabel(std::string(c.File) + " " + c.Quantity);
}
BENCHMARK(BM_SelectQuantity)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The same with the editor painted once afterwards.
void BM_SelectQuantityAndPaint(benchmark::State& state) {
    const TCase& c = kCases[state.range(0)];
    TWindow w(c.File);
    const int target = w.IndexOf(c.Quantity);
    const int other = target == 0 ? 1 : 0;
    // The format of the window's own backing store.
    QImage image(w.Editor()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        w.Click(other);
        state.ResumeTiming();
        w.Click(target);
        w.Editor()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.SetLabel(std::string(c.File) + " " + c.Quantity);
}
BENCHMARK(BM_SelectQuantityAndPaint)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // No box may wait for a person here.
    SetDlgBoxResponder([](TfrmDlgBox& box) { return box.DefaultAnswer(); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
