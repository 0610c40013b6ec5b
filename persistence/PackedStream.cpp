#include "persistence/PackedStream.h"

#include <cstdint>
#include <vector>

#include "persistence/Messages.h"
#include "persistence/PersistenceError.h"
#include "persistence/Rle.h"

namespace vormid {

void PackStream(const TMemoryStream& source, TMemoryStream& destination) {
    const std::size_t L = source.Size();
    std::vector<std::uint8_t> buffer(4 + RlePackBound(L));
    const std::size_t B = RlePack(source.Data(), L, buffer.data() + 4);
    PutU32(buffer.data(), static_cast<std::uint32_t>(B));
    destination.Write(buffer.data(), 4 + B);
}

TMemoryStream UnpackStream(TMemoryStream& source) {
    const std::size_t start = source.Position();
    const std::size_t left = source.Remaining();
    const std::uint8_t* p = source.Data() + start;
    if (left < 8) throw TCorruptDataError(msg::TruncatedData());
    const std::size_t B = GetU32(p);
    if (B < 4) throw TCorruptDataError(msg::BadPackedBlock());
    if (B > left - 4) throw TCorruptDataError(msg::TruncatedData());
    const std::size_t L = GetU32(p + 4);
    const std::size_t recordBytes = B - 4;
    // Every chunk but the last decodes to exactly kRleChunkSize bytes and a
    // record is at least 4 bytes, so L is bounded by the records present.
    const std::size_t chunks = (L + kRleChunkSize - 1) / kRleChunkSize;
    if (L > kMaxUnpackedSize) throw TCorruptDataError(msg::SectionTooLarge());
    if (chunks > recordBytes / 4) throw TCorruptDataError(msg::UnpackedSizeMismatch());
    std::vector<std::uint8_t> out(L);
    const std::size_t produced = RleUnpack(p + 8, recordBytes, out.data(), L);
    if (produced != L) throw TCorruptDataError(msg::UnpackedSizeMismatch());
    source.SetPosition(start + 4 + B);
    return TMemoryStream(std::move(out));
}

}  // namespace vormid
