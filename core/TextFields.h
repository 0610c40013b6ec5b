#pragma once
// The fixed text fields of the model file: each takes Width bytes in the
// file and keeps a text of at most Text bytes (the rest is zero padding).
// Every limit on the length of a stored text is one of these.
#include <cstddef>

namespace vormid {

struct TTextCapacity {
    std::size_t Width;
    std::size_t Text;
};

// Descriptions and the model name.
inline constexpr TTextCapacity kText256{256, 255};
// Names, units, formats, typed numbers, schema lines.
inline constexpr TTextCapacity kText101{101, 100};
// The display section's format strings: they fill the field, no terminator.
inline constexpr TTextCapacity kText20{20, 20};

}  // namespace vormid
