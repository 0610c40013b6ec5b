#pragma once
// The run-length codec of model file sections.
//
// A packed block is u32 unpacked length L followed by chunk records (u16
// encoded length n, then n bytes of encoded chunk); the input is cut into
// chunks of kRleChunkSize bytes. A chunk is encoded in the escape form
// (header word = the lowest byte value absent from the chunk, runs of 4+)
// or, when every byte value occurs, in the table form (header word = offset
// of a trailing table of run offsets, runs of 5+). All integers little-endian.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vormid {

constexpr std::size_t kRleChunkSize = 65533;

// The u32 of the packed blocks and of the file's section lengths.
inline std::uint32_t GetU32(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// Largest encoded chunk for n input bytes: n + 2 (the header word).
constexpr std::size_t RleEncodeBound(std::size_t n) { return n + 2; }

// Largest packed block for L input bytes: 4 + L + 4 per chunk.
constexpr std::size_t RlePackBound(std::size_t L) { return 4 + L + 4 * ((L + kRleChunkSize - 1) / kRleChunkSize); }

// Encodes one chunk of n bytes (1..kRleChunkSize) into dst, which must hold
// RleEncodeBound(n) bytes; returns the encoded length. No throw.
std::size_t RleEncode(const std::uint8_t* src, std::size_t n, std::uint8_t* dst);

// Decodes one encoded chunk of n bytes into dst of `capacity` bytes and
// returns the count produced. Throws TCorruptDataError when the chunk is
// malformed or would produce more than `capacity` bytes; it never reads
// outside src[0..n) nor writes outside dst[0..capacity).
std::size_t RleDecode(const std::uint8_t* src, std::size_t n, std::uint8_t* dst, std::size_t capacity);

// Packs L bytes (L < 2^32) into dst, which must hold RlePackBound(L) bytes;
// returns the block length. Throws std::length_error for L >= 2^32.
std::size_t RlePack(const std::uint8_t* data, std::size_t L, std::uint8_t* dst);
// The same into a new buffer.
std::vector<std::uint8_t> RlePack(const std::uint8_t* data, std::size_t L);

// Decodes `length` bytes of chunk records (a packed block without its L
// field) into dst of `capacity` bytes; returns the count produced. Throws
// TCorruptDataError for a record past the end, a malformed chunk, a chunk
// that decodes to more than kRleChunkSize bytes, or output past capacity.
std::size_t RleUnpack(const std::uint8_t* records, std::size_t length, std::uint8_t* dst, std::size_t capacity);

}  // namespace vormid
