// Open requests and the file-type association.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "ui/ShellIntegration.h"

using namespace vormid;

class TstShell : public QObject {
    Q_OBJECT
private slots:
    void parseExecuteMacro_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("template for a.gmf") << QStringList{"[Execute(\"/x/a.gmf\")]"} << QStringList{"/x/a.gmf"};
        QTest::newRow("no quotes") << QStringList{"[Execute(/x/a.gmf)]"} << QStringList{};
        QTest::newRow("other command") << QStringList{"[Open(\"/x/a.gmf\")]"} << QStringList{};
        QTest::newRow("not at first character") << QStringList{" [Execute(\"/x/a.gmf\")]"} << QStringList{};
        QTest::newRow("case matters") << QStringList{"[execute(\"/x/a.gmf\")]"} << QStringList{};
        QTest::newRow("no closing quote") << QStringList{"[Execute(\"/x/a b.gmf"} << QStringList{"/x/a b.gmf"};
        QTest::newRow("text after the closing quote")
            << QStringList{"[Execute(\"/a.gmf\" junk\")]"} << QStringList{"/a.gmf"};
        QTest::newRow("several lines") << QStringList{"[Execute(\"/1.gmf\")]", "noise", "[Execute(\"/Пробa 2.gmf\")]"}
                                       << QStringList{"/1.gmf", "/Пробa 2.gmf"};
        QTest::newRow("empty") << QStringList{} << QStringList{};
    }
    void parseExecuteMacro() {
        QFETCH(QStringList, lines);
        QTEST(ParseExecuteMacro(lines), "paths");
    }

    void requestRoundTrip() {
        QString path = QStringLiteral("/дир/модел.gmf");
        QCOMPARE(ParseExecuteMacro({MakeExecuteRequest(path)}), QStringList{path});
    }

    void desktopEntryQuotesTheProgram() {
        QString text = DesktopEntryText(QStringLiteral("/opt/my $dir/vormid"));
        QVERIFY(text.contains(QStringLiteral("Exec=\"/opt/my \\\\$dir/vormid\" %f\n")));
        QVERIFY(text.contains(QStringLiteral("MimeType=application/x-gum-model;\n")));
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    }

    void registerFileTypeWritesBothFiles() {
        QTemporaryDir home;
        // No system folders: an installed package on the test machine would
        // otherwise make the registration write nothing.
        RegisterFileType(QStringLiteral("/usr/bin/vormid"), home.path(), {});
        QFile entry(home.filePath("applications/vormid.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"/usr/bin/vormid\" %f"));
        QFile mime(home.filePath("mime/packages/vormid-gmf.xml"));
        QVERIFY(mime.open(QIODevice::ReadOnly));
        QByteArray xml = mime.readAll();
        QVERIFY(xml.contains("<glob pattern=\"*.gmf\"/>"));
        QVERIFY(xml.contains("<comment>GUM Model File</comment>"));
        // The icons the entry and the type name, in the user's theme.
        entry.close();
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("\nIcon=vormid\n"));
        for (const char* icon :
             {"icons/hicolor/48x48/apps/vormid.png", "icons/hicolor/256x256/mimetypes/application-x-gum-model.png"})
            QVERIFY2(!QImage(home.filePath(QString::fromLatin1(icon))).isNull(), icon);
        // Every start writes it again, with the program's current path.
        RegisterFileType(QStringLiteral("/opt/vormid"), home.path(), {});
        entry.close();
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"/opt/vormid\" %f"));
    }

    void registerFileTypeFailsSilently() {
        // A data directory that cannot be created: nothing is written, nothing thrown.
        RegisterFileType(QStringLiteral("/usr/bin/vormid"), QStringLiteral("/proc/no-such/dir"), {});
        QVERIFY(!QFile::exists(QStringLiteral("/proc/no-such/dir/applications/vormid.desktop")));
    }
};

QTEST_GUILESS_MAIN(TstShell)
#include "shell_test.moc"
