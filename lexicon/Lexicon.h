/* Lexicon: field captions by code, for programs that load this library.
 *
 * The two functions below are the library's whole binary interface; they
 * have C linkage so that any host can find them by name with dlsym.
 * Captions are zero-terminated Windows-1251 byte strings. */
#ifndef VORMID_LEXICON_LEXICON_H
#define VORMID_LEXICON_LEXICON_H

#include <stdint.h>

#if defined(__GNUC__)
#define LEXICON_API __attribute__((visibility("default")))
#else
#define LEXICON_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Selects the caption table for every later GetName (only the low 16 bits of
 * table count; value is kept and not used). Never fails. */
LEXICON_API void Init(int32_t value, int32_t table);

/* Caption of code (a letter and two digits) in the selected table, or "" when
 * there is none or code is NULL. A code whose 2nd and 3rd characters are not
 * a decimal number writes one "Exception: ..." line to stderr and gives "".
 * The text belongs to the calling thread and stays valid until that thread
 * calls GetName again. Never fails. */
LEXICON_API const char* GetName(const char* code);

#ifdef __cplusplus
}
#endif

#endif
