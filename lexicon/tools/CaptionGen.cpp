// Build-time generator: Captions.txt -> compiled-in caption table.
#include <iostream>

#include "lexicon/tools/CaptionSource.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " CAPTIONS.txt OUTPUT.cpp\n";
        return 2;
    }
    return vormid::lexicon::GenerateCaptionTable(argv[1], argv[2], std::cerr);
}
