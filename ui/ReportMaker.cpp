#include "ui/ReportMaker.h"

#include <QDateTime>
#include <QFileInfo>
#include <sstream>

#include "cli/BudgetOutput.h"
#include "cli/OutputOrigin.h"
#include "cli/Sha256.h"
#include "persistence/ModelIO.h"
#include "report/ReportBuilder.h"
#include "ui/ModelController.h"
#include "ui/ModelStore.h"

namespace vormid {

TWindowReport MakeWindowReport(TModelController& controller, IModelStore& store, const QString& fileName, bool modified,
                               const std::vector<TMonteCarloResult>* monteCarlo) {
    controller.Recalculate();
    TGumModel& model = controller.Model();
    static const TDisplayState kDefaultDisplay;
    const TDisplayState& display = store.Display() ? *store.Display() : kDefaultDisplay;
    const std::vector<std::uint8_t> bytes = ModelFileBytes(model, display);
    const std::string data(bytes.begin(), bytes.end());
    const std::string name = QFileInfo(fileName).fileName().toStdString();

    report::TReportSource src;
    src.Model = &model;
    src.Display = &display;
    src.FileName = fileName.toStdString() + (modified ? " (с незаписани промени)" : "");
    src.FileSha256 = cli::Sha256Hex(data);
    src.Created = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdString();
    src.Program = std::string("Vormid ") + cli::ProgramVersion();
    src.MonteCarlo = monteCarlo;
    TWindowReport out;
    out.Report = report::BuildReport(src);

    std::ostringstream json;
    cli::WriteBudgetsJson(name, model, display, json);
    out.Attachments.push_back(
        {QString::fromStdString(name), QByteArray::fromStdString(data), QStringLiteral("application/octet-stream")});
    out.Attachments.push_back({QString::fromLatin1(report::kBudgetAttachmentName),
                               QByteArray::fromStdString(json.str()), QStringLiteral("application/json")});
    return out;
}

}  // namespace vormid
