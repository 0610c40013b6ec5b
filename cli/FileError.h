#pragma once
// A file that cannot be read, written or understood: exit status 3.
// The message is UTF-8 and names the file.
#include <stdexcept>
#include <string>

namespace vormid::cli {

struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace vormid::cli
