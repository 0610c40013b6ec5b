#pragma once
// A model store that keeps only the header fields in memory and has no file
// format: used where no model file layer is linked.
#include "ui/ModelStore.h"

namespace vormid {

class TMemoryModelStore : public IModelStore {
public:
    QString FileName() const override { return fileName_; }
    void SetFileName(const QString& path) override { fileName_ = path; }
    void Clear() override;
    void Load() override;
    void Save() override;
    void SaveDisplaySettings() override {}
    int QuantityCount() const override { return 0; }
    int CorrelationCount() const override { return 0; }
    QString ModelName() const override { return name_; }
    void SetModelName(const QString& name) override { name_ = name; }
    int EvalMethod() const override { return method_; }
    void SetEvalMethod(int method) override { method_ = method; }

private:
    QString fileName_ = QString::fromLatin1(kUntitledModelName);
    QString name_;
    int method_ = 0;
};

}  // namespace vormid
