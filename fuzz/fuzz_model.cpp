// libFuzzer target: arbitrary bytes opened as a model (the container's
// reading of a file and LoadModel), straight from memory so that the readers
// and not the file system take the time. Any input must load or fail with
// TModelFileError.
#include <cstdint>
#include <vector>

#include "persistence/ModelIO.h"
#include "persistence/PersistenceError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vormid;
    TGumModelFile file;
    file.FileName = "fuzz.gmf";
    TGumModel model;
    TDisplayState display;
    try {
        LoadModelFromBytes(file, std::vector<std::uint8_t>(data, data + size), model, display);
    } catch (const TModelFileError&) {
    }
    return 0;
}
