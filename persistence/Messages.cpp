#include "persistence/Messages.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "core/Cp1251.h"

namespace vormid::msg {

std::string Cp1251(std::string_view utf8) { return Cp1251FromUtf8(utf8); }

namespace {
std::string Quoted(const std::string& file) { return Cp1251("„") + file + Cp1251("“"); }
std::string WithReason(std::string text, const std::string& reason) {
    if (!reason.empty()) text += " (" + reason + ")";
    return text + ".";
}
}  // namespace

std::string FileCorrupt(const std::string& file, const std::string& detail) {
    return Cp1251("Файлът ") + Quoted(file) + Cp1251(" е повреден: ") + detail + ".";
}

std::string CannotOpen(const std::string& file, const std::string& reason) {
    return WithReason(Cp1251("Файлът ") + Quoted(file) + Cp1251(" не може да бъде отворен"), reason);
}

std::string CannotWrite(const std::string& file, const std::string& reason) {
    return WithReason(Cp1251("Файлът ") + Quoted(file) + Cp1251(" не може да бъде записан"), reason);
}

std::string NotAModelFile(const std::string& file, const std::string& detail) {
    return Cp1251("Файлът ") + Quoted(file) +
           Cp1251(" не е файл на модел и настройките на изгледа не са записани в него: ") + detail + ".";
}

std::string SystemErrorText(int err) {
    // The causes a user can mend, in the program's words; one or two codes each.
    static constexpr struct {
        int Codes[2];
        const char* Text;
    } kTexts[] = {
        {{ENOENT}, "няма такъв файл или папка"},
        {{EACCES, EPERM}, "няма права за достъп"},
        {{EISDIR}, "това е папка, а не файл"},
        {{ENOTDIR}, "част от пътя не е папка"},
        {{ENOSPC}, "няма място на диска"},
        {{EROFS}, "файловата система е само за четене"},
        {{EIO}, "грешка при четене или запис на устройството"},
        {{ENAMETOOLONG}, "името на файла е твърде дълго"},
        {{EMFILE, ENFILE}, "отворени са твърде много файлове"},
        {{EBUSY, ETXTBSY}, "файлът е зает от друга програма"},
        {{EDQUOT}, "квотата на диска е изчерпана"},
        {{ELOOP}, "твърде много символни връзки в пътя"},
    };
    if (err == 0) return {};
    for (const auto& t : kTexts)
        if (t.Codes[0] == err || t.Codes[1] == err) return Cp1251(t.Text);
    return std::strerror(err);
}

std::string NotAModel(const std::string& file, bool looksLikeJson) {
    return Cp1251("Файлът ") + Quoted(file) + Cp1251(" не е файл на модел") +
           (looksLikeJson ? Cp1251(" (това е JSON документ: прочита се с „vormid-cli import“)") : std::string()) + ".";
}

std::string NotARegularFile(bool isDirectory) {
    return isDirectory ? Cp1251("това е папка, а не файл") : Cp1251("не е обикновен файл");
}

std::string TruncatedData() { return Cp1251("данните свършват преждевременно"); }
std::string BadPackedBlock() { return Cp1251("пакетираният блок е с невярна дължина"); }
std::string BadChunk() { return Cp1251("пакетиран фрагмент е повреден"); }
std::string UnpackedSizeMismatch() { return Cp1251("размерът на разпакетираните данни не съвпада"); }
std::string SectionTooLarge() { return Cp1251("раздел е твърде голям"); }
std::string HeaderTooShort() { return Cp1251("заглавната част е непълна"); }
std::string SectionsPastEnd() { return Cp1251("разделите излизат извън края на файла"); }
std::string BadCount() { return Cp1251("невъзможен брой записи"); }
std::string TooManyObservations() { return Cp1251("твърде много наблюдения"); }
std::string InSection(int section, const std::string& detail) {
    return Cp1251("раздел ") + std::to_string(section) + ": " + detail;
}

}  // namespace vormid::msg
