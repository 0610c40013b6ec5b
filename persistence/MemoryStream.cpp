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

}  // namespace vormid
