// "vormid-cli dump": the container header, the sections' offsets and
// lengths, and every field of every section, as far as the file can be read.
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/DumpSections.h"
#include "cli/ExitCodes.h"
#include "cli/FileBytes.h"
#include "persistence/GumModelFile.h"
#include "persistence/PackedStream.h"
#include "persistence/PersistenceError.h"

namespace vormid::cli {
namespace {

using SectionPrinter = void (*)(DumpCursor&);

struct SectionInfo {
    const char* Title;
    SectionPrinter Print;
};

constexpr SectionInfo kSections[kSectionCount] = {
    {"model header", DumpModelHeader},         {"quantities", DumpQuantities},
    {"correlations", DumpCorrelations},        {"budgets", DumpBudgets},
    {"display settings", DumpDisplaySettings},
};

std::string Hex2(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

// Prints one section; false when it could not be read to its end.
bool DumpSection(int number, std::string_view raw, std::ostream& out) {
    const SectionInfo& info = kSections[number - 1];
    std::string content;
    if (raw.empty()) {
        out << "  (length 0: read as an empty section)\n";
    } else {
        if (raw.size() >= 8)
            out << "  packed block: " << U32At(raw, 0) << " bytes, unpacked length " << U32At(raw, 4) << '\n';
        TMemoryStream packed(std::vector<std::uint8_t>(raw.begin(), raw.end()));
        try {
            TMemoryStream unpacked = UnpackStream(packed);
            content.assign(reinterpret_cast<const char*>(unpacked.Data()), unpacked.Size());
        } catch (const TCorruptDataError& e) {
            out << "  BROKEN: the packed stream does not decode: " << LibraryMessage(e.what()) << '\n';
            return false;
        }
        if (packed.Remaining() > 0)
            out << "  note: " << packed.Remaining() << " bytes after the packed stream are ignored\n";
    }
    out << "  content: " << content.size() << " bytes\n";
    DumpCursor cursor(content, out);
    try {
        info.Print(cursor);
    } catch (const DumpBreak& e) {
        out << "  BROKEN " << e.what() << '\n';
        return false;
    }
    if (!cursor.AtEnd()) out << "  note: " << cursor.Remaining() << " bytes after the last field\n";
    return true;
}

}  // namespace

int RunDump(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& path = args.Operands.at(0);
    const std::string file = ReadInputFile(path);
    out << "file: " << path << '\n' << "size: " << file.size() << " bytes\n";
    if (file.size() < kFileHeaderSize) {
        out << "BROKEN: the header needs " << kFileHeaderSize << " bytes, the file has " << file.size() << '\n';
        err << "vormid-cli: файлът „" << path << "“ е повреден: заглавната част е непълна\n";
        return kExitFileError;
    }
    out << "header byte 1: " << Hex2(static_cast<unsigned char>(file[0])) << '\n'
        << "header byte 2: " << Hex2(static_cast<unsigned char>(file[1])) << '\n';
    bool ok = true;
    std::size_t offset = kFileHeaderSize;
    // A section whose content breaks does not hide the others: the container
    // still says where they are. Only a broken container stops the dump.
    for (int i = 1; i <= kSectionCount; ++i) {
        const std::uint32_t length = U32At(file, 2 + 4 * (i - 1));
        out << "section " << i << " (" << kSections[i - 1].Title << "): offset " << offset << ", length " << length
            << '\n';
        if (length > file.size() - offset) {
            out << "  BROKEN: the section runs past the end of the file (" << file.size() - offset
                << " bytes remain)\n";
            ok = false;
            offset = file.size();
            break;
        }
        ok = DumpSection(i, std::string_view(file).substr(offset, length), out) && ok;
        offset += length;
    }
    if (offset < file.size()) out << "note: " << file.size() - offset << " bytes after section 5\n";
    if (!ok) {
        err << "vormid-cli: файлът „" << path << "“ е повреден (вижте реда BROKEN)\n";
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace vormid::cli
