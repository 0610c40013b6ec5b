#pragma once
// The check of the fuzz_sections target, shared with the corpus test of the
// ordinary build: the section readers on arbitrary unpacked content. The
// first byte picks the section; a section that loads must save, load again
// and save to the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "persistence/ModelSections.h"
#include "persistence/PersistenceError.h"

namespace vormid::fuzz {

inline void ReadSectionContent(int section, TSectionReader& in, TGumModel& m, TDisplayState& d) {
    switch (section) {
        case 0:
            ReadHeaderSection(in, m);
            break;
        case 1:
            ReadQuantitiesSection(in, m);
            break;
        case 2:
            ReadCorrelationsSection(in, m);
            break;
        case 3:
            ReadBudgetsSection(in, m);
            break;
        default:
            ReadDisplaySection(in, m.FormatSettings, d);
            break;
    }
}

inline std::vector<std::uint8_t> WriteSectionContent(int section, const TGumModel& m, const TDisplayState& d) {
    TSectionWriter out;
    switch (section) {
        case 0:
            WriteHeaderSection(m, out);
            break;
        case 1:
            WriteQuantitiesSection(m, out);
            break;
        case 2:
            WriteCorrelationsSection(m, out);
            break;
        case 3:
            WriteBudgetsSection(m, out);
            break;
        default:
            WriteDisplaySection(m.FormatSettings, d, out);
            break;
    }
    return out.Bytes();
}

// False when the input loads but its save does not read back to the same
// save. Budgets read their comments into quantities, which one section alone
// does not have; the rest must be stable after one normalising save.
inline bool SectionSavesStably(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return true;
    const int section = data[0] % 5;
    TGumModel model;
    TDisplayState display;
    TSectionReader in(data + 1, size - 1);
    try {
        ReadSectionContent(section, in, model, display);
    } catch (const TCorruptDataError&) {
        return true;
    }
    const std::vector<std::uint8_t> once = WriteSectionContent(section, model, display);
    TGumModel again;
    TDisplayState againDisplay;
    TSectionReader in2(once.data(), once.size());
    try {
        ReadSectionContent(section, in2, again, againDisplay);
    } catch (const TCorruptDataError&) {
        return false;  // what we write we must be able to read
    }
    return WriteSectionContent(section, again, againDisplay) == once;
}

}  // namespace vormid::fuzz
