#pragma once
// The program's command line: file paths to open, the diagnostics switch
// (read by the probe) and a few switches for automation.
#include <QString>
#include <QStringList>

namespace vormid {

struct TStartOptions {
    QStringList Files;          // every argument that is not a switch
    bool Unattended = false;    // --unattended: boxes answered by their default button, events on stdout
    bool QuitWhenShown = false; // --quit-when-shown: print the start-up time and end
    QString GrabFile;           // --grab FILE: save a picture of the window and end
    bool Help = false;          // --help or -h: print the usage and end
};

// The usage text of --help (UTF-8 when printed).
QString StartUsage();

TStartOptions ParseStartOptions(const QStringList& arguments);  // arguments without the program

}  // namespace vormid
