#pragma once
// A JSON writer that streams straight to the output, for the large
// machine-read outputs (a budget of 1000 inputs): building a document tree
// first costs more than the calculation. Indented by two like WriteJson.
// Numbers use the shortest text that reads back to the same double; a
// non-finite number is written as null, since JSON has none.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vormid::cli {

class JsonStream {
public:
    explicit JsonStream(std::ostream& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The key of the next value of the current object.
    void Key(std::string_view key);

    void String(std::string_view utf8);  // invalid UTF-8 becomes U+FFFD
    void Number(double x);
    void Integer(long long x);
    void Bool(bool b);
    void Null();
    // A value already written as JSON text (a number in another layout).
    void RawValue(std::string_view json_text);

    // After the outermost value: a newline and a flush of what is buffered.
    void Finish();

private:
    void BeforeValue();
    void WriteString(std::string_view s);
    void Open(char c);
    void Close(char c);
    void Indent();

    std::ostream& out_;
    std::string buf_;
    struct Level {
        bool First = true;
    };
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

// Shortest decimal text that reads back to x ("NaN", "Infinity" and
// "-Infinity" for the non-finite values).
std::string ShortestDouble(double x);

}  // namespace vormid::cli
