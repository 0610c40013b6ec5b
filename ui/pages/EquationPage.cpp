#include "ui/pages/EquationPage.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

#include "ui/ModelController.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/TfrmDlgBox.h"
#include "ui/models/QuantityListModel.h"
#include "ui/widgets/FocusColours.h"
#include "ui/widgets/NameDelegate.h"
#include "ui_EquationPage.h"

namespace vormid {
namespace {

constexpr int kCompactListWidth = 180;
constexpr int kUnitsColumnWidth = 95;

}  // namespace

TEquationPage::TEquationPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TEquationPage>()) {
    ui_->setupUi(this);
    ui_->splEquation->SetHeldPanel(0);
    ui_->splEquation->setStretchFactor(1, 1);

    miAnalysis_ = new QAction(QStringLiteral("Анализ на модела"), this);
    miAnalysis_->setObjectName(QStringLiteral("miAnalysis"));
    ui_->btnAnalysis->setDefaultAction(miAnalysis_);
    // A command among the editors: it reads as a link (underlined, in the
    // link colour, with the hand cursor), not as a heading.
    QFont link = ui_->btnAnalysis->font();
    link.setUnderline(true);
    ui_->btnAnalysis->setFont(link);
    QPalette palette = ui_->btnAnalysis->palette();
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::Link));
    ui_->btnAnalysis->setPalette(palette);
    ui_->btnAnalysis->setCursor(Qt::PointingHandCursor);
    connect(miAnalysis_, &QAction::triggered, this, &TEquationPage::Analyse);

    ui_->dgParams->setItemDelegate(new TNameDelegate(ui_->dgParams));
    TrackFocusColours(ui_->dgParams);
    ui_->dgParams->verticalHeader()->hide();
    ui_->dgParams->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui_->dgParams->setSelectionMode(QAbstractItemView::SingleSelection);
    ui_->dgParams->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    ui_->dgParams->horizontalHeader()->setSectionsClickable(true);
    ui_->dgParams->horizontalHeader()->setHighlightSections(false);
    connect(ui_->dgParams->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section == 0) SetWide(!Wide());
    });
    ui_->Equation->SetKind(TRichTextEditor::TKind::Equation);
    connect(ui_->Equation, &TRichTextEditor::textEdited, this, &TEquationPage::EquationChange);
    // Leaving the equation after a change brings the list up to date.
    connect(ui_->Equation, &TRichTextEditor::editingFinished, this, [this] {
        if (controller_ && controller_->EquationChanged()) Analyse();
    });
}

TEquationPage::~TEquationPage() = default;

void TEquationPage::Attach(TModelController& controller) {
    TPage::Attach(controller);
    list_ = new TQuantityListModel(controller, this);
    ui_->dgParams->setModel(list_);
    ui_->pnlParamData->Attach(controller);
    connect(ui_->dgParams->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (controller_ && !controller_->Loading()) controller_->Select(current.row());
            });
    connect(list_, &QAbstractItemModel::modelReset, this, [this] {
        LayoutColumns();
        ShowSelection(controller_->Selected());
    });
    connect(&controller, &TModelController::selectionChanged, this, &TEquationPage::ShowSelection);
    LayoutColumns();
}

QList<QAction*> TEquationPage::EditActions() const { return {miAnalysis_}; }

void TEquationPage::Reload() {
    if (!controller_) return;
    auto scope = controller_->LoadingScope();
    ui_->Equation->SetRtf(controller_->Model().Equation);
    ShowSelection(controller_->Selected());
}

void TEquationPage::EquationChange() {
    if (!controller_ || controller_->Loading()) return;
    controller_->SetEquation(ui_->Equation->Rtf());
}

void TEquationPage::Analyse() {
    if (!controller_) return;
    TAnalysisOutcome outcome = controller_->AnalyseEquation();
    if (!outcome.Ok) ShowMessageBox(QString::fromStdString(outcome.Message));
}

void TEquationPage::SetWide(bool wide) {
    if (!list_ || wide == Wide()) return;
    list_->SetWide(wide);
    // The editor sits in a scroll area, so that a small window scrolls its
    // boxes instead of pressing them onto each other.
    ui_->sbParamData->setVisible(!wide);
    LayoutColumns();
}

bool TEquationPage::Wide() const { return list_ && list_->Wide(); }

void TEquationPage::LayoutColumns() {
    QHeaderView* header = ui_->dgParams->horizontalHeader();
    if (Wide()) {
        ui_->dgParams->setMinimumWidth(0);
        ui_->dgParams->setMaximumWidth(QWIDGETSIZE_MAX);
        header->setSectionResizeMode(0, QHeaderView::Interactive);
        header->resizeSection(0, kCompactListWidth - 4);
        header->setSectionResizeMode(1, QHeaderView::Interactive);
        header->resizeSection(1, kUnitsColumnWidth);
        header->setSectionResizeMode(2, QHeaderView::Stretch);
        ui_->dgParams->setTextElideMode(Qt::ElideRight);
    } else {
        ui_->dgParams->setFixedWidth(kCompactListWidth);
        if (header->count() > 0) header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

void TEquationPage::ShowSelection(int index) {
    if (!list_) return;
    auto scope = controller_->LoadingScope();
    QItemSelectionModel* sel = ui_->dgParams->selectionModel();
    if (index < 0) {
        sel->clearSelection();
        return;
    }
    if (sel->currentIndex().row() == index && sel->isRowSelected(index, {})) return;
    sel->setCurrentIndex(list_->index(index, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TEquationPage::StoreDisplay(TDisplayState& state) const {
    state.EquationPanelHeight = ui_->splEquation->PanelHeight();
}

void TEquationPage::ApplyDisplay(const TDisplayState& state) {
    ui_->splEquation->SetPanelHeight(state.EquationPanelHeight);
}

}  // namespace vormid
