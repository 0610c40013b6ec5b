#pragma once
// Loading and saving a whole model through the model file container.
//
// Errors are TModelFileError; their what() is a Bulgarian (CP1251) message
// for the user that names the file, e.g. "Файлът „…“ е повреден: раздел 2:
// данните свършват преждевременно." or "Файлът „…“ не може да бъде записан
// (No space left on device)."
#include "core/GumModel.h"
#include "core/DisplayState.h"
#include "persistence/GumModelFile.h"

namespace vormid {

// Reads file.FileName into model (number-format settings included) and
// display. Throws TModelFileError when the file cannot be read or a section
// is damaged: the model keeps what was read up to the failing section (its
// quantities and budgets were emptied first), and the container is cleared
// so that it names no file on disk.
void LoadModel(TGumModelFile& file, TGumModel& model, TDisplayState& display);
// The same from a file's bytes in memory; file.FileName names them in the
// messages, and the container names no file on disk afterwards.
void LoadModelFromBytes(TGumModelFile& file, std::vector<std::uint8_t> bytes, TGumModel& model, TDisplayState& display);
// LoadModel with the bytes the caller read from file.FileName (see
// TGumModelFile::LoadFileBytes): the container names that file afterwards.
void LoadModelFromFileBytes(TGumModelFile& file, std::vector<std::uint8_t> bytes, TGumModel& model,
                            TDisplayState& display);

// Writes model and display into the five sections and saves them under
// file.FileName (made absolute) through a temporary file. Throws
// TModelFileError with the old file intact.
void SaveModel(TGumModelFile& file, const TGumModel& model, const TDisplayState& display);
// The bytes SaveModel would write, for a model sent elsewhere than a file.
std::vector<std::uint8_t> ModelFileBytes(const TGumModel& model, const TDisplayState& display);

// Writes only the display settings (section 5) into the model's file: only
// when the container names a file it loaded or saved and that file still
// exists; the rest of the file is kept as it is on disk. Returns true when
// written (the caller then enters the file into the recent-file list).
// Throws TModelFileError when the file cannot be read as a model file or
// cannot be written; it is then left untouched.
bool SaveDisplaySettings(TGumModelFile& file, const TGumModel& model, const TDisplayState& display);

// Keeps the display settings of the model being left in its file (errors
// ignored), then makes model, display and container those of a new model:
// no quantities, correlations or budgets, empty texts, default number
// formats and display state, all streams emptied. Never throws.
void ClearModel(TGumModelFile& file, TGumModel& model, TDisplayState& display) noexcept;

}  // namespace vormid
