#pragma once
// Errors of the model file layer. Every what() text is a message for the
// user in the program's words: Bulgarian, in the Windows-1251 code page.
#include <stdexcept>
#include <string>

namespace vormid {

// Packed or section data that does not decode: the text says what is wrong
// but names no file (the codec does not know one). Readers of a file catch
// it and raise TModelFileError with the file's name.
class TCorruptDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A model file that cannot be read, written or understood; the text names
// the file.
class TModelFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vormid
