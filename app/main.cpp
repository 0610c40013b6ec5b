// Start-up of the desktop program: probe, single instance, file type, window.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QStringList>
#include <QSplashScreen>
#include <QTimer>
#include <memory>
#include <cstdio>

#include "app/ModelStoreFactory.h"
#include "app/StartOptions.h"
#include "diagnostics/Diagnostics.h"
#include "ui/ErrorHandler.h"
#include "ui/ModelController.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/MonteCarloRunner.h"
#include "ui/pages/BudgetPage.h"
#include "ui/pages/EquationPage.h"
#include "ui/TextCodec.h"
#include "ui/widgets/NameMarkupPainter.h"
#include "ui/FormLook.h"
#include "ui/ProgramIcon.h"
#include "ui/ResourcePaths.h"
#include "ui/ShellIntegration.h"
#include "ui/SplashPicture.h"
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

// The quantity named exactly so (in the file's code page), or else the first
// whose name reads so without its markup; -1 for none.
int FindQuantity(const TGumModel& model, const QString& name) {
    if (TGumParam* q = model.Params.FindByName(ToCp1251(name))) return model.Params.IndexOf(q);
    for (int i = 0; i < model.Params.Count(); ++i)
        if (NameMarkupPlainText(model.Params.Get(i)->Name) == name) return i;
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer startup;
    startup.start();

    TStartOptions options = ParseStartOptions(RawArguments(argc, argv));
    if (options.Help) {
        // Before the instance lock: asking for the usage touches no window.
        std::fputs(StartUsage().toUtf8().constData(), stdout);
        return 0;
    }
    // Before anything else, so that it works without a display or a probe.
    if (options.Version) {
        Print(QStringLiteral("vormid " VORMID_VERSION));
        return 0;
    }
    TDiagnostics diagnostics = RunStartupProbe(argc, argv);
    TPageChoice grabPage;
    if (!options.GrabPage.isEmpty() && !PageByName(options.GrabPage, grabPage)) {
        std::fprintf(
            stderr,
            "vormid: unknown page \"%s\" (title, description, equation, correlation, values, budget, settings)\n",
            options.GrabPage.toLocal8Bit().constData());
        return 2;
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

    // The toolkit writes the dates and sizes of its file dialogs in the
    // system's locale: Bulgarian, as the rest of the window, unless the user
    // fixed every category (LC_ALL).
    if (qEnvironmentVariableIsEmpty("LC_ALL")) {
        qputenv("LC_TIME", "bg_BG.UTF-8");
        qputenv("LC_MESSAGES", "bg_BG.UTF-8");
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
    // Every window and dialog of the program shows the launcher's icon.
    QApplication::setWindowIcon(ProgramIcon());
    InstallFormPalette();
    QString family = InstallFormFont();

    const TResourcePaths resources = FindResources(QString::fromStdString(diagnostics.ModuleDir));
    RegisterFileType(QString::fromStdString(diagnostics.ModulePath));

    if (options.Unattended) {
        SetDlgBoxResponder([](TfrmDlgBox& box) {
            Print(QStringLiteral("message: ") + box.Message());
            return box.DefaultAnswer();
        });
    }

    // Until the main window is shown; never over a picture being taken or a
    // run without a user.
    std::unique_ptr<QSplashScreen> splash;
    if (options.GrabFile.isEmpty() && !options.Unattended && !options.QuitWhenShown) {
        splash = std::make_unique<QSplashScreen>(SplashPicture());
        splash->show();
        QCoreApplication::processEvents();
    }

    TfrmMain window(MakeModelStore(), OpenUserSettings());
    window.SetHelpFile(resources.HelpFile);
    window.SetExamplesDir(resources.ExamplesDir);
    QObject::connect(&instance, &TSingleInstance::requestReceived, &window, &TfrmMain::HandleOpenRequest);
    if (options.Unattended) {
        QObject::connect(&window, &TfrmMain::captionChanged,
                         [](const QString& c) { Print(QStringLiteral("caption: ") + c); });
        // After the window has handled a request: whether it came to the front.
        QObject::connect(&instance, &TSingleInstance::requestReceived, &window, [&window](const QStringList& lines) {
            QTimer::singleShot(0, &window, [&window, lines] {
                Print(QStringLiteral("request: ") + lines.join(QLatin1Char(' ')) +
                      (window.isActiveWindow() && !window.isMinimized() ? QStringLiteral(", window active")
                                                                        : QStringLiteral(", window inactive")));
            });
        });
    }

    QObject::connect(&window, &TfrmMain::firstShown, [&] {
        if (splash) splash->finish(&window);
        if (options.Unattended) Print(QStringLiteral("shown, font ") + family);
        if (options.QuitWhenShown) {
            Print(QStringLiteral("startup-ms %1").arg(startup.nsecsElapsed() / 1e6, 0, 'f', 1));
            window.Document().MarkModified(false);
            QTimer::singleShot(0, &window, &QWidget::close);
        }
        if (!options.GrabFile.isEmpty()) {
            QTimer::singleShot(300, &window, [&] {
                if (!options.GrabQuantity.isEmpty()) {
                    int index = FindQuantity(window.Controller().Model(), options.GrabQuantity);
                    if (index < 0)
                        std::fprintf(stderr, "vormid: no quantity \"%s\" in the model\n",
                                     options.GrabQuantity.toLocal8Bit().constData());
                    window.Controller().Select(index);
                }
                // A size at which every page has room, whatever the saved placement.
                window.showNormal();
                window.resize(options.GrabSize);
                window.SelectMainPage(grabPage.MainPage);
                if (grabPage.ModelPage >= 0) window.SelectModelPage(grabPage.ModelPage);
                if (options.GrabWide)
                    if (auto* page = window.findChild<TEquationPage*>()) page->SetWide(true);
                // The value-format dialog with the model's settings, as
                // "Настройки" opens it (shown, not run, so it can be taken).
                QWidget* shot = &window;
                if (grabPage.SettingsDialog) {
                    auto* dialog = new TfrmSettings(window.Controller().Model().FormatSettings, &window);
                    dialog->setAttribute(Qt::WA_DeleteOnClose);
                    dialog->show();
                    shot = dialog;
                }
                // The chosen page paints once before the picture is taken,
                // and a Monte Carlo check of the budget page ends first.
                auto* wait = new QTimer(&window);
                wait->start(200);
                QObject::connect(wait, &QTimer::timeout, &window, [&, shot, wait] {
                    if (const auto* budget = window.findChild<TBudgetPage*>();
                        budget && budget->MonteCarloRunner().Running())
                        return;
                    wait->stop();
                    // On a busy machine the first paint can outlast the
                    // delay with layout requests still queued; they are
                    // settled first, so the picture shows the final layout.
                    for (int round = 0; round < 3; ++round) QCoreApplication::sendPostedEvents();
                    QWidget* part = options.GrabPart.isEmpty() ? shot : shot->findChild<QWidget*>(options.GrabPart);
                    if (part == nullptr)
                        std::fprintf(stderr, "vormid: no element \"%s\" in the window\n",
                                     options.GrabPart.toLocal8Bit().constData());
                    else
                        part->grab().save(options.GrabFile);
                    window.Document().MarkModified(false);
                    window.close();
                });
            });
        }
    });
    // Its own files are handled like any request, once the window is shown.
    if (!options.Files.isEmpty()) window.HandleOpenRequest(OpenRequest(options.Files).split(QLatin1Char('\n')));

    window.show();
    return app.exec();
}
