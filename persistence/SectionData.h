#pragma once
// Little-endian fields of an unpacked section: a bounds-checked reader and
// an appending writer. Fixed text fields are zero-padded; a series is an i32
// last index followed by that many + 1 doubles.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/TextFields.h"

namespace vormid {

// Reads fields from [data, data + size). Every read checks what remains and
// throws TCorruptDataError ("данните свършват преждевременно") when the field
// does not fit; nothing is read or allocated past the end.
class TSectionReader {
public:
    TSectionReader(const std::uint8_t* data, std::size_t size) : Data_(data), Size_(size) {}

    std::size_t Remaining() const { return Size_ - Pos_; }
    bool AtEnd() const { return Pos_ == Size_; }

    std::uint8_t U8() { return Number<std::uint8_t>(); }
    std::int32_t I32() { return Number<std::int32_t>(); }
    std::uint32_t U32() { return Number<std::uint32_t>(); }
    double F64() { return Number<double>(); }
    // A fixed field of `width` bytes, taken up to its first zero byte and
    // at most `maxChars` bytes: what the writer of the field keeps, so that
    // a field another program filled to the last byte reads as the text a
    // save writes back (two names that differ only past the kept length
    // are the same name from the first load on, not after a save).
    std::string Text(std::size_t width, std::size_t maxChars);
    std::string Text(TTextCapacity c) { return Text(c.Width, c.Text); }
    std::string Text256() { return Text(kText256); }
    std::string Text101() { return Text(kText101); }
    std::string Text20() { return Text(kText20); }
    // u32 length n, then n bytes.
    std::string Blob();
    // i32 length n, then n bytes when n > 0 (n <= 0: empty).
    std::string Comment();
    // A count of records of at least `minRecordSize` bytes each: throws
    // TCorruptDataError ("невъзможен брой записи") when negative or when
    // that many records cannot fit in what remains.
    std::int32_t Count(std::size_t minRecordSize);
    // A series: stores value k at target[k] for k < target.size() and skips
    // the rest; values past the stored ones keep their value.
    void SeriesInto(std::vector<double>& target);

    // Into a field, so that one list of a record's fields serves both the
    // reader and the writer (whose same calls take the values).
    void I32(std::int32_t& v) { v = I32(); }
    void F64(double& v) { v = F64(); }
    void Flag(bool& v) { v = U8() != 0; }
    void Text(std::string& t, TTextCapacity c) { t = Text(c); }

private:
    const std::uint8_t* Take(std::size_t n);
    std::string Bytes(std::size_t n);
    template <typename V>
    V Number() {
        V v;
        std::memcpy(&v, Take(sizeof v), sizeof v);
        return v;
    }
    const std::uint8_t* Data_;
    std::size_t Size_;
    std::size_t Pos_ = 0;
};

class TSectionWriter {
public:
    void U8(std::uint8_t v) { Bytes_.push_back(v); }
    void Flag(bool v) { Bytes_.push_back(v ? 1 : 0); }
    void I32(std::int32_t v);
    void U32(std::uint32_t v);
    void F64(double v);
    // At most `maxChars` bytes of text, zero-padded to `width` bytes.
    void Text(const std::string& text, std::size_t width, std::size_t maxChars);
    void Text(const std::string& t, TTextCapacity c) { Text(t, c.Width, c.Text); }
    void Text256(const std::string& t) { Text(t, kText256); }
    void Text101(const std::string& t) { Text(t, kText101); }
    void Text20(const std::string& t) { Text(t, kText20); }
    void Blob(const std::string& bytes);
    void Comment(const std::string& bytes);
    void Series(const std::vector<double>& values);

    const std::vector<std::uint8_t>& Bytes() const { return Bytes_; }
    std::vector<std::uint8_t>& Bytes() { return Bytes_; }

private:
    void Raw(const void* p, std::size_t n);
    std::vector<std::uint8_t> Bytes_;
};

}  // namespace vormid
