#include "cli/ModelFile.h"

#include <filesystem>
#include <iostream>

#include "core/Cp1251.h"
#include "cli/FileBytes.h"
#include "cli/FileError.h"
#include "persistence/GumModelFile.h"
#include "persistence/ModelIO.h"
#include "persistence/PersistenceError.h"

namespace vormid::cli {

namespace {
constexpr const char* kStandardInputName = "стандартния вход";
}  // namespace

std::unique_ptr<LoadedModel> LoadModelFile(const std::string& path) {
    if (IsStandardStream(path)) {
        const std::string bytes = ReadInputFile(path);
        auto loaded = std::make_unique<LoadedModel>();
        TGumModelFile file;
        file.FileName = Utf8ToCp1251(kStandardInputName).value_or("-");
        try {
            LoadModelFromBytes(file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), loaded->Model,
                               loaded->Display);
        } catch (const TModelFileError& e) {
            throw FileError(Cp1251ToUtf8(e.what()));
        }
        return loaded;
    }
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
    if (IsStandardStream(path)) {
        try {
            const std::vector<std::uint8_t> bytes = ModelFileBytes(model, display);
            std::cout.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            std::cout.flush();
        } catch (const TModelFileError& e) {
            throw FileError(Cp1251ToUtf8(e.what()));
        }
        if (!std::cout) throw FileError("стандартният изход не може да бъде записан");
        return;
    }
    TGumModelFile file;
    file.FileName = path;
    try {
        SaveModel(file, model, display);
    } catch (const TModelFileError& e) {
        throw FileError(Cp1251ToUtf8(e.what()));
    }
}

}  // namespace vormid::cli
