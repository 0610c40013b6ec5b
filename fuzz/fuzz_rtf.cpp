// libFuzzer target of the RTF reader, the writer and the units reduction:
// any bytes read without a crash, leak or hang, and what the writer makes of
// the document reads back to the same document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/RtfReader.h"
#include "core/RtfUnits.h"
#include "core/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vormid::TRtfDocument doc = vormid::ReadRtf(bytes);
    std::string rtf = vormid::WriteRtf(doc);
    vormid::TRtfDocument again = vormid::ReadRtf(rtf);
    if (!(vormid::ReadRtf(vormid::WriteRtf(again)) == again)) std::abort();
    (void)vormid::RtfToUnits(bytes);
    (void)vormid::UnitsToRtf(bytes);
    return 0;
}
