// The id under which a caption is stored, shared by the library and the
// build-time generator so that both agree on the one formula.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vormid::lexicon {

// Id of letter block `letter` (A = 0, -1 for a non-letter) and `number` in
// `table`: (table + 10) * 1000 + letter * 100 + number, modulo 65536.
// Only the low 16 bits of table count. Never fails.
constexpr std::uint16_t CaptionId(std::uint32_t table, int letter, int number) {
    // Unsigned arithmetic wraps modulo 2^32, which 2^16 divides, so the final
    // narrowing gives the id modulo 65536 even for a negative letter term.
    const std::uint32_t blockBase = ((table & 0xFFFFu) + 10u) * 1000u;
    return static_cast<std::uint16_t>(blockBase + static_cast<std::uint32_t>(letter * 100 + number));
}

// Ids from here up are reserved for runtime messages and never hold a caption.
inline constexpr std::uint32_t kFirstReservedId = 65440;

// A caption fits the host's 1024-byte buffer together with its terminating zero.
inline constexpr std::size_t kMaxCaptionBytes = 1023;

}  // namespace vormid::lexicon
