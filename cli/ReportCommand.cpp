// "vormid-cli report": the uncertainty report of a model as PDF, ODT or
// HTML, made without a display.
#include <QDateTime>
#include <QGuiApplication>
#include <memory>
#include <sstream>

#include "cli/BudgetOutput.h"
#include "cli/Calculation.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ExtraCommands.h"
#include "cli/FileBytes.h"
#include "cli/FileError.h"
#include "cli/ModelFile.h"
#include "cli/OutputOrigin.h"
#include "cli/Sha256.h"
#include "evaluation/MonteCarlo.h"
#include "report/ReportBuilder.h"
#include "report/qt/ReportFiles.h"

namespace vormid::cli {
namespace {

QtMessageHandler qtHandler = nullptr;

// Without a login session (root in a job, a service) Qt says while it
// starts that it falls back to a runtime folder of its own; the report
// needs none, and the tool's error stream carries only its own messages.
void WithoutRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) qtHandler(type, context, text);
}

// Qt's painting needs an application object; the report never shows
// anything, so the offscreen platform serves everywhere, display or not.
void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vormid-cli";
    static char* argv[] = {name, nullptr};
    qtHandler = qInstallMessageHandler(WithoutRuntimeFolderNotice);
    static QGuiApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int RunReport(const ParsedArgs& args, std::ostream& /*out*/, std::ostream& err) {
    const std::string& path = args.Operands.at(0);
    const std::string& outPath = args.Options.at("-o");
    report::TReportFormat format;
    if (!report::ReportFormatOf(QString::fromStdString(outPath), &format))
        throw UsageError("файлът на отчета трябва да завършва на .pdf, .odt или .html: \"" + outPath + "\"");
    const std::string bytes = ReadInputFile(path);
    auto loaded = LoadModelFile(path);
    TGumModel& model = loaded->Model;
    std::string why;
    const bool calculated = WarnAndCalculate(model, path, err, &why);

    std::vector<TMonteCarloResult> mc;
    if (args.Options.at("--mc") == "1" && calculated) {
        TMonteCarloOptions options;
        mc = RunMonteCarlo(model, nullptr, options);
    }

    EnsureGuiApplication();
    report::TReportSource src;
    src.Model = &model;
    src.Display = &loaded->Display;
    src.FileName = IsStandardStream(path) ? "(стандартен вход)" : path;
    src.FileSha256 = Sha256Hex(bytes);
    src.Created = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdString();
    src.Program = std::string("Vormid ") + ProgramVersion();
    src.CalculationFailed = !calculated;
    src.CalculationMessage = why;
    src.MonteCarlo = mc.empty() ? nullptr : &mc;
    const report::TReport rep = report::BuildReport(src);

    std::vector<report::TReportAttachment> attachments;
    if (format == report::TReportFormat::Pdf) {
        const std::string name = IsStandardStream(path) ? "model.gmf" : BaseName(path);
        std::ostringstream json;
        WriteBudgetsJson(name, model, loaded->Display, json);
        attachments.push_back({QString::fromStdString(name), QByteArray::fromStdString(bytes),
                               QStringLiteral("application/octet-stream")});
        attachments.push_back({QString::fromLatin1(report::kBudgetAttachmentName),
                               QByteArray::fromStdString(json.str()), QStringLiteral("application/json")});
    }
    QString error;
    if (!report::WriteReport(rep, format, QString::fromStdString(outPath), attachments, &error))
        throw FileError(error.toStdString());
    if (rep.BudgetFailed) {
        err << "vormid-cli: " << path << ": "
            << "Грешка при изчисляване на бюджета." << (why.empty() ? "" : " ") << why << '\n';
        return kExitBudgetFailed;
    }
    return kExitOk;
}

}  // namespace

std::vector<ToolCommand> ReportCommands() { return {{ReportUsage(), RunReport}}; }

}  // namespace vormid::cli
