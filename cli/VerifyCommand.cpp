// "vormid-cli verify": whether the figures of a PDF report come from the
// model it carries. The report holds the model file and the budget JSON as
// attachments; the model is calculated again and its budget compared with
// the attached one, and the model's SHA-256 with the one on the first page.
#include <poppler-document.h>
#include <poppler-embedded-file.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "cli/BudgetOutput.h"
#include "cli/Calculation.h"
#include "cli/ExitCodes.h"
#include "cli/ExtraCommands.h"
#include "cli/FileBytes.h"
#include "cli/FileError.h"
#include "cli/JsonValues.h"
#include "cli/ModelFile.h"
#include "cli/Sha256.h"
#include "core/Cp1251.h"
#include "persistence/GumModelFile.h"
#include "persistence/ModelIO.h"
#include "persistence/PersistenceError.h"

namespace vormid::cli {
namespace {

constexpr const char* kBudgetAttachment = "vormid-budget.json";
// Differences listed before the rest is counted only.
constexpr int kListedDifferences = 20;

// Poppler writes its complaints about a damaged file to standard error;
// the command says in its own words what is wrong.
void Quiet(const std::string&, void*) {}

bool SameNumber(double a, double b) {
    if (a == b) return true;
    // The same calculation on another machine may differ in the last bits.
    return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

void Compare(const Json& a, const Json& b, const std::string& where, std::vector<std::string>& diffs) {
    if (a.is_number() && b.is_number()) {
        if (!SameNumber(a.get<double>(), b.get<double>()))
            diffs.push_back(where + ": в отчета " + a.dump() + ", изчислено " + b.dump());
        return;
    }
    if (a.type() != b.type()) {
        diffs.push_back(where + ": в отчета " + a.dump() + ", изчислено " + b.dump());
        return;
    }
    if (a.is_object()) {
        for (auto it = a.begin(); it != a.end(); ++it) {
            // What made the JSON is no figure of the budget.
            if (where.empty() && (it.key() == "program" || it.key() == "version")) continue;
            const std::string path = where.empty() ? it.key() : where + "." + it.key();
            if (!b.contains(it.key()))
                diffs.push_back(path + ": няма го в изчисленото");
            else
                Compare(it.value(), b.at(it.key()), path, diffs);
        }
        for (auto it = b.begin(); it != b.end(); ++it)
            if (!a.contains(it.key()) && !(where.empty() && (it.key() == "program" || it.key() == "version")))
                diffs.push_back((where.empty() ? it.key() : where + "." + it.key()) + ": няма го в отчета");
        return;
    }
    if (a.is_array()) {
        if (a.size() != b.size()) {
            diffs.push_back(where + ": " + std::to_string(a.size()) + " елемента в отчета, " +
                            std::to_string(b.size()) + " изчислени");
            return;
        }
        for (std::size_t i = 0; i < a.size(); ++i) Compare(a[i], b[i], where + "[" + std::to_string(i) + "]", diffs);
        return;
    }
    if (a != b) diffs.push_back(where + ": в отчета " + a.dump() + ", изчислено " + b.dump());
}

std::string Str(const poppler::byte_array& bytes) { return std::string(bytes.begin(), bytes.end()); }

int RunVerify(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& path = args.Operands.at(0);
    std::string bytes = ReadInputFile(path);
    if (bytes.rfind("%PDF-", 0) != 0) throw FileError("„" + path + "“ не е PDF файл");
    poppler::set_debug_error_function(Quiet, nullptr);
    std::unique_ptr<poppler::document> doc(
        poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    if (!doc || doc->is_locked()) throw FileError("PDF файлът „" + path + "“ е повреден и не може да се прочете");
    std::string model, modelName, budget;
    bool hasModel = false, hasBudget = false;
    if (doc->has_embedded_files()) {
        for (poppler::embedded_file* f : doc->embedded_files()) {
            if (f == nullptr || !f->is_valid()) continue;
            const std::string name = f->name();
            if (name == kBudgetAttachment) {
                budget = Str(f->data());
                hasBudget = true;
            } else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".gmf") == 0) {
                model = Str(f->data());
                modelName = name;
                hasModel = true;
            }
        }
    }
    if (!hasModel || !hasBudget)
        throw FileError("„" + path +
                        "“ не носи приложени файл на модела и бюджет: не е отчет на Vormid или е записан без тях");

    auto loaded = std::make_unique<LoadedModel>();
    try {
        TGumModelFile file;
        file.FileName = Utf8ToCp1251(modelName).value_or("model.gmf");
        LoadModelFromBytes(file, std::vector<std::uint8_t>(model.begin(), model.end()), loaded->Model, loaded->Display);
    } catch (const TModelFileError& e) {
        out << "Отчетът не съответства на модела: приложеният модел не може да се прочете (" << Cp1251ToUtf8(e.what())
            << ")\n";
        return kExitBudgetFailed;
    } catch (const TCorruptDataError& e) {
        out << "Отчетът не съответства на модела: приложеният модел е повреден (" << Cp1251ToUtf8(e.what()) << ")\n";
        return kExitBudgetFailed;
    }
    std::string why;
    if (!CalculateModelBudgets(loaded->Model, &why)) loaded->Model.Budgets.clear();
    std::ostringstream json;
    WriteBudgetsJson(modelName, loaded->Model, loaded->Display, json);

    std::vector<std::string> diffs;
    Json attached;
    try {
        attached = Json::parse(budget);
    } catch (const std::exception&) {
        diffs.push_back("приложеният бюджет не е JSON документ");
    }
    if (diffs.empty()) Compare(attached, Json::parse(json.str()), "", diffs);

    // The hash printed in the header names the attached model.
    const std::string hash = Sha256Hex(model);
    std::unique_ptr<poppler::page> first(doc->pages() > 0 ? doc->create_page(0) : nullptr);
    if (!first) {
        diffs.push_back("отчетът няма страници");
    } else {
        const poppler::byte_array text = first->text().to_utf8();
        if (Str(text).find(hash) == std::string::npos)
            diffs.push_back("SHA-256 в заглавието на отчета не е на приложения модел (" + hash + ")");
    }

    if (diffs.empty()) {
        out << "Отчетът съответства на модела: " << modelName << ", SHA-256 " << hash << '\n';
        return kExitOk;
    }
    out << "Отчетът не съответства на модела:\n";
    for (std::size_t i = 0; i < diffs.size() && i < kListedDifferences; ++i) out << "  " << diffs[i] << '\n';
    if (diffs.size() > kListedDifferences) out << "  … и още " << diffs.size() - kListedDifferences << '\n';
    err << "vormid-cli: " << path << ": отчетът не съответства на модела\n";
    return kExitBudgetFailed;
}

}  // namespace

std::vector<ToolCommand> VerifyCommands() { return {{VerifyUsage(), RunVerify}}; }

}  // namespace vormid::cli
