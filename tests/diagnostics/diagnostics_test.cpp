// The start-up probe and the diagnostics report.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "diagnostics/Diagnostics.h"

using namespace vormid;

namespace {
QStringList ReadLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(f.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}
}  // namespace

class TstDiagnostics : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Program() const { return (dir_.path() + QStringLiteral("/bin/vormid")).toStdString(); }

private slots:
    void initTestCase() { QVERIFY(QDir().mkpath(dir_.filePath("bin"))); }

    void probeFindsTheProgram() {
        TDiagnostics d = ProbeEnvironment(Program(), {"./bin/vormid", "a.gmf"});
        QCOMPARE(QString::fromStdString(d.ModuleName), QStringLiteral("vormid"));
        QCOMPARE(QString::fromStdString(d.ModuleDir), dir_.filePath("bin"));
        QCOMPARE(QString::fromStdString(d.RunDir), QStringLiteral("./bin"));
        QCOMPARE(QString::fromStdString(d.ReportDir), dir_.filePath("bin"));
        QVERIFY(!QFile::exists(dir_.filePath("bin/$_Temp_$.$$$")));  // the writability probe is cleaned up
        QVERIFY(!d.DiagnosticsOn);
        QVERIFY(!d.HelpViewerInstalled);
        QVERIFY(d.HelpViewerPath.empty());
    }

    void debugSwitches_data() {
        QTest::addColumn<QString>("param");
        QTest::addColumn<bool>("on");
        QTest::newRow("-DEBUG") << "-DEBUG" << true;
        QTest::newRow("/debug") << "/debug" << true;
        QTest::newRow("-Debug") << "-Debug" << true;
        QTest::newRow("--debug") << "--debug" << false;
        QTest::newRow("debug") << "debug" << false;
        QTest::newRow("a path") << "/debug.gmf" << false;
    }
    void debugSwitches() {
        QFETCH(QString, param);
        TDiagnostics d = ProbeEnvironment(Program(), {Program(), param.toStdString()});
        QTEST(d.DiagnosticsOn, "on");
    }

    void reportWithDebugHasItsLines() {
        TDiagnostics d = ProbeEnvironment(Program(), {Program(), "-DEBUG", "x.gmf"});
        QVERIFY(d.DiagnosticsOn);
        WriteDiagnosticsReport(d);
        QString report = dir_.filePath("bin/HHDebug.txt");
        QStringList lines = ReadLines(report);
        QCOMPARE(lines.size(), 22);
        // "-" grows to 80 dashes, and then, like every line starting with
        // "!", "-" or "=", loses its first character.
        const QString dashes(79, QLatin1Char('-'));
        QCOMPARE(lines[0], QStringLiteral("Filename:             \t") + report);
        QVERIFY(QRegularExpression(
                    QStringLiteral("^Date:                 \t\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(lines[1])
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^Operating System:      \t\\S+ \\d+\\.\\d+\\.\\d+$"))
                    .match(lines[2])
                    .hasMatch());
        QVERIFY(
            QRegularExpression(QStringLiteral("^SysLocale.DefaultLCID: \t0x[0-9A-F]{4}$")).match(lines[3]).hasMatch());
        QVERIFY(
            QRegularExpression(QStringLiteral("^SysLocale.PriLangID:   \t0x[0-9A-F]{4}$")).match(lines[4]).hasMatch());
        QVERIFY(
            QRegularExpression(QStringLiteral("^SysLocale.SubLangID:   \t0x[0-9A-F]{4}$")).match(lines[5]).hasMatch());
        QVERIFY(lines[6].startsWith(QStringLiteral("DecimalSeparator:      \t")));
        QCOMPARE(lines[7], dashes);
        QCOMPARE(lines[8], QStringLiteral("EXE Path =          \t") + QString::fromStdString(Program()));
        QCOMPARE(lines[9], QStringLiteral("Cmdline Param(s) =  \t-DEBUG | x.gmf"));
        QCOMPARE(lines[10], QStringLiteral("_RunDir =           \t") + dir_.filePath("bin"));
        QCOMPARE(lines[11], QStringLiteral("_ModuleName =       \tvormid"));
        QCOMPARE(lines[12], QStringLiteral("_ModuleDir =        \t") + dir_.filePath("bin"));
        QCOMPARE(lines[13], dashes);
        QCOMPARE(lines[14], QStringLiteral("_hhInstalled =      \tNO"));
        QCOMPARE(lines[15], QStringLiteral("_hhVerStr =         \t"));
        QCOMPARE(lines[16], QStringLiteral("_hhFriendlyVerStr = \t"));
        QCOMPARE(lines[17], dashes);
        QCOMPARE(lines[18], QStringLiteral("_ieInstalled =      \tNO"));
        QCOMPARE(lines[19], QStringLiteral("_ieVerStr =         \t"));
        QCOMPARE(lines[20], QStringLiteral("_ieFriendlyVerStr = \t"));
        QCOMPARE(lines[21], QString(79, QLatin1Char('=')));
    }

    void withoutSwitchAnOldReportIsDeleted() {
        QString report = dir_.filePath("bin/HHDebug.txt");
        QFile old(report);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\n");
        old.close();
        WriteDiagnosticsReport(ProbeEnvironment(Program(), {Program()}));
        QVERIFY(!QFile::exists(report));
    }

    void debugFileBesideTheProgramSwitchesOn() {
        QFile flag(dir_.filePath("bin/debug.debug"));
        QVERIFY(flag.open(QIODevice::WriteOnly));
        flag.close();
        QVERIFY(ProbeEnvironment(Program(), {Program()}).DiagnosticsOn);
        QVERIFY(flag.remove());
    }

    void unwritableProgramDirectoryReportsToTemp() {
        // Not even root can create files in /proc.
        QTemporaryDir temp;
        TDiagnostics d = ProbeEnvironment("/proc/vormid", {"/proc/vormid", "-debug"}, temp.path().toStdString());
        QCOMPARE(QString::fromStdString(d.ReportDir), temp.path());
        WriteDiagnosticsReport(d);
        QCOMPARE(ReadLines(temp.filePath("HHDebug.txt")).size(), 22);
    }

    void lineWriterRules_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("bang dropped") << "!A:\tb"
                                      << "^A:\tb$";
        QTest::newRow("dash line") << "-"
                                   << "^-{79}$";
        QTest::newRow("equals line") << "="
                                     << "^={79}$";
        QTest::newRow("leading dash dropped") << "-x"
                                              << "^x$";
        QTest::newRow("other line gets the time") << "plain"
                                                  << "^plain   \\d\\d:\\d\\d:\\d\\d$";
    }
    void lineWriterRules() {
        QFETCH(QString, line);
        QFETCH(QString, pattern);
        QString path = dir_.filePath("lines.txt");
        QFile::remove(path);
        WriteReportLine(path.toStdString(), line.toStdString());
        QStringList lines = ReadLines(path);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(QRegularExpression(pattern).match(lines[0]).hasMatch(), qPrintable(lines[0]));
    }

    void lineWriterDropsLinesSilently() {
        WriteReportLine("/proc/no/such/HHDebug.txt", "!x");  // no throw, nothing written
        QVERIFY(!QFile::exists("/proc/no/such/HHDebug.txt"));
    }
};

QTEST_GUILESS_MAIN(TstDiagnostics)
#include "diagnostics_test.moc"
