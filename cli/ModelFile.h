#pragma once
// Loading and saving model files for the commands, with messages in UTF-8.
#include <memory>
#include <string>

#include "cli/DisplayJson.h"
#include "core/GumModel.h"

namespace vormid::cli {

struct LoadedModel {
    TGumModel Model;
    TDisplayState Display;
};

// Loads the file as the program does. Throws FileError naming the file when
// it cannot be read or is damaged.
std::unique_ptr<LoadedModel> LoadModelFile(const std::string& path);

// Saves the model under path (atomically: the old file stays whole on any
// failure). Throws FileError.
void SaveModelFile(const std::string& path, TGumModel& model, const TDisplayState& display);

}  // namespace vormid::cli
