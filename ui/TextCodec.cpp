#include "ui/TextCodec.h"

#include <QFile>

#include "core/Cp1251.h"

namespace vormid {

QString FromCp1251(const std::string& bytes) {
    QString out;
    out.reserve(qsizetype(bytes.size()));
    // Every byte becomes one UTF-16 unit (the code page has no character
    // outside the basic plane), 0x98 included, so that editing keeps it.
    for (char c : bytes) out.append(QChar(char16_t(Cp1251ToCodePointLossless(static_cast<unsigned char>(c)))));
    return out;
}

std::string ToCp1251(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        // A surrogate pair is one character the code page lacks: one '?'.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.push_back('?');
            ++i;
            continue;
        }
        auto byte = CodePointToCp1251(c.unicode());
        out.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return out;
}

std::string PathToNative(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathFromNative(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace vormid
