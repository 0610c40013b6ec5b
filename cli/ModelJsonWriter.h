#pragma once
// The lossless encodings of an exported model's values, written straight to
// a JsonStream so that a model of many observations is never held twice as a
// document tree.
//
// A byte string that is Windows-1251 text becomes a JSON string (UTF-8);
// anything else (byte 0x98, or any binary content) becomes
// {"base64": "..."}. A finite double is a JSON number; NaN and infinities,
// which a damaged file may hold, become {"f64_bits": "<16 hex digits>"} so
// that their exact bits stay. A code is its name when it has one, else its
// number. The text is the one nlohmann::json's dump(2) gives for the same
// document, numbers included, so exports made before and after streaming
// compare equal.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/JsonStream.h"

namespace vormid::cli {

class ModelJsonWriter {
public:
    explicit ModelJsonWriter(JsonStream& json) : json_(json) {}

    JsonStream& Stream() { return json_; }

    // Values of an array.
    void Bytes(std::string_view bytes);
    void Double(double value);
    void Code(int code, std::span<const char* const> names);

    // Fields of an object: the key, then the value.
    void Bytes(std::string_view key, std::string_view bytes);
    void Double(std::string_view key, double value);
    void Code(std::string_view key, int code, std::span<const char* const> names);
    void Integer(std::string_view key, long long value);
    void Bool(std::string_view key, bool value);
    void Series(std::string_view key, const std::vector<double>& values);

private:
    JsonStream& json_;
};

}  // namespace vormid::cli
