#include "ui/pages/BudgetPage.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTextEdit>
#include <QPainter>
#include <QScrollBar>

#include "evaluation/BudgetTableWidths.h"
#include "ui/ModelController.h"
#include "ui/MonteCarloRunner.h"
#include "ui/TextCodec.h"
#include "ui/models/BudgetCopy.h"
#include "ui/models/BudgetModel.h"
#include "ui/widgets/BudgetMarkup.h"
#include "ui/widgets/BudgetTable.h"
#include "ui/widgets/MonteCarloPanel.h"
#include "ui_BudgetPage.h"

namespace vormid {
namespace {

// The budget menu's commands, once for the main menu and once for the pop-up.
struct TCommand {
    const char* Text;
    int Group;  // 0 none, 1 width mode, 2 graph mode
    std::function<void(TDisplayState&)> Apply;
    std::function<bool(const TDisplayState&)> Checked;
};

std::vector<TCommand> Commands() {
    std::vector<TCommand> c;
    const std::pair<const char*, int> toggles[] = {
        {"Изм. единици", 1}, {"Отн.неопр. %", 4}, {"Степени на своб.", 6}, {"Отн. принос", 9}, {"Дисп. индекс", 10}};
    for (const auto& [text, col] : toggles) {
        const auto i = static_cast<std::size_t>(col);
        c.push_back({text, 0, [i](TDisplayState& d) { d.Columns[i].Hidden = !d.Columns[i].Hidden; },
                     [i](const TDisplayState& d) { return !d.Columns[i].Hidden; }});
    }
    const std::pair<const char*, int> modes[] = {
        {"Без подравняване", cw_None}, {"Ширина по данни", cw_ByData}, {"Ширина по таблица", cw_ByTable}};
    for (const auto& [text, mode] : modes)
        c.push_back({text, 1, [m = mode](TDisplayState& d) { d.ColumnWidthMode = m; },
                     [m = mode](const TDisplayState& d) { return d.ColumnWidthMode == m; }});
    c.push_back({"Принос в неопр.", 2, [](TDisplayState& d) { d.ChartShowsContribution = true; },
                 [](const TDisplayState& d) { return d.ChartShowsContribution; }});
    c.push_back({"Дисп. индекс ", 2, [](TDisplayState& d) { d.ChartShowsContribution = false; },
                 [](const TDisplayState& d) { return !d.ChartShowsContribution; }});
    c.push_back({"Межд. резултати", 0, [](TDisplayState& d) { d.ShowVarResults = !d.ShowVarResults; },
                 [](const TDisplayState& d) { return d.ShowVarResults; }});
    c.push_back({"Константи", 0, [](TDisplayState& d) { d.ShowConstants = !d.ShowConstants; },
                 [](const TDisplayState& d) { return d.ShowConstants; }});
    return c;
}

}  // namespace

TBudgetPage::TBudgetPage(QWidget* parent)
    : TPage(parent),
      ui_(std::make_unique<Ui::TBudgetPage>()),
      model_(new BudgetModel(this)),
      runner_(new TMonteCarloRunner(this)) {
    ui_->setupUi(this);
    ui_->splBudget->SetHeldPanel(0);
    ui_->splBudget->setStretchFactor(1, 1);
    ui_->BudgetComent->SetKind(TRichTextEditor::TKind::BudgetComment);
    ui_->dgBudget->setBudgetModel(model_);
    ui_->tcBudget->setExpanding(false);
    ui_->lblBudgetError->hide();
    connect(ui_->tcBudget, &QTabBar::currentChanged, this, &TBudgetPage::SelectBudget);
    connect(ui_->dgBudget->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int w) {
        // Only without alignment do the user's widths count.
        if (display_.ColumnWidthMode != cw_None) return;
        const int c = model_->LogicalColumn(section);
        if (c >= 0) display_.Columns[static_cast<std::size_t>(c)].UserWidth = w;
    });
    BuildMenus();
    connect(ui_->dgBudget, &BudgetTableView::headerContextMenu, this,
            [this](const QPoint& pos) { pmBudget_->popup(pos); });
    connect(ui_->BudgetComent, &TRichTextEditor::textEdited, this, [this] {
        if (!controller_ || current_ < 0) return;
        const auto& budgets = controller_->Model().Budgets;
        if (current_ >= static_cast<int>(budgets.size())) return;
        const std::string name = budgets[static_cast<std::size_t>(current_)]->Name;
        const std::string rtf = ui_->BudgetComent->Rtf();
        const int index = controller_->Model().Params.IndexOf(controller_->Model().Params.FindByName(name));
        editingComment_ = true;
        controller_->EditQuantity(index, [&](TGumParam& q) { q.BudgetComment = rtf; });
        editingComment_ = false;
    });
    connect(runner_, &TMonteCarloRunner::progress, this,
            [this](const std::string& name, quint64 trials, quint64 limit) {
                mcRunning_ = name;
                mcTrials_ = trials;
                mcLimit_ = limit;
                ShowMonteCarlo();
            });
    connect(runner_, &TMonteCarloRunner::finished, this, [this] {
        mcState_ = TMcState::Done;
        ShowMonteCarlo();
    });
    connect(ui_->McPanel, &TMonteCarloPanel::stopRequested, this, [this] {
        runner_->Cancel();
        mcState_ = TMcState::Stopped;
        ShowMonteCarlo();
    });
    ShowBudget();
}

TBudgetPage::~TBudgetPage() = default;

void TBudgetPage::Attach(TModelController& controller) {
    TPage::Attach(controller);
    connect(&controller, &TModelController::formatsChanged, this, &TBudgetPage::Repaint);
    // A change of the model puts the Monte Carlo check out of date (a
    // comment typed here does not). "Копиране" calculates first, so it
    // follows the model from every page: whether there are results, and a
    // failure shown is out of date.
    auto follow = [this](bool outOfDate) {
        if (outOfDate) MonteCarloOutOfDate();
        shownFailed_ = false;
        UpdateCopyEnables();
    };
    connect(&controller, &TModelController::quantityChanged, this, [this, follow] { follow(!editingComment_); });
    for (auto signal :
         {&TModelController::quantitiesReset, &TModelController::correlationsChanged, &TModelController::headerChanged})
        connect(&controller, signal, this, [follow] { follow(true); });
    UpdateCopyEnables();
}

void TBudgetPage::BuildMenus() {
    pmBudget_ = new QMenu(this);
    pmBudget_->setObjectName(QStringLiteral("pmBudget"));
    auto* mainMenu = new QMenu(this);
    QMenu* targets[2] = {mainMenu, pmBudget_};
    QActionGroup* groups[2][3] = {};
    QMenu* sub[2][3] = {};
    for (int m = 0; m < 2; ++m) {
        sub[m][1] = new QMenu(QStringLiteral("Колони"), targets[m]);
        sub[m][2] = new QMenu(QStringLiteral("Графика"), targets[m]);
        for (int g = 1; g < 3; ++g) {
            groups[m][g] = new QActionGroup(targets[m]);
            groups[m][g]->setExclusive(true);
        }
    }
    const std::vector<TCommand> commands = Commands();
    for (const TCommand& cmd : commands) {
        TTwin twin{};
        for (int m = 0; m < 2; ++m) {
            auto* a = new QAction(QString::fromUtf8(cmd.Text).trimmed(), targets[m]);
            a->setCheckable(true);
            if (cmd.Group) {
                groups[m][cmd.Group]->addAction(a);
                sub[m][cmd.Group]->addAction(a);
            } else {
                targets[m]->addAction(a);
            }
            connect(a, &QAction::triggered, this, [this, apply = cmd.Apply] {
                apply(display_);
                SyncChecks();
                ShowBudget();
            });
            (m == 0 ? twin.Main : twin.Popup) = a;
        }
        twins_.push_back(twin);
    }
    for (int m = 0; m < 2; ++m) {
        targets[m]->addSeparator();
        targets[m]->addMenu(sub[m][1]);
        targets[m]->addMenu(sub[m][2]);
    }
    auto* copy = new QMenu(QStringLiteral("Копиране"), this);
    copyValues_ = copy->addAction(QStringLiteral("Стойности"));
    copyGraph_ = copy->addAction(QStringLiteral("Графика"));
    connect(copyValues_, &QAction::triggered, this, [this] {
        if (!controller_) return;
        CalculateForCopy();
        if (!model_->Table()) return;
        const TBudgetCopy copy = CopyBudget(controller_->Model(), current_, display_);
        auto* mime = new QMimeData;
        mime->setText(copy.Text);
        mime->setHtml(copy.Html);
        QApplication::clipboard()->setMimeData(mime);
    });
    connect(copyGraph_, &QAction::triggered, this, [this] {
        if (!controller_) return;
        CalculateForCopy();
        const QImage image = GraphImage();
        if (!image.isNull()) QApplication::clipboard()->setImage(image);
    });
    mainActions_ = mainMenu->actions();
    mainActions_.push_back(copy->menuAction());
    SyncChecks();
}

QList<QAction*> TBudgetPage::BudgetActions() const { return mainActions_; }

QAction* TBudgetPage::ColumnAction(int column) const {
    const int order[] = {1, 4, 6, 9, 10};
    for (int i = 0; i < 5; ++i)
        if (order[i] == column) return twins_[i].Main;
    return nullptr;
}

QAction* TBudgetPage::Action(const QString& text) const {
    for (const TTwin& t : twins_)
        if (t.Main->text() == text) return t.Main;
    return nullptr;
}

void TBudgetPage::SyncChecks() {
    const std::vector<TCommand> commands = Commands();
    for (std::size_t i = 0; i < commands.size() && i < static_cast<std::size_t>(twins_.size()); ++i) {
        const bool on = commands[i].Checked(display_);
        twins_[static_cast<qsizetype>(i)].Main->setChecked(on);
        twins_[static_cast<qsizetype>(i)].Popup->setChecked(on);
    }
}

void TBudgetPage::Reload() {
    runner_->Cancel();
    mcState_ = TMcState::None;
    calculated_ = false;
    RebuildTabs();
}

void TBudgetPage::Entered() {
    if (!controller_) return;
    calculated_ = controller_->Recalculate() || !controller_->Model().Budgets.empty();
    RebuildTabs();
    StartMonteCarlo();
}

void TBudgetPage::CalculateForCopy() {
    const int selected = current_;
    calculated_ = controller_->Recalculate() || !controller_->Model().Budgets.empty();
    RebuildTabs();
    if (selected > 0 && selected < ui_->tcBudget->count()) ui_->tcBudget->setCurrentIndex(selected);
}

const TMonteCarloPanel& TBudgetPage::MonteCarloPanel() const { return *ui_->McPanel; }

void TBudgetPage::StartMonteCarlo() {
    runner_->Cancel();
    mcState_ = TMcState::None;
    if (controller_ && calculated_ && controller_->Model().EvalMethod == em_MonteCarlo) {
        mcState_ = TMcState::Running;
        mcRunning_.clear();
        mcTrials_ = mcLimit_ = 0;
        runner_->Start(controller_->Model(), MonteCarloOptionsOf(mcSettings_));
    }
    ShowMonteCarlo();
}

const std::vector<TMonteCarloResult>* TBudgetPage::FinishedMonteCarlo() const {
    return mcState_ == TMcState::Done ? &runner_->Results() : nullptr;
}

void TBudgetPage::MonteCarloOutOfDate() {
    if (mcState_ == TMcState::None || mcState_ == TMcState::OutOfDate) return;
    runner_->Cancel();
    mcState_ = TMcState::OutOfDate;
    ShowMonteCarlo();
}

void TBudgetPage::ShowMonteCarlo() {
    TMonteCarloPanel& panel = *ui_->McPanel;
    const TGumModel* m = controller_ ? &controller_->Model() : nullptr;
    const bool any = m && calculated_ && current_ >= 0 && current_ < static_cast<int>(m->Budgets.size());
    panel.setVisible(any && mcState_ != TMcState::None);
    if (!panel.isVisible()) return;
    const TBudget& b = *m->Budgets[static_cast<std::size_t>(current_)];
    if (b.ErrorCode != NoError) {
        panel.ShowMessage(QStringLiteral("Без бюджет няма проверка по метода Монте Карло."));
        return;
    }
    switch (mcState_) {
        case TMcState::None:
            break;
        case TMcState::Running:
            panel.ShowRunning(mcRunning_ == b.Name ? mcTrials_ : 0, mcLimit_);
            break;
        case TMcState::Stopped:
            panel.ShowMessage(QStringLiteral("Проверката по метода Монте Карло е спряна."));
            break;
        case TMcState::OutOfDate:
            panel.ShowMessage(
                QStringLiteral("Моделът е променен: проверката по метода Монте Карло ще се изчисли отново при "
                               "следващото влизане в \"Бюджет\"."));
            break;
        case TMcState::Done: {
            const TMonteCarloResult* found = nullptr;
            for (const auto& r : runner_->Results())
                if (r.Name == b.Name) found = &r;
            if (found == nullptr && !runner_->Results().empty() && runner_->Results().front().Name.empty())
                found = &runner_->Results().front();  // the model could not be read back
            if (found == nullptr) {
                panel.ShowMessage(QString());
                break;
            }
            panel.ShowResult(*found, &b, MarkupPlain(b.Units));
            break;
        }
    }
}

void TBudgetPage::RebuildTabs() {
    const QSignalBlocker block(ui_->tcBudget);
    while (ui_->tcBudget->count() > 0) ui_->tcBudget->removeTab(0);
    current_ = -1;
    if (controller_ && calculated_) {
        const TGumModel& m = controller_->Model();
        for (const auto& b : m.Budgets) {
            const int i = ui_->tcBudget->addTab(MarkupPlain(b->Name));
            ui_->tcBudget->SetTabMarkup(i, b->Name);
            if (const TGumParam* r = m.Params.FindByName(b->Name))
                ui_->tcBudget->setTabToolTip(i, FromCp1251(r->Description));
        }
        if (!m.Budgets.empty()) current_ = 0;
    }
    ui_->tcBudget->setCurrentIndex(current_);
    ShowBudget();
    ShowMonteCarlo();
}

void TBudgetPage::SelectBudget(int index) {
    current_ = index;
    ShowBudget();
    ShowMonteCarlo();
}

void TBudgetPage::ShowBudget() {
    const TGumModel* m = controller_ ? &controller_->Model() : nullptr;
    const bool any = m && calculated_ && current_ >= 0 && current_ < static_cast<int>(m->Budgets.size());
    ui_->tcBudget->setVisible(any);
    const TBudget* b = any ? m->Budgets[static_cast<std::size_t>(current_)].get() : nullptr;
    const bool failed = b && b->ErrorCode != NoError;
    if (failed)
        ui_->lblBudgetError->setText(
            QStringLiteral("Грешка при изчисляване на бюджета.") +
            (b->ErrorMessage.empty() ? QString() : QStringLiteral("\n") + FromCp1251(b->ErrorMessage)));
    ui_->lblBudgetError->setVisible(failed);
    shownFailed_ = failed;
    ui_->dgBudget->setVisible(b && !failed);
    model_->Reset(b && !failed ? m : nullptr, &display_, b && !failed ? current_ : -1);
    if (b) {
        const TGumParam* r = m->Params.FindByName(b->Name);
        ui_->BudgetComent->SetRtf(r ? r->BudgetComment : std::string());
    } else {
        // The comment belongs to a result's budget: with none shown there
        // is nowhere to keep what would be typed.
        ui_->BudgetComent->SetRtf(std::string());
        ui_->BudgetComent->TextEdit()->setReadOnly(true);
    }
    ApplyWidths();
    UpdateCopyEnables();
    ui_->dgBudget->viewport()->update();
    ui_->dgBudget->footer()->update();
}

void TBudgetPage::ApplyWidths() {
    QHeaderView* h = ui_->dgBudget->horizontalHeader();
    const int n = model_->columnCount();
    if (n == 0) return;
    std::array<int, kBudgetColumnCount - 1> widest{};
    if (controller_) {
        const TGumModel& m = controller_->Model();
        const QFont font = ui_->dgBudget->font();
        const QFontMetrics fm(font);
        const TQuantityIndex index(m.Params);
        for (int c = 0; c < kBudgetColumnCount - 1; ++c)
            widest[static_cast<std::size_t>(c)] =
                fm.horizontalAdvance(QString::fromUtf8(BudgetHeader(c, display_.ChartShowsContribution).c_str()));
        for (const auto& b : m.Budgets) {
            if (b->ErrorCode != NoError) continue;
            const TBudgetTable t(*b, index, m.FormatSettings, display_, m.Correlations);
            for (const auto& e : *b)
                for (int c = 0; c < kBudgetColumnCount - 1; ++c) {
                    int& w = widest[static_cast<std::size_t>(c)];
                    w = std::max(w, BudgetCellWidth(t.Cell(*e, c), font));
                }
        }
        if (display_.ColumnWidthMode == cw_ByData) FitDataWidths(widest, display_);
    }
    // Every text of a column fits it, with the margins of the fitted widths.
    std::array<int, kBudgetColumnCount> least{};
    for (std::size_t c = 0; c < widest.size(); ++c) least[c] = widest[c] + (c == 0 ? 7 : 8);
    const std::vector<int> widths = ColumnWidths(display_, ui_->dgBudget->viewport()->width(), least);
    h->setSectionResizeMode(display_.ColumnWidthMode == cw_None ? QHeaderView::Interactive : QHeaderView::Fixed);
    for (int c = 0; c < n && c < static_cast<int>(widths.size()); ++c)
        h->resizeSection(c, widths[static_cast<std::size_t>(c)]);
}

void TBudgetPage::UpdateCopyEnables() {
    const bool results = controller_ && controller_->HasQuantityOf(TParamKind::Result) && !shownFailed_;
    // A budget shown without rows has no bars to picture.
    const bool rows = model_->Table() == nullptr || model_->rowCount() > 0;
    copyValues_->setEnabled(results);
    copyGraph_->setEnabled(results && rows && !display_.Columns[kBudgetGraphColumn].Hidden);
}

QImage TBudgetPage::GraphImage() {
    BudgetTableView* table = ui_->dgBudget;
    // The page itself may be hidden ("Копиране" from another page): only a
    // table hidden for a failed budget has nothing to picture.
    if (!model_->Table() || table->isHidden()) return {};
    // The whole table with its header, every row, the footer and the bars,
    // whatever part of it the page shows: the view is sized to it for the
    // picture and put back.
    const QSize shown = table->size();
    const int h = table->horizontalScrollBar()->value(), v = table->verticalScrollBar()->value();
    const auto hPolicy = table->horizontalScrollBarPolicy(), vPolicy = table->verticalScrollBarPolicy();
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->horizontalScrollBar()->setValue(0);
    table->verticalScrollBar()->setValue(0);
    const int frame = 2 * table->frameWidth();
    const QSize whole(table->horizontalHeader()->length() + frame, table->horizontalHeader()->height() +
                                                                       model_->rowCount() * table->rowHeight() +
                                                                       table->footer()->height() + frame);
    table->resize(whole);
    const QImage image = table->grab().toImage();
    table->resize(shown);
    table->setHorizontalScrollBarPolicy(hPolicy);
    table->setVerticalScrollBarPolicy(vPolicy);
    table->horizontalScrollBar()->setValue(h);
    table->verticalScrollBar()->setValue(v);
    return image;
}

void TBudgetPage::Repaint() {
    model_->Reset(model_->Table() ? &controller_->Model() : nullptr, &display_, model_->Table() ? current_ : -1);
    ApplyWidths();
    ui_->dgBudget->footer()->update();
}

void TBudgetPage::StoreDisplay(TDisplayState& state) const {
    const std::int32_t height = ui_->splBudget->PanelHeight();
    const std::int32_t equation = state.EquationPanelHeight;
    state = display_;
    state.EquationPanelHeight = equation;
    state.BudgetCommentPanelHeight = height;
}

void TBudgetPage::ApplyDisplay(const TDisplayState& state) {
    display_ = state;
    ui_->splBudget->SetPanelHeight(state.BudgetCommentPanelHeight);
    SyncChecks();
}

}  // namespace vormid
