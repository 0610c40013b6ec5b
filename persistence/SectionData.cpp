#include "persistence/SectionData.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "persistence/Messages.h"
#include "persistence/PersistenceError.h"

namespace vormid {

static_assert(std::endian::native == std::endian::little, "fields are copied as little-endian");
static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);

const std::uint8_t* TSectionReader::Take(std::size_t n) {
    if (n > Remaining()) throw TCorruptDataError(msg::TruncatedData());
    const std::uint8_t* p = Data_ + Pos_;
    Pos_ += n;
    return p;
}

std::string TSectionReader::Text(std::size_t width, std::size_t maxChars) {
    const auto* p = reinterpret_cast<const char*>(Take(width));
    const std::size_t limit = std::min(width, maxChars);
    const void* zero = std::memchr(p, 0, limit);
    return std::string(p, zero ? static_cast<const char*>(zero) : p + limit);
}

std::string TSectionReader::Bytes(std::size_t n) { return std::string(reinterpret_cast<const char*>(Take(n)), n); }

std::string TSectionReader::Blob() { return Bytes(U32()); }

std::string TSectionReader::Comment() {
    const std::int32_t n = I32();
    return n <= 0 ? std::string() : Bytes(static_cast<std::size_t>(n));
}

std::int32_t TSectionReader::Count(std::size_t minRecordSize) {
    const std::int32_t n = I32();
    if (n < 0 || static_cast<std::size_t>(n) > Remaining() / minRecordSize) throw TCorruptDataError(msg::BadCount());
    return n;
}

void TSectionReader::SeriesInto(std::vector<double>& target) {
    const std::int32_t last = I32();
    if (last < -1) throw TCorruptDataError(msg::BadCount());
    const auto count = static_cast<std::size_t>(last + 1);
    if (count > Remaining() / 8) throw TCorruptDataError(msg::TruncatedData());
    const std::uint8_t* p = Take(count * 8);
    const std::size_t kept = count < target.size() ? count : target.size();
    if (kept > 0) std::memcpy(target.data(), p, kept * 8);
}

void TSectionWriter::Raw(const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    Bytes_.insert(Bytes_.end(), b, b + n);
}

void TSectionWriter::I32(std::int32_t v) { Raw(&v, 4); }
void TSectionWriter::U32(std::uint32_t v) { Raw(&v, 4); }
void TSectionWriter::F64(double v) { Raw(&v, 8); }

void TSectionWriter::Text(const std::string& text, std::size_t width, std::size_t maxChars) {
    const std::size_t n = text.size() < maxChars ? text.size() : maxChars;
    Raw(text.data(), n);
    Bytes_.insert(Bytes_.end(), width - n, 0);
}

void TSectionWriter::Blob(const std::string& bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("rich text of 4 GiB or more");
    U32(static_cast<std::uint32_t>(bytes.size()));
    Raw(bytes.data(), bytes.size());
}

void TSectionWriter::Comment(const std::string& bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("comment of 2 GiB or more");
    I32(static_cast<std::int32_t>(bytes.size()));
    Raw(bytes.data(), bytes.size());
}

void TSectionWriter::Series(const std::vector<double>& values) {
    if (values.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("series of 2^31 values or more");
    I32(static_cast<std::int32_t>(values.size()) - 1);
    Raw(values.data(), values.size() * 8);
}

}  // namespace vormid
