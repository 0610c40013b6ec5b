#pragma once
// Where the program's read-only files are: beside the program in the build
// tree, in the data folder of its prefix when installed.
#include <QString>

namespace vormid {

struct TResourcePaths {
    bool Installed = false;  // the data folder of an installation was found
    QString DataDir;         // holds the help page (and the examples when installed)
    QString HelpFile;        // "VormidBG.htm"
    QString ExamplesDir;     // the sample models; empty when there are none
};

// programDir: the folder of the running program file. The installed layout
// is found relative to it (bin/ -> share/vormid/), so a moved or unpacked
// installation works as well as one under its configured prefix.
TResourcePaths FindResources(const QString& programDir);

}  // namespace vormid
