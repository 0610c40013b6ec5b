// libFuzzer target: an arbitrary file opened as a model (TGumModelFile::Load
// and LoadModel). Any input must load or fail with TModelFileError.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "persistence/ModelIO.h"
#include "persistence/PersistenceError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vormid;
    static const std::string path = "/tmp/vormid-fuzz-model-" + std::to_string(::getpid()) + ".gmf";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    TGumModelFile file;
    file.FileName = path;
    TGumModel model;
    TDisplayState display;
    try {
        LoadModel(file, model, display);
    } catch (const TModelFileError&) {
    }
    return 0;
}
