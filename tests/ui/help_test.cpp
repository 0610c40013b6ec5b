// The guide as a user meets it: F1 on every page, editor and dialog opens the
// section written for it; every link and picture of the guide resolves, the
// pictures are those the last build took of the program; the help window's
// contents, find and back/forward work.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "core/FormatSettings.h"
#include "ui/ContextHelp.h"
#include "ui/HelpTopics.h"
#include "ui/HelpWindow.h"
#include "ui/TfrmDlgBox.h"
#include "ui/dialogs/TfrmInsSymb.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/richtext/RichTextEditor.h"

#include "UiTestWindow.h"

using namespace vormid;

namespace {

const QString kGuide = QStringLiteral(VORMID_GUIDE);

QString GuideText() {
    QFile f(kGuide);
    if (!f.open(QIODevice::ReadOnly)) qFatal("no guide at %s", qPrintable(kGuide));
    return QString::fromUtf8(f.readAll());
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext()) found << it.next().captured(1);
    return found;
}

QSet<QString> Ids(const QString& text) {
    const QStringList ids = Captures(text, QStringLiteral("\\b(?:id|name)=\"([^\"]+)\""));
    return QSet<QString>(ids.begin(), ids.end());
}

// The main window with a copy of an example, so that nothing is written
// into the source tree.
struct Window : vormid::test::TTestWindow {
    explicit Window(const char* example) {
        const QString copy = dir.filePath(QString::fromLatin1(example) + ".gmf");
        QFile::copy(QStringLiteral(VORMID_EXAMPLES "/") + example + ".gmf", copy);
        QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (!w->Document().OpenFile(copy)) qFatal("cannot open %s", example);
        w->SetHelpFile(kGuide);
    }
    // F1 on the control; the section the help window then shows.
    QString PressF1(QWidget* control) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
        THelpWindow* help = w->HelpWindow();
        return help && help->isVisible() ? help->CurrentTopic() : QStringLiteral("(no help window)");
    }
};

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void everyFormHasASectionOfTheGuide() {
        // Every form of the window (each .ui), and the help window itself.
        QStringList forms{QStringLiteral("THelpWindow")};
        QDirIterator it(QStringLiteral(VORMID_SOURCE_DIR "/ui"), {QStringLiteral("*.ui")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile ui(it.next());
            QVERIFY(ui.open(QIODevice::ReadOnly));
            const QStringList cls = Captures(QString::fromUtf8(ui.readAll()), QStringLiteral("<class>(\\w+)</class>"));
            QVERIFY2(!cls.isEmpty(), qPrintable(ui.fileName()));
            forms << cls.first();
        }
        QVERIFY(forms.size() > 10);
        const QSet<QString> ids = Ids(GuideText());
        for (const QString& form : forms) {
            QVERIFY2(HasHelpTopic(form.toStdString()),
                     qPrintable(form + QStringLiteral(": no section of the guide (ui/HelpTopics.cpp)")));
            const QString anchor = QString::fromStdString(HelpAnchorOf(form.toStdString()));
            QVERIFY2(anchor.isEmpty() || ids.contains(anchor),
                     qPrintable(form + QStringLiteral(": the guide has no id \"") + anchor + QStringLiteral("\"")));
        }
    }

    void f1OpensTheSectionOfWhatHasTheFocus_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<int>("mainPage");
        QTest::addColumn<int>("modelPage");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("toolbar") << "power" << 0 << 0 << ""
                                 << "btnNew"
                                 << "window";
        QTest::newRow("model name") << "power" << 0 << 0 << ""
                                    << "edGumName"
                                    << "title";
        QTest::newRow("description") << "power" << 0 << 0 << ""
                                     << "Description"
                                     << "description";
        QTest::newRow("equation") << "power" << 0 << 1 << "P"
                                  << "Equation"
                                  << "equation";
        QTest::newRow("quantity list") << "power" << 0 << 1 << "P"
                                       << "dgParams"
                                       << "equation";
        QTest::newRow("kind of a quantity") << "power" << 0 << 1 << "U"
                                            << "qcbParamType"
                                            << "quantities";
        QTest::newRow("result editor") << "power" << 0 << 1 << "P"
                                       << "seResCMN"
                                       << "result";
        QTest::newRow("type A editor") << "power" << 0 << 1 << "U"
                                       << "seACountMeas"
                                       << "type-a";
        QTest::newRow("type B editor") << "power" << 0 << 1 << "R"
                                       << "feBValue"
                                       << "type-b";
        QTest::newRow("constant editor") << "resistance" << 0 << 1 << "A"
                                         << "feConst"
                                         << "constant";
        QTest::newRow("correlations") << "mass" << 0 << 2 << ""
                                      << "dgCorr"
                                      << "correlation";
        QTest::newRow("observations") << "power" << 1 << 0 << ""
                                      << "dgTypeA"
                                      << "observations";
        QTest::newRow("budget") << "power" << 2 << 0 << ""
                                << "dgBudget"
                                << "budget";
    }
    void f1OpensTheSectionOfWhatHasTheFocus() {
        QFETCH(QString, example);
        QFETCH(int, mainPage);
        QFETCH(int, modelPage);
        QFETCH(QString, quantity);
        QFETCH(QString, control);
        QFETCH(QString, anchor);
        Window win(example.toLatin1().constData());
        win.w->SelectMainPage(mainPage);
        win.w->SelectModelPage(modelPage);
        if (!quantity.isEmpty()) {
            const auto& params = win.params();
            int index = -1;
            for (int i = 0; i < params.Count(); ++i)
                if (QString::fromStdString(params.Get(i)->Name) == quantity) index = i;
            QVERIFY(index >= 0);
            win.c().Select(index);
        }
        // "page/control" names a control inside a page of the same name.
        QWidget* target = win.w.get();
        for (const QString& name : control.split(QLatin1Char('/'))) target = target->findChild<QWidget*>(name);
        QVERIFY(target);
        // A rich-text field takes the keys in its inner text area.
        if (auto* field = qobject_cast<TRichTextEditor*>(target)) target = field->TextEdit();
        QCOMPARE(win.PressF1(target), anchor);
    }

    void f1InADialogOpensItsSectionOverTheDialog_data() {
        QTest::addColumn<QString>("anchor");
        QTest::newRow("number formats") << "formats";
        QTest::newRow("insert symbol") << "symbols";
        QTest::newRow("message box") << "messages";
    }
    void f1InADialogOpensItsSectionOverTheDialog() {
        QFETCH(QString, anchor);
        Window win("power");
        std::unique_ptr<QDialog> dialog;
        if (anchor == QLatin1String("formats"))
            dialog = std::make_unique<TfrmSettings>(TNumberFormatSettings{}, win.w.get());
        else if (anchor == QLatin1String("symbols"))
            dialog = std::make_unique<TfrmInsSymb>(win.w.get());
        else
            dialog = std::make_unique<TfrmDlgBox>(win.w.get());
        dialog->setModal(true);
        dialog->show();
        QCOMPARE(QApplication::activeModalWidget(), dialog.get());
        QTest::keyClick(dialog.get(), Qt::Key_F1);
        // A modal dialog blocks every other window: the guide is the dialog's own.
        auto* help = dialog->findChild<THelpWindow*>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->CurrentTopic(), anchor);
        QVERIFY(!win.w->HelpWindow());
    }

    void helpOpensAtTheStartAndNamesTheVersion() {
        Window win("power");
        win.w->SelectMainPage(2);
        QVERIFY(win.w->ShowHelp());
        QCOMPARE(win.w->HelpWindow()->CurrentTopic(), QString());
        QVERIFY(win.w->HelpWindow()->Browser()->toPlainText().contains(QStringLiteral("версия " VORMID_VERSION)));
    }

    void linksAndPicturesResolveAndPicturesAreTheProgramsOwn() {
        const QString text = GuideText();
        const QSet<QString> ids = Ids(text);
        for (const QString& link : Captures(text, QStringLiteral("href=\"([^\"]*)\""))) {
            QVERIFY2(link.startsWith(QLatin1Char('#')),
                     qPrintable(link + QStringLiteral(": the guide links only within itself")));
            QVERIFY2(ids.contains(link.mid(1)), qPrintable(link + QStringLiteral(": no such section")));
        }
        const QStringList pictures = Captures(text, QStringLiteral("<img src=\"([^\"]+)\""));
        QVERIFY(pictures.size() >= 5);
        const QDir guideDir = QFileInfo(kGuide).dir();
        const QDateTime program = QFileInfo(QStringLiteral(VORMID_PROGRAM)).lastModified();
        QSet<QString> used;
        for (const QString& src : pictures) {
            const QFileInfo picture(guideDir.filePath(src));
            used << picture.fileName();
            QVERIFY2(picture.exists(),
                     qPrintable(src + QStringLiteral(": missing; the build takes it (cmake/HelpPictureList.cmake)")));
            // Taken after the program was last built: never an older window.
            QVERIFY2(picture.lastModified() >= program,
                     qPrintable(src + QStringLiteral(": older than the program; the build did not take it again")));
            const QImage image(picture.filePath());
            QVERIFY2(image.width() >= 600 && image.height() >= 400, qPrintable(src));
        }
        // Every picture the build takes is shown somewhere.
        for (const QFileInfo& made :
             QDir(guideDir.filePath(QStringLiteral("pictures"))).entryInfoList({QStringLiteral("*.png")}))
            QVERIFY2(used.contains(made.fileName()),
                     qPrintable(made.fileName() + QStringLiteral(": taken but not shown")));
    }

    void contentsFindAndHistory() {
        THelpWindow help(kGuide);
        help.show();
        // One entry per chapter of the guide, each reaching its section.
        const int chapters = Captures(GuideText(), QStringLiteral("<h2 id=\"([^\"]+)\"")).size();
        QTreeWidget* contents = help.Contents();
        QCOMPARE(contents->topLevelItemCount(), chapters);
        QTreeWidgetItem* budget = nullptr;
        for (int i = 0; i < contents->topLevelItemCount(); ++i)
            if (contents->topLevelItem(i)->data(0, Qt::UserRole).toString() == QLatin1String("budget"))
                budget = contents->topLevelItem(i);
        QVERIFY(budget);
        QVERIFY(budget->childCount() >= 2);
        emit contents->itemClicked(budget, 0);
        QCOMPARE(help.CurrentTopic(), QStringLiteral("budget"));
        const int budgetTop = help.Browser()->verticalScrollBar()->value();
        help.ShowTopic(QStringLiteral("type-b"));
        QVERIFY(help.Browser()->verticalScrollBar()->value() < budgetTop);

        help.Browser()->backward();
        QCOMPARE(help.CurrentTopic(), QStringLiteral("budget"));
        help.Browser()->forward();
        QCOMPARE(help.CurrentTopic(), QStringLiteral("type-b"));

        // Find goes from the section shown: the first "Welch" after "Тип B"
        // is in the correlation section, not the first one of the guide.
        QVERIFY(help.Find(QStringLiteral("Welch")));
        QCOMPARE(help.Browser()->textCursor().selectedText(), QStringLiteral("Welch"));
        const int first = help.Browser()->textCursor().position();
        QVERIFY(first > help.Browser()->document()->find(QStringLiteral("Величина от тип B получава")).position());
        QVERIFY(help.Find(QStringLiteral("Welch")));
        QVERIFY(help.Browser()->textCursor().position() > first);
        QVERIFY(!help.Find(QStringLiteral("текст, който го няма")));
    }
};

QTEST_MAIN(TestHelp)
#include "help_test.moc"
