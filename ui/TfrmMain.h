#pragma once
// The main window: one model at a time, its file commands, the page buttons
// and the two recent-file menus. The document logic itself is TDocument.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "ui/Document.h"
#include "ui/ModelStore.h"
#include "ui/RecentFiles.h"
#include "ui/UserSettings.h"

class QButtonGroup;
class QLabel;
class QMenu;
class QPrinter;
class QSettings;

namespace Ui {
class TfrmMain;
}

namespace vormid {

class THelpWindow;
class TModelController;
class TPage;

class TfrmMain : public QMainWindow, private IDocumentHost {
    Q_OBJECT
public:
    // Takes the model store and the settings file it keeps between runs.
    TfrmMain(std::unique_ptr<IModelStore> store, std::unique_ptr<QSettings> settings, QWidget* parent = nullptr);
    ~TfrmMain() override;

    TDocument& Document() { return *document_; }
    IModelStore& Store() { return *store_; }
    TModelController& Controller() { return *controller_; }
    const TRecentFiles& RecentFiles() const { return recent_; }
    QMenu* RecentPopup() const { return pmRFL_; }
    QMenu* CopyPopup() const { return pmCopy_; }

    // The first showing's work (settings, empty model, placement); runs
    // once, from the first show or when called earlier.
    void FormShow();
    // Opens requests from the desktop; held back until the window is shown.
    void HandleOpenRequest(const QStringList& lines);

    // Replaces the file dialogs (tests, automation): save = true asks for a
    // file to save into. Return an empty string for "cancelled".
    void SetFileDialogHook(std::function<QString(bool save)> hook) { fileDialogHook_ = std::move(hook); }
    // The help page "VormidBG.htm" that "Помощ" shows (nothing when missing).
    void SetHelpFile(const QString& path) { helpFile_ = path; }
    // The folder of the sample models that the menu "Примери" lists (each
    // opens as a new, unsaved model) and the open dialog offers; empty or
    // without models, the menu is disabled.
    void SetExamplesDir(const QString& dir);
    QMenu* ExamplesMenu() const;
    // Opens the guide at its start, or at the section with this anchor;
    // returns whether there was a guide. Over a modal dialog (F1 in the
    // dialog) the guide opens in a window of that dialog, which alone takes
    // input then.
    bool ShowHelp(const QString& anchor = QString(), QWidget* context = nullptr);
    THelpWindow* HelpWindow() const;

    // Writes the uncertainty report of the model into path as PDF, ODT or
    // HTML; false, with the reason shown, when it cannot be written.
    bool ExportReport(const QString& path);
    // Paints the report on a printer; false when the printer cannot start.
    // "Печат" shows it in a preview first.
    bool PrintReport(QPrinter& printer);

    // The page buttons' numbers: main notebook 0..2, inner notebook 0..2.
    void SelectMainPage(int page);
    void SelectModelPage(int page);
    int MainPage() const;
    int ModelPage() const;

signals:
    void captionChanged(const QString& caption);
    void firstShown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // IDocumentHost
    QString AskOpenFileName() override;
    // Where the open (save false) or save-as dialog starts.
    QString DialogFolder(bool save) const;
    QString AskSaveFileName() override;
    bool CanAsk() const override;

    void ConnectCommands();
    void UpdateEnables();
    void RebuildRecentMenus();
    void FillFromModel();
    // The model's name and evaluation method on the title page (while loading).
    void ShowHeader();
    void CollectDisplayState();
    void ApplyPlacement();
    // The size of the first start, before any placement is saved.
    QSize FirstStartSize() const;
    TWindowPlacement CurrentPlacement() const;
    void PreviewReport();
    void AskExportReport(const QString& suffix);
    void RunPendingRequests();
    void ShowQuantityStatus();
    void ConnectUndo();
    // Shows the model as an undone or redone step left it.
    void ShowStep(int page, int quantity);
    // The window's page as the undo steps store it.
    int PageCode() const;

    std::unique_ptr<Ui::TfrmMain> ui_;
    std::unique_ptr<IModelStore> store_;
    std::unique_ptr<QSettings> settings_;
    TRecentFiles recent_;
    std::unique_ptr<TDocument> document_;
    std::unique_ptr<TModelController> controller_;
    // Description, Equation, Correlation (inner notebook), Values, Budjet.
    std::array<TPage*, 5> pages_{};
    QLabel* quantityStatus_ = nullptr;
    TWindowPlacement placement_;
    QMenu* pmRFL_ = nullptr;
    QMenu* pmCopy_ = nullptr;
    QButtonGroup* mainPages_ = nullptr;
    QButtonGroup* modelPages_ = nullptr;
    QPointer<THelpWindow> helpWindow_;
    std::function<QString(bool)> fileDialogHook_;
    QString helpFile_;
    QString examplesDir_;
    QList<QStringList> pendingRequests_;
    bool formShown_ = false;
    bool exposed_ = false;
};

}  // namespace vormid
