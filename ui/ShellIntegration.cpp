#include "ui/ShellIntegration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <utility>

#include "ui/ProgramIcon.h"

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
        "    <icon name=\"application-x-gum-model\"/>\n"
        "    <glob pattern=\"*.gmf\"/>\n"
        "    <magic priority=\"50\">\n"
        "      <match type=\"big16\" value=\"0x4701\" offset=\"0\">\n"
        "        <match type=\"byte\" value=\"0\" offset=\"5\">\n"
        "          <match type=\"byte\" value=\"0\" offset=\"9\">\n"
        "            <match type=\"byte\" value=\"0\" offset=\"13\">\n"
        "              <match type=\"byte\" value=\"0\" offset=\"17\">\n"
        "                <match type=\"byte\" value=\"0\" offset=\"21\"/>\n"
        "              </match>\n"
        "            </match>\n"
        "          </match>\n"
        "        </match>\n"
        "      </match>\n"
        "    </magic>\n"
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
               "Icon=vormid\n"
               "Exec=%1 %f\n"
               "MimeType=application/x-gum-model;\n"
               "Terminal=false\n"
               "Categories=Science;Education;\n")
        .arg(QuoteExecArgument(programPath));
}

namespace {

const QString kDesktopEntryName = QStringLiteral("applications/vormid.desktop");

// The entry without its Exec and Icon lines: what every entry of our
// registration shares, those of earlier versions without an icon included.
QString WithoutExecLine(const QString& entry) {
    QStringList lines = entry.split(QLatin1Char('\n'));
    lines.removeIf(
        [](const QString& l) { return l.startsWith(QLatin1String("Exec=")) || l.startsWith(QLatin1String("Icon=")); });
    return lines.join(QLatin1Char('\n'));
}

// The program's and the model files' pictures into the user's icon theme,
// so that a program run from the build tree or an unpacked archive shows
// them in the launcher and the file manager. Returns whether any changed.
bool InstallIcons(const QString& home) {
    bool changed = false;
    for (int size : kIconSizes) {
        const QString dir = home + QStringLiteral("/icons/hicolor/%1x%1/").arg(size);
        const std::pair<QString, QString> icons[] = {
            {ProgramIconResource(size), dir + QStringLiteral("apps/vormid.png")},
            {FileTypeIconResource(size), dir + QStringLiteral("mimetypes/application-x-gum-model.png")}};
        for (const auto& [resource, target] : icons) {
            QFile picture(resource);
            if (picture.open(QIODevice::ReadOnly)) changed = WriteIfChanged(target, picture.readAll()) || changed;
        }
    }
    return changed;
}

bool IsOwnPerUserEntry(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return WithoutExecLine(QString::fromUtf8(file.readAll())) == WithoutExecLine(DesktopEntryText(QString()));
}

}  // namespace

QStringList SystemDataDirs() {
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    dirs.removeAll(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return dirs;
}

void RegisterFileType(const QString& programPath, const QString& dataHome) {
    RegisterFileType(programPath, dataHome, SystemDataDirs());
}

void RegisterFileType(const QString& programPath, const QString& dataHome, const QStringList& systemDataDirs) {
    QString home =
        dataHome.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) : dataHome;
    if (home.isEmpty()) return;
    for (const QString& dir : systemDataDirs) {
        if (QDir::cleanPath(dir) == QDir::cleanPath(home)) continue;
        if (!QFileInfo::exists(dir + QLatin1Char('/') + kDesktopEntryName)) continue;
        const QString own = home + QLatin1Char('/') + kDesktopEntryName;
        if (IsOwnPerUserEntry(own) && QFile::remove(own)) {
            QString updateDesktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
            if (!updateDesktop.isEmpty())
                QProcess::startDetached(updateDesktop, {home + QStringLiteral("/applications")});
        }
        return;
    }
    bool desktopChanged =
        WriteIfChanged(home + QStringLiteral("/applications/vormid.desktop"), DesktopEntryText(programPath).toUtf8());
    bool mimeChanged = WriteIfChanged(home + QStringLiteral("/mime/packages/vormid-gmf.xml"), MimeInfoText());
    InstallIcons(home);
    if (!QFileInfo::exists(home + QStringLiteral("/mime/globs2"))) mimeChanged = true;

    // The caches are rebuilt in the background; start-up does not wait for them.
    QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (mimeChanged && !updateMime.isEmpty()) QProcess::startDetached(updateMime, {home + QStringLiteral("/mime")});
    QString updateDesktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (desktopChanged && !updateDesktop.isEmpty())
        QProcess::startDetached(updateDesktop, {home + QStringLiteral("/applications")});
}

}  // namespace vormid
