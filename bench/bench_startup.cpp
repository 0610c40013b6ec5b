// Start-up of the desktop program: from starting the process to its window
// being shown (printed by the program itself), and the whole run including
// the process's start and end. Uses the X server in DISPLAY when there is
// one, else the offscreen platform. Each run gets its own user directories,
// so a running instance of the user is not disturbed.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

namespace {

void BM_StartupToShownWindow(benchmark::State& state) {
    QTemporaryDir home;
    QDir().mkpath(home.filePath("run"));
    QFile::setPermissions(home.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", home.filePath("run"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    if (!env.contains("DISPLAY")) env.insert("QT_QPA_PLATFORM", "offscreen");

    double shownTotal = 0;
    double shownMax = 0;
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VORMID_PROGRAM), {QStringLiteral("--quit-when-shown")});
        if (!p.waitForFinished(10000)) {
            state.SkipWithError("the program did not end");
            break;
        }
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        QByteArray out = p.readAllStandardOutput();
        qsizetype at = out.indexOf("startup-ms ");
        if (at < 0) {
            state.SkipWithError("the program printed no start-up time");
            break;
        }
        double ms = out.mid(at + 11).split('\n').first().trimmed().toDouble();
        shownTotal += ms;
        shownMax = std::max(shownMax, ms);
    }
    if (state.iterations() > 0) {
        state.counters["shown_ms_mean"] = shownTotal / double(state.iterations());
        state.counters["shown_ms_max"] = shownMax;
    }
    state.SetLabel(env.contains("DISPLAY") ? "xcb" : "offscreen");
}
BENCHMARK(BM_StartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
