// The recent-file list and the per-user settings file.
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "ui/RecentFiles.h"
#include "ui/UserSettings.h"

using namespace vormid;

class TstSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString IniPath(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void sixthFileDropsTheOldest() {
        TRecentFiles r;
        for (int i = 1; i <= 6; ++i) r.AddRecentFile(QStringLiteral("/m/%1.gmf").arg(i));
        QCOMPARE(r.Entries(), (QStringList{"/m/6.gmf", "/m/5.gmf", "/m/4.gmf", "/m/3.gmf", "/m/2.gmf"}));
    }
    void reopeningMovesToTheTop() {
        TRecentFiles r;
        for (int i = 1; i <= 5; ++i) r.AddRecentFile(QStringLiteral("/m/%1.gmf").arg(i));
        r.AddRecentFile(QStringLiteral("/m/2.gmf"));
        QCOMPARE(r.Entries(), (QStringList{"/m/2.gmf", "/m/5.gmf", "/m/4.gmf", "/m/3.gmf", "/m/1.gmf"}));
    }
    void pathsDifferingInCaseAreDifferentFiles() {
        TRecentFiles r;
        r.AddRecentFile(QStringLiteral("/m/Model.gmf"));
        r.AddRecentFile(QStringLiteral("/m/model.gmf"));
        QCOMPARE(r.Count(), 2);
        r.RemoveRecentFile(QStringLiteral("/M/MODEL.GMF"));
        QCOMPARE(r.Count(), 2);
        r.RemoveRecentFile(QStringLiteral("/m/Model.gmf"));
        QCOMPARE(r.Entries(), QStringList{"/m/model.gmf"});
    }

    void restoreStopsAtTheFirstGap() {
        QSettings s(IniPath("gap.ini"), QSettings::IniFormat);
        s.setValue("Software/Kestrane/Vormid/RFL/File1", "/m/1.gmf");
        s.setValue("Software/Kestrane/Vormid/RFL/File2", "/m/2.gmf");
        s.setValue("Software/Kestrane/Vormid/RFL/File4", "/m/4.gmf");
        TRecentFiles r;
        TWindowPlacement p;
        RestoreSettings(s, r, p);
        QCOMPARE(r.Entries(), (QStringList{"/m/2.gmf", "/m/1.gmf"}));  // newest (highest number) first
    }

    void restoreReadsMoreThanFiveWithoutLimit() {
        QSettings s(IniPath("many.ini"), QSettings::IniFormat);
        for (int i = 1; i <= 7; ++i)
            s.setValue(QStringLiteral("Software/Kestrane/Vormid/RFL/File%1").arg(i), QStringLiteral("/m/%1").arg(i));
        TRecentFiles r;
        TWindowPlacement p;
        RestoreSettings(s, r, p);
        QCOMPARE(r.Count(), 7);
        QCOMPARE(r.Entries().first(), QStringLiteral("/m/7"));
    }

    void storeWritesTheRegistryLayout() {
        QString old = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        {
            QSettings s(IniPath("store.ini"), QSettings::IniFormat);
            s.setValue("Software/Kestrane/Vormid/RFL/File9", "/stale.gmf");
            TRecentFiles r;
            r.AddRecentFile("/m/old.gmf");
            r.AddRecentFile("/m/new.gmf");
            StoreSettings(s, r, TWindowPlacement{2, 10, 20, 800, 600});
        }
        QDir::setCurrent(old);
        QSettings s(IniPath("store.ini"), QSettings::IniFormat);
        QCOMPARE(s.value("Software/Kestrane/Vormid/CurrentDir").toString(), QDir(dir_.path()).canonicalPath());
        QCOMPARE(s.value("Software/Kestrane/Vormid/RFL/File1").toString(), QStringLiteral("/m/old.gmf"));
        QCOMPARE(s.value("Software/Kestrane/Vormid/RFL/File2").toString(), QStringLiteral("/m/new.gmf"));
        QVERIFY(!s.contains("Software/Kestrane/Vormid/RFL/File9"));
        QCOMPARE(s.value("Software/Kestrane/Vormid/Form/State").toInt(), 2);
        QCOMPARE(s.value("Software/Kestrane/Vormid/Form/Left").toInt(), 10);
        QCOMPARE(s.value("Software/Kestrane/Vormid/Form/Top").toInt(), 20);
        QCOMPARE(s.value("Software/Kestrane/Vormid/Form/Width").toInt(), 800);
        QCOMPARE(s.value("Software/Kestrane/Vormid/Form/Height").toInt(), 600);
    }

    void roundTripRestoresEverything() {
        QString old = QDir::currentPath();
        {
            QSettings s(IniPath("round.ini"), QSettings::IniFormat);
            TRecentFiles r;
            for (int i = 1; i <= 3; ++i) r.AddRecentFile(QStringLiteral("/m/%1.gmf").arg(i));
            QDir::setCurrent(dir_.path());
            StoreSettings(s, r, TWindowPlacement{0, 5, 6, 900, 700});
            QDir::setCurrent(old);
        }
        QSettings s(IniPath("round.ini"), QSettings::IniFormat);
        TRecentFiles r;
        TWindowPlacement p;
        RestoreSettings(s, r, p);
        QCOMPARE(QDir::currentPath(), QDir(dir_.path()).canonicalPath());
        QDir::setCurrent(old);
        QCOMPARE(r.Entries(), (QStringList{"/m/3.gmf", "/m/2.gmf", "/m/1.gmf"}));
        QCOMPARE(p.Left, 5);
        QCOMPARE(p.Top, 6);
        QCOMPARE(p.Width, 900);
        QCOMPARE(p.Height, 700);
    }

    void missingKeysLeaveEverythingAndCreateNothing() {
        QString path = IniPath("empty.ini");
        QString old = QDir::currentPath();
        {
            QSettings s(path, QSettings::IniFormat);
            TRecentFiles r;
            TWindowPlacement p;
            RestoreSettings(s, r, p);
            QCOMPARE(r.Count(), 0);
            QCOMPARE(p.Width, 0);
            QCOMPARE(p.State, 0);
        }
        QCOMPARE(QDir::currentPath(), old);
        QVERIFY(!QFile::exists(path));
    }

    void userSettingsFileIsPerUser() {
        auto s = OpenUserSettings();
        QVERIFY(s->fileName().endsWith(QStringLiteral("/Kestrane/Vormid.ini")));
        QVERIFY(s->fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "settings_test.moc"
