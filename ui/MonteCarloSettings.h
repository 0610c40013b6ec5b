#pragma once
// The Monte Carlo options of "Функции" → "Настройки": the user's, not the
// model's, so they live in the per-user settings under
//   Software/Kestrane/Vormid/MonteCarlo/Digits, Trials, Fixed, Seed, Threads
// with the limits of "vormid-cli mc".
#include <QSettings>
#include <cstdint>

#include "evaluation/MonteCarlo.h"

namespace vormid {

struct TMonteCarloSettings {
    int Digits = 2;                     // significant digits of u for δ
    std::uint64_t Trials = 10'000'000;  // the limit, or with Fixed the number
    bool Fixed = false;                 // exactly Trials trials
    std::uint64_t Seed = 1;
    unsigned Threads = 0;  // 0: one per core
    bool operator==(const TMonteCarloSettings&) const = default;
};

inline constexpr int kMcMinDigits = 1, kMcMaxDigits = 6;
inline constexpr std::uint64_t kMcMinTrials = 100, kMcMaxTrials = 100'000'000;
inline constexpr unsigned kMcMaxThreads = 256;

// Missing or unreadable keys keep the defaults; values out of range are
// brought within it.
TMonteCarloSettings ReadMonteCarloSettings(QSettings& settings);
void WriteMonteCarloSettings(QSettings& settings, const TMonteCarloSettings& mc);

// The engine's options for these settings, with the panel's histogram.
TMonteCarloOptions MonteCarloOptionsOf(const TMonteCarloSettings& mc);

}  // namespace vormid
