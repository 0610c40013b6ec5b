#include "ui/Document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ui/ShellIntegration.h"
#include "ui/TfrmDlgBox.h"

namespace vormid {

namespace {
const QString kDiscardQuestion = QStringLiteral("Да се отхвърлят ли направените промени?");

QString WithFileName(const QString& message, const QString& path) {
    if (message.contains(path) || message.contains(QFileInfo(path).fileName())) return message;
    return QStringLiteral("Файлът ") + path + QStringLiteral(" не може да бъде отворен.\n") + message;
}
}  // namespace

TDocument::TDocument(IModelStore& store, TRecentFiles& recent, IDocumentHost& host, QObject* parent)
    : QObject(parent), store_(store), recent_(recent), host_(host) {}

bool TDocument::IsUntitled() const { return store_.FileName() == QLatin1String(kUntitledModelName); }

QString TDocument::Caption() const { return QStringLiteral("Vormid - ") + QFileInfo(store_.FileName()).fileName(); }

TCommandEnables TDocument::Enables() const {
    TCommandEnables e;
    e.Save = modified_;
    e.SaveAs = modified_ || state_ == dsFileUnchanged;
    e.Cancel = modified_;
    e.Copy = state_ != dsNewUnchanged;
    e.HardCopy = state_ != dsNewUnchanged;
    e.Delete = state_ == dsFileUnchanged || state_ == dsFileChanged;
    e.AddCorr = store_.QuantityCount() > 1;
    e.DelCorr = store_.CorrelationCount() >= 1;
    e.RecentMenu = recent_.Count() > 0;
    e.ModelPages = store_.QuantityCount() >= 1;
    return e;
}

void TDocument::MarkModified(bool changed) {
    modified_ = changed;
    // A change keeps whether the model has a file of its own.
    const bool file = state_ == dsFileUnchanged || state_ == dsFileChanged;
    state_ = file ? (changed ? dsFileChanged : dsFileUnchanged) : (changed ? dsNewChanged : dsNewUnchanged);
    emit stateChanged();
}

void TDocument::Refresh() { emit stateChanged(); }

// The model goes without writing anything into the file it came from.
void TDocument::Start() {
    store_.SetFileName(QString::fromLatin1(kUntitledModelName));
    ResetToNew();
}

void TDocument::ResetToNew() {
    ClearStore();
    ShowAsNew();
}

// What the store holds becomes a new, untitled, unchanged model.
void TDocument::ShowAsNew() {
    store_.SetFileName(QString::fromLatin1(kUntitledModelName));
    state_ = dsNewUnchanged;
    MarkModified(false);
    emit modelReplaced();
}

// Unsaved edits: "Да" (the default, so that Enter keeps the work) saves
// them first through Save or Save as, "Не" drops them, "Отказ" stays.
bool TDocument::ConfirmDiscard() {
    if (!modified_ || !host_.CanAsk()) return true;
    const QString question = QStringLiteral("Да се запишат ли промените в „") +
                             QFileInfo(store_.FileName()).fileName() + QStringLiteral("“?");
    switch (AskMessageBox(question, akYesNoCancel)) {
        case TDlgAnswer::Yes:
            return Save();
        case TDlgAnswer::No:
            return true;
        default:
            return false;
    }
}

bool TDocument::New() {
    if (!ConfirmDiscard()) return false;
    ResetToNew();
    return true;
}

bool TDocument::Open() {
    if (!ConfirmDiscard()) return false;
    QString path = host_.AskOpenFileName();
    if (path.isEmpty()) return false;
    return OpenFile(path);
}

bool TDocument::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        ShowMessageBox(QStringLiteral("Файлът ") + path + QStringLiteral(" не е намерен"));
        recent_.RemoveRecentFile(path);
        emit recentChanged();
        emit stateChanged();
        return false;
    }
    if (!ConfirmDiscard()) return false;
    return OpenFile(path);
}

bool TDocument::OpenFile(const QString& path, bool addRecent) {
    return ClearFor(path, QFileInfo(path).absoluteFilePath()) && LoadCurrent(addRecent);
}

// The new file is read completely before anything of the current model goes:
// a damaged file chosen by mistake leaves the work on screen.
bool TDocument::ClearFor(const QString& path, const QString& stored) {
    try {
        store_.CheckLoadable(stored);
    } catch (const std::exception& e) {
        ShowWarningBox(WithFileName(QString::fromUtf8(e.what()), path));
        return false;
    }
    ClearStore();
    store_.SetFileName(stored);
    return true;
}

bool TDocument::OpenExample(const QString& path) {
    if (!ConfirmDiscard() || !ClearFor(path, path)) return false;
    try {
        store_.Load();
    } catch (const std::exception& e) {
        Start();
        ShowMessageBox(WithFileName(QString::fromUtf8(e.what()), path));
        return false;
    }
    // From here on nothing of the model names the sample's file. A sample
    // only looked at has nothing to save: leaving it asks nothing.
    ShowAsNew();
    return true;
}

// Loads the current file. A failed load keeps what was read but makes the
// document a new, untitled one, so that a later Save never overwrites the
// damaged file without being asked.
bool TDocument::LoadCurrent(bool addRecent) {
    QString path = store_.FileName();
    try {
        store_.Load();
    } catch (const std::exception& e) {
        ShowAsNew();
        ShowMessageBox(WithFileName(QString::fromUtf8(e.what()), path));
        return false;
    }
    if (addRecent) {
        recent_.AddRecentFile(path);
        emit recentChanged();
    }
    state_ = dsFileUnchanged;
    MarkModified(false);
    emit modelReplaced();
    return true;
}

bool TDocument::SaveInto(const QString& path) {
    QString previous = store_.FileName();
    store_.SetFileName(path);
    try {
        emit aboutToWriteDisplay();
        store_.Save();
    } catch (const std::exception& e) {
        store_.SetFileName(previous);
        ShowMessageBox(QString::fromUtf8(e.what()));
        return false;
    }
    recent_.AddRecentFile(path);
    emit recentChanged();
    state_ = dsFileUnchanged;
    MarkModified(false);
    emit saved();
    return true;
}

bool TDocument::Save() {
    if (IsUntitled() || state_ == dsNewUnchanged || state_ == dsNewChanged) return SaveAs();
    return SaveInto(store_.FileName());
}

bool TDocument::SaveAs() {
    QString path = host_.AskSaveFileName();
    if (path.isEmpty()) return false;
    QFileInfo info(path);
    if (info.suffix().isEmpty()) info.setFile(path + QStringLiteral(".gmf"));
    path = info.absoluteFilePath();
    if (info.exists() &&
        AskMessageBox(QStringLiteral("Файлът ") + path + QStringLiteral(" съществува. Да бъде ли заменен?"), akYesNo) !=
            TDlgAnswer::Yes)
        return false;
    return SaveInto(path);
}

bool TDocument::CancelChanges() {
    if (AskMessageBox(kDiscardQuestion, akYesNo) != TDlgAnswer::Yes) return false;
    MarkModified(false);
    if (state_ == dsNewUnchanged) {
        ClearStore();
        emit modelReplaced();
        return true;
    }
    if (state_ == dsFileUnchanged) {
        ClearStore();
        return LoadCurrent(false);
    }
    return true;
}

bool TDocument::Delete() {
    if (state_ != dsFileUnchanged && state_ != dsFileChanged) return false;
    QString path = store_.FileName();
    if (AskMessageBox(QStringLiteral("Да се изтрие ли файлът ") + QDir::toNativeSeparators(path) + QStringLiteral("?"),
                      akYesNoDefaultNo) != TDlgAnswer::Yes)
        return false;
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        ShowMessageBox(QStringLiteral("Файлът ") + path + QStringLiteral(" не може да бъде изтрит."));
        return false;
    }
    recent_.RemoveRecentFile(path);
    emit recentChanged();
    // The file is gone: nothing of the model may be written back under its name.
    Start();
    return true;
}

void TDocument::ExecuteMacro(const QStringList& lines) {
    for (const QString& path : ParseExecuteMacro(lines)) {
        if (modified_) {
            if (!ConfirmDiscard()) continue;
            if (WriteDisplaySettings()) NoteDisplaySaved();
            MarkModified(false);
        }
        // A request from the desktop is an open like any other: a file that
        // cannot be read leaves the model on screen.
        if (!path.isEmpty()) {
            OpenFile(path, false);
            continue;
        }
        ClearStore();
        store_.SetFileName(path);
        LoadCurrent(false);
    }
}

bool TDocument::QueryClose() { return ConfirmDiscard(); }

void TDocument::Close() {
    if (WriteDisplaySettings()) NoteDisplaySaved();
}

// Leaving a model writes its display settings into its file first.
void TDocument::ClearStore() {
    emit aboutToWriteDisplay();
    store_.Clear();
}

bool TDocument::WriteDisplaySettings() {
    emit aboutToWriteDisplay();
    return store_.SaveDisplaySettings();
}

// A file that took the display settings goes to the top of the recent list.
void TDocument::NoteDisplaySaved() {
    recent_.AddRecentFile(store_.FileName());
    emit recentChanged();
}

}  // namespace vormid
