// The compiled-in caption table, generated at build time from Captions.txt.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vormid::lexicon {

struct Caption {
    std::uint16_t id;
    const char* text;  // Windows-1251 bytes, zero-terminated
};

// Sorted by id, ids unique; defined by the generated source.
extern const Caption kCaptions[];
extern const std::size_t kCaptionCount;

// The caption stored under id, or nullptr when there is none. Never fails.
const char* FindCaption(std::uint16_t id) noexcept;

}  // namespace vormid::lexicon
