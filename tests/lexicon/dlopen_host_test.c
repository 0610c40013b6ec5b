/* A host as other programs use the library: load it by path at run time,
 * look up the two entry points by name and ask for a few captions. */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "lexicon/Lexicon.h"

typedef void (*InitFunction)(int32_t value, int32_t table);
typedef const char* (*GetNameFunction)(const char* code);

/* The public header compiles as C and declares what a host looks up; the
 * operands of _Generic are not evaluated, so nothing is linked. */
_Static_assert(_Generic(&Init, InitFunction : 1, default : 0), "Init's signature");
_Static_assert(_Generic(&GetName, GetNameFunction : 1, default : 0), "GetName's signature");

static int failures = 0;

static void Expect(GetNameFunction getName, const char* code, const char* wanted) {
    const char* got = getName(code);
    if (got == NULL || strcmp(got, wanted) != 0) {
        fprintf(stderr, "GetName(\"%s\"): got \"%s\", wanted \"%s\"\n", code ? code : "(null)", got ? got : "(null)",
                wanted);
        ++failures;
    }
}

static void ExpectHidden(void* library, const char* symbol) {
    if (dlsym(library, symbol) != NULL) {
        fprintf(stderr, "internal symbol %s is visible\n", symbol);
        ++failures;
    }
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    InitFunction init;
    GetNameFunction getName;
    /* POSIX's way of turning dlsym's object pointer into a function pointer. */
    *(void**)&init = dlsym(library, "Init");
    *(void**)&getName = dlsym(library, "GetName");
    if (init == NULL || getName == NULL) {
        fprintf(stderr, "missing entry point: Init %p, GetName %p\n", (void*)init, (void*)getName);
        dlclose(library);
        return 1;
    }

    Expect(getName, "A01", "PANR"); /* table 0 until the first Init */
    init(0, 20);
    Expect(getName, "A01", "FILENAME");
    Expect(getName, "E06", "DISTRB");
    Expect(getName, "F10", "COMMENT");
    init(42, 1);
    Expect(getName, "B01", "");
    Expect(getName, "B02", "LAND");
    Expect(getName, "a01", "");
    Expect(getName, NULL, "");

    /* A host copies the caption at once: the next call reuses the buffer. */
    char copy[1024];
    init(0, 0);
    strncpy(copy, getName("H01"), sizeof copy - 1);
    copy[sizeof copy - 1] = '\0';
    getName("A01");
    if (strcmp(copy, "MAXSTICH") != 0) {
        fprintf(stderr, "copied caption: \"%s\"\n", copy);
        ++failures;
    }

    ExpectHidden(library, "_ZN6vormid7lexicon11FindCaptionEt");
    ExpectHidden(library, "_ZN6vormid7lexicon9kCaptionsE");

    if (dlclose(library) != 0) {
        fprintf(stderr, "dlclose: %s\n", dlerror());
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
