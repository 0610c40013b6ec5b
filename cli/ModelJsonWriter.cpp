#include "cli/ModelJsonWriter.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/Base64.h"
#include "core/Cp1251.h"

namespace vormid::cli {

void ModelJsonWriter::Bytes(std::string_view bytes) {
    if (IsCp1251Text(bytes)) {
        json_.String(Cp1251ToUtf8(bytes));
        return;
    }
    json_.BeginObject();
    json_.Key("base64");
    json_.String(Base64Encode(bytes));
    json_.EndObject();
}

void ModelJsonWriter::Double(double value) {
    if (std::isfinite(value)) {
        // The function nlohmann::json's serializer itself writes doubles with
        // (Grisu2, "%g"-like layout, ".0" on whole numbers): the streamed text
        // stays what the document's dump wrote, digit for digit, which the
        // shortest form of std::to_chars would not (1e15, 100.0).
        char text[64];
        const char* end = ::nlohmann::detail::to_chars(text, text + sizeof text, value);
        json_.RawValue(std::string_view(text, static_cast<std::size_t>(end - text)));
        return;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
    json_.BeginObject();
    json_.Key("f64_bits");
    json_.String(hex);
    json_.EndObject();
}

void ModelJsonWriter::Code(int code, std::span<const char* const> names) {
    if (code >= 0 && code < static_cast<int>(names.size()))
        json_.String(names[static_cast<std::size_t>(code)]);
    else
        json_.Integer(code);
}

void ModelJsonWriter::Bytes(std::string_view key, std::string_view bytes) {
    json_.Key(key);
    Bytes(bytes);
}

void ModelJsonWriter::Double(std::string_view key, double value) {
    json_.Key(key);
    Double(value);
}

void ModelJsonWriter::Code(std::string_view key, int code, std::span<const char* const> names) {
    json_.Key(key);
    Code(code, names);
}

void ModelJsonWriter::Integer(std::string_view key, long long value) {
    json_.Key(key);
    json_.Integer(value);
}

void ModelJsonWriter::Bool(std::string_view key, bool value) {
    json_.Key(key);
    json_.Bool(value);
}

void ModelJsonWriter::Series(std::string_view key, const std::vector<double>& values) {
    json_.Key(key);
    json_.BeginArray();
    for (double v : values) Double(v);
    json_.EndArray();
}

}  // namespace vormid::cli
