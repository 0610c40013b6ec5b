#pragma once
// The program's own texts are written in the sources as UTF-8 and handed to
// the model, which holds text as Windows-1251 bytes: Cp1251FromUtf8 of the
// program's one Windows-1251 helper.
#include "core/Cp1251.h"

#include <string>

namespace vormid {

// A name of the model in the quotes of the program's messages („…“),
// Windows-1251 like the name.
inline std::string QuotedName(const std::string& name) { return Cp1251FromUtf8("„") + name + Cp1251FromUtf8("“"); }

}  // namespace vormid
