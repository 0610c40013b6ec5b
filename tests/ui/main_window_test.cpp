// The main window: its commands follow the document, page buttons, the
// recent-file menus, the first showing and closing with the settings file.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "UiTestSupport.h"
#include "ui/FormLook.h"
#include "ui/HelpWindow.h"
#include "UiTestWindow.h"
#include "ui/TfrmMain.h"

using namespace vormid;
using namespace vormid::test;

class TstMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Window {
        TFakeStore* store;
        std::unique_ptr<TfrmMain> w;
        explicit Window(const QString& ini) {
            auto s = std::make_unique<TFakeStore>();
            store = s.get();
            w = std::make_unique<TfrmMain>(std::move(s), std::make_unique<QSettings>(ini, QSettings::IniFormat));
        }
        template <class T>
        T* get(const char* name) const {
            T* c = w->findChild<T*>(QString::fromLatin1(name));
            if (!c) qFatal("no control %s", name);
            return c;
        }
        bool enabled(const char* name) const { return get<QWidget>(name)->isEnabled(); }
        bool action(const char* name) const { return get<QAction>(name)->isEnabled(); }
    };

    QString Ini(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString Model(const char* name, const QByteArray& title, int quantities = 0) {
        QString path = dir_.filePath(QString::fromLatin1(name));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write("FAKE-GMF\n" + title + "\n" + QByteArray::number(quantities) + "\n");
        return path;
    }

private slots:
    void formHasEveryCommandWithItsText() {
        Window win(Ini("texts.ini"));
        struct Cmd {
            const char* button;
            const char* item;
            const char* buttonText;
            const char* itemText;
        };
        for (const Cmd& c :
             {Cmd{"btnNew", "miNew", "Въвеждане", "Въвеждане"}, Cmd{"btnOpen", "miOpen", "Избор", "Избор"},
              Cmd{"btnSave", "miSave", "Запис", "Запис"}, Cmd{"btnSaveAs", "miSaveAs", "Запис като", "Запис като ..."},
              Cmd{"btnCancel", "miCancel", "Отказ", "Отказ"}, Cmd{"btnDelete", "miDelete", "Изтриване", "Изтриване"},
              Cmd{"btnPrint", "miPrint", "Печат", "Печат"}, Cmd{"btnExit", "miExit", "Изход", "Изход"},
              Cmd{"btnHelp", "N10", "Помощ", "Помощ"}}) {
            QCOMPARE(win.get<QToolButton>(c.button)->text(), QString::fromUtf8(c.buttonText));
            QCOMPARE(win.get<QAction>(c.item)->text(), QString::fromUtf8(c.itemText));
        }
        QCOMPARE(win.get<QToolButton>("btnCopyStat")->text(), QStringLiteral("Копиране"));
        QCOMPARE(win.get<QMenu>("miCopy")->title(), QStringLiteral("Копиране"));
        QCOMPARE(win.get<QMenu>("miRFL")->title(), QStringLiteral("Файлове"));
        QStringList copies;
        for (QAction* a : win.w->CopyPopup()->actions()) copies << a->text();
        QCOMPARE(copies, (QStringList{"Стойности", "Графика", "Статистика"}));
        QCOMPARE(win.get<QToolButton>("btnOpen")->menu(), win.w->RecentPopup());
        QCOMPARE(win.w->RecentPopup()->objectName(), QStringLiteral("pmRFL"));
        QCOMPARE(win.w->minimumSize(), QSize(770, 570));
        QVERIFY(win.get<QRadioButton>("rbEvalGUM")->isChecked());
        QVERIFY(win.get<QRadioButton>("rbEvalMonteCarlo")->isEnabled());
        QCOMPARE(win.get<QRadioButton>("rbEvalMonteCarlo")->text(), QStringLiteral("Monte-Carlo"));
        QVERIFY(win.get<QGroupBox>("rbEvalMethod"));
        QCOMPARE(win.get<QToolButton>("btnPageTitle")->text(), QStringLiteral("Заглавни данни"));
        QCOMPARE(win.get<QToolButton>("btnPageCorrelation")->text(), QStringLiteral("Корелация"));
    }

    void commandsFollowTheDocumentState() {
        Window win(Ini("enables.ini"));
        TScriptedAnswers answers;
        win.w->FormShow();
        QCOMPARE(win.w->windowTitle(), QStringLiteral("Vormid - Untitled.gmf"));
        auto check = [&](bool save, bool saveAs, bool cancel, bool copy, bool del) {
            QCOMPARE(win.enabled("btnSave"), save);
            QCOMPARE(win.action("miSave"), save);
            QCOMPARE(win.enabled("btnSaveAs"), saveAs);
            QCOMPARE(win.action("miSaveAs"), saveAs);
            QCOMPARE(win.enabled("btnCancel"), cancel);
            QCOMPARE(win.action("miCancel"), cancel);
            QCOMPARE(win.enabled("btnCopyStat"), copy);
            QCOMPARE(win.get<QMenu>("miCopy")->menuAction()->isEnabled(), copy);
            QCOMPARE(win.enabled("btnPrint"), copy);
            QCOMPARE(win.action("miPrint"), copy);
            QCOMPARE(win.enabled("btnDelete"), del);
            QCOMPARE(win.action("miDelete"), del);
        };
        check(false, false, false, false, false);

        // Typing the model name is an edit.
        win.get<QLineEdit>("edGumName")->setText(QStringLiteral("Калибриране"));
        QCOMPARE(win.w->Document().State(), 1);
        QCOMPARE(win.store->name, QStringLiteral("Калибриране"));
        check(true, true, true, true, false);

        QString file = dir_.filePath("window-saved.gmf");
        win.w->SetFileDialogHook([&](bool save) { return save ? file : QString(); });
        QTest::mouseClick(win.get<QToolButton>("btnSave"), Qt::LeftButton);
        QCOMPARE(win.w->Document().State(), 2);
        QCOMPARE(win.w->windowTitle(), QStringLiteral("Vormid - window-saved.gmf"));
        check(false, true, false, true, true);

        // Filling the controls from a loaded model is not an edit.
        QString other = Model("window-other.gmf", "Друг", 2);
        win.w->SetFileDialogHook([&](bool) { return other; });
        win.get<QAction>("miOpen")->trigger();
        QCOMPARE(win.get<QLineEdit>("edGumName")->text(), QStringLiteral("Друг"));
        QCOMPARE(win.w->Document().State(), 2);
        QVERIFY(win.enabled("btnPageValues"));
        QVERIFY(win.enabled("btnAddCorr"));
        QVERIFY(!win.enabled("btnDelCorr"));
        QCOMPARE(ApplicationTitle(), QStringLiteral("Vormid - window-other.gmf"));
        QVERIFY(answers.unexpected.isEmpty());
    }

    void pageButtonsSwitchTheNotebooks() {
        Window win(Ini("pages.ini"));
        win.w->FormShow();
        auto* book = win.get<QStackedWidget>("Book");
        auto* inner = win.get<QStackedWidget>("BookModel");
        QVERIFY(!win.enabled("btnPageValues"));  // no quantity yet
        QVERIFY(!win.enabled("btnPageBudget"));
        QTest::mouseClick(win.get<QToolButton>("btnPageEquation"), Qt::LeftButton);
        QCOMPARE(inner->currentWidget()->objectName(), QStringLiteral("Equation"));
        QTest::mouseClick(win.get<QToolButton>("btnPageCorrelation"), Qt::LeftButton);
        QCOMPARE(inner->currentWidget()->objectName(), QStringLiteral("Correlation"));
        QVERIFY(win.get<QToolButton>("btnPageCorrelation")->isChecked());
        QVERIFY(!win.get<QToolButton>("btnPageEquation")->isChecked());

        auto* budgetMenu = win.get<QMenu>("miBudget")->menuAction();
        auto* editMenu = win.get<QMenu>("miEdit")->menuAction();
        QVERIFY(!budgetMenu->isVisible());
        QVERIFY(editMenu->isVisible());
        win.store->quantities = 1;
        win.w->Document().Refresh();
        QTest::mouseClick(win.get<QToolButton>("btnPageBudget"), Qt::LeftButton);
        QCOMPARE(book->currentWidget()->objectName(), QStringLiteral("Budjet"));
        QVERIFY(budgetMenu->isVisible());
        QVERIFY(!editMenu->isVisible());
        QTest::mouseClick(win.get<QToolButton>("btnPageValues"), Qt::LeftButton);
        QCOMPARE(book->currentWidget()->objectName(), QStringLiteral("Values"));
        QVERIFY(!budgetMenu->isVisible());
        QVERIFY(!editMenu->isVisible());
        QTest::mouseClick(win.get<QToolButton>("btnPageTitle"), Qt::LeftButton);
        QCOMPARE(win.w->MainPage(), 0);
        QVERIFY(editMenu->isVisible());
    }

    void recentMenusStayTwinsAndDropMissingFiles() {
        QString ini = Ini("recent.ini");
        QString present = Model("present.gmf", "p");
        QString gone = dir_.filePath("gone.gmf");
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue("Software/Kestrane/Vormid/RFL/File1", gone);
            s.setValue("Software/Kestrane/Vormid/RFL/File2", present);
        }
        Window win(ini);
        TScriptedAnswers answers;
        win.w->FormShow();
        auto texts = [](QMenu* m) {
            QStringList t;
            for (QAction* a : m->actions()) t << a->text();
            return t;
        };
        QMenu* rfl = win.get<QMenu>("miRFL");
        QCOMPARE(texts(win.w->RecentPopup()), (QStringList{present, gone}));
        QCOMPARE(texts(rfl), (QStringList{present, gone}));
        QVERIFY(rfl->isEnabled());

        win.w->RecentPopup()->actions().at(1)->trigger();
        QCOMPARE(answers.messages, QStringList{QStringLiteral("Файлът ") + gone + QStringLiteral(" не е намерен")});
        QCOMPARE(texts(win.w->RecentPopup()), QStringList{present});
        QCOMPARE(texts(rfl), QStringList{present});

        rfl->actions().at(0)->trigger();
        QCOMPARE(win.w->Document().FileName(), present);
        QCOMPARE(win.w->Document().State(), 2);
    }

    void firstShowingAndClosingUseTheSettingsFile() {
        QString ini = Ini("show.ini");
        {
            Window win(ini);
            QSignalSpy shown(win.w.get(), &TfrmMain::firstShown);
            win.w->show();
            QVERIFY(QTest::qWaitForWindowExposed(win.w.get()));
            QVERIFY(shown.wait(2000) || shown.count() == 1);
            // No saved placement: room for every page as far as the screen
            // allows (nine tenths of it), never below the minimum size.
            const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size() * 9 / 10;
            QCOMPARE(win.w->size(), QSize(1100, 760).boundedTo(room).expandedTo(QSize(770, 570)));
            win.w->resize(900, 640);
            QVERIFY(win.w->close());
        }
        {
            QSettings s(ini, QSettings::IniFormat);
            QCOMPARE(s.value("Software/Kestrane/Vormid/Form/State").toInt(), 0);
            QCOMPARE(s.value("Software/Kestrane/Vormid/Form/Width").toInt(), 900);
            QCOMPARE(s.value("Software/Kestrane/Vormid/Form/Height").toInt(), 640);
            QVERIFY(s.contains("Software/Kestrane/Vormid/CurrentDir"));
            s.setValue("Software/Kestrane/Vormid/Form/State", 2);
        }
        Window again(ini);
        again.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.w.get()));
        QVERIFY(again.w->windowState() & Qt::WindowMaximized);
        QVERIFY(again.w->close());
        QSettings s(ini, QSettings::IniFormat);
        QCOMPARE(s.value("Software/Kestrane/Vormid/Form/State").toInt(), 2);
    }

    // Open and Save as start where the last file was chosen, in this run
    // and the next; Save as of a file opened elsewhere proposes its folder.
    void dialogsStartInTheLastFolder() {
        const QString launch = QDir::currentPath();
        QTemporaryDir elsewhere, other;
        const QString file = QDir(elsewhere.path()).filePath(QStringLiteral("chosen.gmf"));
        QFile(Model("dialog-folder.gmf", "f")).copy(file);
        const QString ini = Ini("folders.ini");
        // Answers the next file dialog: notes where it starts, then chooses
        // the file (or cancels without one). It looks for the dialog every
        // 50 ms for up to 30 s: on a loaded machine the first dialog can take
        // seconds to show, and a dialog nobody answers hangs the test.
        QString started;
        constexpr int kTries = 600;
        std::function<void(const QString&, int)> answer = [&](const QString& choose, int tries) {
            QTimer::singleShot(50, [&, choose, tries] {
                QWidget* modal = QApplication::activeModalWidget();
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                if (!dialog) {
                    if (modal) qWarning() << "unexpected" << modal->metaObject()->className() << modal->windowTitle();
                    if (tries > 0) answer(choose, tries - 1);
                    return;
                }
                started = QDir(dialog->directory()).canonicalPath();
                if (choose.isEmpty()) {
                    dialog->reject();
                } else {
                    // Typed into the name box and confirmed, as a user does;
                    // the folder's listing may still be loading.
                    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(choose);
                    QMetaObject::invokeMethod(dialog, "accept");
                }
            });
        };
        {
            Window win(ini);
            win.w->show();
            QVERIFY(QTest::qWaitForWindowExposed(win.w.get()));
            answer(file, kTries);
            win.get<QAction>("miOpen")->trigger();
            QCOMPARE(started, QDir(launch).canonicalPath());
            QCOMPARE(win.w->Document().FileName(), file);
            QCOMPARE(QDir::current().canonicalPath(), QDir(elsewhere.path()).canonicalPath());
            // The current folder moved on: Save as still proposes the file's own.
            QDir::setCurrent(other.path());
            answer(QString(), kTries);
            win.get<QAction>("miSaveAs")->trigger();
            QCOMPARE(started, QDir(elsewhere.path()).canonicalPath());
            answer(QString(), kTries);
            win.get<QAction>("miOpen")->trigger();
            QCOMPARE(started, QDir(other.path()).canonicalPath());
            QDir::setCurrent(elsewhere.path());
            QVERIFY(win.w->close());
        }
        QDir::setCurrent(launch);
        {
            Window next(ini);  // the next run
            next.w->show();
            QVERIFY(QTest::qWaitForWindowExposed(next.w.get()));
            answer(QString(), kTries);
            next.get<QAction>("miOpen")->trigger();
            QCOMPARE(started, QDir(elsewhere.path()).canonicalPath());
            next.w->close();
        }
        QDir::setCurrent(launch);
    }

    void closingWithUnsavedEditsAsks() {
        Window win(Ini("close.ini"));
        TScriptedAnswers answers;
        win.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(win.w.get()));
        win.get<QLineEdit>("edGumName")->setText(QStringLiteral("незаписан"));
        answers.Answer(TDlgAnswer::Cancel);  // stay
        QVERIFY(!win.w->close());
        QVERIFY(win.w->isVisible());
        answers.Answer(TDlgAnswer::No);  // drop the edits
        QVERIFY(win.w->close());
    }

    void requestsWaitForTheWindow() {
        Window win(Ini("request.ini"));
        TScriptedAnswers answers;
        QString a = Model("requested.gmf", "искан");
        win.w->HandleOpenRequest({QStringLiteral("[Execute(\"") + a + QStringLiteral("\")]")});
        QCOMPARE(win.store->loads, 0);  // not before the window is shown
        QSignalSpy shown(win.w.get(), &TfrmMain::firstShown);
        win.w->show();
        QVERIFY(shown.wait(2000) || shown.count() == 1);
        QTest::qWait(10);
        QCOMPARE(win.w->Document().FileName(), a);
        QCOMPARE(win.w->windowTitle(), QStringLiteral("Vormid - requested.gmf"));
        QVERIFY(win.w->RecentFiles().Entries().isEmpty());
        win.w->close();
    }

    void recentPathsAreShownAsTheyAre() {
        QString ini = Ini("ampersand.ini");
        QString odd = dir_.filePath("R&D.gmf");
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue("Software/Kestrane/Vormid/RFL/File1", odd);
        }
        Window win(ini);
        TScriptedAnswers answers;
        win.w->FormShow();
        QAction* entry = win.w->RecentPopup()->actions().at(0);
        QCOMPARE(entry->text(), QString(odd).replace("&", "&&"));  // drawn as a single "&"
        entry->trigger();
        QCOMPARE(answers.messages, QStringList{QStringLiteral("Файлът ") + odd + QStringLiteral(" не е намерен")});
    }

    void placementOffEveryScreenComesBack() {
        QString ini = Ini("offscreen.ini");
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue("Software/Kestrane/Vormid/Form/State", 0);
            s.setValue("Software/Kestrane/Vormid/Form/Left", 20000);
            s.setValue("Software/Kestrane/Vormid/Form/Top", 20000);
            s.setValue("Software/Kestrane/Vormid/Form/Width", 800);
            s.setValue("Software/Kestrane/Vormid/Form/Height", 600);
        }
        Window win(ini);
        win.w->FormShow();
        QCOMPARE(win.w->geometry(), QRect(0, 0, 800, 600));
    }

    void requestsWaitForAnOpenDialog() {
        Window win(Ini("modal.ini"));
        TScriptedAnswers answers;
        QString a = Model("during-dialog.gmf", "d");
        QSignalSpy shown(win.w.get(), &TfrmMain::firstShown);
        win.w->show();
        QVERIFY(shown.wait(2000) || shown.count() == 1);
        QDialog dialog(win.w.get());
        int loadsWhileOpen = -1;
        QTimer::singleShot(0, [&] {
            win.w->HandleOpenRequest({QStringLiteral("[Execute(\"") + a + QStringLiteral("\")]")});
            QTimer::singleShot(300, [&] {
                loadsWhileOpen = win.store->loads;
                dialog.reject();
            });
        });
        dialog.exec();
        QCOMPARE(loadsWhileOpen, 0);
        QTRY_COMPARE_WITH_TIMEOUT(win.w->Document().FileName(), a, 2000);
        win.w->close();
    }

    // "Печат" paints the report, not a picture of the screen; "Експорт"
    // writes the same report as PDF (with the model attached), ODT and HTML.
    void hardCopyIsTheReport() {
        test::TTestWindow win;  // a real model store, which reads the sample
        QVERIFY(QTest::qWaitForWindowExposed(win.w.get()));
        win.w->Document().OpenExample(QStringLiteral(VORMID_EXAMPLES_DIR "/mass.gmf"));
        const bool modified = win.modified();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString printed = dir_.filePath("printed.pdf");
        printer.setOutputFileName(printed);
        QVERIFY(win.w->PrintReport(printer));
        QFile out(printed);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(out.read(5) == "%PDF-");
        for (const char* suffix : {"pdf", "odt", "html"}) {
            const QString path = dir_.filePath(QStringLiteral("report.") + QLatin1String(suffix));
            win.w->SetFileDialogHook([path](bool) { return path; });
            const QString name = QString::fromLatin1(suffix);
            QAction* item =
                win.w->findChild<QAction*>(QStringLiteral("miExport") + name.left(1).toUpper() + name.mid(1));
            QVERIFY(item);
            item->trigger();
            QFile f(path);
            QVERIFY2(f.open(QIODevice::ReadOnly), suffix);
            const QByteArray bytes = f.readAll();
            QVERIFY(bytes.size() > 1000);
            if (QLatin1String(suffix) == QLatin1String("pdf")) {
                QVERIFY(bytes.startsWith("%PDF-"));
                QVERIFY(bytes.contains("vormid-budget.json"));
                QVERIFY(bytes.contains(".gmf"));  // the model, under the document's name
            }
            if (QLatin1String(suffix) == QLatin1String("odt")) QVERIFY(bytes.startsWith("PK"));
            if (QLatin1String(suffix) == QLatin1String("html")) QVERIFY(bytes.contains("data:image/png;base64,"));
        }
        // Reporting changes nothing in the model.
        QCOMPARE(win.modified(), modified);
    }

    void helpShowsThePageOrNothing() {
        Window win(Ini("help.ini"));
        win.w->SetHelpFile(dir_.filePath("missing.htm"));
        QVERIFY(!win.w->ShowHelp());
        QVERIFY(!win.w->findChild<THelpWindow*>());
        win.w->SetHelpFile(QStringLiteral(VORMID_HELP_FILE));
        QVERIFY(win.w->ShowHelp());
        auto* help = win.w->findChild<THelpWindow*>();
        QVERIFY(help);
        QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Vormid")));
        help->close();
    }

    void formsUseTahomaEightPoints() {
        QString family = InstallFormFont();
        if (QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
            QCOMPARE(family, QStringLiteral("Tahoma"));
        QCOMPARE(QApplication::font().family(), family);
        QCOMPARE(QApplication::font().pointSize(), 8);
        QCOMPARE(InstallFormFont({dir_.path()}), QStringLiteral("DejaVu Sans"));
        InstallFormPalette();
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(236, 233, 216));
    }
};

QTEST_MAIN(TstMainWindow)
#include "main_window_test.moc"
