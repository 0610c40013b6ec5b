#pragma once
// Per-user settings between runs: the working directory, the recent files and
// the window placement. They live in an INI file whose keys mirror the
// registry layout the program has always used:
//   Software/Kestrane/Vormid/CurrentDir
//   Software/Kestrane/Vormid/RFL/File1 ... (1 = oldest)
//   Software/Kestrane/Vormid/Form/State, Left, Top, Width, Height
#include <QSettings>
#include <QString>
#include <memory>

#include "ui/RecentFiles.h"

namespace vormid {

inline constexpr const char* kSettingsRoot = "Software/Kestrane/Vormid";

struct TWindowPlacement {
    int State = 0;  // 0 normal, 1 minimised, 2 maximised
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The user's settings file ($XDG_CONFIG_HOME/Kestrane/Vormid.ini).
std::unique_ptr<QSettings> OpenUserSettings();

// Reads the three keys; missing keys leave their values as they are.
// Makes a stored CurrentDir the process's current directory when it exists.
void RestoreSettings(QSettings& settings, TRecentFiles& recent, TWindowPlacement& placement);

// Writes the three keys; the RFL list is rewritten from scratch. Never throws.
void StoreSettings(QSettings& settings, const TRecentFiles& recent, const TWindowPlacement& placement);

}  // namespace vormid
