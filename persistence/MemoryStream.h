#pragma once
// A growable byte buffer with a read/write position: the in-memory stream
// that the model file container keeps per section and for the whole file.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vormid {

class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : Bytes_(std::move(bytes)) {}

    std::size_t Size() const { return Bytes_.size(); }
    std::size_t Position() const { return Pos_; }
    // Moves the position; a position past the end is clamped to the end.
    void SetPosition(std::size_t pos) { Pos_ = pos < Bytes_.size() ? pos : Bytes_.size(); }
    std::size_t Remaining() const { return Bytes_.size() - Pos_; }

    const std::uint8_t* Data() const { return Bytes_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return Bytes_; }
    // Replaces the whole content and sets the position to 0.
    void Assign(std::vector<std::uint8_t> bytes);
    // Empties the stream (size and position 0).
    void Clear();

    // Writes n bytes at the position, growing the stream as needed; the
    // position moves past them. Never throws but for std::bad_alloc.
    void Write(const void* src, std::size_t n);

private:
    std::vector<std::uint8_t> Bytes_;
    std::size_t Pos_ = 0;
};

}  // namespace vormid
