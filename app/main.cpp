// Start-up of the desktop program: probe, single instance, file type, window.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "app/ModelStoreFactory.h"
#include "app/StartOptions.h"
#include "diagnostics/Diagnostics.h"
#include "ui/ErrorHandler.h"
#include "ui/FormLook.h"
#include "ui/ShellIntegration.h"
#include "ui/SingleInstance.h"
#include "ui/TfrmDlgBox.h"
#include "ui/TfrmMain.h"
#include "ui/UserSettings.h"

using namespace vormid;

namespace {

void Print(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QStringList RawArguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

QString OpenRequest(const QStringList& files) {
    QStringList lines;
    for (const QString& f : files) lines << MakeExecuteRequest(QFileInfo(f).absoluteFilePath());
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer startup;
    startup.start();

    TDiagnostics diagnostics = RunStartupProbe(argc, argv);
    TStartOptions options = ParseStartOptions(RawArguments(argc, argv));
    if (options.Help) {
        // Before the instance lock: asking for the usage touches no window.
        std::fputs(StartUsage().toUtf8().constData(), stdout);
        return 0;
    }

    // Another instance runs: hand it the files, or without files ask it to
    // come to the front (a start that shows nothing looks like a failure),
    // and end without a window.
    TSingleInstance instance;
    if (!instance.TryLock()) {
        QCoreApplication core(argc, argv);
        const QString request = options.Files.isEmpty() ? QStringLiteral("[Activate]") : OpenRequest(options.Files);
        return instance.SendRequest(request) ? 0 : 1;
    }

    TVormidApplication app(argc, argv);
    // The toolkit's own dialogs (file, print) in the program's language.
    QTranslator qtBulgarian;
    if (qtBulgarian.load(QLocale(QLocale::Bulgarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtBulgarian);
    instance.Listen();  // without it the program still works, only alone
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vormid"));
    SetApplicationTitle(QStringLiteral("Vormid"));
    InstallFormPalette();
    QString family = InstallFormFont();

    RegisterFileType(QString::fromStdString(diagnostics.ModulePath));

    if (options.Unattended) {
        SetDlgBoxResponder([](TfrmDlgBox& box) {
            Print(QStringLiteral("message: ") + box.Message());
            return box.DefaultAnswer();
        });
    }

    TfrmMain window(MakeModelStore(), OpenUserSettings());
    window.SetHelpFile(QString::fromStdString(diagnostics.ModuleDir) + QStringLiteral("/VormidBG.htm"));
    QObject::connect(&instance, &TSingleInstance::requestReceived, &window, &TfrmMain::HandleOpenRequest);
    if (options.Unattended)
        QObject::connect(&window, &TfrmMain::captionChanged, [](const QString& c) { Print(QStringLiteral("caption: ") + c); });

    QObject::connect(&window, &TfrmMain::firstShown, [&] {
        if (options.Unattended) Print(QStringLiteral("shown, font ") + family);
        if (options.QuitWhenShown) {
            Print(QStringLiteral("startup-ms %1").arg(startup.nsecsElapsed() / 1e6, 0, 'f', 1));
            window.Document().MarkModified(false);
            QTimer::singleShot(0, &window, &QWidget::close);
        }
        if (!options.GrabFile.isEmpty()) {
            QTimer::singleShot(300, &window, [&] {
                window.grab().save(options.GrabFile);
                window.close();
            });
        }
    });
    // Its own files are handled like any request, once the window is shown.
    if (!options.Files.isEmpty()) window.HandleOpenRequest(OpenRequest(options.Files).split(QLatin1Char('\n')));

    window.show();
    return app.exec();
}
