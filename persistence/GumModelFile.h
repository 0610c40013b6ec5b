#pragma once
// The model file container: two header bytes, five u32 section lengths,
// then the five sections, each one packed stream (see PackedStream.h).
//
// The program keeps one instance for its whole life; it is an ordinary
// object so that tests and tools can hold several.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "persistence/MemoryStream.h"

namespace vormid {

constexpr int kSectionCount = 5;
constexpr std::size_t kFileHeaderSize = 2 + 4 * kSectionCount;  // 22
// Section numbers 1..5 as the file orders them.
enum TModelSection : int {
    sec_Header = 1,
    sec_Quantities = 2,
    sec_Correlations = 3,
    sec_Budgets = 4,
    sec_Display = 5,
};

// The two header bytes this program writes: 'G' and layout version 1.
// Readers keep but never interpret them, so files with other values load.
constexpr std::uint8_t kHeaderByte1 = 0x47;
constexpr std::uint8_t kHeaderByte2 = 0x01;

constexpr const char* kUntitledFileName = "Untitled.gmf";

class TGumModelFile {
public:
    TGumModelFile() = default;

    // Full path of the current model file; kUntitledFileName for a new model.
    std::string FileName = kUntitledFileName;
    std::uint8_t HeaderByte1 = kHeaderByte1;
    std::uint8_t HeaderByte2 = kHeaderByte2;

    // Section stream 1..5.
    TMemoryStream& Section(int i) { return Sections_.at(static_cast<std::size_t>(i - 1)); }
    const TMemoryStream& Section(int i) const { return Sections_.at(static_cast<std::size_t>(i - 1)); }
    // The complete file as last read, or as last written by Save or
    // WriteDisplaySection.
    const TMemoryStream& WholeFile() const { return Whole_; }
    // Offset in the file and length of section 1..5, as last read or written.
    // Both read from the header of WholeFile (0 when there is none).
    std::int32_t SectionOffset(int i) const;
    std::uint32_t SectionLength(int i) const;

    // True when FileName names the file this object last loaded, saved or
    // updated; false for a new model (after ClearAll) and after a failed
    // Load. Only then may the display settings be written into it.
    bool HasDiskFile() const { return HasDiskFile_; }
    // The sections stay, but no file on disk is theirs any more: nothing is
    // written back under FileName until a Load or Save links one again.
    void ForgetDiskFile() { HasDiskFile_ = false; }

    // Empties all six streams. No throw.
    void Create();
    // Makes FileName absolute (against the current directory), then reads it: the whole-file stream, header bytes, lengths and the
    // five section streams (each at position 0). Throws TModelFileError when
    // the file cannot be read or its header or lengths do not fit the file;
    // the streams are then empty (nothing of a previous load is left).
    void Load();
    // Reads a model file's bytes from memory exactly as Load reads them
    // from disk (the fuzzers and tests feed it). FileName is kept for the
    // messages; the object names no file on disk afterwards, so nothing is
    // ever written back to it. Throws TModelFileError as Load does.
    void LoadBytes(std::vector<std::uint8_t> file);
    // Takes the bytes that the caller has just read from FileName as what
    // Load would read there: the object names that file on disk afterwards.
    // Lets a caller that checked a file completely load it without reading
    // it a second time. Throws TModelFileError as Load does.
    void LoadFileBytes(std::vector<std::uint8_t> file);
    // Empties the five section streams. No throw.
    void ClearSections();
    // Empties the whole-file stream and the five section streams; the object
    // no longer names a file on disk (HasDiskFile false). No throw.
    void ClearAll();
    // Replaces section 5 of the file on disk by section stream 5: re-reads
    // FileName, keeps its header bytes and sections 1..4, writes the new
    // section 5 and L5 and replaces the file atomically. Throws
    // TModelFileError and leaves the file untouched when it cannot be read,
    // is not a model file, or cannot be written. Writes nothing when the
    // file's section 5 already holds these bytes.
    void WriteDisplaySection();
    // Makes FileName absolute, then writes a complete file under it from the five section streams
    // with the fixed header bytes, atomically; afterwards the whole-file
    // stream, offsets and lengths describe the file as written. Throws
    // TModelFileError, the old file intact.
    void Save();
    // The complete file Save would write, without writing it (a model sent
    // to standard output). Throws TModelFileError for a section too large.
    std::vector<std::uint8_t> Build() const;

private:
    std::array<TMemoryStream, kSectionCount> Sections_;
    TMemoryStream Whole_;
    bool HasDiskFile_ = false;

    void MakeFileNameAbsolute();
    void Assign(std::vector<std::uint8_t> file);
    // Keeps the bytes of a file as the whole-file stream, with its header bytes.
    void KeepWhole(std::vector<std::uint8_t> file);
};

}  // namespace vormid
