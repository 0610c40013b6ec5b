// The rich texts of every example model survive the RTF reader and writer:
// the equation reduces to the same plain lines, and the rewritten text reads
// back to the same document.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/RtfReader.h"
#include "core/RtfWriter.h"
#include "evaluation/EquationText.h"
#include "persistence/ModelIO.h"

namespace vormid {
namespace {

TEST(RtfExamples, EquationsAndDescriptionsRoundTrip) {
    const std::filesystem::path dir = std::filesystem::path(VORMID_SOURCE_DIR) / "examples";
    int models = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".gmf") continue;
        ++models;
        TGumModelFile file;
        file.FileName = entry.path().string();
        TGumModel model;
        TDisplayState display;
        LoadModel(file, model, display);
        const std::string name = entry.path().filename().string();
        ASSERT_FALSE(model.Equation.empty()) << name;
        TRtfDocument equation = ReadRtf(model.Equation);
        std::string rewritten = WriteRtf(equation);
        EXPECT_EQ(EquationText(rewritten), EquationText(model.Equation)) << name;
        EXPECT_EQ(ReadRtf(rewritten), equation) << name;
        // A plain description gains its font on the way, so the second
        // writing is compared with the first.
        std::string description = WriteRtf(ReadRtf(model.Description));
        EXPECT_EQ(WriteRtf(ReadRtf(description)), description) << name;
    }
    EXPECT_GE(models, 4);
}

}  // namespace
}  // namespace vormid
