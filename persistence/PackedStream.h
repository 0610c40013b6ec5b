#pragma once
// A packed block framed on a stream: u32 block length B (the block's own
// 4-byte L field included), then the B bytes of the packed block.
#include <cstddef>

#include "persistence/MemoryStream.h"

namespace vormid {

// Largest unpacked content UnpackStream accepts. Far above any model the
// program can edit, it keeps a hostile length from allocating gigabytes.
constexpr std::size_t kMaxUnpackedSize = std::size_t{256} << 20;

// Packs the whole content of source (whatever its position) and writes B
// and the block at destination's position. Throws std::length_error for a
// source of 4 GiB or more.
void PackStream(const TMemoryStream& source, TMemoryStream& destination);

// Reads a packed block at source's position and returns its content as a new
// stream positioned at 0; source is left just past the block. Throws
// TCorruptDataError (source position unchanged) when the block is truncated,
// its records do not add up to B - 4, it decodes to a size other than L, a
// chunk is malformed, or L exceeds kMaxUnpackedSize.
TMemoryStream UnpackStream(TMemoryStream& source);

}  // namespace vormid
