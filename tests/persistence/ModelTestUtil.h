#pragma once
// Helpers of the model serialisation tests: files assembled from hand-made
// section contents, and loading into a fresh model.
#include <array>
#include <string>

#include "persistence/GumModelFile.h"
#include "persistence/ModelIO.h"
#include "persistence/ModelSections.h"
#include "persistence/PackedStream.h"
#include "tests/persistence/TestUtil.h"

namespace vormid::test {

using Sections = std::array<Bytes, kSectionCount>;

// Writes a model file whose sections hold these unpacked contents.
inline void WriteModelFile(const std::string& path, const Sections& contents) {
    TGumModelFile f;
    f.FileName = path;
    for (int i = 1; i <= kSectionCount; ++i) PackStream(TMemoryStream(contents[i - 1]), f.Section(i));
    f.Save();
}

// The unpacked contents of the five sections of a model file.
inline Sections ReadSections(const std::string& path) {
    TGumModelFile f;
    f.FileName = path;
    f.Load();
    Sections out;
    for (int i = 1; i <= kSectionCount; ++i) out[i - 1] = UnpackStream(f.Section(i)).Bytes();
    return out;
}

// The unpacked contents SaveModel would write for this model.
inline Sections SectionsOf(const TGumModel& m, const TDisplayState& d) {
    TSectionWriter w[kSectionCount];
    WriteHeaderSection(m, w[0]);
    WriteQuantitiesSection(m, w[1]);
    WriteCorrelationsSection(m, w[2]);
    WriteBudgetsSection(m, w[3]);
    WriteDisplaySection(m.FormatSettings, d, w[4]);
    Sections out;
    for (int i = 0; i < kSectionCount; ++i) out[i] = w[i].Bytes();
    return out;
}

}  // namespace vormid::test
