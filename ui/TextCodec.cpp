#include "ui/TextCodec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace vormid {

QString FromCp1251(const std::string& bytes) {
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid()) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string ToCp1251(const QString& text) {
    if (!QStringEncoder("windows-1251").isValid()) return text.toLatin1().toStdString();
    std::string out;
    out.reserve(size_t(text.size()));
    // Character by character, so that one unmappable character costs one '?'
    // and not the rest of the text.
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one("windows-1251");
        QByteArray bytes = one.encode(QStringView(text).mid(i, len));
        if (one.hasError() || bytes.isEmpty()) out.push_back('?');
        else out.append(bytes.constData(), size_t(bytes.size()));
        i += len - 1;
    }
    return out;
}

std::string PathToNative(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathFromNative(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace vormid
