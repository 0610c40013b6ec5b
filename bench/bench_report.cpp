// The uncertainty report of a 200-input model with 20 Type A series (each
// with its statistics table and histogram) written to PDF: built from the
// calculated budgets, laid out over its pages and painted. Target: 1 s.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTemporaryDir>

#include "../tests/report/BigModel.h"
#include "evaluation/BudgetCalculation.h"
#include "report/ReportBuilder.h"
#include "report/qt/ReportDocument.h"
#include "report/qt/ReportFiles.h"

using namespace vormid;

namespace {

// The calculated model as the report reads it.
struct TBigSource {
    TGumModel model;
    TDisplayState display;
    report::TReportSource src;
    TBigSource() {
        test::FillBigModel(model, 200, 20);
        CalculateBudgets(model);
        src.Model = &model;
        src.Display = &display;
        src.FileName = "big.gmf";
    }
};

void BM_ReportPdf200Inputs(benchmark::State& state) {
    const TBigSource big;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        const report::TReport r = report::BuildReport(big.src);
        QString error;
        if (!report::WriteReport(r, report::TReportFormat::Pdf, path, {}, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(BM_ReportPdf200Inputs)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts of the above: the content, and the document laid out for PDF
// pages (without painting).
void BM_ReportContent200Inputs(benchmark::State& state) {
    const TBigSource big;
    for (auto _ : state) benchmark::DoNotOptimize(report::BuildReport(big.src));
}
BENCHMARK(BM_ReportContent200Inputs)->Unit(benchmark::kMillisecond);

void BM_ReportLayout200Inputs(benchmark::State& state) {
    const TBigSource big;
    const report::TReport r = report::BuildReport(big.src);
    QTemporaryDir dir;
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath(QStringLiteral("layout.pdf")));
        writer.setResolution(300);
        auto doc = report::RenderReport(r, &writer);
        benchmark::DoNotOptimize(doc->pageCount());
    }
}
BENCHMARK(BM_ReportLayout200Inputs)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
