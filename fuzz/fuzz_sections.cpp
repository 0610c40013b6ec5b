// libFuzzer target: the section readers on arbitrary unpacked content, which
// reaches the record layouts far more often than mutated packed files. The
// first byte picks the section; a loaded model must save and load again to
// the same bytes.
#include <cstdint>
#include <cstdlib>

#include "persistence/ModelSections.h"
#include "persistence/PersistenceError.h"

namespace {

void Read(int section, vormid::TSectionReader& in, vormid::TGumModel& m, vormid::TDisplayState& d) {
    using namespace vormid;
    switch (section) {
        case 0: ReadHeaderSection(in, m); break;
        case 1: ReadQuantitiesSection(in, m); break;
        case 2: ReadCorrelationsSection(in, m); break;
        case 3: ReadBudgetsSection(in, m); break;
        default: ReadDisplaySection(in, m.FormatSettings, d); break;
    }
}

std::vector<std::uint8_t> Write(int section, const vormid::TGumModel& m, const vormid::TDisplayState& d) {
    using namespace vormid;
    TSectionWriter out;
    switch (section) {
        case 0: WriteHeaderSection(m, out); break;
        case 1: WriteQuantitiesSection(m, out); break;
        case 2: WriteCorrelationsSection(m, out); break;
        case 3: WriteBudgetsSection(m, out); break;
        default: WriteDisplaySection(m.FormatSettings, d, out); break;
    }
    return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vormid;
    if (size < 1) return 0;
    const int section = data[0] % 5;
    TGumModel model;
    TDisplayState display;
    TSectionReader in(data + 1, size - 1);
    try {
        Read(section, in, model, display);
    } catch (const TCorruptDataError&) {
        return 0;
    }
    // Budgets read their comments into quantities, which this section alone
    // does not have; the rest must be stable after one normalising save.
    const std::vector<std::uint8_t> once = Write(section, model, display);
    TGumModel again;
    TDisplayState againDisplay;
    TSectionReader in2(once.data(), once.size());
    try {
        Read(section, in2, again, againDisplay);
    } catch (const TCorruptDataError&) {
        std::abort();  // what we write we must be able to read
    }
    if (Write(section, again, againDisplay) != once) std::abort();
    return 0;
}
