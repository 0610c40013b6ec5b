#include "app/StartOptions.h"

#include "diagnostics/Diagnostics.h"

namespace vormid {

TStartOptions ParseStartOptions(const QStringList& arguments) {
    TStartOptions o;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--unattended")) o.Unattended = true;
        else if (a == QLatin1String("--quit-when-shown")) o.QuitWhenShown = true;
        else if (a == QLatin1String("--version")) o.Version = true;
        else if (a == QLatin1String("--grab") && i + 1 < arguments.size()) o.GrabFile = arguments.at(++i);
        else if (IsDebugSwitch(a.toStdString())) continue;
        else if (a.startsWith(QLatin1String("--"))) continue;  // switches of the toolkit or a later version
        else o.Files << a;
    }
    return o;
}

}  // namespace vormid
