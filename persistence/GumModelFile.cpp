#include "persistence/GumModelFile.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <vector>

#include "persistence/FileIO.h"
#include "persistence/Messages.h"
#include "persistence/PersistenceError.h"
#include "persistence/Rle.h"

namespace vormid {
namespace {

// Where the sections of a file lie; checked against the file's size.
struct Layout {
    std::array<std::size_t, kSectionCount> offset{};
    std::array<std::size_t, kSectionCount> length{};
};

// Throws TCorruptDataError when the header or lengths do not fit `size`.
Layout ParseLayout(const std::vector<std::uint8_t>& file) {
    if (file.size() < kFileHeaderSize) throw TCorruptDataError(msg::HeaderTooShort());
    Layout layout;
    std::size_t pos = kFileHeaderSize;
    for (int i = 0; i < kSectionCount; ++i) {
        const std::size_t len = GetU32(file.data() + 2 + 4 * i);
        if (len > file.size() - pos) throw TCorruptDataError(msg::SectionsPastEnd());
        layout.offset[i] = pos;
        layout.length[i] = len;
        pos += len;
    }
    // The offsets are kept as i32; a file of 2 GiB or more is not a model.
    if (pos > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw TCorruptDataError(msg::SectionTooLarge());
    return layout;
}

// Each non-empty section of a model file starts with the block length of
// its one packed stream, and that stream fills the section.
void CheckSectionFraming(const std::vector<std::uint8_t>& file, const Layout& layout) {
    for (int i = 0; i < kSectionCount; ++i) {
        const std::size_t len = layout.length[i];
        if (len == 0) continue;
        if (len < 8 || GetU32(file.data() + layout.offset[i]) != len - 4)
            throw TCorruptDataError(msg::InSection(i + 1, msg::BadPackedBlock()));
    }
}

// A model file, even a cut one, starts with its header and section 1's
// packed block length, which is L1 - 4. Anything else (a README, a picture,
// the JSON of export) is not a damaged model but no model at all.
bool FramesAsModelFile(const std::vector<std::uint8_t>& file) {
    if (file.size() < kFileHeaderSize + 4) return false;
    const std::uint32_t l1 = GetU32(file.data() + 2);
    return l1 >= 8 && GetU32(file.data() + kFileHeaderSize) == l1 - 4;
}

bool LooksLikeJson(const std::vector<std::uint8_t>& file) {
    for (std::uint8_t b : file) {
        if (b == ' ' || b == '\t' || b == '\r' || b == '\n') continue;
        return b == '{' || b == '[';
    }
    return false;
}

}  // namespace

void TGumModelFile::Create() { ClearAll(); }

void TGumModelFile::ClearSections() {
    for (auto& s : Sections_) s.Clear();
}

void TGumModelFile::ClearAll() {
    HasDiskFile_ = false;
    Whole_.Clear();
    ClearSections();
}

void TGumModelFile::MakeFileNameAbsolute() {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(FileName), ec);
    if (!ec) FileName = absolute.string();
}

void TGumModelFile::Load() {
    ClearAll();
    MakeFileNameAbsolute();
    Assign(ReadWholeFile(FileName));
    HasDiskFile_ = true;
}

void TGumModelFile::LoadBytes(std::vector<std::uint8_t> file) {
    ClearAll();
    Assign(std::move(file));
}

void TGumModelFile::LoadFileBytes(std::vector<std::uint8_t> file) {
    ClearAll();
    MakeFileNameAbsolute();
    Assign(std::move(file));
    HasDiskFile_ = true;
}

void TGumModelFile::Assign(std::vector<std::uint8_t> file) {
    Layout layout;
    try {
        layout = ParseLayout(file);
    } catch (const TCorruptDataError& e) {
        if (!FramesAsModelFile(file)) throw TModelFileError(msg::NotAModel(FileName, LooksLikeJson(file)));
        throw TModelFileError(msg::FileCorrupt(FileName, e.what()));
    }
    for (int i = 0; i < kSectionCount; ++i) {
        const auto* begin = file.data() + layout.offset[i];
        Sections_[i].Assign(std::vector<std::uint8_t>(begin, begin + layout.length[i]));
    }
    KeepWhole(std::move(file));
}

void TGumModelFile::KeepWhole(std::vector<std::uint8_t> file) {
    HeaderByte1 = file[0];
    HeaderByte2 = file[1];
    Whole_.Assign(std::move(file));
}

std::uint32_t TGumModelFile::SectionLength(int i) const {
    if (i < 1 || i > kSectionCount) throw std::out_of_range("no such section");
    return Whole_.Size() < kFileHeaderSize ? 0 : GetU32(Whole_.Data() + 2 + 4 * (i - 1));
}

std::int32_t TGumModelFile::SectionOffset(int i) const {
    if (i < 1 || i > kSectionCount) throw std::out_of_range("no such section");
    if (Whole_.Size() < kFileHeaderSize) return 0;
    std::size_t offset = kFileHeaderSize;
    for (int k = 1; k < i; ++k) offset += SectionLength(k);
    return static_cast<std::int32_t>(offset);
}

std::vector<std::uint8_t> TGumModelFile::Build() const {
    std::size_t total = kFileHeaderSize;
    for (const auto& s : Sections_) {
        if (s.Size() > std::numeric_limits<std::uint32_t>::max() - total)
            throw TModelFileError(msg::CannotWrite(FileName, msg::SectionTooLarge()));
        total += s.Size();
    }
    std::vector<std::uint8_t> file(kFileHeaderSize);
    file.reserve(total);
    file[0] = kHeaderByte1;
    file[1] = kHeaderByte2;
    for (int i = 0; i < kSectionCount; ++i) PutU32(&file[2 + 4 * i], static_cast<std::uint32_t>(Sections_[i].Size()));
    for (const auto& s : Sections_) file.insert(file.end(), s.Bytes().begin(), s.Bytes().end());
    return file;
}

void TGumModelFile::Save() {
    MakeFileNameAbsolute();
    std::vector<std::uint8_t> file = Build();
    WriteFileAtomically(FileName, file);
    KeepWhole(std::move(file));
    HasDiskFile_ = true;
}

void TGumModelFile::WriteDisplaySection() {
    // Always from the file as it is on disk now, so that nothing older than
    // the last save can come back.
    std::vector<std::uint8_t> file = ReadWholeFile(FileName);
    Layout layout;
    try {
        layout = ParseLayout(file);
        CheckSectionFraming(file, layout);
    } catch (const TCorruptDataError& e) {
        throw TModelFileError(msg::NotAModelFile(FileName, e.what()));
    }
    const TMemoryStream& display = Sections_[sec_Display - 1];
    const std::size_t start = layout.offset[sec_Display - 1];
    // Unchanged settings leave the file alone: its time stays, backups see
    // no new version, and a read-only share is not written at all.
    if (layout.length[sec_Display - 1] == display.Size() && file.size() == start + display.Size() &&
        std::equal(display.Bytes().begin(), display.Bytes().end(), file.begin() + static_cast<std::ptrdiff_t>(start))) {
        KeepWhole(std::move(file));
        HasDiskFile_ = true;
        return;
    }
    if (display.Size() > std::numeric_limits<std::uint32_t>::max() - start)
        throw TModelFileError(msg::CannotWrite(FileName, msg::SectionTooLarge()));
    file.resize(start);
    file.insert(file.end(), display.Bytes().begin(), display.Bytes().end());
    const auto L5 = static_cast<std::uint32_t>(display.Size());
    PutU32(&file[2 + 4 * (sec_Display - 1)], L5);
    WriteFileAtomically(FileName, file);
    KeepWhole(std::move(file));
    HasDiskFile_ = true;
}

}  // namespace vormid
