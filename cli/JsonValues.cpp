#include "cli/JsonValues.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "cli/Base64.h"
#include "core/Cp1251.h"

namespace vormid::cli {

JsonFieldError::JsonFieldError(const std::string& path, const std::string& what)
    : std::runtime_error(path + ": " + what), Path(path) {}

std::string JsonToBytes(const Json& value, const std::string& path) {
    if (value.is_string()) {
        std::string bad;
        auto bytes = Utf8ToCp1251(value.get_ref<const std::string&>(), &bad);
        if (!bytes)
            throw JsonFieldError(
                path, "знакът " + bad + " няма място в кодовата таблица Windows-1251 (използвайте {\"base64\": ...})");
        return *bytes;
    }
    if (value.is_object() && value.size() == 1 && value.contains("base64") && value["base64"].is_string()) {
        auto bytes = Base64Decode(value["base64"].get_ref<const std::string&>());
        if (!bytes) throw JsonFieldError(path + ".base64", "невалиден base64 текст");
        return *bytes;
    }
    throw JsonFieldError(path, "очаква се текст или {\"base64\": ...}");
}

double JsonToDouble(const Json& value, const std::string& path) {
    if (value.is_number()) {
        const double d = value.get<double>();
        if (!std::isfinite(d)) throw JsonFieldError(path, "числото " + value.dump() + " е извън обхвата на double");
        return d;
    }
    if (value.is_object() && value.size() == 1 && value.contains("f64_bits") && value["f64_bits"].is_string()) {
        const auto& hex = value["f64_bits"].get_ref<const std::string&>();
        if (hex.size() != 16 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            throw JsonFieldError(path + ".f64_bits", "очакват се 16 шестнадесетични цифри");
        return std::bit_cast<double>(static_cast<std::uint64_t>(std::stoull(hex, nullptr, 16)));
    }
    throw JsonFieldError(path, "очаква се число");
}

long long JsonToInteger(const Json& value, const std::string& path, long long min, long long max) {
    long long v = 0;
    if (value.is_number_integer()) {
        if (value.is_number_unsigned() && value.get<unsigned long long>() > static_cast<unsigned long long>(max))
            throw JsonFieldError(path, "стойността " + std::to_string(value.get<unsigned long long>()) + " е извън " +
                                           std::to_string(min) + " … " + std::to_string(max));
        v = value.get<long long>();
    } else if (value.is_number_float()) {
        const double d = value.get<double>();
        if (d != std::floor(d) || !(d >= static_cast<double>(min) && d <= static_cast<double>(max)))
            throw JsonFieldError(path, "стойността " + value.dump() + " не е цяло число в " + std::to_string(min) +
                                           " … " + std::to_string(max));
        v = static_cast<long long>(d);
    } else {
        throw JsonFieldError(path, "очаква се цяло число");
    }
    if (v < min || v > max)
        throw JsonFieldError(
            path, "стойността " + std::to_string(v) + " е извън " + std::to_string(min) + " … " + std::to_string(max));
    return v;
}

JsonObjectReader::JsonObjectReader(const Json& value, std::string path) : value_(value), path_(std::move(path)) {
    if (!value_.is_object()) throw JsonFieldError(path_.empty() ? "(документ)" : path_, "очаква се обект {…}");
}

bool JsonObjectReader::Has(const std::string& key) const { return value_.contains(key); }

std::string JsonObjectReader::PathOf(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }

const Json& JsonObjectReader::Get(const std::string& key) {
    auto it = value_.find(key);
    if (it == value_.end()) throw JsonFieldError(PathOf(key), "липсва");
    used_.push_back(key);
    return *it;
}

std::string JsonObjectReader::Bytes(const std::string& key) { return JsonToBytes(Get(key), PathOf(key)); }
std::string JsonObjectReader::BytesOr(const std::string& key, const std::string& fallback) {
    return Has(key) ? Bytes(key) : fallback;
}
double JsonObjectReader::Double(const std::string& key) { return JsonToDouble(Get(key), PathOf(key)); }
double JsonObjectReader::DoubleOr(const std::string& key, double fallback) { return Has(key) ? Double(key) : fallback; }
long long JsonObjectReader::Integer(const std::string& key, long long min, long long max) {
    return JsonToInteger(Get(key), PathOf(key), min, max);
}
long long JsonObjectReader::IntegerOr(const std::string& key, long long min, long long max, long long fallback) {
    return Has(key) ? Integer(key, min, max) : fallback;
}
bool JsonObjectReader::Bool(const std::string& key) {
    const Json& v = Get(key);
    if (!v.is_boolean()) throw JsonFieldError(PathOf(key), "очаква се true или false");
    return v.get<bool>();
}
bool JsonObjectReader::BoolOr(const std::string& key, bool fallback) { return Has(key) ? Bool(key) : fallback; }

int JsonObjectReader::Code(const std::string& key, std::span<const char* const> names, int max) {
    const Json& v = Get(key);
    if (v.is_string()) {
        const std::string& text = v.get_ref<const std::string&>();
        const auto it = std::find_if(names.begin(), names.end(), [&](const char* n) { return text == n; });
        if (it == names.end()) {
            std::string all;
            for (const char* n : names) all += (all.empty() ? "" : ", ") + std::string(n);
            throw JsonFieldError(PathOf(key),
                                 "непозната стойност \"" + v.get<std::string>() + "\" (възможни: " + all + ")");
        }
        return static_cast<int>(it - names.begin());
    }
    const long long top = max >= 0 ? max : static_cast<long long>(names.size()) - 1;
    return static_cast<int>(JsonToInteger(v, PathOf(key), 0, top));
}
int JsonObjectReader::CodeOr(const std::string& key, std::span<const char* const> names, int fallback, int max) {
    return Has(key) ? Code(key, names, max) : fallback;
}

const Json& JsonObjectReader::Array(const std::string& key) {
    const Json& v = Get(key);
    if (!v.is_array()) throw JsonFieldError(PathOf(key), "очаква се масив […]");
    return v;
}
const Json* JsonObjectReader::ArrayOrNull(const std::string& key) { return Has(key) ? &Array(key) : nullptr; }
const Json& JsonObjectReader::Object(const std::string& key) {
    const Json& v = Get(key);
    if (!v.is_object()) throw JsonFieldError(PathOf(key), "очаква се обект {…}");
    return v;
}
const Json* JsonObjectReader::ObjectOrNull(const std::string& key) { return Has(key) ? &Object(key) : nullptr; }

void JsonObjectReader::Finish() const {
    for (auto it = value_.begin(); it != value_.end(); ++it)
        if (std::find(used_.begin(), used_.end(), it.key()) == used_.end())
            throw JsonFieldError(PathOf(it.key()), "непознато поле");
}

std::string FixedText(JsonObjectReader& r, const std::string& key, TTextCapacity capacity,
                      const std::string& fallback) {
    if (!r.Has(key)) return fallback;
    std::string text = r.Bytes(key);
    if (text.size() > capacity.Text)
        throw JsonFieldError(r.PathOf(key), "по-дълъг от " + std::to_string(capacity.Text) + " знака (" +
                                                std::to_string(text.size()) + ")");
    if (text.find('\0') != std::string::npos) throw JsonFieldError(r.PathOf(key), "съдържа нулев байт");
    return text;
}

}  // namespace vormid::cli
