// The document of the main window without a window: states, enabling rules,
// caption and the file commands on real files.
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/Document.h"
#include "ui/ShellIntegration.h"

using namespace vormid;
using namespace vormid::test;

class TstDocument : public QObject {
    Q_OBJECT

    struct Fixture {
        TFakeStore store;
        TRecentFiles recent;
        TFakeHost host;
        TDocument doc{store, recent, host};
        Fixture() { doc.Start(); }
    };

    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    void WriteModel(const QString& path, const QByteArray& name, int quantities = 0) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("FAKE-GMF\n" + name + "\n" + QByteArray::number(quantities) + "\n");
    }

private slots:
    void markModifiedMovesStates_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("to");
        QTest::newRow("new edited") << 0 << true << 1;
        QTest::newRow("new edited again") << 1 << true << 1;
        QTest::newRow("file edited") << 2 << true << 3;
        QTest::newRow("file edited again") << 3 << true << 3;
        QTest::newRow("new reset") << 1 << false << 0;
        QTest::newRow("file reset") << 3 << false << 2;
        QTest::newRow("new unchanged stays") << 0 << false << 0;
        QTest::newRow("file unchanged stays") << 2 << false << 2;
    }
    void markModifiedMovesStates() {
        QFETCH(int, from);
        QFETCH(bool, changed);
        QFETCH(int, to);
        Fixture f;
        TScriptedAnswers answers;
        QString file = Path("states.gmf");
        WriteModel(file, "m");
        if (from >= 2) QVERIFY(f.doc.OpenFile(file));
        if (from == 1 || from == 3) f.doc.MarkModified(true);
        QCOMPARE(f.doc.State(), from);
        f.doc.MarkModified(changed);
        QCOMPARE(f.doc.State(), to);
        QCOMPARE(f.doc.Modified(), changed);
    }

    void enablingRules_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("copyPrint");
        QTest::addColumn<bool>("del");
        QTest::newRow("0 new unchanged") << 0 << false << false << false << false << false;
        QTest::newRow("1 new changed") << 1 << true << true << true << true << false;
        QTest::newRow("2 file unchanged") << 2 << false << true << false << true << true;
        QTest::newRow("3 file changed") << 3 << true << true << true << true << true;
    }
    void enablingRules() {
        QFETCH(int, state);
        Fixture f;
        TScriptedAnswers answers;
        QString file = Path("rules.gmf");
        WriteModel(file, "m");
        if (state >= 2) QVERIFY(f.doc.OpenFile(file));
        if (state == 1 || state == 3) f.doc.MarkModified(true);
        TCommandEnables e = f.doc.Enables();
        QTEST(e.Save, "save");
        QTEST(e.SaveAs, "saveAs");
        QTEST(e.Cancel, "cancel");
        QTEST(e.Copy, "copyPrint");
        QTEST(e.HardCopy, "copyPrint");
        QTEST(e.Delete, "del");
    }

    void correlationAndPageRulesFollowTheModel() {
        Fixture f;
        QVERIFY(!f.doc.Enables().AddCorr);
        QVERIFY(!f.doc.Enables().ModelPages);
        f.store.quantities = 1;
        QVERIFY(!f.doc.Enables().AddCorr);
        QVERIFY(f.doc.Enables().ModelPages);
        f.store.quantities = 2;
        QVERIFY(f.doc.Enables().AddCorr);
        QVERIFY(!f.doc.Enables().DelCorr);
        f.store.correlations = 1;
        QVERIFY(f.doc.Enables().DelCorr);
        QVERIFY(!f.doc.Enables().RecentMenu);
        f.recent.AddRecentFile("/x.gmf");
        QVERIFY(f.doc.Enables().RecentMenu);
    }

    void captionNamesTheFileWithoutDirectory() {
        Fixture f;
        TScriptedAnswers answers;
        QCOMPARE(f.doc.Caption(), QStringLiteral("Vormid - Untitled.gmf"));
        QString file = Path("Уред 1.gmf");
        WriteModel(file, "m");
        QVERIFY(f.doc.OpenFile(file));
        QCOMPARE(f.doc.Caption(), QStringLiteral("Vormid - Уред 1.gmf"));
        QCOMPARE(f.doc.FileName(), file);
    }

    void openSaveAndSaveAsOnRealFiles() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("open-a.gmf");
        WriteModel(a, "Модел А");
        f.host.openAnswers.enqueue(a);
        QVERIFY(f.doc.Open());
        QCOMPARE(f.store.name, QStringLiteral("Модел А"));
        QCOMPARE(f.doc.State(), 2);
        QCOMPARE(f.recent.Entries(), QStringList{a});
        // After Open: Save disabled, Save as enabled until the first edit.
        QVERIFY(!f.doc.Enables().Save);
        QVERIFY(f.doc.Enables().SaveAs);

        f.store.name = QStringLiteral("Модел Б");
        f.doc.MarkModified(true);
        QVERIFY(f.doc.Save());
        QCOMPARE(f.doc.State(), 2);
        QFile saved(a);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("Модел Б"));

        QString b = Path("save-as-b");  // the extension is added
        f.host.saveAnswers.enqueue(b);
        QVERIFY(f.doc.SaveAs());
        QCOMPARE(f.doc.FileName(), b + ".gmf");
        QVERIFY(QFile::exists(b + ".gmf"));
        QCOMPARE(f.doc.Caption(), QStringLiteral("Vormid - save-as-b.gmf"));
        QCOMPARE(f.recent.Entries().first(), b + ".gmf");
        QVERIFY(answers.unexpected.isEmpty());
    }

    void cancelledDialogsChangeNothing() {
        Fixture f;
        TScriptedAnswers answers;
        f.store.name = QStringLiteral("x");
        f.doc.MarkModified(true);
        QVERIFY(!f.doc.SaveAs());  // the save dialog answers "cancelled"
        QCOMPARE(f.doc.State(), 1);
        answers.Answer(TDlgAnswer::No);  // drop the edits before opening
        QVERIFY(!f.doc.Open());          // the open dialog is cancelled
        QCOMPARE(f.store.name, QStringLiteral("x"));
    }

    void saveOfANewModelWorksAsSaveAs() {
        Fixture f;
        TScriptedAnswers answers;
        f.store.name = QStringLiteral("нов");
        f.doc.MarkModified(true);
        QString file = Path("new-save.gmf");
        f.host.saveAnswers.enqueue(file);
        QVERIFY(f.doc.Save());
        QCOMPARE(f.doc.FileName(), file);
        QCOMPARE(f.doc.State(), 2);
        // Nothing was ever written under the placeholder name.
        QVERIFY(!QFile::exists(QDir::current().filePath("Untitled.gmf")));
    }

    void saveAsAsksBeforeReplacing() {
        Fixture f;
        TScriptedAnswers answers;
        QString file = Path("existing.gmf");
        WriteModel(file, "old");
        f.store.name = QStringLiteral("new");
        f.doc.MarkModified(true);

        f.host.saveAnswers.enqueue(file);
        answers.Answer(TDlgAnswer::No);
        QVERIFY(!f.doc.SaveAs());
        QCOMPARE(answers.messages.last(),
                 QStringLiteral("Файлът ") + file + QStringLiteral(" съществува. Да бъде ли заменен?"));
        QFile kept(file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QVERIFY(kept.readAll().contains("old"));
        kept.close();
        QCOMPARE(f.doc.State(), 1);

        f.host.saveAnswers.enqueue(file);
        answers.Answer(TDlgAnswer::Yes);
        QVERIFY(f.doc.SaveAs());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QVERIFY(kept.readAll().contains("new"));
    }

    void failedSaveKeepsNameAndState() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("fail-save.gmf");
        WriteModel(a, "a");
        QVERIFY(f.doc.OpenFile(a));
        f.doc.MarkModified(true);
        f.store.failSave = true;
        f.host.saveAnswers.enqueue(Path("elsewhere.gmf"));
        QVERIFY(!f.doc.SaveAs());
        QCOMPARE(f.doc.FileName(), a);
        QCOMPARE(f.doc.State(), 3);
        QCOMPARE(answers.messages.size(), 1);
    }

    void cancelChangesResetsOrReloads() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("cancel.gmf");
        WriteModel(a, "stored");
        QVERIFY(f.doc.OpenFile(a));
        f.store.name = QStringLiteral("edited");
        f.doc.MarkModified(true);

        answers.Answer(TDlgAnswer::No);
        QVERIFY(!f.doc.CancelChanges());
        QCOMPARE(f.store.name, QStringLiteral("edited"));
        QCOMPARE(answers.messages.last(), QStringLiteral("Да се отхвърлят ли направените промени?"));

        answers.Answer(TDlgAnswer::Yes);
        QVERIFY(f.doc.CancelChanges());
        QCOMPARE(f.store.name, QStringLiteral("stored"));
        QCOMPARE(f.doc.State(), 2);
    }

    void cancelAfterNewFollowingOpenDoesNotLoadUntitled() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("then-new.gmf");
        WriteModel(a, "a");
        QVERIFY(f.doc.OpenFile(a));
        QVERIFY(f.doc.New());
        QCOMPARE(f.doc.State(), 0);
        QCOMPARE(f.doc.FileName(), QStringLiteral("Untitled.gmf"));
        f.store.name = QStringLiteral("typed");
        f.doc.MarkModified(true);
        int loads = f.store.loads;
        answers.Answer(TDlgAnswer::Yes);
        QVERIFY(f.doc.CancelChanges());
        QCOMPARE(f.store.loads, loads);
        QCOMPARE(f.store.name, QString());
        QCOMPARE(f.doc.State(), 0);
    }

    void newAsksBeforeDroppingEdits() {
        Fixture f;
        TScriptedAnswers answers;
        f.store.name = QStringLiteral("typed");
        f.doc.MarkModified(true);
        answers.Answer(TDlgAnswer::Cancel);  // "Отказ": stay
        QVERIFY(!f.doc.New());
        QCOMPARE(f.store.name, QStringLiteral("typed"));
        QCOMPARE(answers.messages.last(), QStringLiteral("Да се запишат ли промените в „Untitled.gmf“?"));
        answers.Answer(TDlgAnswer::Yes);  // "Да": save first, but Save as is cancelled
        QVERIFY(!f.doc.New());
        QCOMPARE(f.store.name, QStringLiteral("typed"));
        answers.Answer(TDlgAnswer::No);  // "Не": drop the edits
        QVERIFY(f.doc.New());
        QCOMPARE(f.store.name, QString());
        QCOMPARE(f.doc.State(), 0);
    }

    void failedLoadLeavesAnUntitledDocument() {
        Fixture f;
        TScriptedAnswers answers;
        QString bad = Path("damaged.gmf");
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("garbage");
        out.close();
        QVERIFY(!f.doc.OpenFile(bad));
        QCOMPARE(f.doc.FileName(), QStringLiteral("Untitled.gmf"));
        QCOMPARE(f.doc.State(), 0);
        QCOMPARE(f.store.name, QStringLiteral("partial"));  // what was read stays
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages.first().contains(bad));  // the message names the file
        QVERIFY(f.recent.Entries().isEmpty());
        // A later Save asks for a name instead of overwriting the damaged file.
        f.doc.MarkModified(true);
        QVERIFY(!f.doc.Save());  // the dialog is cancelled
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("garbage"));
    }

    void openRecentOfADeletedFile() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("present.gmf");
        WriteModel(a, "present");
        QVERIFY(f.doc.OpenFile(a));
        QString gone = Path("gone.gmf");
        f.recent.AddRecentFile(gone);
        QSignalSpy recentChanged(&f.doc, &TDocument::recentChanged);
        QVERIFY(!f.doc.OpenRecent(gone));
        QCOMPARE(answers.messages, QStringList{QStringLiteral("Файлът ") + gone + QStringLiteral(" не е намерен")});
        QCOMPARE(answers.titles.first(), QStringLiteral("Vormid"));  // the application title
        QCOMPARE(f.recent.Entries(), QStringList{a});
        QCOMPARE(recentChanged.count(), 1);
        QCOMPARE(f.doc.FileName(), a);  // the current model stays
        QCOMPARE(f.store.name, QStringLiteral("present"));
    }

    void deleteAsksThenDeletesAndStartsANewModel() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("to-delete.gmf");
        WriteModel(a, "a");
        QVERIFY(f.doc.OpenFile(a));
        answers.Answer(TDlgAnswer::No);
        QVERIFY(!f.doc.Delete());
        QVERIFY(QFile::exists(a));
        QCOMPARE(answers.messages.last(), QStringLiteral("Да се изтрие ли файлът ") + a + QStringLiteral("?"));
        answers.Answer(TDlgAnswer::Yes);
        QVERIFY(f.doc.Delete());
        QVERIFY(!QFile::exists(a));
        QCOMPARE(f.doc.State(), 0);
        QCOMPARE(f.doc.FileName(), QStringLiteral("Untitled.gmf"));
        QVERIFY(f.recent.Entries().isEmpty());
        QVERIFY(!f.store.displaySaves.contains(a));
    }

    void openRequestsFromTheDesktop() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("req-a.gmf");
        QString b = Path("req-b.gmf");
        WriteModel(a, "A");
        WriteModel(b, "B");
        f.doc.ExecuteMacro({MakeExecuteRequest(a)});
        QCOMPARE(f.doc.FileName(), a);
        QCOMPARE(f.doc.State(), 2);
        QVERIFY(f.recent.Entries().isEmpty());  // requests stay out of the list

        // Several lines open one after the other; the last stays.
        f.doc.ExecuteMacro({MakeExecuteRequest(b), QStringLiteral("[Open(\"x\")]"), MakeExecuteRequest(a)});
        QCOMPARE(f.doc.FileName(), a);
        QCOMPARE(f.store.name, QStringLiteral("A"));
        // Leaving a file keeps its display settings in it.
        QVERIFY(f.store.displaySaves.contains(b));

        // With a window to ask in, unsaved edits are not dropped unasked.
        f.store.name = QStringLiteral("edited");
        f.doc.MarkModified(true);
        answers.Answer(TDlgAnswer::Cancel);
        f.doc.ExecuteMacro({MakeExecuteRequest(b)});
        QCOMPARE(f.doc.FileName(), a);
        QCOMPARE(f.store.name, QStringLiteral("edited"));
        QCOMPARE(f.doc.State(), 3);

        // Without a window the request replaces the model without a question.
        f.host.canAsk = false;
        f.doc.ExecuteMacro({MakeExecuteRequest(b)});
        QCOMPARE(f.doc.FileName(), b);
        QCOMPARE(f.store.name, QStringLiteral("B"));
        QCOMPARE(f.doc.State(), 2);
        QVERIFY(answers.unexpected.isEmpty());
    }

    void closingKeepsDisplaySettingsAndAsksAboutEdits() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("close.gmf");
        WriteModel(a, "a");
        QVERIFY(f.doc.OpenFile(a));
        QVERIFY(f.doc.QueryClose());
        f.doc.MarkModified(true);
        answers.Answer(TDlgAnswer::Cancel);
        QVERIFY(!f.doc.QueryClose());
        f.store.displaySaves.clear();
        f.doc.Close();
        QCOMPARE(f.store.displaySaves, QStringList{a});
    }

    // Closing with edits: the three-button question with "Да" the default,
    // which saves into the file before the window goes.
    void closingWithEditsSavesByDefault() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("closesave.gmf");
        WriteModel(a, "a");
        QVERIFY(f.doc.OpenFile(a));
        f.store.name = QStringLiteral("edited");
        f.doc.MarkModified(true);
        TDlgResponder previous = SetDlgBoxResponder([&](TfrmDlgBox& box) {
            answers.messages << box.Message();
            [&] {
                QCOMPARE(box.ButtonCount(), 3);
                QCOMPARE(box.Button(box.DefaultIndex())->text(), QStringLiteral("Да"));
            }();
            return box.DefaultAnswer();
        });
        QVERIFY(f.doc.QueryClose());
        SetDlgBoxResponder(previous);
        QCOMPARE(answers.messages.last(), QStringLiteral("Да се запишат ли промените в „closesave.gmf“?"));
        QVERIFY(!f.doc.Modified());
        QCOMPARE(f.store.saves, QStringList{a});
    }

    // A file that cannot be read leaves the model on screen as it was.
    void failedOpenKeepsTheCurrentModel() {
        Fixture f;
        TScriptedAnswers answers;
        QString a = Path("keep.gmf");
        WriteModel(a, "a");
        QVERIFY(f.doc.OpenFile(a));
        f.store.name = QStringLiteral("edited");
        f.doc.MarkModified(true);
        f.store.failLoadable = true;
        QVERIFY(!f.doc.OpenFile(Path("damaged.gmf")));
        QCOMPARE(f.doc.FileName(), a);
        QCOMPARE(f.store.name, QStringLiteral("edited"));
        QVERIFY(f.doc.Modified());
        QVERIFY(!answers.messages.isEmpty());
    }

    // A sample opens as a new model of its own: nothing is ever written
    // into the sample, and Save asks for a file.
    void exampleOpensAsANewUnsavedModel() {
        Fixture f;
        TScriptedAnswers answers;
        QString example = Path("example-mass.gmf");
        WriteModel(example, "Маса", 3);
        QFile file(example);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray original = file.readAll();
        file.close();

        QVERIFY(f.doc.OpenExample(example));
        QCOMPARE(f.store.name, QStringLiteral("Маса"));
        QCOMPARE(f.store.quantities, 3);
        QVERIFY(f.doc.IsUntitled());
        QCOMPARE(f.doc.State(), int(dsNewUnchanged));  // only looked at: nothing to ask on leaving
        QVERIFY(!f.doc.Modified());
        QVERIFY(f.recent.Entries().isEmpty());

        f.doc.Close();  // leaving writes no display settings into the sample
        QString own = Path("my-mass.gmf");
        f.host.saveAnswers.enqueue(own);
        QVERIFY(f.doc.Save());
        QCOMPARE(f.doc.FileName(), own);
        QCOMPARE(f.store.saves, QStringList{own});
        QVERIFY(f.store.displaySaves.isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), original);

        // A damaged sample: a message, and an empty new model.
        QFile damaged(Path("damaged-example.gmf"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a model");
        damaged.close();
        answers.messages.clear();
        QVERIFY(!f.doc.OpenExample(damaged.fileName()));
        QVERIFY(f.doc.IsUntitled());
        QCOMPARE(f.doc.State(), int(dsNewUnchanged));
        QVERIFY(f.store.name.isEmpty());
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.unexpected.isEmpty());
    }
};

QTEST_MAIN(TstDocument)
#include "document_test.moc"
