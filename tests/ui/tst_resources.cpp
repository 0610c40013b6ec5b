// Where the program finds its files, built or installed, and the per-user
// file-type registration beside an installed desktop entry.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/ResourcePaths.h"
#include "ui/ShellIntegration.h"

using namespace vormid;

namespace {

void WriteFile(const QString& path, const QByteArray& content) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TstResources : public QObject {
    Q_OBJECT
private slots:
    void buildTreeKeepsTheHelpPageBesideTheProgram() {
        QTemporaryDir tree;
        const QString app = tree.path() + QStringLiteral("/build/app");
        QVERIFY(QDir().mkpath(app));
        TResourcePaths paths = FindResources(app);
        QVERIFY(!paths.Installed);
        QCOMPARE(paths.HelpFile, app + QStringLiteral("/VormidBG.htm"));
    }

    void installedProgramFindsItsPrefix() {
        // Any prefix: the layout is found from the program's own folder.
        QTemporaryDir root;
        const QString prefix = root.path() + QStringLiteral("/opt/лаборатория");
        WriteFile(prefix + QStringLiteral("/share/vormid/VormidBG.htm"), "<html/>");
        WriteFile(prefix + QStringLiteral("/share/vormid/examples/mass.gmf"), "G\x01");
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        TResourcePaths paths = FindResources(prefix + QStringLiteral("/bin"));
        QVERIFY(paths.Installed);
        QCOMPARE(paths.HelpFile, prefix + QStringLiteral("/share/vormid/VormidBG.htm"));
        QCOMPARE(paths.ExamplesDir, prefix + QStringLiteral("/share/vormid/examples"));
    }

    void installedEntryMeansNothingIsWritten() {
        QTemporaryDir home, system;
        WriteFile(system.path() + QStringLiteral("/applications/vormid.desktop"), "[Desktop Entry]\n");
        RegisterFileType(QStringLiteral("/usr/bin/vormid"), home.path(), {system.path()});
        QVERIFY(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }

    void installedEntryRemovesOnlyOurOwnPerUserEntry() {
        QTemporaryDir home, system;
        const QString own = home.path() + QStringLiteral("/applications/vormid.desktop");
        RegisterFileType(QStringLiteral("/home/u/src/build/app/vormid"), home.path(), {system.path()});
        QVERIFY(QFileInfo::exists(own));  // no installed entry yet: registered per user

        WriteFile(system.path() + QStringLiteral("/applications/vormid.desktop"), "[Desktop Entry]\n");
        RegisterFileType(QStringLiteral("/usr/bin/vormid"), home.path(), {system.path()});
        QVERIFY(!QFileInfo::exists(own));  // it would hide the installed entry

        const QByteArray foreign = "[Desktop Entry]\nName=My own launcher\nExec=vormid\n";
        WriteFile(own, foreign);
        RegisterFileType(QStringLiteral("/usr/bin/vormid"), home.path(), {system.path()});
        QCOMPARE(ReadFile(own), foreign);
    }

    void perUserMimeTypeHasTheMagicRule() {
        QTemporaryDir home;
        RegisterFileType(QStringLiteral("/usr/bin/vormid"), home.path(), {});
        const QByteArray mime = ReadFile(home.path() + QStringLiteral("/mime/packages/vormid-gmf.xml"));
        QVERIFY(mime.contains("<glob pattern=\"*.gmf\"/>"));
        QVERIFY(mime.contains("<match type=\"big16\" value=\"0x4701\" offset=\"0\">"));
    }
};

QTEST_GUILESS_MAIN(TstResources)
#include "tst_resources.moc"
