// Undo of the model in the whole window: a typed cell of a 200 x 10 000
// model (200 Type A quantities of 10 000 readings) made, undone and redone,
// each with the pages following; a field typed and undone; and the memory the
// undo steps of 1000 typed cells hold.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <vector>
#include <QSettings>
#include <QTemporaryDir>
#include <QUndoStack>

#include "core/GumModel.h"
#include "persistence/ModelIO.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmDlgBox.h"
#include "ui/TfrmMain.h"

using namespace vormid;

namespace {

constexpr int kQuantities = 200;
constexpr int kReadings = 10000;

class TBigModel {
public:
    TBigModel() {
        // A file holds at most 2^20 series values, so the file has ten readings
        // per quantity and the window's model grows to 10 000 after opening.
        TGumModel model;
        std::string equation = "Y = 0";
        model.Params.Add()->Name = "Y";
        model.Params.Get(0)->SetKind(TParamKind::Result);
        for (int i = 1; i <= kQuantities; ++i) {
            TGumParam& q = *model.Params.Add();
            q.Name = "Q" + std::to_string(i);
            q.SetKind(TParamKind::TypeA);
            equation += " + " + q.Name;
        }
        model.Equation = "{\\rtf1\\ansi " + equation + "\\par }";
        TGumModelFile file;
        file.FileName = dir_.filePath("big.gmf").toStdString();
        SaveModel(file, model, TDisplayState{});

        auto store = std::make_unique<TGumModelStore>();
        window_ = std::make_unique<TfrmMain>(std::move(store),
                                             std::make_unique<QSettings>(dir_.filePath("b.ini"), QSettings::IniFormat));
        window_->FormShow();
        window_->resize(1100, 760);
        window_->show();
        window_->Document().OpenFile(dir_.filePath("big.gmf"));
        TGumParams& params = window_->Controller().Model().Params;
        if (params.Count() != kQuantities + 1) qFatal("the large model did not open");
        for (int i = 1; i <= kQuantities; ++i) {
            TGumParam& q = *params.Get(i);
            q.SetObservationCount(kReadings);
            std::vector<double> readings(static_cast<std::size_t>(kReadings));
            for (int j = 0; j < kReadings; ++j)
                readings[static_cast<std::size_t>(j)] = 10.0 + 0.001 * ((i * 7919 + j * 104729) % 1000);
            q.SetReadings(readings, q.RowValues);
        }
        // The observation page shows the quantity whose cells are typed.
        window_->SelectMainPage(1);
        QApplication::processEvents();
    }
    TModelController& Controller() { return window_->Controller(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<TfrmMain> window_;
};

// Made in main and destroyed there, before the application.
TBigModel* big = nullptr;  // NOLINT: set once in main
TBigModel& Big() { return *big; }

void TypeCell(TModelController& c, int n) {
    c.EditQuantity(1, [n](TGumParam& q) { q.SetObservation(n % kReadings, 20.0 + n); });
}

void BM_CellEdit(benchmark::State& state) {
    TModelController& c = Big().Controller();
    int n = 0;
    for (auto _ : state) {
        TypeCell(c, n++);
        state.PauseTiming();
        c.UndoStack().undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CellEdit)->Unit(benchmark::kMillisecond);

void BM_CellUndo(benchmark::State& state) {
    TModelController& c = Big().Controller();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TypeCell(c, n++);
        state.ResumeTiming();
        c.UndoStack().undo();
    }
}
BENCHMARK(BM_CellUndo)->Unit(benchmark::kMillisecond);

void BM_CellRedo(benchmark::State& state) {
    TModelController& c = Big().Controller();
    TypeCell(c, 1);
    for (auto _ : state) {
        state.PauseTiming();
        c.UndoStack().undo();
        state.ResumeTiming();
        c.UndoStack().redo();
    }
}
BENCHMARK(BM_CellRedo)->Unit(benchmark::kMillisecond);

// A field of the shown quantity (its coverage factor), made and undone.
void BM_FieldEditAndUndo(benchmark::State& state) {
    TModelController& c = Big().Controller();
    c.Select(1);
    int n = 0;
    for (auto _ : state) {
        c.EditQuantity(1, [n](TGumParam& q) { q.CoverageFactor = 2.0 + (n % 7); });
        c.UndoStack().undo();
        ++n;
    }
}
BENCHMARK(BM_FieldEditAndUndo)->Unit(benchmark::kMillisecond);

// 1000 typed cells, spread over the quantities: the bytes their steps hold.
void BM_MemoryOf1000CellEdits(benchmark::State& state) {
    TModelController& c = Big().Controller();
    std::size_t bytes = 0;
    for (auto _ : state) {
        c.UndoStack().clear();
        for (int n = 0; n < 1000; ++n)
            c.EditQuantity(1 + n % kQuantities, [n](TGumParam& q) { q.SetObservation(n * 37 % kReadings, 30.0 + n); });
        bytes = c.UndoBytes();
    }
    state.counters["steps"] = c.UndoStack().count();
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / c.UndoStack().count();
}
BENCHMARK(BM_MemoryOf1000CellEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // No box may wait for a person here.
    SetDlgBoxResponder([](TfrmDlgBox& box) {
        std::fprintf(stderr, "%s\n", qPrintable(box.Message()));
        return box.DefaultAnswer();
    });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    auto model = std::make_unique<TBigModel>();
    big = model.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    model.reset();
    return 0;
}
