#pragma once
// How stored byte strings and doubles are written to JSON and read back
// without loss, and a reader that checks a document field by field.
//
// A byte string that is Windows-1251 text becomes a JSON string (UTF-8).
// Anything else (byte 0x98, or any binary content) becomes {"base64": "..."}.
// A finite double is a JSON number written with the shortest digits that
// read back to the same double; NaN and infinities, which a damaged file may
// hold, become {"f64_bits": "<16 hex digits>"} so that their exact bits stay.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vormid::cli {

using Json = nlohmann::ordered_json;

Json BytesToJson(std::string_view bytes);
Json DoubleToJson(double value);
// Display text (budget and stats output): always a UTF-8 string.
Json TextToJson(std::string_view cp1251);
// A code as its name when it has one, else as its number.
Json CodeToJson(int code, const std::vector<std::string>& names);

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
    int Code(const std::string& key, const std::vector<std::string>& names, int max = -1);
    int CodeOr(const std::string& key, const std::vector<std::string>& names, int fallback, int max = -1);
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

}  // namespace vormid::cli
