// Two processes of the program: one instance per user, and open requests
// that reach the running one.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ui/GumModelStore.h"
#include "ui/SingleInstance.h"

class TstInstance : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    int run_ = 0;
    QProcessEnvironment env_;

    void Start(QProcess& p, const QStringList& args) {
        p.setProcessEnvironment(env_);
        p.setProgram(QStringLiteral(VORMID_PROGRAM));
        p.setArguments(args);
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start();
        QVERIFY(p.waitForStarted(5000));
    }
    // Waits until the process has printed a line containing the text.
    bool WaitFor(QProcess& p, QByteArray& seen, const QString& text, int ms = 30000) {
        QDeadlineTimer deadline(ms);
        while (!seen.contains(text.toUtf8())) {
            if (deadline.hasExpired() || p.state() == QProcess::NotRunning) return false;
            p.waitForReadyRead(100);
            seen += p.readAllStandardOutput();
        }
        return true;
    }
    void Stop(QProcess& p) {
        if (p.state() == QProcess::NotRunning) return;
        p.kill();
        p.waitForFinished(5000);
    }
    QString WriteModel(const QString& name) {
        QString path = dir_.filePath(name);
        vormid::TGumModelStore store;
        store.SetFileName(path);
        store.SetModelName(QStringLiteral("заявка"));
        store.Save();
        return path;
    }

private slots:
    void init() {
        // Each case gets its own user: its own runtime, config and data directories.
        QString home = dir_.filePath(QStringLiteral("user%1").arg(++run_));
        QDir().mkpath(home + "/run");
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("HOME", home);
        env_.insert("XDG_RUNTIME_DIR", home + "/run");
        env_.insert("XDG_CONFIG_HOME", home + "/config");
        env_.insert("XDG_DATA_HOME", home + "/data");
        env_.insert("QT_QPA_PLATFORM", "offscreen");
    }

    void secondStartEndsWithoutAWindow() {
        QProcess first;
        Start(first, {"--unattended"});
        QByteArray out;
        QVERIFY2(WaitFor(first, out, "shown"), out.constData());

        QProcess second;
        Start(second, {"--unattended"});
        QVERIFY(second.waitForFinished(3000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!second.readAllStandardOutput().contains("shown"));
        QCOMPARE(first.state(), QProcess::Running);
        Stop(first);
    }

    void secondPlainStartBringsTheFirstToTheFront() {
        QProcess first;
        Start(first, {"--unattended"});
        QByteArray out;
        QVERIFY2(WaitFor(first, out, "shown"), out.constData());
        QProcess second;
        Start(second, {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(WaitFor(first, out, QStringLiteral("request: [Activate], window active")), out.constData());
        QVERIFY(!out.contains("message:"));
        Stop(first);
    }

    void helpPrintsTheUsageAndLeavesTheRunningWindowAlone() {
        QProcess first;
        Start(first, {"--unattended"});
        QByteArray out;
        QVERIFY2(WaitFor(first, out, "shown"), out.constData());
        for (const char* option : {"--help", "-h"}) {
            QProcess help;
            Start(help, {QString::fromLatin1(option)});
            QVERIFY(help.waitForFinished(5000));
            QCOMPARE(help.exitCode(), 0);
            const QString usage = QString::fromUtf8(help.readAllStandardOutput());
            QVERIFY2(usage.contains(QStringLiteral("--help")) && usage.contains(QStringLiteral("--version")),
                     qPrintable(usage));
        }
        // Neither reached the running instance as a request or a file "-h".
        QTest::qWait(300);
        out += first.readAllStandardOutput();
        QVERIFY2(!out.contains("request:") && !out.contains("message:"), out.constData());
        QCOMPARE(first.state(), QProcess::Running);
        Stop(first);
    }

    void secondStartWithAPathMakesTheFirstOpenIt() {
        QProcess first;
        Start(first, {"--unattended"});
        QByteArray out;
        QVERIFY2(WaitFor(first, out, "shown"), out.constData());

        QString file = WriteModel(QStringLiteral("заявка.gmf"));
        QProcess second;
        Start(second, {file});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(WaitFor(first, out, QStringLiteral("caption: Vormid - заявка.gmf")), out.constData());
        QVERIFY(!out.contains("message:"));
        Stop(first);
    }

    void firstStartWithAPathOpensItOnceShown() {
        QString file = WriteModel(QStringLiteral("own.gmf"));
        QProcess only;
        Start(only, {"--unattended", file});
        QByteArray out;
        QVERIFY2(WaitFor(only, out, QStringLiteral("caption: Vormid - own.gmf")), out.constData());
        qsizetype shownAt = out.indexOf("shown");
        QVERIFY(shownAt >= 0);
        QVERIFY(shownAt < out.indexOf("caption: Vormid - own.gmf"));
        Stop(only);
    }

    // The pictures of the README: a page of the window, the settings dialog
    // alone, and a page name the program does not know.
    void grabPicturesAPageOrTheSettingsDialog() {
        const QString model = dir_.filePath(QStringLiteral("mass.gmf"));
        QVERIFY(QFile::copy(QStringLiteral(VORMID_EXAMPLES "/mass.gmf"), model));
        QFile(model).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        auto grab = [&](const QString& page, const QString& out, const QStringList& more = {}) {
            QProcess p;
            Start(p, QStringList{"--unattended", "--grab", out, model, "--page", page} + more);
            if (!p.waitForFinished(30000)) Stop(p);
            return p.exitCode();
        };
        const QString budget = dir_.filePath(QStringLiteral("budget.png"));
        const QString settings = dir_.filePath(QStringLiteral("settings.png"));
        QCOMPARE(grab(QStringLiteral("budget"), budget), 0);
        QCOMPARE(grab(QStringLiteral("settings"), settings), 0);
        const QImage window(budget), dialog(settings);
        QCOMPARE(window.size(), QSize(1100, 760));
        QVERIFY(!dialog.isNull());
        QVERIFY(dialog.width() < window.width() && dialog.height() < window.height());
        // Another window size, and one element of the window alone.
        const QString small = dir_.filePath(QStringLiteral("small.png"));
        QCOMPARE(grab(QStringLiteral("budget"), small, {"--size", "770x570"}), 0);
        QCOMPARE(QImage(small).size(), QSize(770, 570));
        const QString histogram = dir_.filePath(QStringLiteral("histogram.png"));
        QCOMPARE(grab(QStringLiteral("values"), histogram, {"--select", "DM", "--part", "Histogram1"}), 0);
        QVERIFY(!QImage(histogram).isNull());
        QVERIFY(QImage(histogram).width() < 700);
        QCOMPARE(grab(QStringLiteral("nowhere"), dir_.filePath(QStringLiteral("none.png"))), 2);
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("none.png"))));
    }

    void aCrashedInstanceDoesNotBlockTheNext() {
        QProcess first;
        Start(first, {"--unattended"});
        QByteArray out;
        QVERIFY(WaitFor(first, out, "shown"));
        Stop(first);  // killed: lock and socket files stay behind
        QProcess next;
        Start(next, {"--unattended"});
        QByteArray nextOut;
        QVERIFY2(WaitFor(next, nextOut, "shown"), nextOut.constData());
        Stop(next);
    }

    void socketIsTheUsersAlone() {
        vormid::TSingleInstance instance(dir_.filePath("perm"));
        QVERIFY(instance.TryLock());
        QVERIFY(instance.Listen());
        QFile::Permissions p = QFileInfo(instance.SocketPath()).permissions();
        QVERIFY(!(p & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
        QFile::Permissions d = QFileInfo(dir_.filePath("perm")).permissions();
        QVERIFY(!(d & (QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup)));
        // A second instance object in the same directory is refused.
        vormid::TSingleInstance other(dir_.filePath("perm"));
        QVERIFY(!other.TryLock());
    }
};

QTEST_GUILESS_MAIN(TstInstance)
#include "instance_test.moc"
