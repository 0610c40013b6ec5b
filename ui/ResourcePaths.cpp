#include "ui/ResourcePaths.h"

#include <QDir>
#include <QFileInfo>

// The data folder as seen from the program's folder, e.g. "../share/vormid".
#ifndef VORMID_DATA_FROM_BIN
#define VORMID_DATA_FROM_BIN "../share/vormid"
#endif

namespace vormid {

namespace {
const QString kHelpName = QStringLiteral("VormidBG.htm");
}

TResourcePaths FindResources(const QString& programDir) {
    TResourcePaths paths;
    const QString installed = QDir::cleanPath(programDir + QLatin1Char('/') + QStringLiteral(VORMID_DATA_FROM_BIN));
    if (QFileInfo::exists(installed + QLatin1Char('/') + kHelpName)) {
        paths.Installed = true;
        paths.DataDir = installed;
        const QString examples = installed + QStringLiteral("/examples");
        if (QFileInfo(examples).isDir()) paths.ExamplesDir = examples;
    } else {
        // The build tree: the build copies the help page beside the program.
        paths.DataDir = QDir::cleanPath(programDir);
#ifdef VORMID_BUILD_TREE_EXAMPLES
        if (QFileInfo(QStringLiteral(VORMID_BUILD_TREE_EXAMPLES)).isDir())
            paths.ExamplesDir = QStringLiteral(VORMID_BUILD_TREE_EXAMPLES);
#endif
    }
    paths.HelpFile = paths.DataDir + QLatin1Char('/') + kHelpName;
    return paths;
}

}  // namespace vormid
