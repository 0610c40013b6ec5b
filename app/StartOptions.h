#pragma once
// The program's command line: file paths to open, the diagnostics switch
// (read by the probe) and a few switches for automation.
#include <QSize>
#include <QString>
#include <QStringList>

namespace vormid {

struct TStartOptions {
    QStringList Files;           // every argument that is not a switch
    bool Unattended = false;     // --unattended: boxes answered by their default button, events on stdout
    bool QuitWhenShown = false;  // --quit-when-shown: print the start-up time and end
    QString GrabFile;            // --grab FILE: save a picture of the window and end
    QString GrabPage;            // --page NAME: the page shown for the picture
    QString GrabQuantity;        // --select QUANTITY: the quantity selected for the picture
    bool Version = false;        // --version: print the program's version and end
    bool Help = false;           // --help or -h: print the usage and end
    bool GrabWide = false;       // --wide: the quantity list in its wide state
    QSize GrabSize{1100, 760};   // --size WxH: the window's size for the picture
    QString GrabPart;            // --part NAME: only the window's element of that name
};

// The usage text of --help (UTF-8 when printed).
QString StartUsage();

// The pages --page names: title, description, equation, correlation, values,
// budget, and settings (the value-format dialog over the budget). Returns the main page (0..2) and the inner page (0..2, or -1 when
// the main page is not the first), or nothing for an unknown name.
struct TPageChoice {
    int MainPage = 0;
    int ModelPage = -1;
    bool SettingsDialog = false;  // the value-format dialog over the window
};
bool PageByName(const QString& name, TPageChoice& choice);

TStartOptions ParseStartOptions(const QStringList& arguments);  // arguments without the program

}  // namespace vormid
