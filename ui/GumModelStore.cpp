#include "ui/GumModelStore.h"

#include <utility>

#include "core/TextFields.h"
#include "persistence/FileIO.h"
#include "persistence/ModelIO.h"
#include "ui/ErrorHandler.h"
#include "ui/TextCodec.h"

namespace vormid {

namespace {
// The model name's field in the file holds 255 characters.

[[noreturn]] void Rethrow(const std::exception& e) { throw TModelStoreError(ErrorText(e.what()).toStdString()); }
}  // namespace

TGumModelStore::TGumModelStore() { file_.Create(); }

QString TGumModelStore::FileName() const { return PathFromNative(file_.FileName); }
void TGumModelStore::SetFileName(const QString& path) {
    std::string name = PathToNative(path);
    // A model renamed (a sample made untitled, a failed load) is no longer
    // the file it was read from: leaving it must not write its display
    // settings into whatever file carries the new name.
    if (name != file_.FileName) file_.ForgetDiskFile();
    file_.FileName = std::move(name);
}

void TGumModelStore::Clear() {
    model_.FormatSettings = savedFormats_;
    ClearModel(file_, model_, display_);
    savedFormats_ = model_.FormatSettings;
}

void TGumModelStore::Load() {
    const bool checked = !checkedPath_.isEmpty() && PathToNative(checkedPath_) == file_.FileName;
    std::vector<std::uint8_t> bytes = std::move(checkedBytes_);
    checkedPath_.clear();
    checkedBytes_.clear();
    try {
        if (checked)
            LoadModelFromFileBytes(file_, std::move(bytes), model_, display_);
        else
            LoadModel(file_, model_, display_);
    } catch (const std::exception& e) {
        Rethrow(e);
    }
    savedFormats_ = model_.FormatSettings;
}

void TGumModelStore::CheckLoadable(const QString& path) {
    checkedPath_.clear();
    checkedBytes_.clear();
    TGumModelFile file;
    file.FileName = PathToNative(path);
    TGumModel model;
    TDisplayState display;
    try {
        std::vector<std::uint8_t> bytes = ReadWholeFile(file.FileName);
        LoadModelFromBytes(file, bytes, model, display);
        checkedBytes_ = std::move(bytes);
        checkedPath_ = path;
    } catch (const std::exception& e) {
        Rethrow(e);
    }
}

void TGumModelStore::Save() {
    try {
        SaveModel(file_, model_, display_);
    } catch (const std::exception& e) {
        Rethrow(e);
    }
    savedFormats_ = model_.FormatSettings;
}

bool TGumModelStore::SaveDisplaySettings() {
    std::swap(model_.FormatSettings, savedFormats_);
    bool saved = false;
    try {
        saved = vormid::SaveDisplaySettings(file_, model_, display_);
    } catch (...) {
        // Leaving a model never fails because its file cannot take the settings.
    }
    std::swap(model_.FormatSettings, savedFormats_);
    return saved;
}

int TGumModelStore::QuantityCount() const { return model_.Params.Count(); }
int TGumModelStore::CorrelationCount() const { return model_.Correlations.Count(); }

QString TGumModelStore::ModelName() const { return FromCp1251(model_.ModelName); }

void TGumModelStore::SetModelName(const QString& name) {
    std::string bytes = ToCp1251(name);
    if (bytes.size() > kText256.Text) bytes.resize(kText256.Text);
    model_.ModelName = bytes;
}

int TGumModelStore::EvalMethod() const { return model_.EvalMethod; }
void TGumModelStore::SetEvalMethod(int method) { model_.EvalMethod = static_cast<std::uint8_t>(method == 1 ? 1 : 0); }

}  // namespace vormid
