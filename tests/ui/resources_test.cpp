// Where the program finds its files, built or installed, its window icon,
// and the per-user file-type registration beside an installed desktop entry.
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "ui/ProgramIcon.h"
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

    // The window icon: the theme's "vormid" when installed, else our own.
    void windowIconComesFromTheThemeOrTheProgram() {
        QTemporaryDir noTheme;
        QIcon::setThemeSearchPaths({noTheme.path()});
        QIcon builtIn = ProgramIcon();
        QVERIFY(!builtIn.isNull());
        QCOMPARE(builtIn.availableSizes().size(), 8);  // 16 to 256 pixels
        QCOMPARE(builtIn.pixmap(QSize(48, 48)).size(), QSize(48, 48));

        QTemporaryDir icons;
        WriteFile(icons.path() + QStringLiteral("/hicolor/index.theme"),
                  "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
        QImage installed(48, 48, QImage::Format_ARGB32);
        installed.fill(QColor(200, 0, 0));
        QVERIFY(QDir().mkpath(icons.path() + QStringLiteral("/hicolor/48x48/apps")));
        QVERIFY(installed.save(icons.path() + QStringLiteral("/hicolor/48x48/apps/vormid.png")));
        QIcon::setThemeSearchPaths({icons.path()});
        QIcon::setThemeName(QStringLiteral("hicolor"));
        QIcon themed = ProgramIcon();
        QCOMPARE(themed.name(), QStringLiteral("vormid"));
        QCOMPARE(themed.pixmap(QSize(48, 48)).toImage().pixelColor(24, 24), QColor(200, 0, 0));
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

QTEST_MAIN(TstResources)
#include "resources_test.moc"
