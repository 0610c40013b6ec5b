#include "ui/pages/ObservationPage.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include "charts/Histogram.h"
#include "core/GumParamGrid.h"
#include "core/GumParamStatTable.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"
#include "ui/editors/TypeAEditorSchema.h"
#include "ui/models/ObservationModel.h"
#include "ui/models/StatisticsModel.h"
#include "ui/pages/ObservationPageGrid.h"
#include "ui/widgets/FocusColours.h"
#include "ui/widgets/NameLabel.h"
#include "ui/widgets/NameTabBar.h"
#include "ui_ObservationPage.h"

namespace vormid {

namespace {

// The histogram's option numbers (hoBars, hoKind, ...).
using namespace charts;

// The 25 pictures of the toolbar: 0..3 the switches, 4..6 left scale,
// 7..9 right scale, 10..12 graph kinds, 13..15 value labels, 18..24 the
// lines at mean +- k s (0 to 6).
QIcon Glyph(const QString& text, const QColor& colour) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f = QApplication::font();
    f.setPixelSize(text.size() > 2 ? 8 : 11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(pm.rect(), Qt::AlignCenter, text);
    return QIcon(pm);
}

QVector<QIcon> MakeImages() {
    const QColor bar(0, 128, 0), red(200, 0, 0), navy(0, 0, 128), black(0, 0, 0);
    QVector<QIcon> v(25);
    v[0] = Glyph("▆▃", bar);
    v[1] = Glyph("∩", red);
    v[2] = Glyph("x̄", navy);
    v[3] = Glyph("Me", QColor(128, 0, 0));
    const QString scale[] = {"–", "n", "%"};
    for (int i = 0; i < 3; ++i) {
        v[4 + i] = Glyph("|" + scale[i], black);
        v[7 + i] = Glyph(scale[i] + "|", black);
        v[13 + i] = Glyph("[" + scale[i] + "]", black);
    }
    v[10] = Glyph("▂▆", bar);
    v[11] = Glyph("▁▃▇", QColor(0, 128, 255));
    v[12] = v[11];
    v[16] = v[17] = Glyph("", black);
    v[18] = Glyph("±–", QColor(0, 0, 255));
    for (int k = 1; k <= 6; ++k) v[18 + k] = Glyph(QString("±%1S").arg(k), QColor(0, 0, 255));
    return v;
}

QString MethodCaption(const TGumParam& q) {
    if (q.AMethod != am_Direct) return QStringLiteral("Индиректен");
    return q.AValueType == av_Grouped ? QStringLiteral("Директен, Груп. стойност")
                                      : QStringLiteral("Директен, Стойности");
}

}  // namespace

TObservationPage::TObservationPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TObservationPage>()) {
    ui_->setupUi(this);
    observations_ = new TObservationModel(this);
    statistics_ = new TStatisticsModel(this);
    ui_->dgTypeA->setModel(observations_);
    ui_->dgTypeA->setItemDelegate(
        new TExponentDelegate(static_cast<int>(TObservationModel::Role::Exponent), ui_->dgTypeA));
    TrackFocusColours(ui_->dgTypeA);
    ui_->dgTypeA->verticalHeader()->hide();
    ui_->dgTypeA->verticalHeader()->setDefaultSectionSize(20);
    ui_->dgTypeA->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    lineDelegate_ = new TSchemaLineDelegate(ui_->dgTypeA);
    ui_->dgStat->setModel(statistics_);
    ui_->dgStat->setItemDelegate(
        new TExponentDelegate(static_cast<int>(TStatisticsModel::Role::Exponent), ui_->dgStat));
    ui_->dgStat->horizontalHeader()->hide();
    ui_->dgStat->verticalHeader()->hide();
    ui_->dgStat->verticalHeader()->setDefaultSectionSize(22);
    ui_->dgStat->setSelectionMode(QAbstractItemView::NoSelection);
    ui_->dgStat->setFocusPolicy(Qt::NoFocus);
    SizeStatisticsColumns();
    ui_->tcValues->setExpanding(false);
    ui_->tcValues->setDrawBase(true);
    ui_->splValues->setStretchFactor(0, 0);
    ui_->splValues->setStretchFactor(1, 1);
    ui_->splValues->setSizes({420, 485});
    ui_->stkValues->setCurrentWidget(ui_->pgNoTypeA);

    connect(ui_->tcValues, &QTabBar::currentChanged, this, &TObservationPage::SelectTab);
    connect(observations_, &TObservationModel::cellTyped, this, &TObservationPage::CellTyped);
    connect(ui_->dgTypeA, &TObservationView::enterPressed, this, &TObservationPage::MoveOn);
    connect(ui_->dgTypeA, &TObservationView::copyRequested, this, &TObservationPage::CopyCells);
    connect(ui_->dgTypeA, &TObservationView::pasteRequested, this, &TObservationPage::PasteCells);
    connect(ui_->dgTypeA, &TObservationView::clearRequested, this, &TObservationPage::ClearCells);
    pmGrid_ = new QMenu(this);
    pmGrid_->setObjectName(QStringLiteral("pmObservations"));
    pmGrid_->addAction(QStringLiteral("Вмъкване на ред"), this, &TObservationPage::InsertMeasurement);
    pmGrid_->addAction(QStringLiteral("Изтриване на ред"), this, &TObservationPage::DeleteMeasurement);
    ui_->dgTypeA->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui_->dgTypeA, &QWidget::customContextMenuRequested, this, &TObservationPage::ShowGridMenu);
    SetupToolbar();
}

TObservationPage::~TObservationPage() = default;

THistogram* TObservationPage::Histogram() const { return ui_->Histogram1; }

void TObservationPage::Attach(TModelController& controller) {
    TPage::Attach(controller);
    connect(&controller, &TModelController::quantityChanged, this, &TObservationPage::QuantityChanged);
    connect(&controller, &TModelController::quantitiesReset, this, [this] {
        if (isVisible()) Entered();
    });
    connect(&controller, &TModelController::formatsChanged, this, &TObservationPage::ShowQuantity);
    model_ = &controller.Model();
    Reload();
}

int TObservationPage::CurrentQuantity() const {
    const int tab = ui_->tcValues->currentIndex();
    return tab >= 0 && tab < tabQuantities_.size() ? tabQuantities_[tab] : -1;
}

void TObservationPage::Reload() {
    {
        // The tab bar moves while it is rebuilt; the tab shown is chosen below.
        const QSignalBlocker block(ui_->tcValues);
        QVector<int> quantities;
        std::vector<TNameTabBar::TTab> tabs;
        if (model_ != nullptr) {
            for (int i = 0; i < model_->Params.Count(); ++i) {
                const TGumParam* q = model_->Params.Get(i);
                if (q->Kind != TParamKind::TypeA) continue;
                quantities.push_back(i);
                tabs.push_back({q->Name, FromCp1251(q->Description)});
            }
        }
        ui_->tcValues->SetTabs(tabs);
        tabQuantities_ = quantities;
    }
    if (tabQuantities_.isEmpty()) {
        observations_->SetQuantity(nullptr, nullptr);
        statistics_->SetQuantity(nullptr, TNumberFormatSettings{});
        ui_->Histogram1->ClearData();
        ui_->stkValues->setCurrentWidget(ui_->pgNoTypeA);
        return;
    }
    ui_->stkValues->setCurrentWidget(ui_->pgTypeA);
    {
        const QSignalBlocker block(ui_->tcValues);
        ui_->tcValues->setCurrentIndex(0);
    }
    SelectTab(0);
}

void TObservationPage::Entered() {
    const int shown = CurrentQuantity();
    Reload();
    const int tab = tabQuantities_.indexOf(shown);
    if (tab > 0) ui_->tcValues->setCurrentIndex(tab);
}

void TObservationPage::QuantityChanged(int index) {
    if (index == CurrentQuantity() && !storing_) ShowQuantity();
}

void TObservationPage::StoreShown(const std::function<void(TGumParam&)>& fn) {
    if (observations_->Quantity() == nullptr) return;
    {
        QScopedValueRollback<bool> guard(storing_, true);
        controller_->EditQuantity(CurrentQuantity(), fn);
    }
    RefreshViews();
}

void TObservationPage::ShowQuantityTab(int index) {
    const int tab = tabQuantities_.indexOf(index);
    if (tab >= 0 && tab != ui_->tcValues->currentIndex()) ui_->tcValues->setCurrentIndex(tab);
}

void TObservationPage::SelectTab(int) { ShowQuantity(); }

void TObservationPage::ShowQuantity() {
    const int index = CurrentQuantity();
    TGumParam* q = model_ != nullptr ? model_->Params.Get(index) : nullptr;
    if (q == nullptr) return;
    ui_->lblDescription->setText(FromCp1251(q->Description));
    ui_->lblMethod->setText(MethodCaption(*q));
    ui_->lblUnits->SetMarkup(q->Units);
    observations_->SetQuantity(q, &model_->FormatSettings);
    // The schema line's column draws "_" as a subscript, as the schema does.
    ui_->dgTypeA->setItemDelegateForColumn(1, q->AMethod != am_Direct ? lineDelegate_ : nullptr);
    QHeaderView* h = ui_->dgTypeA->horizontalHeader();
    h->setSectionResizeMode(0, QHeaderView::Fixed);
    h->resizeSection(0, 40);
    for (int c = 1; c < observations_->columnCount(); ++c) {
        h->setSectionResizeMode(c, QHeaderView::Interactive);
        const QString title = observations_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        h->resizeSection(
            c, std::max(c == 1 && q->AMethod != am_Direct ? 110 : 120, h->fontMetrics().horizontalAdvance(title) + 16));
    }
    RefreshViews();
}

void TObservationPage::RefreshViews() {
    const TGumParam* q = observations_->Quantity();
    if (q == nullptr || model_ == nullptr) return;
    observations_->Refresh();  // rows and columns are announced: the current cell and selection stay
    statistics_->SetQuantity(q, model_->FormatSettings);
    if (q->Statistics.Count > 0)
        ui_->Histogram1->SetData(q->Statistics);
    else
        ui_->Histogram1->ClearData();
}

void TObservationPage::SizeStatisticsColumns() {
    // Labels 170 pixels; the three value columns share the rest equally.
    QHeaderView* h = ui_->dgStat->horizontalHeader();
    for (int c = 0; c < 6; ++c) {
        h->setSectionResizeMode(c, c % 2 == 0 ? QHeaderView::Fixed : QHeaderView::Stretch);
        if (c % 2 == 0) h->resizeSection(c, 170);
    }
}

void TObservationPage::CellTyped(int row, int column, const QString& text) {
    const TGumParam* q = observations_->Quantity();
    if (q == nullptr) return;
    const std::optional<double> v = ParseCellText(*q, {row, column}, ToCp1251(text));
    if (!v) {
        ShowMessageBox(QStringLiteral("Ред %1: „%2“ не е число.").arg(row + 1).arg(text));
        return;
    }
    StoreShown([&](TGumParam& p) { StoreCell(p, {row, column}, *v); });
}

void TObservationPage::MoveOn(int row, int column) {
    const TGumParam* q = observations_->Quantity();
    if (q == nullptr) return;
    const TObsCell next = TObservationGrid(*q).Next({row, column});
    ui_->dgTypeA->setCurrentIndex(observations_->index(next.Row, next.Column));
}

void TObservationPage::CopyCells() {
    const TGumParam* q = observations_->Quantity();
    const QModelIndexList sel = ui_->dgTypeA->selectionModel()->selectedIndexes();
    if (q == nullptr || sel.isEmpty()) return;
    int top = sel.first().row(), bottom = top, left = sel.first().column(), right = left;
    for (const QModelIndex& i : sel) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    QApplication::clipboard()->setText(FromCp1251(vormid::CopyCells(*q, {top, left}, {bottom, right})));
}

void TObservationPage::PasteCells() {
    const TGumParam* q = observations_->Quantity();
    const QModelIndex at = ui_->dgTypeA->currentIndex();
    if (q == nullptr) return;
    const TObsCell cell{at.isValid() ? at.row() : 0, at.isValid() ? at.column() : 1};
    const TPastePlan plan = PlanPaste(*q, cell, ToCp1251(QApplication::clipboard()->text()));
    using S = TPastePlan::TStatus;
    switch (plan.Status) {
        case S::Ok:
            break;
        case S::Empty:
            return;
        case S::NotANumber:
            ShowMessageBox(QStringLiteral("Ред %1: „%2“ не е число.").arg(plan.BadLine).arg(FromCp1251(plan.BadText)));
            return;
        case S::TooManyColumns:
            ShowMessageBox(
                QStringLiteral("Ред %1: поставеният текст има повече колони от таблицата.").arg(plan.BadLine));
            return;
        case S::TooManyRows:
            ShowMessageBox(QStringLiteral("Поставените стойности надхвърлят %1 измервания.").arg(kMaxObservationCount));
            return;
    }
    StoreShown([&](TGumParam& p) { ApplyPaste(p, plan); });
    ui_->dgTypeA->setCurrentIndex(observations_->index(plan.LastRow(), cell.Column));
}

void TObservationPage::ClearCells() {
    const TGumParam* q = observations_->Quantity();
    if (q == nullptr) return;
    const TObservationGrid grid(*q);
    std::vector<TObsCell> cells;
    for (const QModelIndex& i : ui_->dgTypeA->selectionModel()->selectedIndexes())
        if (grid.Editable(i.column())) cells.push_back({i.row(), i.column()});
    if (cells.empty()) return;
    // As a new measurement reads: 0, and a count of 1.
    StoreShown([&](TGumParam& p) {
        const TObservationGrid g(p);
        for (const TObsCell& c : cells) StoreCell(p, c, g.Column(c.Column) == TObsColumn::Count ? 1.0 : 0.0);
    });
}

void TObservationPage::ShowGridMenu(const QPoint& at) {
    if (observations_->Quantity() == nullptr) return;
    const QModelIndex hit = ui_->dgTypeA->indexAt(at);
    if (hit.isValid()) ui_->dgTypeA->setCurrentIndex(hit);
    pmGrid_->popup(ui_->dgTypeA->viewport()->mapToGlobal(at));
}

void TObservationPage::InsertMeasurement() {
    const TGumParam* q = observations_->Quantity();
    if (q == nullptr) return;
    const QModelIndex at = ui_->dgTypeA->currentIndex();
    const int per = std::max(1, q->ReadingsPerMeasurement());
    const int measurement = at.isValid() ? at.row() / per : 0;
    StoreShown([measurement](TGumParam& p) { p.InsertMeasurement(measurement); });
    ui_->dgTypeA->setCurrentIndex(observations_->index(measurement * per, at.isValid() ? at.column() : 1));
}

void TObservationPage::DeleteMeasurement() {
    const TGumParam* q = observations_->Quantity();
    const QModelIndex at = ui_->dgTypeA->currentIndex();
    if (q == nullptr || !at.isValid()) return;
    const int per = std::max(1, q->ReadingsPerMeasurement());
    const int measurement = at.row() / per;
    StoreShown([measurement](TGumParam& p) { p.DeleteMeasurement(measurement); });
    const int row = std::min(measurement * per, observations_->rowCount() - 1);
    ui_->dgTypeA->setCurrentIndex(observations_->index(std::max(0, row), at.column()));
}

void TObservationPage::CopyStatistics() {
    const TGumParam* q = observations_->Quantity();
    if (q == nullptr) return;
    const TStatTable& t = statistics_->Table();
    auto* mime = new QMimeData;
    mime->setText(QString::fromUtf8(StatisticsTsv(t)));
    mime->setHtml(QString::fromUtf8(StatisticsHtml(t)));
    QApplication::clipboard()->setMimeData(mime);
}

void TObservationPage::SetupToolbar() {
    ilHisto_ = MakeImages();
    THistogram* h = ui_->Histogram1;
    h->SetRegistryKey(THistogram::TRegKey::Custom);
    h->SetRegCustomKey(QStringLiteral("Vormid"));
    // At every start the switches are on and the two markers without a
    // control off; scales, graph kind, labels and k stay as the user left them.
    for (int i : {hoBars, hoCurve, hoMean, hoMedian}) h->SetBoolOption(i, true);
    for (int i : {hoLimitRange, hoExtraMarker}) h->SetBoolOption(i, false);

    QToolButton* switches[] = {ui_->btnHist1, ui_->btnHist2, ui_->btnHist3, ui_->btnHist4};
    const int switchOptions[] = {hoBars, hoCurve, hoMean, hoMedian};
    for (int i = 0; i < 4; ++i) {
        switches[i]->setIcon(ilHisto_[i]);
        connect(switches[i], &QToolButton::toggled, this,
                [this, i, switchOptions](bool down) { ui_->Histogram1->SetBoolOption(switchOptions[i], down); });
    }

    pmAxis_ = new QMenu(this);
    pmAxis_->setObjectName("pmAxis");
    const QString axisItems[] = {"None", "Абсолютна", "Относителна"};
    for (int v = 0; v < 3; ++v) pmAxis_->addAction(axisItems[v], this, [this, v] { ChooseAxis(axisButton_, v); });
    pmXS_ = new QMenu(this);
    pmXS_->setObjectName("pmXS");
    pmXS_->addAction("None", this, [this] { ChooseXS(0); });
    for (int v = 1; v <= 6; ++v) pmXS_->addAction(QString("± %1S").arg(v), this, [this, v] { ChooseXS(v); });

    QToolButton* axisButtons[] = {ui_->btnHist5, ui_->btnHist6, ui_->btnHist7};
    for (int b = 0; b < 3; ++b)
        connect(axisButtons[b], &QToolButton::clicked, this, [this, b, btn = axisButtons[b]] {
            axisButton_ = b + 1;
            pmAxis_->popup(btn->mapToGlobal(QPoint(0, btn->height())));
        });
    connect(ui_->btnHist10, &QToolButton::clicked, this,
            [this] { pmXS_->popup(ui_->btnHist10->mapToGlobal(QPoint(0, ui_->btnHist10->height()))); });

    auto* kinds = new QButtonGroup(this);
    kinds->addButton(ui_->btnHist8, 0);
    kinds->addButton(ui_->btnHist9, 1);
    kinds->setExclusive(true);
    ui_->btnHist8->setIcon(ilHisto_[10]);
    ui_->btnHist9->setIcon(ilHisto_[11]);
    connect(kinds, &QButtonGroup::idToggled, this, [this](int id, bool down) {
        if (down) ui_->Histogram1->SetIntOption(hoKind, id);
    });
    ShowOptionsOnButtons();
}

// The buttons show the histogram's options; a button set here gives its
// option the value it has already.
void TObservationPage::ShowOptionsOnButtons() {
    const THistogram* h = ui_->Histogram1;
    ui_->btnHist1->setChecked(h->GetOption(hoBars) != 0);
    ui_->btnHist2->setChecked(h->GetOption(hoCurve) != 0);
    ui_->btnHist3->setChecked(h->GetOption(hoMean) != 0);
    ui_->btnHist4->setChecked(h->GetOption(hoMedian) != 0);
    auto image = [this](int i) { return ilHisto_[std::clamp(i, 0, static_cast<int>(ilHisto_.size()) - 1)]; };
    ui_->btnHist5->setIcon(image(4 + std::clamp(h->GetOption(hoLeftScale), 0, 2)));
    ui_->btnHist6->setIcon(image(7 + std::clamp(h->GetOption(hoRightScale), 0, 2)));
    ui_->btnHist7->setIcon(image(13 + std::clamp(h->GetOption(hoValueLabels), 0, 2)));
    ui_->btnHist10->setIcon(image(18 + std::clamp(h->GetOption(hoSigmaLines), 0, 6)));
    ui_->btnHist8->setChecked(h->GetOption(hoKind) == 0);
    ui_->btnHist9->setChecked(h->GetOption(hoKind) == 1);
}

void TObservationPage::ChooseAxis(int which, int value) {
    const int option = which == 1 ? hoLeftScale : which == 2 ? hoRightScale : which == 3 ? hoValueLabels : -1;
    if (option < 0) return;
    ui_->Histogram1->SetIntOption(option, value);
    ShowOptionsOnButtons();
}

void TObservationPage::ChooseXS(int value) {
    ui_->Histogram1->SetIntOption(hoSigmaLines, value);
    ShowOptionsOnButtons();
}

}  // namespace vormid
