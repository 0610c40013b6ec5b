// libFuzzer target: the section readers on arbitrary unpacked content, which
// reaches the record layouts far more often than mutated packed files. The
// check itself is in SectionRoundTrip.h.
#include <cstdint>
#include <cstdlib>

#include "fuzz/SectionRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!vormid::fuzz::SectionSavesStably(data, size)) std::abort();
    return 0;
}
