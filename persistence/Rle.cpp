#include "persistence/Rle.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "persistence/Messages.h"
#include "persistence/PersistenceError.h"

namespace vormid {
namespace {

inline void PutU16(std::uint8_t* p, std::size_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline std::size_t GetU16(const std::uint8_t* p) { return p[0] | (std::size_t{p[1]} << 8); }

// The count C = run length - 1: one byte, or 0 and a u16 when above 255.
inline std::uint8_t* PutCount(std::uint8_t* out, std::size_t count) {
    if (count <= 255) {
        *out++ = static_cast<std::uint8_t>(count);
    } else {
        *out++ = 0;
        PutU16(out, count);
        out += 2;
    }
    return out;
}

// First position >= i where `len` equal bytes start, or n when none. Tests
// from the far end of the window so that a mismatch skips several starts.
template <std::size_t len>
inline std::size_t FindRun(const std::uint8_t* s, std::size_t i, std::size_t n) {
    while (i + len <= n) {
        std::size_t k = len - 1;
        while (k > 0 && s[i + k] == s[i + k - 1]) --k;
        if (k == 0) return i;
        i += k;  // no run can start before i + k
    }
    return n;
}

inline std::size_t RunEnd(const std::uint8_t* s, std::size_t j, std::size_t n, std::uint8_t fill) {
    while (j < n && s[j] == fill) ++j;
    return j;
}

std::size_t EncodeEscape(const std::uint8_t* src, std::size_t n, std::uint8_t* dst, std::uint8_t esc) {
    PutU16(dst, esc);
    std::uint8_t* out = dst + 2;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = FindRun<4>(src, i, n);
        if (run > i) std::memcpy(out, src + i, run - i);
        out += run - i;
        if (run == n) break;
        const std::size_t end = RunEnd(src, run + 4, n, src[run]);
        *out++ = esc;
        *out++ = src[run];
        out = PutCount(out, end - run - 1);
        i = end;
    }
    return static_cast<std::size_t>(out - dst);
}

std::size_t EncodeTable(const std::uint8_t* src, std::size_t n, std::uint8_t* dst) {
    // A run takes at least 5 input bytes, so a chunk has at most this many;
    // their offsets are written after the body, last run first.
    std::uint8_t* out = dst + 2;
    std::uint16_t offsets[kRleChunkSize / 5 + 1];
    std::size_t runs = 0;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = FindRun<5>(src, i, n);
        if (run == n) {
            if (n > i) std::memcpy(out, src + i, n - i);
            out += n - i;
            break;
        }
        std::memcpy(out, src + i, run + 1 - i);  // literals and the fill byte
        out += run + 1 - i;
        const std::size_t end = RunEnd(src, run + 5, n, src[run]);
        offsets[runs++] = static_cast<std::uint16_t>(out - dst);
        out = PutCount(out, end - run - 1);
        i = end;
    }
    PutU16(dst, static_cast<std::size_t>(out - dst));
    while (runs > 0) {
        PutU16(out, offsets[--runs]);
        out += 2;
    }
    return static_cast<std::size_t>(out - dst);
}

[[noreturn]] void Corrupt() { throw TCorruptDataError(msg::BadChunk()); }

std::size_t DecodeEscape(const std::uint8_t* src, std::size_t n, std::uint8_t* dst, std::size_t capacity) {
    const std::uint8_t esc = src[0];
    const std::uint8_t* p = src + 2;
    const std::uint8_t* const end = src + n;
    std::size_t produced = 0;
    while (p < end) {
        const auto* hit = static_cast<const std::uint8_t*>(std::memchr(p, esc, static_cast<std::size_t>(end - p)));
        const std::uint8_t* stop = hit ? hit : end;
        const auto literals = static_cast<std::size_t>(stop - p);
        if (literals > capacity - produced) Corrupt();
        if (literals > 0) std::memcpy(dst + produced, p, literals);
        produced += literals;
        p = stop;
        if (p == end) break;
        if (end - p < 3) Corrupt();
        const std::uint8_t fill = p[1];
        std::size_t count = p[2];
        p += 3;
        if (count == 0) {
            if (end - p < 2) Corrupt();
            count = GetU16(p);
            p += 2;
        }
        if (count + 1 > capacity - produced) Corrupt();
        std::memset(dst + produced, fill, count + 1);
        produced += count + 1;
    }
    return produced;
}

std::size_t DecodeTable(const std::uint8_t* src, std::size_t n, std::uint8_t* dst, std::size_t capacity) {
    const std::size_t tableStart = GetU16(src);
    if (tableStart > n || (n - tableStart) % 2 != 0) Corrupt();
    std::size_t pos = 2;  // read position in the body
    std::size_t produced = 0;
    auto copyLiterals = [&](std::size_t upTo) {
        const std::size_t count = upTo - pos;
        if (count > capacity - produced) Corrupt();
        if (count > 0) std::memcpy(dst + produced, src + pos, count);
        produced += count;
        pos = upTo;
    };
    // The table lists the last run first, so walk it from its end.
    for (std::size_t e = n; e > tableStart; e -= 2) {
        const std::size_t t = GetU16(src + e - 2);
        // The fill byte at t - 1 must be unread body; the count inside it.
        if (t <= pos || t >= tableStart) Corrupt();
        copyLiterals(t - 1);
        const std::uint8_t fill = src[t - 1];
        std::size_t count = src[t];
        pos = t + 1;
        if (count == 0) {
            if (tableStart - pos < 2) Corrupt();
            count = GetU16(src + pos);
            pos += 2;
        }
        if (count + 1 > capacity - produced) Corrupt();
        std::memset(dst + produced, fill, count + 1);
        produced += count + 1;
    }
    copyLiterals(tableStart);
    return produced;
}

}  // namespace

std::size_t RleEncode(const std::uint8_t* src, std::size_t n, std::uint8_t* dst) {
    bool seen[256] = {};
    for (std::size_t i = 0; i < n; ++i) seen[src[i]] = true;
    for (int e = 0; e < 256; ++e)
        if (!seen[e]) return EncodeEscape(src, n, dst, static_cast<std::uint8_t>(e));
    return EncodeTable(src, n, dst);
}

std::size_t RleDecode(const std::uint8_t* src, std::size_t n, std::uint8_t* dst, std::size_t capacity) {
    if (n < 2) Corrupt();
    return src[1] == 0 ? DecodeEscape(src, n, dst, capacity) : DecodeTable(src, n, dst, capacity);
}

std::size_t RlePack(const std::uint8_t* data, std::size_t L, std::uint8_t* dst) {
    if (L > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("RlePack: input of 4 GiB or more");
    PutU32(dst, static_cast<std::uint32_t>(L));
    std::size_t out = 4;
    for (std::size_t start = 0; start < L; start += kRleChunkSize) {
        const std::size_t len = L - start < kRleChunkSize ? L - start : kRleChunkSize;
        const std::size_t n = RleEncode(data + start, len, dst + out + 2);
        PutU16(dst + out, n);
        out += 2 + n;
    }
    return out;
}

std::vector<std::uint8_t> RlePack(const std::uint8_t* data, std::size_t L) {
    std::vector<std::uint8_t> out(RlePackBound(L));
    out.resize(RlePack(data, L, out.data()));
    return out;
}

std::size_t RleUnpack(const std::uint8_t* records, std::size_t length, std::uint8_t* dst, std::size_t capacity) {
    std::size_t pos = 0;
    std::size_t produced = 0;
    while (pos < length) {
        if (length - pos < 2) Corrupt();
        const std::size_t n = GetU16(records + pos);
        pos += 2;
        if (n > length - pos) Corrupt();
        // A chunk never holds more than kRleChunkSize bytes; holding decoders
        // to that bounds the output of a hostile record.
        std::size_t room = capacity - produced;
        if (room > kRleChunkSize) room = kRleChunkSize;
        produced += RleDecode(records + pos, n, dst + produced, room);
        pos += n;
    }
    return produced;
}

}  // namespace vormid
