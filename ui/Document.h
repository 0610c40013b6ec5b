#pragma once
// The document of the main window: which model is open, whether it changed,
// which file commands are enabled, the caption, and the file commands
// themselves. It works without a window so that it can be tested alone; the
// window supplies the file dialogs through IDocumentHost and redraws on the
// signals.
#include <QObject>
#include <QString>
#include <QStringList>

#include "ui/ModelStore.h"
#include "ui/RecentFiles.h"

namespace vormid {

// Document states.
enum TDocState : int {
    dsNewUnchanged = 0,
    dsNewChanged = 1,
    dsFileUnchanged = 2,
    dsFileChanged = 3,
};

struct TCommandEnables {
    bool Save = false;
    bool SaveAs = false;
    bool Cancel = false;
    bool Copy = false;
    bool HardCopy = false;
    bool Delete = false;
    bool AddCorr = false;
    bool DelCorr = false;
    bool RecentMenu = false;
    bool ModelPages = false;  // "Наблюдение" and "Бюджет"
};

class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    // The file to open; empty when the user cancelled.
    virtual QString AskOpenFileName() = 0;
    // The file to save into; empty when the user cancelled.
    virtual QString AskSaveFileName() = 0;
    // Whether a window is shown in which the user can be asked.
    virtual bool CanAsk() const = 0;
};

class TDocument : public QObject {
    Q_OBJECT
public:
    TDocument(IModelStore& store, TRecentFiles& recent, IDocumentHost& host, QObject* parent = nullptr);

    int State() const { return state_; }
    bool Modified() const { return modified_; }
    QString FileName() const { return store_.FileName(); }
    bool IsUntitled() const;
    // "Vormid - " + the file name without directory.
    QString Caption() const;
    TCommandEnables Enables() const;

    // Edits call it with true, file commands with false.
    void MarkModified(bool changed);
    // Recomputes the enabling rules (after the quantity list changed).
    void Refresh();

    // The empty model named "Untitled.gmf" of the first showing.
    void Start();

    // Each command returns whether it did what it was asked (false when the
    // user cancelled or it failed; failures have been shown).
    bool New();
    bool Open();
    bool OpenRecent(const QString& path);
    bool OpenFile(const QString& path, bool addRecent = true);
    // A sample model as a new, unsaved model: the sample itself is never
    // written (an installed one is read-only, the build tree's belong to the
    // sources), so Save asks for a file of the user's own.
    bool OpenExample(const QString& path);
    bool Save();
    bool SaveAs();
    bool CancelChanges();
    bool Delete();

    // An open request from the desktop: one file per [Execute("PATH")] line.
    void ExecuteMacro(const QStringList& lines);
    // Whether the window may close (asks about unsaved edits when it can).
    bool QueryClose();
    // Closing: the display settings go into the current file.
    void Close();

signals:
    void stateChanged();   // enables and caption
    void modelReplaced();  // the model was reset or loaded: refill the controls
    void recentChanged();
    // The model was written into its file: its present state is the saved one.
    void saved();
    // The store is about to write the display settings: bring them up to date.
    void aboutToWriteDisplay();

private:
    bool ConfirmDiscard();
    bool LoadCurrent(bool addRecent);
    bool ClearFor(const QString& path, const QString& stored);
    bool SaveInto(const QString& path);
    void ResetToNew();
    void ShowAsNew();
    void NoteDisplaySaved();
    void ClearStore();
    bool WriteDisplaySettings();

    IModelStore& store_;
    TRecentFiles& recent_;
    IDocumentHost& host_;
    int state_ = dsNewUnchanged;
    bool modified_ = false;
};

}  // namespace vormid
