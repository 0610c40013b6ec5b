#pragma once
// The command-line tool's names for the program's one Windows-1251 helper.
#include "core/Cp1251.h"

namespace vormid::cli {

using vormid::Cp1251ToCodePoint;
using vormid::Cp1251ToUtf8;
using vormid::IsCp1251Text;
using vormid::Utf8ToCp1251;

}  // namespace vormid::cli
