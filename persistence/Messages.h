#pragma once
// The user texts of the model file layer, built in the Windows-1251 code
// page. File names are inserted as the bytes they are.
#include <string>
#include <string_view>

namespace vormid::msg {

// "Файлът „F“ е повреден: DETAIL."
std::string FileCorrupt(const std::string& file, const std::string& detail);
// "Файлът „F“ не може да бъде отворен." (+ system reason when given)
std::string CannotOpen(const std::string& file, const std::string& reason);
// "Файлът „F“ не може да бъде записан." (+ system reason when given)
std::string CannotWrite(const std::string& file, const std::string& reason);
// "Файлът „F“ не е файл на модел ..." for a display-settings update that
// found something else on disk.
std::string NotAModelFile(const std::string& file, const std::string& detail);

// The reason of a system error number in Bulgarian (Windows-1251) for the
// common causes; the system's own text for the rest.
std::string SystemErrorText(int err);
// "Файлът „F“ не е файл на модел (…)." for bytes that do not even frame as
// one; a JSON document gets the hint that import reads it.
std::string NotAModel(const std::string& file, bool looksLikeJson);
// The reason a path that exists cannot be read as a file.
std::string NotARegularFile(bool isDirectory);

// Details of corrupt data (no file name).
std::string TruncatedData();         // "данните свършват преждевременно"
std::string BadPackedBlock();        // "пакетираният блок е с невярна дължина"
std::string BadChunk();              // "пакетираният фрагмент е повреден"
std::string UnpackedSizeMismatch();  // "размерът на разпакетираните данни не съвпада"
std::string SectionTooLarge();       // "раздел е твърде голям"
std::string HeaderTooShort();        // "заглавната част е непълна"
std::string SectionsPastEnd();       // "разделите излизат извън края на файла"
std::string BadCount();              // "невъзможен брой записи"
std::string TooManyObservations();                              // "твърде много наблюдения"
std::string InSection(int section, const std::string& detail);  // "раздел N: DETAIL"

// Converts our own UTF-8 source literals to Windows-1251 (Cp1251FromUtf8);
// characters the code page lacks become '?'.
std::string Cp1251(std::string_view utf8);

}  // namespace vormid::msg
