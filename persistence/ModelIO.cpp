#include "persistence/ModelIO.h"

#include <filesystem>

#include "persistence/Messages.h"
#include "persistence/ModelSections.h"
#include "persistence/PackedStream.h"
#include "persistence/PersistenceError.h"

namespace vormid {
namespace {

void PackSection(TGumModelFile& file, int section, const TSectionWriter& content) {
    TMemoryStream& stream = file.Section(section);
    stream.Clear();
    PackStream(TMemoryStream(content.Bytes()), stream);
    stream.SetPosition(0);
}

template <typename ReadFn>
void ReadSection(TGumModelFile& file, int section, ReadFn read) {
    try {
        TMemoryStream& stream = file.Section(section);
        stream.SetPosition(0);
        const TMemoryStream content = UnpackStream(stream);
        TSectionReader in(content.Data(), content.Size());
        read(in);
    } catch (const TCorruptDataError& e) {
        throw TModelFileError(msg::FileCorrupt(file.FileName, msg::InSection(section, e.what())));
    }
}

TSectionWriter DisplayContent(const TGumModel& model, const TDisplayState& display) {
    TSectionWriter out;
    WriteDisplaySection(model.FormatSettings, display, out);
    return out;
}

template <typename LoadFn>
void LoadSections(TGumModelFile& file, LoadFn loadContainer, TGumModel& model, TDisplayState& display) {
    model.Params.Clear();
    model.Budgets.clear();
    // Pairs of the previous model must not mix with those of the file.
    model.Correlations.Clear();
    try {
        loadContainer();
        ReadSection(file, sec_Header, [&](TSectionReader& in) { ReadHeaderSection(in, model); });
        ReadSection(file, sec_Quantities, [&](TSectionReader& in) { ReadQuantitiesSection(in, model); });
        ReadSection(file, sec_Correlations, [&](TSectionReader& in) { ReadCorrelationsSection(in, model); });
        ReadSection(file, sec_Budgets, [&](TSectionReader& in) { ReadBudgetsSection(in, model); });
        ReadSection(file, sec_Display,
                    [&](TSectionReader& in) { ReadDisplaySection(in, model.FormatSettings, display); });
    } catch (...) {
        // A file that did not load is never written back by the display
        // settings update.
        file.ClearAll();
        throw;
    }
}

}  // namespace

void LoadModel(TGumModelFile& file, TGumModel& model, TDisplayState& display) {
    LoadSections(
        file, [&] { file.Load(); }, model, display);
}

void LoadModelFromBytes(TGumModelFile& file, std::vector<std::uint8_t> bytes, TGumModel& model,
                        TDisplayState& display) {
    LoadSections(
        file, [&] { file.LoadBytes(std::move(bytes)); }, model, display);
}

void LoadModelFromFileBytes(TGumModelFile& file, std::vector<std::uint8_t> bytes, TGumModel& model,
                            TDisplayState& display) {
    LoadSections(
        file, [&] { file.LoadFileBytes(std::move(bytes)); }, model, display);
}

namespace {
void PackAll(TGumModelFile& file, const TGumModel& model, const TDisplayState& display) {
    TSectionWriter header, quantities, correlations, budgets;
    WriteHeaderSection(model, header);
    WriteQuantitiesSection(model, quantities);
    WriteCorrelationsSection(model, correlations);
    WriteBudgetsSection(model, budgets);
    PackSection(file, sec_Header, header);
    PackSection(file, sec_Quantities, quantities);
    PackSection(file, sec_Correlations, correlations);
    PackSection(file, sec_Budgets, budgets);
    PackSection(file, sec_Display, DisplayContent(model, display));
}
}  // namespace

void SaveModel(TGumModelFile& file, const TGumModel& model, const TDisplayState& display) {
    PackAll(file, model, display);
    file.Save();
}

std::vector<std::uint8_t> ModelFileBytes(const TGumModel& model, const TDisplayState& display) {
    TGumModelFile file;
    PackAll(file, model, display);
    return file.Build();
}

bool SaveDisplaySettings(TGumModelFile& file, const TGumModel& model, const TDisplayState& display) {
    if (!file.HasDiskFile()) return false;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::path(file.FileName), ec)) return false;
    PackSection(file, sec_Display, DisplayContent(model, display));
    file.WriteDisplaySection();
    return true;
}

void ClearModel(TGumModelFile& file, TGumModel& model, TDisplayState& display) noexcept {
    try {
        SaveDisplaySettings(file, model, display);
    } catch (...) {
        // Leaving a model must not fail because its file went away.
    }
    model.Clear();
    display = TDisplayState{};
    file.ClearAll();
}

}  // namespace vormid
