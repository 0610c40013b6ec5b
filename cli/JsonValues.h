#pragma once
// How stored byte strings and doubles are read back without loss from the
// encodings that ModelJsonWriter.h writes, and a reader that checks a
// document field by field.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/TextFields.h"

namespace vormid::cli {

using Json = nlohmann::ordered_json;

// A document that does not describe what it should. Path names the field,
// for example "quantities[2].observations[5]".
struct JsonFieldError : std::runtime_error {
    JsonFieldError(const std::string& path, const std::string& what);
    std::string Path;
};

// Read access to one JSON object of an imported document. Every Take* marks
// its key as used; Finish() rejects the keys nobody asked for, so that a
// misspelt field is an error and not silently ignored.
class JsonObjectReader {
public:
    // Throws JsonFieldError when value is not an object.
    JsonObjectReader(const Json& value, std::string path);

    bool Has(const std::string& key) const;
    std::string PathOf(const std::string& key) const;

    // Each getter throws JsonFieldError for a missing required key or a value
    // of the wrong type or range. The *Or forms return fallback when absent.
    std::string Bytes(const std::string& key);
    std::string BytesOr(const std::string& key, const std::string& fallback);
    double Double(const std::string& key);
    double DoubleOr(const std::string& key, double fallback);
    long long Integer(const std::string& key, long long min, long long max);
    long long IntegerOr(const std::string& key, long long min, long long max, long long fallback);
    bool Bool(const std::string& key);
    bool BoolOr(const std::string& key, bool fallback);
    // An integer code given either as one of the names (the index of the
    // name is the code) or as a number 0..max; max -1 means the last name.
    // A larger max lets a damaged file's code through unchanged.
    int Code(const std::string& key, std::span<const char* const> names, int max = -1);
    int CodeOr(const std::string& key, std::span<const char* const> names, int fallback, int max = -1);
    const Json& Array(const std::string& key);
    const Json* ArrayOrNull(const std::string& key);
    const Json& Object(const std::string& key);
    const Json* ObjectOrNull(const std::string& key);

    void Finish() const;

private:
    const Json& Get(const std::string& key);

    const Json& value_;
    std::string path_;
    std::vector<std::string> used_;
};

// Element readers used for arrays.
std::string JsonToBytes(const Json& value, const std::string& path);
double JsonToDouble(const Json& value, const std::string& path);
long long JsonToInteger(const Json& value, const std::string& path, long long min, long long max);

// A fixed-size text field of the file: at most its capacity of bytes and no
// zero byte, since the file could hold neither; fallback when absent.
std::string FixedText(JsonObjectReader& r, const std::string& key, TTextCapacity capacity, const std::string& fallback);

}  // namespace vormid::cli
