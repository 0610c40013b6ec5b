#pragma once
// Validation of the program against worked examples published by metrology
// bodies: each example is a model document (as "import" reads it) with the
// figures its source prints, and the check calculates the model's budgets
// and compares every figure with the published one within its tolerance.
#include <ostream>
#include <string>
#include <vector>

namespace vormid::cli {

enum class FigureKind { Value, CombinedUncertainty, EffectiveDof, CoverageFactor, ExpandedUncertainty };

struct PublishedFigure {
    std::string Result;  // the result quantity's name in the model
    FigureKind Kind;
    std::string Published;  // the figure as the source prints it, "." decimal sign
    std::string Tolerance;  // largest accepted difference, in the same unit
    std::string Unit;       // the unit the source prints the figure in (UTF-8)
    double Scale = 1.0;     // one Unit in the model's unit of the result
    std::string Why = {};   // why the tolerance is wider than half a unit of the last digit
};

struct WorkedExample {
    std::string Id;             // short name, also the file name of --save
    std::string Title;          // what is measured (UTF-8)
    std::string Source;         // the publication, clause and table (UTF-8)
    std::string Transcription;  // how the source's inputs became the model (UTF-8)
    std::string Document;       // the model as a JSON document of "import"
    std::vector<PublishedFigure> Figures;
};

// The examples bundled with the program.
const std::vector<WorkedExample>& BundledExamples();

struct ValidationCounts {
    int Figures = 0;
    int Agreeing = 0;
    int FailedExamples = 0;  // examples whose model could not be read or calculated
    bool AllAgree() const { return FailedExamples == 0 && Agreeing == Figures; }
};

// Writes the example's model as a model file, for a look in the window.
// Throws FileError.
void SaveExampleModel(const WorkedExample& example, const std::string& path);

// Calculates every example and writes the report (Bulgarian, UTF-8).
ValidationCounts ValidateExamples(const std::vector<WorkedExample>& examples, std::ostream& out);

}  // namespace vormid::cli
