#include "ui/UserSettings.h"

#include <QDir>

namespace vormid {

namespace {
QString Key(const char* sub) { return QString::fromLatin1(kSettingsRoot) + QLatin1Char('/') + QLatin1String(sub); }
}  // namespace

std::unique_ptr<QSettings> OpenUserSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kestrane"),
                                       QStringLiteral("Vormid"));
}

void RestoreSettings(QSettings& settings, TRecentFiles& recent, TWindowPlacement& placement) {
    QVariant dir = settings.value(Key("CurrentDir"));
    if (dir.isValid() && !dir.toString().isEmpty()) QDir::setCurrent(dir.toString());

    // File1, File2, ... until the first missing number; each read goes to the
    // top, so the newest (highest number) ends up first.
    for (int n = 1;; ++n) {
        QVariant v = settings.value(Key("RFL/File") + QString::number(n));
        if (!v.isValid()) break;
        recent.InsertTop(v.toString());
    }

    settings.beginGroup(Key("Form"));
    bool hasForm = !settings.childKeys().isEmpty();
    if (hasForm) {
        placement.State = settings.value("State", 0).toInt();
        placement.Left = settings.value("Left", 0).toInt();
        placement.Top = settings.value("Top", 0).toInt();
        placement.Width = settings.value("Width", 0).toInt();
        placement.Height = settings.value("Height", 0).toInt();
    }
    settings.endGroup();
}

void StoreSettings(QSettings& settings, const TRecentFiles& recent, const TWindowPlacement& placement) {
    settings.setValue(Key("CurrentDir"), QDir::currentPath());

    settings.remove(Key("RFL"));
    const QStringList& entries = recent.Entries();
    for (qsizetype i = entries.size() - 1, n = 1; i >= 0; --i, ++n)
        settings.setValue(Key("RFL/File") + QString::number(n), entries.at(i));

    settings.setValue(Key("Form/State"), placement.State == 2 ? 2 : 0);
    settings.setValue(Key("Form/Left"), placement.Left);
    settings.setValue(Key("Form/Top"), placement.Top);
    settings.setValue(Key("Form/Width"), placement.Width);
    settings.setValue(Key("Form/Height"), placement.Height);
    settings.sync();
}

}  // namespace vormid
