#include "cli/JsonStream.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/Cp1251.h"

namespace vormid::cli {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;

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
    char32_t cp = 0;
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            buf_ += '\\';
            buf_ += c;
            ++i;
        } else if (b < 0x20) {
            // The controls JSON names by a letter, and those letters.
            constexpr std::string_view kNamed = "\n\r\t\b\f", kLetters = "nrtbf";
            char esc[8];
            if (const std::size_t k = kNamed.find(c); k != std::string_view::npos)
                std::snprintf(esc, sizeof esc, "\\%c", kLetters[k]);
            else
                std::snprintf(esc, sizeof esc, "\\u%04x", b);
            buf_ += esc;
            ++i;
        } else if (b < 0x80) {
            buf_ += c;
            ++i;
        } else if (std::size_t next = i; NextUtf8(s, next, cp)) {
            buf_.append(s.substr(i, next - i));
            i = next;
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
