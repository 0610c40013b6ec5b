#include "ui/HelpTopics.h"

namespace vormid {

const std::vector<THelpTopic>& HelpTopics() {
    static const std::vector<THelpTopic> topics = {
        {"TfrmMain", "window"},
        {"Title", "title"},  // the first page is a plain widget, found by its name
        {"TDescriptionPage", "description"},
        {"TEquationPage", "equation"},
        {"TQuantityEditor", "quantities"},
        {"TKindEditor", "quantities"},
        {"TResultEditor", "result"},
        {"TTypeAEditor", "type-a"},
        {"TTypeBEditor", "type-b"},
        {"TConstEditor", "constant"},
        {"TCorrelationPage", "correlation"},
        {"TObservationPage", "observations"},
        {"TBudgetPage", "budget"},
        {"TfrmSettings", "formats"},
        {"TfrmInsSymb", "symbols"},
        {"TfrmFontColor", "colours"},
        {"TfrmDlgBox", "messages"},
        {"THelpWindow", "help"},
        {"TMonteCarloPanel", "budget-monte-carlo"},
        // Parts of a page: the page's section answers.
        {"TRichTextEditor", ""},
    };
    return topics;
}

std::string HelpAnchorOf(std::string_view form) {
    for (const THelpTopic& t : HelpTopics())
        if (t.Form == form) return t.Anchor;
    return std::string();
}

bool HasHelpTopic(std::string_view form) {
    for (const THelpTopic& t : HelpTopics())
        if (t.Form == form) return true;
    return false;
}

}  // namespace vormid
