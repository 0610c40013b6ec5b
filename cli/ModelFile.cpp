#include "cli/ModelFile.h"

#include <filesystem>

#include "cli/Cp1251.h"
#include "cli/FileError.h"
#include "persistence/GumModelFile.h"
#include "persistence/ModelIO.h"
#include "persistence/PersistenceError.h"

namespace vormid::cli {

std::unique_ptr<LoadedModel> LoadModelFile(const std::string& path) {
    std::error_code ec;
    // The library would name a directory "cannot be opened" too; say what it is.
    if (std::filesystem::is_directory(path, ec)) throw FileError("„" + path + "“ е папка, а не файл на модел");
    auto loaded = std::make_unique<LoadedModel>();
    TGumModelFile file;
    file.FileName = path;
    try {
        LoadModel(file, loaded->Model, loaded->Display);
    } catch (const TModelFileError& e) {
        throw FileError(Cp1251ToUtf8(e.what()));
    } catch (const TCorruptDataError& e) {
        throw FileError("файлът „" + path + "“ е повреден: " + Cp1251ToUtf8(e.what()));
    }
    return loaded;
}

void SaveModelFile(const std::string& path, TGumModel& model, const TDisplayState& display) {
    TGumModelFile file;
    file.FileName = path;
    try {
        SaveModel(file, model, display);
    } catch (const TModelFileError& e) {
        throw FileError(Cp1251ToUtf8(e.what()));
    }
}

}  // namespace vormid::cli
