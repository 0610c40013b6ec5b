/* A program built against the installed library as any other would be:
 * header and flags from pkg-config, linked with -lLexicon. */
#include <lexicon/Lexicon.h>
#include <stdio.h>
#include <string.h>

int main(void) {
    Init(0, 20);
    const char* caption = GetName("E06");
    if (caption == NULL || strcmp(caption, "DISTRB") != 0) {
        fprintf(stderr, "GetName(\"E06\") in table 20: \"%s\", wanted \"DISTRB\"\n", caption ? caption : "(null)");
        return 1;
    }
    Init(0, 0);
    /* The text lives until the next call: printed before asking again. */
    printf("%s ", GetName("A01"));
    printf("%s\n", GetName("H01"));
    return 0;
}
