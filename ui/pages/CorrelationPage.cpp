#include "ui/pages/CorrelationPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "evaluation/SeriesCorrelation.h"
#include "ui/Document.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"
#include "ui/models/CorrelationModel.h"
#include "ui/pages/CorrelationPageEditors.h"
#include "ui/widgets/NameDelegate.h"
#include "ui/widgets/NameMarkupPainter.h"
#include "ui_CorrelationPage.h"

namespace vormid {
namespace {

constexpr int kNameColumnWidth = 160;
constexpr int kRowHeight = 20;

// Names drawn from their markup; the row of the current cell tinted, the
// current cell itself in the selection colours.
class TCorrelationDelegate : public TNameDelegate {
public:
    using TNameDelegate::TNameDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The empty row of a table without pairs is no pair: nothing on it
        // looks chosen.
        if (const auto* m = qobject_cast<const CorrelationModel*>(index.model()); m && !m->HasPairs()) {
            QStyleOptionViewItem plain(option);
            plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            TNameDelegate::paint(painter, plain, index);
            return;
        }
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view && view->currentIndex().row() == index.row() && !(option.state & QStyle::State_Selected))
            painter->fillRect(option.rect, QColor(226, 236, 250));
        TNameDelegate::paint(painter, option, index);
    }
};

bool IsCoefficientKey(const QString& text) {
    if (text.size() != 1) return false;
    const QChar c = text.front();
    return c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('-');
}

// The pair an entry in the grid's row edits: the empty row of an empty list
// becomes its first entry.
int PairToEdit(TCorrelation& c, int row) {
    if (row < c.Count()) return row;
    c.AddPair(std::string(), std::string());
    return c.Count() - 1;
}

}  // namespace

TCorrelationPage::TCorrelationPage(QWidget* parent)
    : TPage(parent), ui_(std::make_unique<Ui::TCorrelationPage>()), model_(new CorrelationModel(this)) {
    ui_->setupUi(this);
    grid_ = ui_->dgCorr;
    quantityBox_ = ui_->cbCorrParam;
    coefficientBox_ = ui_->febCorrel;
    grid_->setModel(model_);
    grid_->setItemDelegate(new TCorrelationDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(CorrelationModel::colName1, kNameColumnWidth);
    grid_->setColumnWidth(CorrelationModel::colName2, kNameColumnWidth);

    // The editors live over the grid's cells and scroll with them.
    quantityBox_->setParent(grid_->viewport());
    coefficientBox_->setParent(grid_->viewport());
    quantityBox_->hide();
    coefficientBox_->hide();
    quantityBox_->setItemDelegate(new TNameDelegate(quantityBox_));
    coefficientBox_->setToolTip(QStringLiteral("Коефициент на корелация от −1 до 1"));

    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    quantityBox_->installEventFilter(this);
    coefficientBox_->installEventFilter(this);

    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentChanged(current); });
    connect(grid_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (pressOnCurrent_ && index == grid_->currentIndex()) OpenEditor();
        pressOnCurrent_ = false;
    });
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { OpenEditor(); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { PlaceEditors(); });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { PlaceEditors(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { PlaceEditors(); });

    connect(quantityBox_, &QComboBox::currentIndexChanged, this, &TCorrelationPage::QuantityChosen);
    // The raw text: the box reports a refused text as the one before it.
    connect(coefficientBox_, &QLineEdit::textEdited, this, &TCorrelationPage::CoefficientTyped);
    connect(coefficientBox_, &TNumberEdit::buttonClicked, this, &TCorrelationPage::CoefficientFromSeries);
    connect(ui_->btnAddCorr, &QPushButton::clicked, this, &TCorrelationPage::Add);
    connect(ui_->btnDelCorr, &QPushButton::clicked, this, &TCorrelationPage::Delete);
}

TCorrelationPage::~TCorrelationPage() = default;

void TCorrelationPage::Attach(TModelController& controller) {
    TPage::Attach(controller);
    model_->Reset(&controller.Model());
    SetCurrent(0, 0);
    connect(&controller, &TModelController::correlationsChanged, this, &TCorrelationPage::Refresh);
    // A quantity that stops being an input greys its pairs.
    connect(&controller, &TModelController::quantityChanged, this, &TCorrelationPage::Refresh);
    connect(&controller, &TModelController::quantitiesReset, this, &TCorrelationPage::Refresh);
}

void TCorrelationPage::Reload() {
    HideEditors();
    model_->Reset(controller_ ? &controller_->Model() : nullptr);
    SetCurrent(0, 0);
}

void TCorrelationPage::UpdateEnables(const TCommandEnables& enables) {
    ui_->btnAddCorr->setEnabled(enables.AddCorr);
    ui_->btnDelCorr->setEnabled(enables.DelCorr);
}

std::string TCorrelationPage::Name(int row, int column) const {
    if (!controller_) return {};
    const TCorrelation& c = controller_->Model().Correlations;
    return column == CorrelationModel::colName1 ? c.GetName1(row) : c.GetName2(row);
}

void TCorrelationPage::SetCurrent(int row, int column) {
    row = std::clamp(row, 0, std::max(0, model_->rowCount() - 1));
    // The empty row of a table without pairs is current (the editors start
    // there) but not selected: it is no pair.
    const auto mode = model_->HasPairs() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear;
    grid_->selectionModel()->setCurrentIndex(model_->index(row, column), mode);
}

void TCorrelationPage::Refresh() {
    const QModelIndex current = grid_->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    const int column = current.isValid() ? current.column() : 0;
    model_->Refresh();
    if (!grid_->currentIndex().isValid() || !model_->HasPairs()) SetCurrent(row, column);
    if (editorRow_ >= model_->rowCount() || grid_->currentIndex() != model_->index(editorRow_, editorColumn_))
        HideEditors();
    PlaceEditors();
    grid_->viewport()->update();
}

void TCorrelationPage::CurrentChanged(const QModelIndex& current) {
    // The tint follows the current row.
    grid_->viewport()->update();
    if (current.row() != editorRow_ || current.column() != editorColumn_) HideEditors();
}

void TCorrelationPage::HideEditors() {
    const bool focused = quantityBox_->hasFocus() || coefficientBox_->hasFocus();
    editorRow_ = editorColumn_ = -1;
    quantityBox_->hide();
    coefficientBox_->hide();
    ShowCoefficientState(QString());
    if (focused) grid_->setFocus();
}

void TCorrelationPage::PlaceEditors() {
    if (editorRow_ < 0) return;
    const QRect cell = grid_->visualRect(model_->index(editorRow_, editorColumn_));
    QWidget* editor =
        editorColumn_ == CorrelationModel::colCoefficient ? static_cast<QWidget*>(coefficientBox_) : quantityBox_;
    editor->setGeometry(cell.adjusted(0, 0, 1, 1));
}

void TCorrelationPage::OpenEditor() {
    if (!controller_) return;
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return;
    const bool coefficient = current.column() == CorrelationModel::colCoefficient;
    // An editor already shown only takes the focus back.
    if (current.row() != editorRow_ || current.column() != editorColumn_) {
        HideEditors();
        editorRow_ = current.row();
        editorColumn_ = current.column();
        if (coefficient) {
            coefficientBox_->SetTypedText(FromCp1251(controller_->Model().Correlations.GetCoefficientText(editorRow_)));
            KeepCoefficient();
            coefficientBox_->SetButtonVisible(SeriesAvailable(editorRow_));
        } else {
            FillQuantityBox();
        }
        PlaceEditors();
    }
    QWidget* editor = coefficient ? static_cast<QWidget*>(coefficientBox_) : quantityBox_;
    editor->show();
    editor->setFocus();
    if (coefficient) coefficientBox_->selectAll();
}

void TCorrelationPage::FillQuantityBox() {
    const QSignalBlocker block(quantityBox_);
    quantityBox_->clear();
    const std::string own = Name(editorRow_, editorColumn_);
    const std::string other = Name(editorRow_, 1 - editorColumn_);
    QFont bold = quantityBox_->font();
    bold.setBold(true);
    int chosen = -1, widest = 0;
    const TNameMarkupPainter names(bold);
    for (const auto& q : controller_->Model().Params) {
        if (!IsInputKind(q->Kind)) continue;
        if (!other.empty() && q->Name == other) continue;
        widest = std::max(widest, names.Width(q->Name));
        const QByteArray markup = QByteArray::fromStdString(q->Name);
        quantityBox_->addItem(NameMarkupPlainText(q->Name), markup);
        const int i = quantityBox_->count() - 1;
        quantityBox_->setItemData(i, markup, static_cast<int>(TItemRole::NameMarkup));
        quantityBox_->setItemData(i, bold, Qt::FontRole);
        if (q->Name == own) chosen = i;
    }
    quantityBox_->setCurrentIndex(chosen);
    // The list is at least as wide as its longest name, whatever the cell's width.
    quantityBox_->view()->setMinimumWidth(widest + 4 * TNameDelegate::kTextMargin +
                                          quantityBox_->view()->verticalScrollBar()->sizeHint().width());
}

void TCorrelationPage::QuantityChosen(int item) {
    if (!controller_ || item < 0 || editorRow_ < 0) return;
    const int row = editorRow_;
    const bool first = editorColumn_ == CorrelationModel::colName1;
    const std::string chosen = quantityBox_->itemData(item).toByteArray().toStdString();
    const std::string other = Name(row, first ? CorrelationModel::colName2 : CorrelationModel::colName1);
    const std::string& name1 = first ? chosen : other;
    const std::string& name2 = first ? other : chosen;
    if (controller_->Model().Correlations.PairedElsewhere(name1, name2, row)) {
        ShowMessageBox(DuplicateMessage());
        FillQuantityBox();  // back to the name the entry keeps
        return;
    }
    controller_->EditCorrelations([&](TCorrelation& c) {
        const int at = PairToEdit(c, row);
        if (first)
            c.SetName1(at, chosen);
        else
            c.SetName2(at, chosen);
    });
}

void TCorrelationPage::ShowCoefficientState(const QString& text) {
    const bool refused = TCoefficientEdit::StateOf(text) == TCoefficientEdit::TState::Refused;
    ui_->lblCorrState->setText(refused ? QStringLiteral("Коефициентът на корелация е число от −1 до 1; "
                                                        "въведеното не е записано.")
                                       : QString());
    ui_->lblCorrState->setVisible(refused);
}

void TCorrelationPage::KeepCoefficient() {
    const TCorrelation& c = controller_->Model().Correlations;
    keptText_ = c.GetCoefficientText(editorRow_);
    keptValue_ = c.GetCoefficient(editorRow_);
}

void TCorrelationPage::CoefficientTyped(const QString& text) {
    if (!controller_ || editorRow_ < 0) return;
    ShowCoefficientState(text);
    const int row = editorRow_;
    const std::optional<double> r =
        TCoefficientEdit::StateOf(text) == TCoefficientEdit::TState::Valid ? ParseTypedNumber(text) : std::nullopt;
    if (!r) {
        // "1" on the way to a refused "1,5" must not stay behind: the pair
        // goes back to its coefficient from before this typing.
        const TCorrelation& list = controller_->Model().Correlations;
        if (row >= list.Count() ||
            (list.GetCoefficientText(row) == keptText_ && list.GetCoefficient(row) == keptValue_))
            return;
        controller_->EditCorrelations([&](TCorrelation& c) { c.RestoreCoefficient(row, keptText_, keptValue_); });
        return;
    }
    controller_->EditCorrelations([&](TCorrelation& c) { c.SetCoefficient(PairToEdit(c, row), *r); });
}

bool TCorrelationPage::SeriesAvailable(int row) const {
    if (!controller_) return false;
    const TGumParams& params = controller_->Model().Params;
    const TGumParam* x = params.FindByName(Name(row, CorrelationModel::colName1));
    const TGumParam* y = params.FindByName(Name(row, CorrelationModel::colName2));
    return x && y && CanCorrelateSeries(*x, *y);
}

void TCorrelationPage::CoefficientFromSeries() {
    if (!controller_ || editorRow_ < 0 || !SeriesAvailable(editorRow_)) return;
    const TGumParams& params = controller_->Model().Params;
    std::optional<double> r;
    try {
        r = SeriesCorrelation(CorrelationSeries(*params.FindByName(Name(editorRow_, CorrelationModel::colName1))),
                              CorrelationSeries(*params.FindByName(Name(editorRow_, CorrelationModel::colName2))));
    } catch (const std::exception&) {
        return;  // the box stays as it was
    }
    if (!r) return;
    coefficientBox_->SetValue(*r);
    CoefficientTyped(coefficientBox_->text());
}

void TCorrelationPage::Add() {
    if (!controller_) return;
    const TCorrelation& list = controller_->Model().Correlations;
    for (int i = 0; i < list.Count(); ++i) {
        const int missing = list.GetName1(i).empty()   ? CorrelationModel::colName1
                            : list.GetName2(i).empty() ? CorrelationModel::colName2
                                                       : -1;
        if (missing >= 0) {
            SetCurrent(i, missing);
            grid_->setFocus();
            return;
        }
    }
    controller_->EditCorrelations([](TCorrelation& c) { c.AddPair(std::string(), std::string()); });
    SetCurrent(list.Count() - 1, CorrelationModel::colName1);
    grid_->setFocus();
}

void TCorrelationPage::Delete() {
    if (!controller_ || controller_->Model().Correlations.Count() == 0) return;
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column() : 0;
    HideEditors();
    controller_->EditCorrelations([row](TCorrelation& c) { c.Delete(row); });
    SetCurrent(row, column);
}

bool TCorrelationPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QModelIndex hit = grid_->indexAt(e->position().toPoint());
        pressOnCurrent_ = e->button() == Qt::LeftButton && hit.isValid() && hit == grid_->currentIndex();
    }
    if (event->type() != QEvent::KeyPress) return TPage::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == grid_) {
        const QModelIndex current = grid_->currentIndex();
        if (current.isValid() && current.column() == CorrelationModel::colCoefficient &&
            IsCoefficientKey(key->text())) {
            // The key starts the coefficient afresh: it becomes the box's whole text.
            OpenEditor();
            if (editorColumn_ != CorrelationModel::colCoefficient) return true;
            coefficientBox_->SetTypedText(key->text());
            coefficientBox_->setFocus();
            coefficientBox_->deselect();
            coefficientBox_->setCursorPosition(static_cast<int>(coefficientBox_->text().size()));
            CoefficientTyped(coefficientBox_->text());
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2) {
            OpenEditor();
            return true;
        }
        if (key->key() == Qt::Key_Escape && editorRow_ >= 0) {
            HideEditors();
            return true;
        }
        return false;
    }
    if (watched == quantityBox_) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            grid_->setFocus();
            return true;
        }
        const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_Left ||
                           key->key() == Qt::Key_Right;
        if (arrow && !(key->modifiers() & Qt::AltModifier) && !quantityBox_->view()->isVisible()) {
            grid_->setFocus();
            return true;
        }
        return false;
    }
    if (watched == coefficientBox_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (TCoefficientEdit::StateOf(coefficientBox_->text()) == TCoefficientEdit::TState::Valid) KeepCoefficient();
        grid_->setFocus();
        return true;
    }
    return TPage::eventFilter(watched, event);
}

}  // namespace vormid
