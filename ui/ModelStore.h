#pragma once
// What the document commands need of the model and its file: the current
// file name, and reset / load / save of the whole model. The program's store
// works on the real model and its file container; tests may supply their own.
#include <QString>
#include <stdexcept>

#include "core/DisplayState.h"

namespace vormid {

class TGumModel;

inline constexpr const char* kUntitledModelName = "Untitled.gmf";

// A failed load or save; what() is UTF-8 text for the user.
class TModelStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IModelStore {
public:
    virtual ~IModelStore() = default;

    virtual QString FileName() const = 0;
    virtual void SetFileName(const QString& path) = 0;

    // The empty model with its defaults; first keeps the display settings in
    // the current file when it is one. Never throws.
    virtual void Clear() = 0;
    // Reads the current file into the model. Throws TModelStoreError; what
    // was read before the failure stays.
    virtual void Load() = 0;
    // Reads path completely without touching the current model, so that a
    // file that cannot be opened never costs the model on screen. Throws
    // TModelStoreError. Stores without files accept every path.
    virtual void CheckLoadable(const QString& path) { (void)path; }
    // Writes the model into the current file (atomically). Throws TModelStoreError.
    virtual void Save() = 0;
    // Writes the display settings into the current file when that file
    // exists and came from this model; returns whether it wrote. Never throws.
    virtual bool SaveDisplaySettings() = 0;

    virtual int QuantityCount() const = 0;
    virtual int CorrelationCount() const = 0;

    // The window's display state kept with the model; none in stores
    // without a model file.
    virtual TDisplayState* Display() { return nullptr; }
    // The measurement model itself; none in stores that only stand in for
    // the file commands.
    virtual TGumModel* GumModel() { return nullptr; }

    // Header fields that the main window edits directly.
    virtual QString ModelName() const = 0;
    virtual void SetModelName(const QString& name) = 0;
    virtual int EvalMethod() const = 0;
    virtual void SetEvalMethod(int method) = 0;
};

}  // namespace vormid
