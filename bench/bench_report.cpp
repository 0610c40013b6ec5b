// The uncertainty report of a 200-input model with 20 Type A series (each
// with its statistics table and histogram) written to PDF: built from the
// calculated budgets, laid out over its pages and painted. Target: 1 s.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "../tests/report/BigModel.h"
#include "evaluation/BudgetCalculation.h"
#include "report/ReportBuilder.h"
#include "report/qt/ReportFiles.h"

using namespace vormid;

namespace {

void BM_ReportPdf200Inputs(benchmark::State& state) {
    TGumModel m;
    test::FillBigModel(m, 200, 20);
    CalculateBudgets(m);
    const TDisplayState display;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        report::TReportSource src;
        src.Model = &m;
        src.Display = &display;
        src.FileName = "big.gmf";
        const report::TReport r = report::BuildReport(src);
        QString error;
        if (!report::WriteReport(r, report::TReportFormat::Pdf, path, {}, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(BM_ReportPdf200Inputs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
