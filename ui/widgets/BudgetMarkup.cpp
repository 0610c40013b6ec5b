#include "ui/widgets/BudgetMarkup.h"

#include "core/NameMarkup.h"

namespace vormid {

// The markup is read by the one reader in core; this only turns its runs
// into the QString pieces the budget's cells and clipboard texts use.
std::vector<TMarkupRun> MarkupRuns(const std::string& s) {
    std::vector<TMarkupRun> runs;
    for (const TNameRun& run : NameMarkupRuns(s)) {
        const int script = run.Script == TNameScript::Subscript ? -1 : run.Script == TNameScript::Superscript ? 1 : 0;
        runs.push_back({QString::fromUcs4(run.Text.data(), static_cast<qsizetype>(run.Text.size())), script});
    }
    if (runs.empty()) runs.emplace_back();  // callers draw at least one (empty) run
    return runs;
}

QString MarkupPlain(const std::string& s) {
    QString out;
    for (const auto& r : MarkupRuns(s)) out += r.Text;
    return out;
}

QString MarkupHtml(const std::string& s) {
    QString out;
    for (const auto& r : MarkupRuns(s)) {
        const QString t = r.Text.toHtmlEscaped();
        out += r.Script < 0 ? "<sub>" + t + "</sub>" : r.Script > 0 ? "<sup>" + t + "</sup>" : t;
    }
    return out;
}

}  // namespace vormid
