// The file commands on real model files: the document with the program's
// model store, and the window's display state kept in the file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "persistence/GumModelFile.h"
#include "ui/Document.h"
#include "ui/GumModelStore.h"
#include "ui/PanelSplitter.h"
#include "ui/TfrmMain.h"

using namespace vormid;
using namespace vormid::test;

namespace {
QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TstModelStore : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Fixture {
        TGumModelStore store;
        TRecentFiles recent;
        TFakeHost host;
        TDocument doc{store, recent, host};
        Fixture() { doc.Start(); }
    };

    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    // A saved model with the given name, written through the document.
    QString SavedModel(const char* file, const QString& name) {
        Fixture f;
        TScriptedAnswers answers;
        f.store.SetModelName(name);
        f.doc.MarkModified(true);
        f.host.saveAnswers.enqueue(Path(file));
        if (!f.doc.Save()) qFatal("saving %s failed", file);
        return Path(file);
    }

private slots:
    void newSaveAsOpenRoundTrip() {
        QString file = SavedModel("кръг.gmf", QStringLiteral("Калибриране на везна"));
        QByteArray bytes = Bytes(file);
        QVERIFY(bytes.size() >= int(kFileHeaderSize));
        QCOMPARE(quint8(bytes[0]), kHeaderByte1);

        Fixture f;
        TScriptedAnswers answers;
        f.host.openAnswers.enqueue(file);
        QVERIFY(f.doc.Open());
        QCOMPARE(f.store.ModelName(), QStringLiteral("Калибриране на везна"));
        QCOMPARE(f.doc.State(), 2);
        QCOMPARE(f.doc.Caption(), QStringLiteral("Vormid - кръг.gmf"));
        QVERIFY(answers.messages.isEmpty());
    }

    void openReadsTheFileOnce() {
        // What was checked is what is loaded: the file changing between the
        // check and the load is not read again.
        QString file = SavedModel("once.gmf", QStringLiteral("проверен"));
        QString other = SavedModel("other.gmf", QStringLiteral("друг"));
        TGumModelStore store;
        store.CheckLoadable(file);
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::copy(other, file));
        store.SetFileName(file);
        store.Load();
        QCOMPARE(store.ModelName(), QStringLiteral("проверен"));
        QVERIFY(store.File().HasDiskFile());
        // A load that no check went before reads the file.
        store.Load();
        QCOMPARE(store.ModelName(), QStringLiteral("друг"));
    }

    void damagedFileRequestedByTheDesktopKeepsTheModel() {
        QString good = SavedModel("kept.gmf", QStringLiteral("на екрана"));
        QString bad = Path("bad-request.gmf");
        {
            QFile out(bad);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(Bytes(good).left(40));
        }
        Fixture f;
        TScriptedAnswers answers;
        QVERIFY(f.doc.OpenFile(good));
        f.doc.ExecuteMacro({QStringLiteral("[Execute(\"") + bad + QStringLiteral("\")]")});
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages.first().contains(QStringLiteral("bad-request.gmf")));
        QCOMPARE(f.store.ModelName(), QStringLiteral("на екрана"));
        QCOMPARE(f.doc.FileName(), QFileInfo(good).absoluteFilePath());
    }

    void saveCancelAndReload() {
        QString file = SavedModel("save-cancel.gmf", QStringLiteral("първо"));
        Fixture f;
        TScriptedAnswers answers;
        QVERIFY(f.doc.OpenFile(file));
        f.store.SetModelName(QStringLiteral("второ"));
        f.doc.MarkModified(true);
        QVERIFY(f.doc.Save());
        f.store.SetModelName(QStringLiteral("трето"));
        f.doc.MarkModified(true);
        answers.Answer(TDlgAnswer::Yes);
        QVERIFY(f.doc.CancelChanges());
        QCOMPARE(f.store.ModelName(), QStringLiteral("второ"));  // the saved one, reloaded
        QCOMPARE(f.doc.State(), 2);
    }

    // Number formats changed and then discarded ("Не" on leaving, or
    // "Отказ" of the changes) reach no file with the display settings.
    void discardedFormatsReachNoFile() {
        QString file = SavedModel("formats.gmf", QStringLiteral("формати"));
        Fixture f;
        TScriptedAnswers answers;
        QVERIFY(f.doc.OpenFile(file));
        const int digits = f.store.Model().FormatSettings.DefaultSignificantDigits;
        f.store.Model().FormatSettings.DefaultSignificantDigits = digits + 2;
        f.doc.MarkModified(true);
        answers.Answer(TDlgAnswer::No);  // "save the changes?": no
        QVERIFY(f.doc.New());
        QVERIFY(f.doc.OpenFile(file));
        QCOMPARE(f.store.Model().FormatSettings.DefaultSignificantDigits, digits);
        f.store.Model().FormatSettings.DefaultSignificantDigits = digits + 3;
        f.doc.MarkModified(true);
        answers.Answer(TDlgAnswer::Yes);  // "discard the changes?": yes
        QVERIFY(f.doc.CancelChanges());
        QCOMPARE(f.store.Model().FormatSettings.DefaultSignificantDigits, digits);
        // Saved formats stay, and go with the display settings from then on.
        f.store.Model().FormatSettings.DefaultSignificantDigits = digits + 1;
        f.doc.MarkModified(true);
        QVERIFY(f.doc.Save());
        QVERIFY(f.doc.New());
        QVERIFY(f.doc.OpenFile(file));
        QCOMPARE(f.store.Model().FormatSettings.DefaultSignificantDigits, digits + 1);
        QVERIFY(answers.unexpected.isEmpty());
    }

    void damagedFileIsNeverWrittenBack() {
        QString file = SavedModel("damaged.gmf", QStringLiteral("цял"));
        QByteArray whole = Bytes(file);
        QByteArray cut = whole.left(whole.size() - 3);
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(cut);
        }
        Fixture f;
        TScriptedAnswers answers;
        QVERIFY(!f.doc.OpenFile(file));
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY2(answers.messages.first().contains(QStringLiteral("damaged.gmf")),
                 qPrintable(answers.messages.first()));
        QCOMPARE(f.doc.FileName(), QStringLiteral("Untitled.gmf"));
        QCOMPARE(f.doc.State(), 0);
        f.doc.Close();
        QVERIFY(f.doc.New());
        QCOMPARE(Bytes(file), cut);
    }

    void missingFileNamesItInTheMessage() {
        Fixture f;
        TScriptedAnswers answers;
        QString missing = Path("no-such.gmf");
        f.doc.ExecuteMacro({QStringLiteral("[Execute(\"") + missing + QStringLiteral("\")]")});
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages.first().contains(QStringLiteral("no-such.gmf")));
        QCOMPARE(f.doc.State(), 0);
    }

    void newModelNeverWritesUntitledInTheCurrentDirectory() {
        QString old = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        QFile decoy(QStringLiteral("Untitled.gmf"));
        QVERIFY(decoy.open(QIODevice::WriteOnly));
        decoy.write("someone else's file");
        decoy.close();
        {
            Fixture f;
            TScriptedAnswers answers;
            f.store.SetModelName(QStringLiteral("x"));
            f.doc.MarkModified(true);
            answers.Answer(TDlgAnswer::No);  // drop the edits
            QVERIFY(f.doc.New());
            f.doc.Close();
        }
        QCOMPARE(Bytes(dir_.filePath("Untitled.gmf")), QByteArray("someone else's file"));
        QDir::setCurrent(old);
    }

    void windowKeepsItsPanelHeightsInTheFile() {
        QString file = SavedModel("panels.gmf", QStringLiteral("панели"));
        QString ini = Path("panels.ini");
        {
            auto window = std::make_unique<TfrmMain>(std::make_unique<TGumModelStore>(),
                                                     std::make_unique<QSettings>(ini, QSettings::IniFormat));
            TScriptedAnswers answers;
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            QVERIFY(window->Document().OpenFile(file));
            window->findChild<TPanelSplitter*>("splEquation")->SetPanelHeight(150);
            window->findChild<TPanelSplitter*>("splBudget")->SetPanelHeight(95);
            QVERIFY(window->close());  // the display settings go into the file
        }
        TGumModelStore store;
        store.SetFileName(file);
        store.Load();
        QCOMPARE(store.Display()->EquationPanelHeight, 150);
        QCOMPARE(store.Display()->BudgetCommentPanelHeight, 95);
        QCOMPARE(store.ModelName(), QStringLiteral("панели"));

        // And the next window shows them.
        auto window = std::make_unique<TfrmMain>(std::make_unique<TGumModelStore>(),
                                                 std::make_unique<QSettings>(ini, QSettings::IniFormat));
        TScriptedAnswers answers;
        window->FormShow();
        QVERIFY(window->Document().OpenFile(file));
        QCOMPARE(window->findChild<TPanelSplitter*>("splEquation")->PanelHeight(), 150);
        QCOMPARE(window->findChild<TPanelSplitter*>("splBudget")->PanelHeight(), 95);
    }

    // "Файл" > "Примери" as a user picks a sample, edits and closes without
    // saving: the model is there, and the sample stays byte for byte.
    void samplesOpenFromTheFileMenuAndStayUntouched() {
        QTemporaryDir examples;
        const QString sample = examples.filePath(QStringLiteral("mass.gmf"));
        QVERIFY(QFile::copy(QStringLiteral(VORMID_EXAMPLES_DIR "/mass.gmf"), sample));
        const QByteArray original = Bytes(sample);
        // A file of the user's that happens to carry the untitled model's
        // name, in the current folder: leaving the sample leaves it alone.
        QTemporaryDir work;
        const QString untitled = work.filePath(QStringLiteral("Untitled.gmf"));
        QVERIFY(QFile::copy(QStringLiteral(VORMID_EXAMPLES_DIR "/gauge_block.gmf"), untitled));
        const QByteArray untitledBytes = Bytes(untitled);
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        auto restoreCwd = qScopeGuard([&cwd] { QDir::setCurrent(cwd); });
        auto window = std::make_unique<TfrmMain>(
            std::make_unique<TGumModelStore>(), std::make_unique<QSettings>(Path("samples.ini"), QSettings::IniFormat));
        TScriptedAnswers answers;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->SetExamplesDir(examples.path());
        QMenu* menu = window->ExamplesMenu();
        QVERIFY(menu->isEnabled());
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("mass"));
        menu->actions().first()->trigger();

        QVERIFY(window->Store().QuantityCount() > 0);
        QCOMPARE(window->windowTitle(), QStringLiteral("Vormid - Untitled.gmf"));
        QVERIFY(!window->Document().Modified());  // only looked at: nothing to save
        window->findChild<TPanelSplitter*>("splEquation")->SetPanelHeight(140);
        QVERIFY(window->close());
        QVERIFY(answers.messages.isEmpty());  // leaving it asked nothing
        QCOMPARE(Bytes(sample), original);
        QCOMPARE(Bytes(untitled), untitledBytes);
        QVERIFY(answers.unexpected.isEmpty());

        window->SetExamplesDir(QString());  // no samples: nothing to choose
        QVERIFY(!window->ExamplesMenu()->isEnabled());
        QVERIFY(window->ExamplesMenu()->actions().isEmpty());
    }

    void longModelNamesAreCutToTheField() {
        TGumModelStore store;
        store.SetModelName(QString(300, QChar(0x0416)));  // "Ж" is one byte in 1251
        QCOMPARE(store.Model().ModelName.size(), size_t(255));
        QCOMPARE(store.ModelName(), QString(255, QChar(0x0416)));
    }
};

QTEST_MAIN(TstModelStore)
#include "model_store_test.moc"
