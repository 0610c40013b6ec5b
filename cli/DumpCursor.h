#pragma once
// Reads the fields of one unpacked section and prints each with its offset,
// for "vormid-cli dump". Every read checks the bytes that remain first; a
// field that does not fit throws DumpBreak, which tells where the section
// broke.
#include <cstdint>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/TextFields.h"
#include "persistence/Rle.h"

namespace vormid::cli {

struct DumpBreak : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The u32 at a place of stored bytes; the caller has checked the length.
inline std::uint32_t U32At(std::string_view bytes, std::size_t at) {
    return GetU32(reinterpret_cast<const std::uint8_t*>(bytes.data() + at));
}

// Printable UTF-8 form of stored bytes: quoted, Windows-1251 decoded, with
// control bytes, quotes, backslashes and the unassigned byte 0x98 escaped
// (\n, \xNN), so that every byte can be told from the output.
std::string QuoteBytes(std::string_view bytes);

class DumpCursor {
public:
    DumpCursor(std::string_view data, std::ostream& out, std::string indent = "  ");

    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

    std::uint8_t U8(std::string_view label, std::string_view meaning = {});
    // A one-byte code shown with the caption of its value (names[value]).
    std::uint8_t Code(std::string_view label, std::span<const char* const> names);
    std::int32_t I32(std::string_view label);
    std::uint32_t U32(std::string_view label);
    double F64(std::string_view label);
    std::string Text(std::string_view label, std::size_t size);
    std::string Text(std::string_view label, TTextCapacity c) { return Text(label, c.Width); }
    std::string Blob(std::string_view label);
    // n bytes whose length was read before.
    std::string Raw(std::string_view label, std::size_t n);
    // An i32 last index and last + 1 doubles.
    void Series(std::string_view label);
    // An i32 count that must not be negative.
    std::int32_t Count(std::string_view label);

    void Note(std::string_view text);  // a line of its own, at the current indent
    void SetIndent(std::string indent) { indent_ = std::move(indent); }

private:
    void Need(std::size_t n, std::string_view what, std::string_view label) const;
    std::ostream& Line(std::size_t at);

    std::string_view data_;
    std::size_t pos_ = 0;
    std::ostream& out_;
    std::string indent_;
};

}  // namespace vormid::cli
