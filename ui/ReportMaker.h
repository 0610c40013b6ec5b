#pragma once
// The uncertainty report of the model in the window: built from the model
// as it is now (budgets calculated again), with the model's file bytes and
// budget JSON for a PDF's attachments. "Печат" previews and prints it,
// "Експорт" writes it.
#include <QString>
#include <vector>

#include "evaluation/MonteCarlo.h"
#include "report/ReportContent.h"
#include "report/qt/ReportFiles.h"

namespace vormid {

class TModelController;
class IModelStore;

struct TWindowReport {
    report::TReport Report;
    std::vector<report::TReportAttachment> Attachments;
};

// fileName: the document's file; modified: the model differs from it.
// The attached model is the model as it is now, so a check of the report
// recalculates exactly what was printed.
// monteCarlo: the finished Monte Carlo check of the model, or null.
TWindowReport MakeWindowReport(TModelController& controller, IModelStore& store, const QString& fileName, bool modified,
                               const std::vector<TMonteCarloResult>* monteCarlo);

}  // namespace vormid
