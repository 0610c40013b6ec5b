#include "ui/widgets/BudgetMarkup.h"

#include "core/NameMarkup.h"

namespace vormid {
namespace {

// The markup is read by the one reader in core.
QString RunText(const TNameRun& run) {
    return QString::fromUcs4(run.Text.data(), static_cast<qsizetype>(run.Text.size()));
}

}  // namespace

QString MarkupPlain(const std::string& s) {
    QString out;
    for (const TNameRun& run : NameMarkupRuns(s)) out += RunText(run);
    return out;
}

QString MarkupHtml(const std::string& s) {
    QString out;
    for (const TNameRun& run : NameMarkupRuns(s)) {
        const QString t = RunText(run).toHtmlEscaped();
        out += run.Script == TNameScript::Subscript     ? "<sub>" + t + "</sub>"
               : run.Script == TNameScript::Superscript ? "<sup>" + t + "</sup>"
                                                        : t;
    }
    return out;
}

}  // namespace vormid
