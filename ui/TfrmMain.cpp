#include "ui/TfrmMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QFileInfo>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>
#include <QWindow>

#include "core/TextFields.h"
#include "evaluation/QuantitySummary.h"
#include "report/qt/ReportDocument.h"
#include "report/qt/ReportFiles.h"
#include "ui/ContextHelp.h"
#include "ui/FileTypeNames.h"
#include "ui/HelpWindow.h"
#include "ui/ModelController.h"
#include "ui/ReportMaker.h"
#include "ui/TfrmDlgBox.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/pages/BudgetPage.h"
#include "ui/pages/CorrelationPage.h"
#include "ui/pages/DescriptionPage.h"
#include "ui/pages/EquationPage.h"
#include "ui/pages/ObservationPage.h"
#include "ui/widgets/ByteLimitValidator.h"
#include "ui_TfrmMain.h"

namespace vormid {

namespace {
const QString kFileFilter = QStringLiteral("Модели GUM (*.gmf)");
}  // namespace

TfrmMain::TfrmMain(std::unique_ptr<IModelStore> store, std::unique_ptr<QSettings> settings, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TfrmMain>()),
      store_(std::move(store)),
      settings_(std::move(settings)) {
    ui_->setupUi(this);
    document_ = std::make_unique<TDocument>(*store_, recent_, static_cast<IDocumentHost&>(*this));
    controller_ = std::make_unique<TModelController>(*store_, *document_);
    pages_ = {ui_->Description, ui_->Equation, ui_->Correlation, ui_->Values, ui_->Budjet};
    for (TPage* page : pages_) {
        page->Attach(*controller_);
        ui_->miEdit->addActions(page->EditActions());
        ui_->miBudget->addActions(page->BudgetActions());
    }
    ui_->edGumName->setValidator(new TByteLimitValidator(kText256.Text, ui_->edGumName));
    quantityStatus_ = new QLabel(this);
    quantityStatus_->setObjectName(QStringLiteral("lblQuantityStatus"));
    ui_->StatusBar->addWidget(quantityStatus_, 1);

    pmRFL_ = new QMenu(this);
    pmRFL_->setObjectName(QStringLiteral("pmRFL"));
    ui_->btnOpen->setMenu(pmRFL_);
    pmCopy_ = new QMenu(this);
    pmCopy_->setObjectName(QStringLiteral("pmCopy"));
    pmCopy_->addAction(ui_->miCopyValues);
    pmCopy_->addAction(ui_->miCopyGraph);
    pmCopy_->addAction(ui_->miCopyStat);
    connect(ui_->miCopyStat, &QAction::triggered, this, [this] {
        // From another page the series shown there may be out of date.
        if (MainPage() != 1) ui_->Values->Entered();
        ui_->Values->CopyStatistics();
    });
    // The statistics are those of a Type A series: without one, nothing.
    auto statistics = [this] { ui_->miCopyStat->setEnabled(controller_->HasQuantityOf(TParamKind::TypeA)); };
    connect(controller_.get(), &TModelController::quantityChanged, this, statistics);
    for (auto signal : {&TModelController::quantitiesReset, &TModelController::modelReplaced})
        connect(controller_.get(), signal, this, statistics);
    statistics();
    ui_->btnCopyStat->setMenu(pmCopy_);

    for (auto [button, pixmap] :
         {std::pair{ui_->btnNew, QStyle::SP_FileIcon}, std::pair{ui_->btnOpen, QStyle::SP_DialogOpenButton},
          std::pair{ui_->btnSave, QStyle::SP_DialogSaveButton}, std::pair{ui_->btnSaveAs, QStyle::SP_DriveFDIcon},
          std::pair{ui_->btnCancel, QStyle::SP_DialogCancelButton}, std::pair{ui_->btnDelete, QStyle::SP_TrashIcon},
          std::pair{ui_->btnPrint, QStyle::SP_FileDialogDetailedView},
          std::pair{ui_->btnCopyStat, QStyle::SP_FileDialogContentsView},
          std::pair{ui_->btnSettings, QStyle::SP_FileDialogInfoView},
          std::pair{ui_->btnHelp, QStyle::SP_DialogHelpButton}, std::pair{ui_->btnExit, QStyle::SP_DialogCloseButton}})
        button->setIcon(style()->standardIcon(pixmap));
    ui_->btnSettings->setText(QString());

    mainPages_ = new QButtonGroup(this);
    mainPages_->addButton(ui_->btnPageTitle, 0);
    mainPages_->addButton(ui_->btnPageValues, 1);
    mainPages_->addButton(ui_->btnPageBudget, 2);
    modelPages_ = new QButtonGroup(this);
    modelPages_->addButton(ui_->btnPageDescription, 0);
    modelPages_->addButton(ui_->btnPageEquation, 1);
    modelPages_->addButton(ui_->btnPageCorrelation, 2);

    ConnectCommands();
    ConnectUndo();
    new TContextHelp([this](QWidget* context, const QString& anchor) { ShowHelp(anchor, context); }, this);
    SelectMainPage(0);
    SelectModelPage(0);
    UpdateEnables();
}

// The pages' item models point into the store's model, and the views still
// ask them for headers while they are torn down; members go before QWidget's
// destructor deletes the children, so the widgets are deleted first here, and
// the controller and the document, which signal as they go, no longer update them.
TfrmMain::~TfrmMain() {
    controller_->UndoStack().disconnect(this);
    controller_->disconnect(this);
    document_->disconnect(this);
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TfrmMain::ConnectCommands() {
    auto both = [this](QToolButton* button, QAction* action, auto slot) {
        connect(button, &QToolButton::clicked, this, slot);
        connect(action, &QAction::triggered, this, slot);
    };
    both(ui_->btnNew, ui_->miNew, [this] { document_->New(); });
    both(ui_->btnOpen, ui_->miOpen, [this] { document_->Open(); });
    both(ui_->btnSave, ui_->miSave, [this] { document_->Save(); });
    both(ui_->btnSaveAs, ui_->miSaveAs, [this] { document_->SaveAs(); });
    both(ui_->btnCancel, ui_->miCancel, [this] { document_->CancelChanges(); });
    both(ui_->btnDelete, ui_->miDelete, [this] { document_->Delete(); });
    both(ui_->btnPrint, ui_->miPrint, [this] { PreviewReport(); });
    connect(ui_->miExportPdf, &QAction::triggered, this, [this] { AskExportReport(QStringLiteral("pdf")); });
    connect(ui_->miExportOdt, &QAction::triggered, this, [this] { AskExportReport(QStringLiteral("odt")); });
    connect(ui_->miExportHtml, &QAction::triggered, this, [this] { AskExportReport(QStringLiteral("html")); });
    ui_->miSettings->setEnabled(true);
    both(ui_->btnSettings, ui_->miSettings, [this] {
        TNumberFormatSettings s = controller_->Model().FormatSettings;
        TMonteCarloSettings mc = settings_ ? ReadMonteCarloSettings(*settings_) : TMonteCarloSettings{};
        if (!TfrmSettings::Edit(s, mc, this)) return;
        // The Monte Carlo options are the user's: into the settings at once.
        if (settings_) WriteMonteCarloSettings(*settings_, mc);
        ui_->Budjet->SetMonteCarloSettings(mc);
        controller_->SetFormatSettings(s);
        // OK repaints the numbers even when nothing changed.
        ui_->Budjet->Repaint();
    });
    // "Копиране" of the budget: the page's own commands and enabling.
    for (auto [item, command] : {std::pair{ui_->miCopyValues, ui_->Budjet->CopyValuesAction()},
                                 std::pair{ui_->miCopyGraph, ui_->Budjet->CopyGraphAction()}}) {
        connect(item, &QAction::triggered, command, &QAction::trigger);
        // Copies of the bindings: Clang 14 cannot capture a structured binding.
        connect(command, &QAction::changed, item,
                [item = item, command = command] { item->setEnabled(command->isEnabled()); });
        item->setEnabled(command->isEnabled());
    }
    both(ui_->btnExit, ui_->miExit, [this] { close(); });
    both(ui_->btnHelp, ui_->N10, [this] { ShowHelp(); });

    connect(document_.get(), &TDocument::stateChanged, this, &TfrmMain::UpdateEnables);
    connect(document_.get(), &TDocument::recentChanged, this, &TfrmMain::RebuildRecentMenus);
    connect(document_.get(), &TDocument::modelReplaced, this, &TfrmMain::FillFromModel);
    connect(document_.get(), &TDocument::aboutToWriteDisplay, this, &TfrmMain::CollectDisplayState);

    connect(mainPages_, &QButtonGroup::idClicked, this, [this](int page) {
        // The observation and budget pages rebuild themselves when entered,
        // not when their button is clicked again.
        if (page != 0 && page == MainPage()) return;
        SelectMainPage(page);
    });
    connect(modelPages_, &QButtonGroup::idClicked, this, &TfrmMain::SelectModelPage);

    connect(ui_->edGumName, &QLineEdit::textChanged, controller_.get(), &TModelController::SetModelName);
    for (auto [button, method] : {std::pair{ui_->rbEvalGUM, em_Gum}, std::pair{ui_->rbEvalMonteCarlo, em_MonteCarlo}})
        connect(button, &QRadioButton::toggled, this, [this, method = method](bool on) {
            if (on) controller_->SetEvalMethod(method);
        });
    connect(controller_.get(), &TModelController::selectionChanged, this, &TfrmMain::ShowQuantityStatus);
    connect(controller_.get(), &TModelController::quantityChanged, this, [this](int index) {
        if (index == controller_->Selected()) ShowQuantityStatus();
    });
    connect(controller_.get(), &TModelController::formatsChanged, this, &TfrmMain::ShowQuantityStatus);
}

void TfrmMain::ConnectUndo() {
    QUndoStack& stack = controller_->UndoStack();
    ui_->miUndo->setShortcuts(QKeySequence::Undo);
    ui_->miRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The keys work on every page, also where the menu "Редактиране" is
    // hidden; a text box with the focus takes them for its own undo first.
    addAction(ui_->miUndo);
    addAction(ui_->miRedo);
    connect(ui_->miUndo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(ui_->miRedo, &QAction::triggered, &stack, &QUndoStack::redo);
    auto show = [this, &stack] {
        auto named = [](const QString& command, const QString& step) {
            return step.isEmpty() ? command : command + QStringLiteral(": ") + QString(step).replace('&', "&&");
        };
        ui_->miUndo->setEnabled(stack.canUndo());
        ui_->miUndo->setText(named(QStringLiteral("Отмяна"), stack.canUndo() ? stack.undoText() : QString()));
        ui_->miRedo->setEnabled(stack.canRedo());
        ui_->miRedo->setText(named(QStringLiteral("Възстановяване"), stack.canRedo() ? stack.redoText() : QString()));
    };
    connect(&stack, &QUndoStack::indexChanged, this, show);
    connect(&stack, &QUndoStack::undoTextChanged, this, show);
    connect(&stack, &QUndoStack::redoTextChanged, this, show);
    controller_->SetPageSource([this] { return PageCode(); });
    connect(controller_.get(), &TModelController::stepShown, this, &TfrmMain::ShowStep);
    connect(controller_.get(), &TModelController::notice, this,
            [this](const QString& text) { ui_->StatusBar->showMessage(text, 30000); });
}

int TfrmMain::PageCode() const { return MainPage() * 10 + ModelPage(); }

void TfrmMain::ShowHeader() {
    ui_->edGumName->setText(store_->ModelName());
    (store_->EvalMethod() == em_MonteCarlo ? ui_->rbEvalMonteCarlo : ui_->rbEvalGUM)->setChecked(true);
}

void TfrmMain::ShowStep(int page, int quantity) {
    {
        auto scope = controller_->LoadingScope();
        ShowHeader();
        if (page >= 0) {
            SelectModelPage(page % 10);
            SelectMainPage(page / 10);
        }
        // The observation or budget page shown is filled once, when entered.
        for (TPage* each : pages_)
            if (MainPage() == 0 || each != pages_[static_cast<std::size_t>(MainPage() + 2)]) each->Reload();
        controller_->Select(quantity, true);
    }
    if (MainPage() > 0) pages_[static_cast<std::size_t>(MainPage() + 2)]->Entered();
    if (MainPage() == 1) ui_->Values->ShowQuantityTab(quantity);
    UpdateEnables();
}

void TfrmMain::UpdateEnables() {
    TCommandEnables e = document_->Enables();
    auto set = [](QWidget* button, QAction* action, bool on) {
        button->setEnabled(on);
        action->setEnabled(on);
    };
    set(ui_->btnSave, ui_->miSave, e.Save);
    set(ui_->btnSaveAs, ui_->miSaveAs, e.SaveAs);
    set(ui_->btnCancel, ui_->miCancel, e.Cancel);
    set(ui_->btnCopyStat, ui_->miCopy->menuAction(), e.Copy);
    set(ui_->btnPrint, ui_->miPrint, e.HardCopy);
    ui_->miExport->menuAction()->setEnabled(e.HardCopy);
    set(ui_->btnDelete, ui_->miDelete, e.Delete);
    for (TPage* page : pages_) page->UpdateEnables(e);
    ui_->miRFL->setEnabled(e.RecentMenu);
    ui_->btnPageValues->setEnabled(e.ModelPages);
    ui_->btnPageBudget->setEnabled(e.ModelPages);

    QString caption = document_->Caption();
    if (windowTitle() != caption) {
        setWindowTitle(caption);
        SetApplicationTitle(caption);
        emit captionChanged(caption);
    }
}

void TfrmMain::RebuildRecentMenus() {
    pmRFL_->clear();
    ui_->miRFL->clear();
    for (const QString& path : recent_.Entries()) {
        for (QMenu* menu : {pmRFL_, ui_->miRFL}) {
            // A path is shown as it is: "&" would otherwise mark a shortcut.
            QAction* entry = menu->addAction(QString(path).replace(QLatin1Char('&'), QLatin1String("&&")));
            connect(entry, &QAction::triggered, this, [this, path] { document_->OpenRecent(path); });
        }
    }
    ui_->miRFL->setEnabled(recent_.Count() > 0);
}

void TfrmMain::FillFromModel() {
    {
        auto scope = controller_->LoadingScope();
        ShowHeader();
        controller_->ModelReplaced();
        // Each page is filled once, already with the file's display state.
        if (const TDisplayState* d = store_->Display())
            for (TPage* page : pages_) page->ApplyDisplay(*d);
        for (TPage* page : pages_) page->Reload();
        SelectMainPage(0);
        SelectModelPage(0);
    }
    UpdateEnables();
    ui_->edGumName->setFocus();
}

void TfrmMain::CollectDisplayState() {
    if (TDisplayState* d = store_->Display())
        for (TPage* page : pages_) page->StoreDisplay(*d);
}

void TfrmMain::SelectMainPage(int page) {
    if (page < 0 || page > 2) return;
    if (QAbstractButton* b = mainPages_->button(page)) b->setChecked(true);
    const bool switched = ui_->Book->currentIndex() != page;
    ui_->Book->setCurrentIndex(page);
    ui_->miBudget->menuAction()->setVisible(page == 2);
    ui_->miEdit->menuAction()->setVisible(page == 0);
    if (switched && page > 0 && !controller_->Loading()) pages_[static_cast<std::size_t>(page + 2)]->Entered();
    ShowQuantityStatus();
}

void TfrmMain::SelectModelPage(int page) {
    if (page < 0 || page > 2) return;
    if (QAbstractButton* b = modelPages_->button(page)) b->setChecked(true);
    const bool switched = ui_->BookModel->currentIndex() != page;
    ui_->BookModel->setCurrentIndex(page);
    if (page == 2) UpdateEnables();
    if (switched && !controller_->Loading()) pages_[static_cast<std::size_t>(page)]->Entered();
    ShowQuantityStatus();
}

int TfrmMain::MainPage() const { return ui_->Book->currentIndex(); }
int TfrmMain::ModelPage() const { return ui_->BookModel->currentIndex(); }

void TfrmMain::FormShow() {
    if (formShown_) return;
    formShown_ = true;
    {
        auto scope = controller_->LoadingScope();
        if (settings_) {
            RestoreSettings(*settings_, recent_, placement_);
            ui_->Budjet->SetMonteCarloSettings(ReadMonteCarloSettings(*settings_));
        }
        RebuildRecentMenus();
    }
    document_->Start();
    ApplyPlacement();
}

void TfrmMain::ApplyPlacement() {
    if (placement_.State == 1) {
        setWindowState(Qt::WindowMinimized);
    } else if (placement_.State == 2) {
        setWindowState(Qt::WindowMaximized);
    } else {
        QSize size(placement_.Width, placement_.Height);
        // The first start has no saved size: a size at which every page has
        // room, as far as the screen allows; the minimum size is the least.
        if (size.width() <= 0 || size.height() <= 0) size = FirstStartSize();
        size = size.expandedTo(minimumSize());
        QRect placed(QPoint(placement_.Left, placement_.Top), size);
        // A placement saved on a screen that is gone would hide the window.
        bool onScreen = false;
        for (QScreen* screen : QGuiApplication::screens())
            onScreen = onScreen || screen->availableGeometry().intersects(placed);
        if (!onScreen && !QGuiApplication::screens().isEmpty()) placed.moveTopLeft(QPoint(0, 0));
        setGeometry(placed);
    }
}

QSize TfrmMain::FirstStartSize() const {
    QSize size(1100, 760);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        size = size.boundedTo(room);
    }
    return size.expandedTo(minimumSize());
}

TWindowPlacement TfrmMain::CurrentPlacement() const {
    TWindowPlacement p;
    p.State = isMaximized() ? 2 : 0;
    QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    p.Left = normal.left();
    p.Top = normal.top();
    p.Width = normal.width();
    p.Height = normal.height();
    return p;
}

void TfrmMain::showEvent(QShowEvent* event) {
    FormShow();
    QMainWindow::showEvent(event);
    if (windowHandle() && !exposed_) windowHandle()->installEventFilter(this);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (!exposed_ && watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        exposed_ = true;
        windowHandle()->removeEventFilter(this);
        // After the first paint: requests that came early run now.
        QTimer::singleShot(0, this, [this] {
            emit firstShown();
            RunPendingRequests();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::HandleOpenRequest(const QStringList& lines) {
    pendingRequests_.append(lines);
    if (exposed_) RunPendingRequests();
}

void TfrmMain::RunPendingRequests() {
    if (pendingRequests_.isEmpty()) return;
    // A request never cuts into a dialog that is waiting for the user (an
    // open Save as, a question): it runs once that dialog is closed.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(200, this, &TfrmMain::RunPendingRequests);
        return;
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    while (!pendingRequests_.isEmpty()) {
        QStringList lines = pendingRequests_.takeFirst();
        document_->ExecuteMacro(lines);
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!document_->QueryClose()) {
        event->ignore();
        return;
    }
    document_->Close();
    auto scope = controller_->LoadingScope();
    if (settings_) StoreSettings(*settings_, recent_, CurrentPlacement());
    if (helpWindow_) helpWindow_->close();
    event->accept();
}

void TfrmMain::SetExamplesDir(const QString& dir) {
    examplesDir_ = dir;
    ui_->miExamples->clear();
    const QFileInfoList models =
        dir.isEmpty() ? QFileInfoList()
                      : QDir(dir).entryInfoList({QStringLiteral("*.gmf")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& model : models) {
        const QString path = model.absoluteFilePath();
        QAction* entry =
            ui_->miExamples->addAction(model.completeBaseName().replace(QLatin1Char('&'), QLatin1String("&&")));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { document_->OpenExample(path); });
    }
    ui_->miExamples->setEnabled(!models.isEmpty());
}

QMenu* TfrmMain::ExamplesMenu() const { return ui_->miExamples; }

QString TfrmMain::DialogFolder(bool save) const {
    // Saving a file opened elsewhere proposes its own folder.
    if (save && !document_->IsUntitled()) {
        const QFileInfo file(document_->FileName());
        if (file.absoluteDir().exists()) return file.absolutePath();
    }
    return QDir::currentPath();
}

// Wide enough for the name, size, type and date columns, with the types in
// Bulgarian.
static void LookOfFileDialog(QFileDialog& dialog) {
    dialog.setIconProvider(FileTypeNames());
    dialog.resize(760, 480);
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < header->count(); ++c) header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

// The folder of a file chosen in a dialog becomes the current one, so the
// next dialog, and the next run (through "CurrentDir"), start there.
static QString RememberFolder(const QString& file) {
    if (!file.isEmpty()) QDir::setCurrent(QFileInfo(file).absolutePath());
    return file;
}

QString TfrmMain::AskOpenFileName() {
    if (fileDialogHook_) return fileDialogHook_(false);
    QFileDialog dialog(this, QStringLiteral("Запис"), DialogFolder(false), kFileFilter);
    dialog.setObjectName(QStringLiteral("dlgOpen"));
    LookOfFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The samples one click away in the dialog's list of places.
    if (!examplesDir_.isEmpty()) dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(examplesDir_));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("gmf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return RememberFolder(dialog.selectedFiles().first());
}

QString TfrmMain::AskSaveFileName() {
    if (fileDialogHook_) return fileDialogHook_(true);
    QFileDialog dialog(this, QStringLiteral("Запис като"), DialogFolder(true), kFileFilter);
    dialog.setObjectName(QStringLiteral("dlgSave"));
    LookOfFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("gmf"));
    // Replacing an existing file is asked in the program's own box.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!document_->IsUntitled()) dialog.selectFile(QFileInfo(document_->FileName()).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return RememberFolder(dialog.selectedFiles().first());
}

bool TfrmMain::CanAsk() const { return isVisible(); }

THelpWindow* TfrmMain::HelpWindow() const { return helpWindow_; }

bool TfrmMain::ShowHelp(const QString& anchor, QWidget* context) {
    if (helpFile_.isEmpty() || !QFileInfo::exists(helpFile_)) return false;
    THelpWindow* help = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && context && context->window() == modal) {
        // A window of the dialog: any other window would be blocked by it.
        help = new THelpWindow(helpFile_, modal);
        help->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        if (!helpWindow_) helpWindow_ = new THelpWindow(helpFile_, this);
        help = helpWindow_;
    }
    help->ShowTopic(anchor);
    help->show();
    help->raise();
    help->activateWindow();
    return true;
}

void TfrmMain::PreviewReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document_->Caption());
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печат"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
        if (!PrintReport(*p)) ShowMessageBox(QStringLiteral("Печатът не може да започне."));
    });
    dialog.exec();
}

void TfrmMain::AskExportReport(const QString& suffix) {
    QString path;
    if (fileDialogHook_) {
        path = fileDialogHook_(true);
    } else {
        const QString filter = suffix.toUpper() + QStringLiteral(" (*.") + suffix + QLatin1Char(')');
        QFileDialog dialog(this, QStringLiteral("Експорт"), QDir::currentPath(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(QFileInfo(document_->FileName()).completeBaseName() + QLatin1Char('.') + suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        path = dialog.selectedFiles().first();
    }
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffix;
    ExportReport(path);
}

bool TfrmMain::ExportReport(const QString& path) {
    report::TReportFormat format;
    if (!report::ReportFormatOf(path, &format)) {
        ShowMessageBox(QStringLiteral("Отчетът се записва като PDF, ODT или HTML: \"%1\"").arg(path));
        return false;
    }
    CollectDisplayState();
    const TWindowReport r = MakeWindowReport(*controller_, *store_, document_->FileName(), document_->Modified(),
                                             ui_->Budjet->FinishedMonteCarlo());
    QString error;
    if (!report::WriteReport(r.Report, format, path, r.Attachments, &error)) {
        ShowMessageBox(error);
        return false;
    }
    return true;
}

bool TfrmMain::PrintReport(QPrinter& printer) {
    CollectDisplayState();
    const TWindowReport r = MakeWindowReport(*controller_, *store_, document_->FileName(), document_->Modified(),
                                             ui_->Budjet->FinishedMonteCarlo());
    auto doc = report::RenderReport(r.Report, &printer);
    return report::PaintReport(*doc, printer, r.Report);
}

void TfrmMain::ShowQuantityStatus() {
    // Only the pages that show one quantity (the model's list, the
    // observations) say which; the others leave the line empty.
    const bool quantityPage = (MainPage() == 0 && ModelPage() == 1) || MainPage() == 1;
    const TGumParam* q = quantityPage ? controller_->SelectedQuantity() : nullptr;
    quantityStatus_->setText(q ? QString::fromStdString(QuantitySummary(*q, controller_->Model().FormatSettings))
                               : QString());
}

}  // namespace vormid
