#pragma once
// Which section of the guide F1 opens for each page, editor and dialog of
// the window. Keyed by the form's class name, so that a form moved to
// another place keeps its section.
#include <string>
#include <string_view>
#include <vector>

namespace vormid {

struct THelpTopic {
    std::string Form;    // the form's class name, without namespace
    std::string Anchor;  // the section's id in the guide; "" defers to the form around it
};

// Every form with its section, in the order of the guide.
const std::vector<THelpTopic>& HelpTopics();

// The section of a form; "" for a form that is unknown or defers to the
// form around it (a rich-text field answers for the page that holds it).
std::string HelpAnchorOf(std::string_view form);

// Whether the form is listed at all (with a section or deferring).
bool HasHelpTopic(std::string_view form);

}  // namespace vormid
