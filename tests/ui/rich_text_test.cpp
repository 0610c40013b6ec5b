// The rich-text fields driven as a user would: typing, keys, paste, symbols.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTextEdit>
#include <QToolButton>

#include "core/Cp1251.h"
#include "core/RtfReader.h"
#include "core/RtfUnits.h"
#include "persistence/ModelIO.h"
#include "ui/Document.h"
#include "ui/GumModelStore.h"
#include "ui/TfrmDlgBox.h"
#include "ui/TfrmMain.h"
#include "ui/dialogs/TfrmFontColor.h"
#include "ui/dialogs/TfrmInsSymb.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/richtext/UnitsEdit.h"
#include "ui/widgets/FocusColours.h"

using namespace vormid;

class TstRichText : public QObject {
    Q_OBJECT
private slots:
    void storedBytesComeBackUntouched();
    void insertedSymbolIsOneCharacter();
    void hiddenContentAsksBeforeTheFirstEdit();
    void toolbarNamesFollowTheKind();
    void unitsSpaceChangesNothing();
    void unitsPasteDropsSpaces();
    void unitsUpUpDown();
    void unitsFocusColours();
    void symbolTableAndPalette();
    void popupPlacement();
    void picturesKeepTheirFiles();
    void pasteBeyondTheLimitIsRefused();
    void contextMenusEnableWhatApplies();
    void symbolAndColourThroughTheToolbar();
    void budgetCommentReachesTheSavedFile();
    void grabScreenshots();
};

void TstRichText::storedBytesComeBackUntouched() {
    TRichTextEditor editor;
    editor.SetKind(TRichTextEditor::TKind::Comment);
    QSignalSpy edits(&editor, &TRichTextEditor::textEdited);
    const std::string stored =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}"
        "\\viewkind4\\uc1\\pard\\f0\\fs16 \\'e0\\b b\\b0\\par\r\n}";
    editor.SetRtf(stored);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(editor.PlainText(), QStringLiteral("аb"));
    QCOMPARE(editor.Rtf(), stored);
    QVERIFY(!editor.IsEdited());
    editor.show();
    editor.TextEdit()->setFocus();
    editor.TextEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(editor.TextEdit(), Qt::Key_X);
    QCOMPARE(edits.count(), 1);
    QVERIFY(editor.IsEdited());
    TRtfDocument doc = ReadRtf(editor.Rtf());
    QCOMPARE(doc.Paragraphs.size(), size_t(1));
    QCOMPARE(doc.Paragraphs[0].Runs.size(), size_t(2));
    QVERIFY(doc.Paragraphs[0].Runs[1].Format.Bold);
    QCOMPARE(QString::fromStdString(doc.Paragraphs[0].Runs[1].Text), QStringLiteral("bx"));
}

void TstRichText::insertedSymbolIsOneCharacter() {
    TRichTextEditor editor;
    editor.SetRtf("{\\rtf1\\ansi\\pard a\\\\u937 b\\par}");  // text that reads like the escape
    editor.TextEdit()->moveCursor(QTextCursor::End);
    editor.InsertSymbol(937);
    QCOMPARE(editor.PlainText(), QStringLiteral("a\\u937 bΩ"));
    QCOMPARE(editor.TextEdit()->textCursor().position(), editor.PlainText().size());
    QVERIFY(editor.Rtf().find("\\u937?") != std::string::npos);
}

void TstRichText::hiddenContentAsksBeforeTheFirstEdit() {
    TRichTextEditor editor;
    const std::string stored = "{\\rtf1 a{\\object\\objemb{\\*\\objdata 01}}b\\par}";
    editor.SetRtf(stored);
    QVERIFY(editor.HasHiddenContent());
    editor.show();
    int asked = 0;
    TDlgAnswer answer = TDlgAnswer::No;
    SetDlgBoxResponder([&](TfrmDlgBox&) {
        ++asked;
        return answer;
    });
    editor.TextEdit()->setFocus();
    QTest::keyClick(editor.TextEdit(), Qt::Key_X);
    QCOMPARE(asked, 1);
    QCOMPARE(editor.Rtf(), stored);  // refused: nothing changed
    answer = TDlgAnswer::Yes;
    QTest::keyClick(editor.TextEdit(), Qt::Key_X);
    QTest::keyClick(editor.TextEdit(), Qt::Key_Y);
    QCOMPARE(asked, 2);  // asked once more, then never again
    QVERIFY(editor.IsEdited());
    SetDlgBoxResponder({});
}

void TstRichText::toolbarNamesFollowTheKind() {
    TRichTextEditor editor;
    editor.SetKind(TRichTextEditor::TKind::Equation);
    QCOMPARE(editor.objectName(), QStringLiteral("Equation"));
    QVERIFY(editor.findChild<QWidget*>(QStringLiteral("btnBold3")));
    QVERIFY(editor.findChild<QWidget*>(QStringLiteral("seFontSize3")));
    QVERIFY(editor.findChild<QWidget*>(QStringLiteral("btnBullets3"))->isHidden());
    editor.SetKind(TRichTextEditor::TKind::BudgetComment);
    QCOMPARE(editor.objectName(), QStringLiteral("BudgetComent"));
    QVERIFY(!editor.findChild<QWidget*>(QStringLiteral("btnBullets4"))->isHidden());
    for (const QToolButton* b : editor.findChildren<QToolButton*>())
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
    // Equation pastes only text.
    editor.SetKind(TRichTextEditor::TKind::Equation);
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b>Y</b> = A"));
    data->setText(QStringLiteral("Y = A"));
    QApplication::clipboard()->setMimeData(data);
    editor.TextEdit()->paste();
    TRtfDocument doc = ReadRtf(editor.Rtf());
    QVERIFY(!doc.Paragraphs.at(0).Runs.at(0).Format.Bold);
}

void TstRichText::unitsSpaceChangesNothing() {
    TUnitsEdit units;
    QSignalSpy spy(&units, &TUnitsEdit::unitsEdited);
    units.SetUnits("m\\ts\\n");
    units.show();
    units.TextEdit()->setFocus();
    units.TextEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(units.TextEdit(), Qt::Key_Space);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(units.Units(), std::string("m\\ts\\n"));
    QTest::keyClick(units.TextEdit(), Qt::Key_Return);  // swallowed
    QCOMPARE(units.TextEdit()->document()->blockCount(), 1);
}

void TstRichText::unitsPasteDropsSpaces() {
    TUnitsEdit units;
    QSignalSpy spy(&units, &TUnitsEdit::unitsEdited);
    units.SetUnits("");
    QApplication::clipboard()->setText(QStringLiteral("k g"));
    units.TextEdit()->paste();
    QCOMPARE(units.Units(), std::string("kg"));
    QCOMPARE(spy.count(), 1);
}

void TstRichText::unitsUpUpDown() {
    TUnitsEdit units;
    units.SetUnits("m2");
    units.show();
    units.TextEdit()->setFocus();
    QTextCursor c = units.TextEdit()->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    units.TextEdit()->setTextCursor(c);
    QTest::keyClick(units.TextEdit(), Qt::Key_Up);
    QVERIFY(UnitsEquivalent(units.Units(), "m\\t2"));
    QTest::keyClick(units.TextEdit(), Qt::Key_Up);
    QVERIFY(UnitsEquivalent(units.Units(), "m\\t2"));
    QTest::keyClick(units.TextEdit(), Qt::Key_Down);
    QVERIFY(UnitsEquivalent(units.Units(), "m2"));
}

void TstRichText::unitsFocusColours() {
    QWidget window;
    auto* units = new TUnitsEdit(&window);
    auto* other = new QTextEdit(&window);
    auto* grid = new QTableView(&window);
    QStandardItemModel cells(2, 2);
    grid->setModel(&cells);
    TrackFocusColours(grid);
    other->move(0, 40);
    grid->move(0, 80);
    units->SetUnits("m\\ts\\n");
    QSignalSpy edits(units, &TUnitsEdit::unitsEdited);
    // A paragraph format the field does not use (as a paste of formatted
    // text could leave), set while the field is away from the focus.
    QTextCursor c(units->TextEdit()->document());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.mergeBlockFormat(centred);
    QVERIFY(units->TextEdit()->document()->begin().blockFormat().alignment() & Qt::AlignHCenter);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    units->TextEdit()->setFocus();
    QCOMPARE(units->FrameColor(), QColor(247, 176, 70));
    QTextBlockFormat shown = units->TextEdit()->document()->begin().blockFormat();
    QVERIFY(!(shown.alignment() & Qt::AlignHCenter));
    QVERIFY(shown.textIndent() < 0 && shown.leftMargin() > 0);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(grid->palette().color(QPalette::Highlight), QColor(101, 138, 171));
    grid->setFocus();
    QCOMPARE(units->FrameColor(), QColor(101, 138, 171));
    QCOMPARE(grid->palette().color(QPalette::Highlight), QColor(247, 176, 70));
    QCOMPARE(grid->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(247, 176, 70));
    other->setFocus();
    QCOMPARE(grid->palette().color(QPalette::Highlight), QColor(101, 138, 171));
}

void TstRichText::symbolTableAndPalette() {
    QCOMPARE(int(TfrmInsSymb::Symbol(0)), 0x0391);
    QCOMPARE(int(TfrmInsSymb::Symbol(17)), 0x03A3);  // U+03A2 is skipped
    QCOMPARE(int(TfrmInsSymb::Symbol(23)), 0x03A9);
    QCOMPARE(int(TfrmInsSymb::Symbol(41)), 0x03C3);  // no final sigma
    QCOMPARE(int(TfrmInsSymb::Symbol(47)), 0x03C9);
    TfrmInsSymb symbols;
    symbols.SetCurrent(23);
    QCOMPARE(int(symbols.Chosen()), 937);

    QWidget anchor;
    anchor.resize(100, 30);
    anchor.show();
    auto* palette = new TfrmFontColor(&anchor);
    QSignalSpy picked(palette, &TfrmFontColor::colorSelected);
    palette->Popup(&anchor, anchor.rect(), QColor(1, 2, 3));
    QCOMPARE(palette->CellColor(0, 0), QColor(1, 2, 3));
    QCOMPARE(palette->CellColor(1, 2), QColor(192, 94, 0));
    QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.at(0).at(0).value<QColor>(), QColor(1, 2, 3));
}

void TstRichText::popupPlacement() {
    QWidget window;
    window.setGeometry(100, 100, 400, 200);
    auto* button = new QToolButton(&window);
    button->setGeometry(300, 10, 24, 22);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint buttonRight = button->mapToGlobal(QPoint(button->width(), button->height()));
    TfrmFontColor palette;
    // Room below: right edges aligned, the top at the button's bottom.
    const QPoint below = palette.PopupPosition(button, button->rect(), QRect(0, 0, 1280, 1024));
    QCOMPARE(below + QPoint(palette.width(), 0), buttonRight);
    // Near the bottom of the screen: above the button's window instead.
    const QPoint above = palette.PopupPosition(button, button->rect(), QRect(0, 0, 1280, buttonRight.y() + 50));
    QCOMPARE(above.x(), below.x());
    QCOMPARE(above.y() + palette.height(), window.mapToGlobal(QPoint(0, 0)).y());
    // The symbol form goes under the toolbar and never flips.
    TfrmInsSymb symbols;
    symbols.PlaceBelow(button, &window);
    QCOMPARE(symbols.pos(), QPoint(buttonRight.x() - symbols.width(), window.mapToGlobal(QPoint(0, 200)).y()));
}

namespace {

QByteArray JpegBytes() {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

const TRtfRun* FirstPicture(const TRtfDocument& doc) {
    for (const TRtfParagraph& p : doc.Paragraphs)
        for (const TRtfRun& r : p.Runs)
            if (r.IsPicture) return &r;
    return nullptr;
}

}  // namespace

void TstRichText::picturesKeepTheirFiles() {
    const QByteArray jpeg = JpegBytes();
    QVERIFY(!jpeg.isEmpty());
    // A stored JPEG stays a JPEG, byte for byte, when the text is edited.
    TRichTextEditor editor;
    editor.SetKind(TRichTextEditor::TKind::Comment);
    editor.SetRtf("{\\rtf1\\ansi\\pard a{\\pict\\jpegblip\\picw6\\pich4 " + jpeg.toHex().toStdString() + "}\\par}");
    editor.show();
    editor.TextEdit()->setFocus();
    editor.TextEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(editor.TextEdit(), Qt::Key_B);
    QVERIFY(editor.IsEdited());
    const TRtfDocument edited = ReadRtf(editor.Rtf());
    const TRtfRun* kept = FirstPicture(edited);
    QVERIFY(kept);
    QCOMPARE(int(kept->Picture.Type), int(TRtfPictureType::Jpeg));
    QCOMPARE(QByteArray::fromStdString(kept->Picture.Data), jpeg);
    // Copied and pasted within the field: still the same JPEG.
    editor.TextEdit()->selectAll();
    editor.TextEdit()->copy();
    editor.TextEdit()->moveCursor(QTextCursor::End);
    editor.TextEdit()->paste();
    const TRtfDocument twice = ReadRtf(editor.Rtf());
    int jpegs = 0;
    for (const TRtfParagraph& p : twice.Paragraphs)
        for (const TRtfRun& r : p.Runs)
            jpegs += r.IsPicture && r.Picture.Type == TRtfPictureType::Jpeg && r.Picture.Data == kept->Picture.Data;
    QCOMPARE(jpegs, 2);

    // Inserting a picture file, with the file dialog replaced.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("photo.jpg"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(jpeg);
    }
    QString answer, title, filter;
    editor.SetPictureFileChooser([&](QWidget*, const QString& t, const QString& f) {
        title = t;
        filter = f;
        return answer;
    });
    auto* insert = editor.findChild<QToolButton*>(QStringLiteral("btnObject2"));
    QVERIFY(insert);
    editor.SetRtf("{\\rtf1\\ansi\\pard x\\par}");
    insert->click();  // cancelled
    QCOMPARE(title, QStringLiteral("Open"));
    QVERIFY(filter.startsWith(QStringLiteral("Всички картини (")));
    QVERIFY(filter.contains(QStringLiteral(";;JPEG (*.jpeg)")));
    QVERIFY(!editor.IsEdited());
    answer = file;
    insert->click();
    QVERIFY(editor.IsEdited());
    const TRtfDocument withPicture = ReadRtf(editor.Rtf());
    const TRtfRun* inserted = FirstPicture(withPicture);
    QVERIFY(inserted);
    QCOMPARE(int(inserted->Picture.Type), int(TRtfPictureType::Jpeg));
    QCOMPARE(QByteArray::fromStdString(inserted->Picture.Data), jpeg);
    QCOMPARE(inserted->Picture.PixelWidth, 6);
}

void TstRichText::pasteBeyondTheLimitIsRefused() {
    TRichTextEditor editor;
    int refused = 0;
    SetDlgBoxResponder([&](TfrmDlgBox&) {
        ++refused;
        return TDlgAnswer::OK;
    });
    const struct {
        const char* name;
        QString text;
        bool pasted;
    } rows[] = {
        {"short text", QStringLiteral("abc"), true},
        {"one byte too many", QString(int(TRichTextEditor::kMaxRtfBytes) + 1, QLatin1Char('a')), false},
        // Each Cyrillic letter is written as four bytes (\'hh).
        {"Cyrillic written four times as long", QString(300000, QChar(0x0430)), false},
    };
    for (const auto& row : rows) {
        editor.SetRtf("");
        refused = 0;
        QApplication::clipboard()->setText(row.text);
        editor.TextEdit()->paste();
        QVERIFY2(editor.PlainText().isEmpty() != row.pasted, row.name);
        QVERIFY2(refused == (row.pasted ? 0 : 1), row.name);
    }
    // A picture copied within the field counts with its own JPEG bytes: a
    // second copy of a JPEG of about 240 KiB fits, a third does not.
    QImage noise(640, 640, QImage::Format_RGB32);
    quint32 seed = 1;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, (seed = seed * 1664525u + 1013904223u) >> 8);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    noise.save(&buffer, "JPEG", 75);
    QVERIFY2(jpeg.size() > 150 * 1024 && jpeg.size() < 245 * 1024, qPrintable(QString::number(jpeg.size())));
    editor.SetRtf("{\\rtf1\\ansi\\pard{\\pict\\jpegblip\\picw640\\pich640 " + jpeg.toHex().toStdString() + "}\\par}");
    editor.TextEdit()->selectAll();
    editor.TextEdit()->copy();
    editor.TextEdit()->moveCursor(QTextCursor::End);
    refused = 0;
    editor.TextEdit()->paste();
    QCOMPARE(refused, 0);
    editor.TextEdit()->paste();
    QCOMPARE(refused, 1);
    SetDlgBoxResponder({});
}

namespace {

// The menu's entries, each followed by "+" when enabled and "-" when not.
QString Entries(const QMenu& menu) {
    QStringList out;
    for (const QAction* a : menu.actions())
        if (!a->isSeparator()) out << a->text() + (a->isEnabled() ? QStringLiteral("+") : QStringLiteral("-"));
    return out.join(QLatin1Char(' '));
}

}  // namespace

void TstRichText::contextMenusEnableWhatApplies() {
    TRichTextEditor editor;
    editor.SetKind(TRichTextEditor::TKind::Equation);
    QApplication::clipboard()->setText(QStringLiteral("Y = A"));
    QCOMPARE(Entries(*editor.CreateContextMenu()), QStringLiteral("Undo- Redo- Cut- Copy- Paste+ Delete- Select All-"));
    editor.SetKind(TRichTextEditor::TKind::Comment);
    editor.SetRtf("{\\rtf1\\ansi\\pard abc\\par}");
    editor.TextEdit()->selectAll();
    QApplication::clipboard()->clear();
    QCOMPARE(Entries(*editor.CreateContextMenu()),
             QStringLiteral("Undo- Redo- Cut+ Copy+ Paste- Delete+ Select All+ Insert+"));
    editor.TextEdit()->textCursor().insertText(QStringLiteral("x"));
    QCOMPARE(Entries(*editor.CreateContextMenu()),
             QStringLiteral("Undo+ Redo- Cut- Copy- Paste- Delete- Select All+ Insert+"));

    TUnitsEdit units;
    units.SetUnits("kg");
    QApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_RGB32));  // no text to paste
    QCOMPARE(Entries(*units.CreateContextMenu()), QStringLiteral("Undo- Cut- Copy- Paste- Delete- Select All+"));
    units.TextEdit()->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("m"));
    QCOMPARE(Entries(*units.CreateContextMenu()), QStringLiteral("Undo- Cut+ Copy+ Paste+ Delete+ Select All+"));
}

void TstRichText::symbolAndColourThroughTheToolbar() {
    TRichTextEditor editor;
    editor.SetRtf("{\\rtf1\\ansi\\pard ab\\par}");
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.TextEdit()->moveCursor(QTextCursor::End);
    auto* symbol = editor.findChild<QToolButton*>(QStringLiteral("btnInsSymb"));
    // The modal form answers from the event loop: Cancel, then Ω with OK.
    for (const char* button : {"btnCancel", "btnOK"}) {
        QTimer::singleShot(0, [button] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* form = qobject_cast<TfrmInsSymb*>(w); form && form->isVisible()) {
                    form->SetCurrent(23);
                    form->findChild<QPushButton*>(QString::fromLatin1(button))->click();
                }
        });
        symbol->click();
    }
    QCOMPARE(editor.PlainText(), QStringLiteral("abΩ"));

    // A press outside the palette leaves the colour; a cell gives it.
    auto* colour = editor.findChild<QToolButton*>(QStringLiteral("btnFontColor"));
    editor.TextEdit()->selectAll();
    const std::string before = editor.Rtf();
    for (bool inside : {false, true}) {
        colour->click();
        QPointer<TfrmFontColor> palette = editor.findChild<TfrmFontColor*>();
        QVERIFY(palette && palette->isVisible());
        // Row 2, column 1: pure red.
        const QPoint at = inside ? QPoint(1 + 25 + 5, 1 + 2 * 18 + 5) : QPoint(-10, -10);
        QMouseEvent press(QEvent::MouseButtonPress, at, palette->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(palette, &press);
        QTRY_VERIFY(!palette);
        QCOMPARE(editor.Rtf() != before, inside);
    }
    QCOMPARE(colour->property("shownColor").value<QColor>(), QColor(255, 0, 0));
    const TRtfDocument doc = ReadRtf(editor.Rtf());
    QVERIFY(doc.Paragraphs.at(0).Runs.at(0).Format.HasColor);
    QCOMPARE(int(doc.Paragraphs[0].Runs[0].Format.Color.Red), 255);
}

// Saving while the caret is still in the budget's comment keeps what was typed.
void TstRichText::budgetCommentReachesTheSavedFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mass.gmf"));
    QVERIFY(QFile::copy(QStringLiteral(VORMID_EXAMPLES "/mass.gmf"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    TfrmMain w(std::make_unique<TGumModelStore>(),
               std::make_unique<QSettings>(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat));
    w.SetFileDialogHook([&](bool) { return path; });
    w.FormShow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.findChild<QAction*>(QStringLiteral("miOpen"))->trigger();
    w.SelectMainPage(2);
    auto* comment = w.findChild<TRichTextEditor*>(QStringLiteral("BudgetComent"));
    QVERIFY(comment);
    comment->TextEdit()->setFocus();
    comment->TextEdit()->moveCursor(QTextCursor::End);
    QTest::keyClicks(comment->TextEdit(), QStringLiteral("Noted"));
    QVERIFY(w.Document().Modified());
    w.findChild<QAction*>(QStringLiteral("miSave"))->trigger();
    QVERIFY(comment->TextEdit()->hasFocus());

    TGumModelFile file;
    file.FileName = path.toStdString();
    TGumModel model;
    TDisplayState display;
    LoadModel(file, model, display);
    bool found = false;
    for (int i = 0; i < model.Params.Count(); ++i)
        if (model.Params.Get(i)->BudgetComment.find("Noted") != std::string::npos) found = true;
    QVERIFY(found);
}

void TstRichText::grabScreenshots() {
    const QString dir = qEnvironmentVariable("VORMID_SHOT_DIR");
    if (dir.isEmpty()) QSKIP("set VORMID_SHOT_DIR to write the screenshots");
    TRichTextEditor editor;
    editor.SetKind(TRichTextEditor::TKind::Comment);
    editor.resize(620, 190);
    editor.SetRtf(
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}{\\f1\\fnil\\fcharset2 Symbol;}}"
        "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue192;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
        "\\b\\'c5\\'f2\\'e0\\'eb\\'ee\\'ed\\'ed\\'e0 \\'f2\\'e5\\'e6\\'e5\\'f1\\'f2 \\b0 m\\sub 0\\nosupersub  = 1 kg, "
        "\\i\\'ea\\'eb\\'e0\\'f1 E\\sub 2\\nosupersub\\i0\\par\r\n"
        "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li360 "
        "\\cf1 U\\cf0  = 0,05 mg (k = 2)\\par\r\n"
        "{\\pntext\\f1\\'b7\\tab}\\'f2\\'e5\\'ec\\'ef\\'e5\\'f0\\'e0\\'f2\\'f3\\'f0\\'e0 20 \\u176?C \\u177? 0,5 "
        "\\u176?C\\par\r\n"
        "\\pard\\qc\\cf2\\ul\\'c0\\'ea\\'f0\\'e5\\'e4\\'e8\\'f2\\'e8\\'f0\\'e0\\'ed\\'e0 "
        "\\'eb\\'e0\\'e1\\'ee\\'f0\\'e0\\'f2\\'ee\\'f0\\'e8\\'ff\\ulnone\\cf0\\par\r\n}");
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QVERIFY(editor.grab().save(dir + QStringLiteral("/richtext-comment.png")));
    TfrmInsSymb symbols;
    symbols.SetCurrent(23);
    symbols.show();
    QVERIFY(QTest::qWaitForWindowExposed(&symbols));
    QVERIFY(symbols.grab().save(dir + QStringLiteral("/insert-symbol.png")));
}

QTEST_MAIN(TstRichText)
#include "rich_text_test.moc"
