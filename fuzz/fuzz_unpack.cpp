// libFuzzer target: UnpackStream on arbitrary bytes. Any input must either
// decode within its announced size or be refused as damaged data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "persistence/PackedStream.h"
#include "persistence/PersistenceError.h"
#include "persistence/Rle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vormid;
    TMemoryStream source(std::vector<std::uint8_t>(data, data + size));
    try {
        const TMemoryStream out = UnpackStream(source);
        // What decodes must pack and unpack to itself.
        TMemoryStream packed;
        PackStream(out, packed);
        packed.SetPosition(0);
        if (UnpackStream(packed).Bytes() != out.Bytes()) std::abort();
    } catch (const TCorruptDataError&) {
        if (source.Position() != 0) std::abort();
    }
    return 0;
}
