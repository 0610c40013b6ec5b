#include "persistence/MemoryStream.h"

#include <cstring>

namespace vormid {

void TMemoryStream::Assign(std::vector<std::uint8_t> bytes) {
    Bytes_ = std::move(bytes);
    Pos_ = 0;
}

void TMemoryStream::Clear() {
    Bytes_.clear();
    Pos_ = 0;
}

void TMemoryStream::Write(const void* src, std::size_t n) {
    if (n == 0) return;
    if (Pos_ + n > Bytes_.size()) Bytes_.resize(Pos_ + n);
    std::memcpy(Bytes_.data() + Pos_, src, n);
    Pos_ += n;
}

std::size_t TMemoryStream::Read(void* dst, std::size_t n) {
    const std::size_t count = n < Remaining() ? n : Remaining();
    if (count > 0) std::memcpy(dst, Bytes_.data() + Pos_, count);
    Pos_ += count;
    return count;
}

}  // namespace vormid
