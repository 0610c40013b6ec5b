#include "cli/JsonStream.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vormid::cli {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;

// Length of the valid UTF-8 sequence at s[i], or 0.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t n = b0 < 0x80 ? 1 : (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || s.size() - i < n) return 0;
    char32_t cp = n == 1 ? b0 : n == 2 ? (b0 & 0x1F) : n == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

std::string ShortestDouble(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

void JsonStream::Indent() {
    buf_ += '\n';
    buf_.append(2 * levels_.size(), ' ');
}

void JsonStream::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!levels_.empty()) {
        if (!levels_.back().First) buf_ += ',';
        levels_.back().First = false;
        Indent();
    }
    if (buf_.size() >= kFlushAt) {
        out_ << buf_;
        buf_.clear();
    }
}

void JsonStream::Open(char c) {
    BeforeValue();
    buf_ += c;
    levels_.push_back({});
}

void JsonStream::Close(char c) {
    const bool empty = levels_.back().First;
    levels_.pop_back();
    if (!empty) Indent();
    buf_ += c;
}

void JsonStream::Key(std::string_view key) {
    BeforeValue();
    WriteString(key);
    buf_ += ": ";
    afterKey_ = true;
}

void JsonStream::String(std::string_view s) {
    BeforeValue();
    WriteString(s);
}

void JsonStream::WriteString(std::string_view s) {
    buf_ += '"';
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            buf_ += '\\';
            buf_ += c;
            ++i;
        } else if (b < 0x20) {
            switch (c) {
                case '\n':
                    buf_ += "\\n";
                    break;
                case '\r':
                    buf_ += "\\r";
                    break;
                case '\t':
                    buf_ += "\\t";
                    break;
                case '\b':
                    buf_ += "\\b";
                    break;
                case '\f':
                    buf_ += "\\f";
                    break;
                default: {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", b);
                    buf_ += esc;
                }
            }
            ++i;
        } else if (b < 0x80) {
            buf_ += c;
            ++i;
        } else if (const std::size_t n = Utf8Length(s, i)) {
            buf_.append(s.substr(i, n));
            i += n;
        } else {
            buf_ += "\xEF\xBF\xBD";
            ++i;
        }
    }
    buf_ += '"';
}

void JsonStream::Number(double x) {
    BeforeValue();
    if (!std::isfinite(x)) {
        buf_ += "null";
        return;
    }
    char tmp[32];
    const auto r = std::to_chars(tmp, tmp + sizeof tmp, x);
    buf_.append(tmp, r.ptr);
}

void JsonStream::Integer(long long x) {
    BeforeValue();
    buf_ += std::to_string(x);
}

void JsonStream::Bool(bool b) {
    BeforeValue();
    buf_ += b ? "true" : "false";
}

void JsonStream::Null() {
    BeforeValue();
    buf_ += "null";
}

void JsonStream::RawValue(std::string_view json_text) {
    BeforeValue();
    buf_.append(json_text);
}

void JsonStream::Finish() {
    buf_ += '\n';
    out_ << buf_;
    buf_.clear();
}

}  // namespace vormid::cli
