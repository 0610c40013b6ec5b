// The validation check itself: the bundled examples agree, and a figure
// that differs or a model that cannot be read is reported as a mismatch.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Validation.h"

namespace vormid::cli {
namespace {

TEST(Validation, BundledExamplesAgreeAndCiteTheirSources) {
    std::ostringstream out;
    const ValidationCounts counts = ValidateExamples(BundledExamples(), out);
    EXPECT_TRUE(counts.AllAgree()) << out.str();
    EXPECT_GE(counts.Figures, 15);
    for (const WorkedExample& e : BundledExamples())
        EXPECT_NE(out.str().find("Източник: " + e.Source), std::string::npos) << e.Id;
}

TEST(Validation, MismatchesAreCountedAndNamed) {
    struct Case {
        const char* Name;
        void (*Spoil)(WorkedExample&);
        const char* Reported;
    };
    const Case cases[] = {
        {"figure off by more than its tolerance", [](WorkedExample& e) { e.Figures[1].Published = "33"; },
         "публикувано 33 нм ± 0,5 нм — НЕ СЪВПАДА"},
        {"result without a budget", [](WorkedExample& e) { e.Figures[0].Result = "Q"; }, "няма бюджет на „Q“"},
        {"unreadable model", [](WorkedExample& e) { e.Document = "{"; }, "моделът на примера не може да се прочете"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<WorkedExample> examples = {BundledExamples().front()};
        c.Spoil(examples.front());
        std::ostringstream out;
        EXPECT_FALSE(ValidateExamples(examples, out).AllAgree());
        EXPECT_NE(out.str().find(c.Reported), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("НЕ Е ВАЛИДИРАНО"), std::string::npos);
    }
}

}  // namespace
}  // namespace vormid::cli
