// The program's message box: texts, buttons, sizes and answers.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "ui/ErrorHandler.h"
#include "ui/TfrmDlgBox.h"

using namespace vormid;

namespace {
QRect Measured(const TfrmDlgBox& box, const QString& text) {
    auto* label = box.findChild<QLabel*>("lblMessage");
    int maxW = QGuiApplication::primaryScreen()->geometry().width() / 2;
    return QFontMetrics(label->font())
        .boundingRect(QRect(0, 0, maxW, 100000), Qt::TextWordWrap | Qt::TextExpandTabs, text);
}
}  // namespace

class TstDlgBox : public QObject {
    Q_OBJECT
private slots:
    void informationBoxHasOneCentredOk() {
        TfrmDlgBox box;
        box.SetupMessage(QStringLiteral("Кратко"), QStringLiteral("Заглавие"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Заглавие"));
        QCOMPARE(box.ButtonCount(), 1);
        QCOMPARE(box.Button(0)->text(), QStringLiteral("OK"));
        QPushButton* ok = box.Button(0);
        QCOMPARE(ok->x(), (box.ButtonPanel()->width() - ok->width()) / 2);
        QVERIFY(ok->isDefault());
        QVERIFY(!box.findChild<QLabel*>("imgIcon")->pixmap().isNull());
        QVERIFY(box.findChild<QWidget*>("edInput")->isHidden());
    }

    void questionKindsPlaceTheirButtons_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("step");
        QTest::newRow("0 yes/no") << 0 << QStringList{"Да", "Не"} << 200 << 110;
        QTest::newRow("1 ok/cancel") << 1 << QStringList{"ОК", "Отказ"} << 200 << 110;
        QTest::newRow("2 yes/no/cancel") << 2 << QStringList{"Да", "Не", "Отказ"} << 290 << 100;
    }
    void questionKindsPlaceTheirButtons() {
        QFETCH(int, kind);
        QFETCH(QStringList, texts);
        QFETCH(int, span);
        QFETCH(int, step);
        TfrmDlgBox box;
        box.SetupQuestion(QStringLiteral("Въпрос?"), kind, QStringLiteral("t"));
        QCOMPARE(box.ButtonCount(), texts.size());
        int first = (box.ButtonPanel()->width() - span) / 2;
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(box.Button(i)->text(), texts[i]);
            QCOMPARE(box.Button(i)->x(), first + step * i);
            QVERIFY(box.Button(i)->isVisible() || !box.isVisible());
        }
        QVERIFY(box.Button(0)->isDefault());
    }

    // A destructive question defaults to "Не"; the whole path shows.
    void deleteQuestionDefaultsToNoAndShowsThePath() {
        TfrmDlgBox box;
        const QString path = QStringLiteral("/home/lab/models/very/deep/folder/of/the/laboratory/calibration-2026.gmf");
        box.SetupQuestion(QStringLiteral("Да се изтрие ли файлът ") + path + QStringLiteral("?"), akYesNoDefaultNo,
                          QStringLiteral("t"));
        QCOMPARE(box.ButtonCount(), 2);
        QCOMPARE(box.DefaultAnswer(), TDlgAnswer::No);
        QVERIFY(box.Button(1)->isDefault());
        QVERIFY(!box.Button(0)->isDefault());
        QVERIFY(box.Message().contains(path));
        QFontMetrics fm(box.font());
        QVERIFY(box.width() >= fm.horizontalAdvance(QStringLiteral("calibration-2026.gmf?")));
        // The label has the room its own wrapping needs (a path breaks after
        // its "/"), and the box holds the label above the buttons.
        // In the program's form font and others, as a desktop may give them.
        const QFont appFont = QApplication::font();
        for (const QString& family : {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")}) {
            for (qreal size : {7.0, 8.0, 8.5, 9.0, 10.0, 11.0, 12.5}) {
                QFont f(family);
                f.setPointSizeF(size);
                QApplication::setFont(f);
                TfrmDlgBox sized;
                QLabel* label = sized.findChild<QLabel*>(QStringLiteral("lblMessage"));
                QVERIFY(label);
                for (const QString& text : {QStringLiteral("Да се изтрие ли файлът ") + path + QStringLiteral("?"),
                                            QStringLiteral("Да се изтрие ли файлът /tmp/a/model.gmf?"),
                                            QStringLiteral("Да се изтрие ли файлът /home/lab/Модели/маса.gmf?")}) {
                    sized.SetupQuestion(text, akYesNoDefaultNo, QStringLiteral("t"));
                    const QString what =
                        family + QStringLiteral(" ") + QString::number(size) + QStringLiteral(": ") + text;
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(what));
                    QVERIFY2(label->geometry().bottom() < sized.ButtonPanel()->y(), qPrintable(what));
                    QVERIFY2(label->geometry().right() < sized.width(), qPrintable(what));
                }
            }
        }
        QApplication::setFont(appFont);
    }

    void longTextsWidenAndHeightenTheBox() {
        QString longLine = QStringLiteral("Файлът /много/дълъг/път/до/модела/на/измерването.gmf не е намерен");
        TfrmDlgBox info;
        QSize designed = info.size();
        info.SetupMessage(longLine, QString());
        QRect r = Measured(info, longLine);
        QVERIFY(r.width() > 317);
        QCOMPARE(info.width(), r.width() + 56 + 20);
        QCOMPARE(info.height(), r.height() > 17 ? r.height() + 60 : designed.height());

        QString lines = QStringLiteral("ред 1\nред 2\nред 3");
        TfrmDlgBox tall;
        tall.SetupMessage(lines, QString());
        QRect rt = Measured(tall, lines);
        QVERIFY(rt.height() > 17);
        QCOMPARE(tall.height(), rt.height() + 60);
        QCOMPARE(tall.width(), designed.width());  // narrow text: the design width
    }

    void questionWidensOnlyAbove317() {
        // A text between 220 and 317 pixels wide widens an information box only.
        QString text = QStringLiteral("Да се отхвърлят ли направените промени?");
        TfrmDlgBox probe;
        int w = Measured(probe, text).width();
        if (w <= 220 || w > 317) QSKIP("the font gives this text another width");
        TfrmDlgBox info, ask;
        QSize designed = info.size();
        info.SetupMessage(text, QString());
        ask.SetupQuestion(text, 0, QString());
        QVERIFY(info.width() > designed.width());
        QCOMPARE(ask.width(), designed.width());
    }

    void modalBoxReturnsTheButtonPressed_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << 0 << 0 << int(TDlgAnswer::Yes);
        QTest::newRow("no") << 0 << 1 << int(TDlgAnswer::No);
        QTest::newRow("ok") << 1 << 0 << int(TDlgAnswer::OK);
        QTest::newRow("cancel") << 1 << 1 << int(TDlgAnswer::Cancel);
        QTest::newRow("third") << 2 << 2 << int(TDlgAnswer::Cancel);
        QTest::newRow("closed otherwise") << 0 << -1 << int(TDlgAnswer::Cancel);
    }
    void modalBoxReturnsTheButtonPressed() {
        QFETCH(int, kind);
        QFETCH(int, button);
        // A real modal box, answered by a click once it is up.
        QTimer::singleShot(0, [button] {
            auto* box = qobject_cast<TfrmDlgBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (button < 0)
                box->reject();
            else
                QTest::mouseClick(box->Button(button), Qt::LeftButton);
        });
        TDlgAnswer a = AskMessageBox(QStringLiteral("?"), kind);
        QTEST(int(a), "answer");
    }

    void titleDefaultsToTheApplicationTitle() {
        QString seen;
        auto old = SetDlgBoxResponder([&](TfrmDlgBox& box) {
            seen = box.windowTitle();
            return box.DefaultAnswer();
        });
        SetApplicationTitle(QStringLiteral("Vormid - a.gmf"));
        ShowMessageBox(QStringLiteral("x"));
        QCOMPARE(seen, QStringLiteral("Vormid - a.gmf"));
        ShowMessageBox(QStringLiteral("x"), QStringLiteral("Своя"));
        QCOMPARE(seen, QStringLiteral("Своя"));
        SetApplicationTitle(QStringLiteral("Vormid"));
        SetDlgBoxResponder(std::move(old));
    }

    void escapedErrorsAreShownInTheBox() {
        QStringList shown;
        auto old = SetDlgBoxResponder([&](TfrmDlgBox& box) {
            shown << box.Message();
            return box.DefaultAnswer();
        });
        // Our own texts are UTF-8, the model layers' Windows-1251.
        ShowError(std::make_exception_ptr(std::runtime_error("Грешка")));
        ShowError(std::make_exception_ptr(std::runtime_error("\xc3\xf0\xe5\xf8\xea\xe0")));  // "Грешка" in 1251
        ShowError(std::make_exception_ptr(42));
        QCOMPARE(shown, (QStringList{"Грешка", "Грешка", "Неочаквана грешка."}));

        // An error thrown inside an event handler reaches the handler, not the user's desktop.
        auto* app = qobject_cast<TVormidApplication*>(QCoreApplication::instance());
        QVERIFY(app);
        shown.clear();
        QObject thrower;
        QObject::connect(&thrower, &QObject::destroyed, [] {});
        QTimer::singleShot(0, &thrower, [] { throw std::runtime_error("от събитие"); });
        QTest::qWait(20);
        QCOMPARE(shown, QStringList{"от събитие"});
        SetDlgBoxResponder(std::move(old));
    }
};

int main(int argc, char** argv) {
    TVormidApplication app(argc, argv);
    TstDlgBox test;
    return QTest::qExec(&test, argc, argv);
}
#include "dlg_box_test.moc"
