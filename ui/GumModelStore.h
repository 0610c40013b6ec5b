#pragma once
// The program's model store: the measurement model, the window's display
// state and the one model file container of the process.
#include "core/GumModel.h"
#include "persistence/DisplayState.h"
#include "persistence/GumModelFile.h"
#include "ui/ModelStore.h"

namespace vormid {

class TGumModelStore : public IModelStore {
public:
    TGumModelStore();

    TGumModel& Model() { return model_; }
    TDisplayState* Display() override { return &display_; }
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
};

}  // namespace vormid
