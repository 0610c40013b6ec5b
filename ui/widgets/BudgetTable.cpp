#include "ui/widgets/BudgetTable.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "ui/models/BudgetModel.h"
#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {
namespace {

constexpr int kRowHeight = 18;
constexpr int kMarkupSlack = 2;

QFont Smaller(QFont f) {
    f.setPointSizeF(f.pointSizeF() > 0 ? f.pointSizeF() * 0.8 : 7);
    return f;
}

// One part of a cell in its font, raised by Rise from the baseline; names
// and units in markup are drawn and measured by the common name drawing.
struct Piece {
    TCellPart Part;
    QFont Font;
    int Rise = 0;
    bool IsMarkup() const { return Part.Kind == TCellPartKind::Markup; }
    QString Text() const { return QString::fromStdString(Part.Text); }
};

int PieceWidth(const Piece& p) {
    return p.IsMarkup() ? TNameMarkupPainter(p.Font).Width(p.Part.Text)
                        : QFontMetrics(p.Font).horizontalAdvance(p.Text());
}

QList<Piece> Pieces(const TBudgetCell& c, const QFont& font) {
    QFont base = font;
    base.setBold(c.Bold);
    const QFont small = Smaller(base);
    const int rise = QFontMetrics(base).ascent() / 3;
    QList<Piece> out;
    for (const TCellPart& part : CellParts(c)) {
        // An exponent stands a pixel higher than a mark.
        if (part.Kind == TCellPartKind::Exponent || part.Kind == TCellPartKind::Mark)
            out.push_back({part, small, part.Kind == TCellPartKind::Exponent ? rise + 1 : rise});
        else
            out.push_back({part, base});
    }
    return out;
}

int Width(const QList<Piece>& pieces) {
    int w = 0;
    for (const Piece& p : pieces) w += PieceWidth(p);
    return w;
}

}  // namespace

QColor VarResultTint() { return QColor(255, 250, 225); }

int BudgetCellWidth(const TBudgetCell& c, const QFont& font) { return Width(Pieces(c, font)); }

void PaintBudgetCell(QPainter& p, const QRect& r, const TBudgetCell& c, const QFont& font) {
    if (c.Kind == TBudgetCellKind::Bar) {
        const int w = BarWidth(c.BarValue, c.BarLargest, r.width() - 4);
        if (w > 0) p.fillRect(QRect(r.left() + 2, r.top() + 3, w, r.height() - 6), QColor(0, 90, 200));
        return;
    }
    const QList<Piece> pieces = Pieces(c, font);
    if (pieces.isEmpty()) return;
    const QFontMetrics fm(pieces.front().Font);
    int x = r.left() + std::max(0, (r.width() - Width(pieces)) / 2);
    const int baseline = r.top() + (r.height() + fm.ascent() - fm.descent()) / 2;
    p.save();
    p.setClipRect(r);
    for (const Piece& piece : pieces) {
        const int w = PieceWidth(piece);
        if (piece.IsMarkup()) {
            // Measured widths are whole pixels, the text's own width is not:
            // a rect of exactly the measured width would cut a plain name
            // to an ellipsis. The cell's clip still bounds the drawing.
            TNameMarkupPainter(piece.Font).Draw(p, QRect(x, r.top(), w + kMarkupSlack, r.height()), piece.Part.Text);
        } else {
            p.setFont(piece.Font);
            p.drawText(QPoint(x, baseline - piece.Rise), piece.Text());
        }
        x += w;
    }
    p.restore();
}

void BudgetDelegate::paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const {
    if (i.data(static_cast<int>(BudgetModel::Role::Kind)).toInt() == static_cast<int>(TParamKind::VarResult))
        p->fillRect(o.rect, VarResultTint());
    p->setPen(o.palette.color(QPalette::Text));
    PaintBudgetCell(*p, o.rect, i.data(static_cast<int>(BudgetModel::Role::Cell)).value<TBudgetCell>(), o.font);
}

class BudgetFooter : public QWidget {
public:
    explicit BudgetFooter(BudgetTableView* view) : QWidget(view), view_(view) { setAutoFillBackground(true); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        const BudgetModel* m = view_->budgetModel();
        if (!m || !m->Table()) return;
        const auto footer = m->Table()->Footer();
        const int h = view_->rowHeight();
        const QColor shades[2] = {QColor(232, 240, 250), QColor(240, 248, 232)};
        for (int r = 0; r < 4; ++r) {
            p.fillRect(QRect(0, r * h, width(), h), shades[r / 2]);
            const QList<QRect> cells = view_->FooterCells(r);
            p.setPen(palette().color(QPalette::Text));
            for (int c = 0; c < 5 && c < cells.size(); ++c)
                PaintBudgetCell(p, cells[c], footer[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], font());
            // The combined row's units stand in the units column, as the entries' do.
            if (r == 1 && cells.size() > 5) PaintBudgetCell(p, cells[5], m->Table()->CombinedUnits(), font());
            if (r == 1 || r == 3) {
                p.setPen(Qt::black);
                p.drawLine(0, (r + 1) * h - 1, width(), (r + 1) * h - 1);
            }
        }
    }

private:
    BudgetTableView* view_;
};

BudgetTableView::BudgetTableView(QWidget* parent) : QTableView(parent), footer_(new BudgetFooter(this)) {
    setObjectName(QStringLiteral("dgBudget"));
    setItemDelegate(new BudgetDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setFixedHeight(kRowHeight);
    horizontalHeader()->setDefaultSectionSize(kDefaultBudgetColumnWidth);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit headerContextMenu(horizontalHeader()->mapToGlobal(pos)); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, footer_, [this] { footer_->update(); });
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setViewportMargins(0, 0, 0, kFooterRows * kRowHeight);
}

void BudgetTableView::setBudgetModel(BudgetModel* model) {
    model_ = model;
    setModel(model);
    connect(model, &BudgetModel::tableChanged, footer_, [this] {
        // The hints of a marked ν_eff and a marked k: the footer's tool tip.
        QStringList hints;
        if (const TBudgetTable* t = model_->Table())
            for (const std::string& hint : t->FooterHints()) hints << QString::fromStdString(hint);
        footer_->setToolTip(hints.join(QLatin1Char('\n')));
        footer_->update();
    });
}

QWidget* BudgetTableView::footer() const { return footer_; }
int BudgetTableView::rowHeight() const { return kRowHeight; }

QList<QRect> BudgetTableView::FooterCells(int r) const {
    const QHeaderView* h = horizontalHeader();
    const bool units = model_ && model_->Table() && model_->Table()->UnitsShown();
    const int firstEnd =
        h->count() > (units ? 2 : 1) ? h->sectionViewportPosition(units ? 2 : 1) : h->length() - h->offset();
    const int right = std::max(h->length() - h->offset(), footer_->width());
    const int top = r * kRowHeight;
    const bool split = units && h->count() > 2;
    const int nameEnd = split ? h->sectionViewportPosition(1) : firstEnd;
    QList<QRect> cells;
    cells << QRect(-h->offset(), top, nameEnd + h->offset(), kRowHeight);
    const int seg = std::max(1, (right - firstEnd) / 4);
    for (int i = 0; i < 4; ++i)
        cells << QRect(firstEnd + i * seg, top, i == 3 ? right - firstEnd - 3 * seg : seg, kRowHeight);
    if (split) cells << QRect(nameEnd, top, firstEnd - nameEnd, kRowHeight);
    return cells;
}

void BudgetTableView::PlaceFooter() {
    const QRect vp = viewport()->geometry();
    footer_->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), kFooterRows * kRowHeight);
    footer_->raise();
}

QSize BudgetTableView::minimumSizeHint() const {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int rows = horizontalHeader()->sizeHint().height() + (1 + kFooterRows) * kRowHeight;
    return {QTableView::minimumSizeHint().width(), rows + bar + 2 * frameWidth()};
}

void BudgetTableView::resizeEvent(QResizeEvent* e) {
    QTableView::resizeEvent(e);
    PlaceFooter();
}

void BudgetTableView::updateGeometries() {
    QTableView::updateGeometries();
    // The table view sets its margins for the headers; the footer's room
    // at the bottom is added back each time.
    QMargins m = viewportMargins();
    if (m.bottom() != kFooterRows * kRowHeight) {
        m.setBottom(kFooterRows * kRowHeight);
        setViewportMargins(m);
    }
    PlaceFooter();
}

void BudgetTableView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // Horizontal scrolling moves the footer's segments with the columns.
    footer_->update();
}

}  // namespace vormid
