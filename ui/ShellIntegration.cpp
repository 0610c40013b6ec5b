#include "ui/ShellIntegration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace vormid {

QStringList ParseExecuteMacro(const QStringList& lines) {
    QStringList paths;
    for (const QString& line : lines) {
        if (!line.startsWith(QLatin1String("[Execute("))) continue;
        qsizetype open = line.indexOf(QLatin1Char('"'));
        if (open < 0) continue;
        QString rest = line.mid(open + 1);
        qsizetype close = rest.indexOf(QLatin1Char('"'));
        if (close >= 0) rest.truncate(close);
        paths << rest;
    }
    return paths;
}

QString MakeExecuteRequest(const QString& path) {
    return QStringLiteral("[Execute(\"") + path + QStringLiteral("\")]");
}

namespace {

// Quoting of an Exec key: the program inside double quotes, with the
// characters that the desktop-entry rules reserve escaped.
QString QuoteExecArgument(const QString& arg) {
    QString out;
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    // A literal percent sign is written doubled; backslashes are escaped once
    // more because the whole value is itself an escaped string.
    out.replace(QLatin1Char('%'), QLatin1String("%%"));
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// Writes the file only when its content differs; returns whether it wrote.
bool WriteIfChanged(const QString& path, const QByteArray& content) {
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == content) return false;
    current.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(content);
    return out.commit();
}

QByteArray MimeInfoText() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-gum-model\">\n"
        "    <comment>GUM Model File</comment>\n"
        "    <glob pattern=\"*.gmf\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

}  // namespace

QString DesktopEntryText(const QString& programPath) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Vormid\n"
               "Comment=GUM Model File\n"
               "Exec=%1 %f\n"
               "MimeType=application/x-gum-model;\n"
               "Terminal=false\n"
               "Categories=Science;Education;\n")
        .arg(QuoteExecArgument(programPath));
}

void RegisterFileType(const QString& programPath, const QString& dataHome) {
    QString home = dataHome.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) : dataHome;
    if (home.isEmpty()) return;
    bool desktopChanged =
        WriteIfChanged(home + QStringLiteral("/applications/vormid.desktop"), DesktopEntryText(programPath).toUtf8());
    bool mimeChanged = WriteIfChanged(home + QStringLiteral("/mime/packages/vormid-gmf.xml"), MimeInfoText());
    if (!QFileInfo::exists(home + QStringLiteral("/mime/globs2"))) mimeChanged = true;

    // The caches are rebuilt in the background; start-up does not wait for them.
    QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (mimeChanged && !updateMime.isEmpty())
        QProcess::startDetached(updateMime, {home + QStringLiteral("/mime")});
    QString updateDesktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (desktopChanged && !updateDesktop.isEmpty()) QProcess::startDetached(updateDesktop, {home + QStringLiteral("/applications")});
}

}  // namespace vormid
