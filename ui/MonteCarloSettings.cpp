#include "ui/MonteCarloSettings.h"

#include <algorithm>

#include "ui/UserSettings.h"
#include "ui/widgets/MonteCarloPanel.h"

namespace vormid {
namespace {

QString Key(const char* name) { return QString::fromLatin1(kSettingsRoot) + QStringLiteral("/MonteCarlo/") + name; }

std::uint64_t Whole(QSettings& s, const char* name, std::uint64_t fallback, std::uint64_t low, std::uint64_t high) {
    bool ok = false;
    const qulonglong v = s.value(Key(name)).toULongLong(&ok);
    return ok ? std::clamp<std::uint64_t>(v, low, high) : fallback;
}

}  // namespace

TMonteCarloSettings ReadMonteCarloSettings(QSettings& settings) {
    TMonteCarloSettings mc;
    mc.Digits = static_cast<int>(Whole(settings, "Digits", 2, kMcMinDigits, kMcMaxDigits));
    mc.Trials = Whole(settings, "Trials", mc.Trials, kMcMinTrials, kMcMaxTrials);
    mc.Fixed = settings.value(Key("Fixed"), false).toBool();
    mc.Seed = Whole(settings, "Seed", 1, 0, UINT64_MAX);
    mc.Threads = static_cast<unsigned>(Whole(settings, "Threads", 0, 0, kMcMaxThreads));
    return mc;
}

void WriteMonteCarloSettings(QSettings& settings, const TMonteCarloSettings& mc) {
    settings.setValue(Key("Digits"), mc.Digits);
    settings.setValue(Key("Trials"), static_cast<qulonglong>(mc.Trials));
    settings.setValue(Key("Fixed"), mc.Fixed);
    settings.setValue(Key("Seed"), static_cast<qulonglong>(mc.Seed));
    settings.setValue(Key("Threads"), mc.Threads);
}

TMonteCarloOptions MonteCarloOptionsOf(const TMonteCarloSettings& mc) {
    TMonteCarloOptions o;
    o.Digits = mc.Digits;
    o.MaxTrials = mc.Trials;
    o.Adaptive = !mc.Fixed;
    o.Seed = mc.Seed;
    o.Threads = mc.Threads;
    o.HistogramClasses = kMcHistogramClasses;
    return o;
}

}  // namespace vormid
