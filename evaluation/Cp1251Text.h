#pragma once
// The program's own texts are written in the sources as UTF-8 and handed to
// the model, which holds text as Windows-1251 bytes: Cp1251FromUtf8 of the
// program's one Windows-1251 helper.
#include "core/Cp1251.h"
