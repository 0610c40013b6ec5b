#pragma once
// The program's model store: the measurement model, the window's display
// state and the one model file container of the process.
#include "core/GumModel.h"
#include "core/DisplayState.h"
#include "persistence/GumModelFile.h"
#include "ui/ModelStore.h"

namespace vormid {

class TGumModelStore : public IModelStore {
public:
    TGumModelStore();

    TGumModel& Model() { return model_; }
    TDisplayState* Display() override { return &display_; }
    void CheckLoadable(const QString& path) override;
    vormid::TGumModel* GumModel() override { return &model_; }
    TGumModelFile& File() { return file_; }

    QString FileName() const override;
    void SetFileName(const QString& path) override;
    void Clear() override;
    void Load() override;
    void Save() override;
    bool SaveDisplaySettings() override;
    int QuantityCount() const override;
    int CorrelationCount() const override;
    QString ModelName() const override;
    void SetModelName(const QString& name) override;
    int EvalMethod() const override;
    void SetEvalMethod(int method) override;

private:
    TGumModel model_;
    TDisplayState display_;
    TGumModelFile file_;
    // The number formats as the file holds them (read or last saved). The
    // display section written on leaving a model carries these: changed
    // formats are a change of the model, which only Save may write.
    TNumberFormatSettings savedFormats_;
    // The bytes of the file that CheckLoadable read and found whole, kept
    // for the Load of that file that follows, so that opening a file reads
    // it once (and loads what was checked, even if the file changes).
    QString checkedPath_;
    std::vector<std::uint8_t> checkedBytes_;
};

}  // namespace vormid
