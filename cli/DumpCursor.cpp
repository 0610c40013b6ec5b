#include "cli/DumpCursor.h"

#include <cstdio>
#include <cstring>

#include "core/Cp1251.h"

namespace vormid::cli {
namespace {

std::string FormatDouble(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

}  // namespace

std::string QuoteBytes(std::string_view bytes) {
    std::string out = "\"";
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F || b == 0x98) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += Cp1251ToUtf8(std::string_view(&c, 1));
        }
    }
    out += '"';
    return out;
}

DumpCursor::DumpCursor(std::string_view data, std::ostream& out, std::string indent)
    : data_(data), out_(out), indent_(std::move(indent)) {}

void DumpCursor::Need(std::size_t n, std::string_view what, std::string_view label) const {
    if (Remaining() < n)
        throw DumpBreak("at offset " + std::to_string(pos_) + ": " + std::string(label) + " (" + std::string(what) +
                        ") needs " + std::to_string(n) + " bytes, " + std::to_string(Remaining()) + " remain");
}

std::ostream& DumpCursor::Line(std::size_t at) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "@%-7zu ", at);
    return out_ << indent_ << buf;
}

void DumpCursor::Note(std::string_view text) { out_ << indent_ << text << '\n'; }

std::uint8_t DumpCursor::U8(std::string_view label, std::string_view meaning) {
    Need(1, "u8", label);
    const auto v = static_cast<std::uint8_t>(data_[pos_]);
    Line(pos_) << label << " (u8): " << unsigned{v};
    if (!meaning.empty()) out_ << " (" << meaning << ')';
    out_ << '\n';
    ++pos_;
    return v;
}

std::uint8_t DumpCursor::Code(std::string_view label, std::span<const char* const> names) {
    Need(1, "u8", label);
    const auto v = static_cast<std::uint8_t>(data_[pos_]);
    const char* name = v < names.size() ? names[v] : "unknown value";
    return U8(label, name);
}

std::int32_t DumpCursor::I32(std::string_view label) {
    Need(4, "i32", label);
    const auto v = static_cast<std::int32_t>(U32At(data_, pos_));
    Line(pos_) << label << " (i32): " << v << '\n';
    pos_ += 4;
    return v;
}

std::uint32_t DumpCursor::U32(std::string_view label) {
    Need(4, "u32", label);
    const std::uint32_t u = U32At(data_, pos_);
    Line(pos_) << label << " (u32): " << u << '\n';
    pos_ += 4;
    return u;
}

double DumpCursor::F64(std::string_view label) {
    Need(8, "f64", label);
    double v = 0;
    std::memcpy(&v, data_.data() + pos_, 8);  // the files are little-endian, as is this machine
    Line(pos_) << label << " (f64): " << FormatDouble(v) << '\n';
    pos_ += 8;
    return v;
}

std::string DumpCursor::Text(std::string_view label, std::size_t size) {
    Need(size, "text" + std::to_string(size), label);
    std::string_view field = data_.substr(pos_, size);
    const std::size_t zero = field.find('\0');
    std::string text(field.substr(0, zero));
    Line(pos_) << label << " (text" << size << "): " << QuoteBytes(text);
    if (zero == std::string_view::npos)
        out_ << " (no closing zero byte)";
    else if (field.find_first_not_of('\0', zero) != std::string_view::npos)
        out_ << " (bytes after the first zero byte)";
    out_ << '\n';
    pos_ += size;
    return text;
}

std::string DumpCursor::Blob(std::string_view label) {
    const std::size_t at = pos_;
    Need(4, "blob length", label);
    const std::uint32_t n = U32At(data_, pos_);
    if (Remaining() - 4 < n)
        throw DumpBreak("at offset " + std::to_string(at) + ": " + std::string(label) + " announces " +
                        std::to_string(n) + " bytes, " + std::to_string(Remaining() - 4) + " remain");
    std::string bytes(data_.substr(pos_ + 4, n));
    Line(at) << label << " (blob, " << n << " bytes): " << QuoteBytes(bytes) << '\n';
    pos_ += 4 + n;
    return bytes;
}

std::string DumpCursor::Raw(std::string_view label, std::size_t n) {
    Need(n, "bytes", label);
    std::string bytes(data_.substr(pos_, n));
    Line(pos_) << label << " (" << n << " bytes): " << QuoteBytes(bytes) << '\n';
    pos_ += n;
    return bytes;
}

std::int32_t DumpCursor::Count(std::string_view label) {
    const std::size_t at = pos_;
    const std::int32_t n = I32(label);
    if (n < 0) throw DumpBreak("at offset " + std::to_string(at) + ": " + std::string(label) + " is negative");
    return n;
}

void DumpCursor::Series(std::string_view label) {
    const std::size_t at = pos_;
    const std::int32_t last = I32(std::string(label) + " last index");
    if (last < -1)
        throw DumpBreak("at offset " + std::to_string(at) + ": " + std::string(label) + " last index below -1");
    const std::size_t n = static_cast<std::size_t>(static_cast<std::int64_t>(last) + 1);
    if (n > Remaining() / 8)
        throw DumpBreak("at offset " + std::to_string(pos_) + ": " + std::string(label) + " announces " +
                        std::to_string(n) + " values, room for " + std::to_string(Remaining() / 8));
    Line(pos_) << label << " (" << n << " × f64):";
    for (std::size_t i = 0; i < n; ++i) {
        double v = 0;
        std::memcpy(&v, data_.data() + pos_ + 8 * i, 8);
        out_ << ' ' << FormatDouble(v);
    }
    out_ << '\n';
    pos_ += 8 * n;
}

}  // namespace vormid::cli
