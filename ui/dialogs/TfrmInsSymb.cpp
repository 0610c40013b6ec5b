#include "ui/dialogs/TfrmInsSymb.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace vormid {

constexpr int kCols = 12, kRows = 4, kCell = 20;

class TSymbolGrid : public QWidget {
public:
    explicit TSymbolGrid(QDialog* owner) : QWidget(owner), owner_(owner) {
        setObjectName(QStringLiteral("dgSymbs"));
        setFixedSize(kCols * kCell + 1, kRows * kCell + 1);
        setFocusPolicy(Qt::StrongFocus);
    }
    int current = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QFont f(QStringLiteral("Tahoma"));
        f.setPointSize(10);
        f.setBold(true);
        p.setFont(f);
        for (int i = 0; i < kCols * kRows; ++i) {
            QRect r((i % kCols) * kCell, (i / kCols) * kCell, kCell, kCell);
            bool sel = i == current;
            p.fillRect(r, palette().color(sel ? QPalette::Highlight : QPalette::Base));
            p.setPen(palette().color(QPalette::Dark));
            p.drawRect(r);
            p.setPen(palette().color(sel ? QPalette::HighlightedText : QPalette::Text));
            p.drawText(r.adjusted(0, 1, 0, 1), Qt::AlignHCenter | Qt::AlignTop, QString(QChar(TfrmInsSymb::Symbol(i))));
        }
    }
    void mousePressEvent(QMouseEvent* e) override { Pick(e->position().toPoint()); }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (Pick(e->position().toPoint())) owner_->accept();
    }
    void keyPressEvent(QKeyEvent* e) override {
        int c = current;
        switch (e->key()) {
            case Qt::Key_Left: c -= 1; break;
            case Qt::Key_Right: c += 1; break;
            case Qt::Key_Up: c -= kCols; break;
            case Qt::Key_Down: c += kCols; break;
            default: QWidget::keyPressEvent(e); return;
        }
        if (c >= 0 && c < kCols * kRows) current = c, update();
    }

private:
    bool Pick(QPoint pt) {
        int col = pt.x() / kCell, row = pt.y() / kCell;
        if (col < 0 || col >= kCols || row < 0 || row >= kRows) return false;
        current = row * kCols + col;
        update();
        return true;
    }
    QDialog* owner_;
};

TfrmInsSymb::TfrmInsSymb(QWidget* parent) : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmInsSymb"));
    setFixedSize(247, 114);
    setModal(true);
    grid_ = new TSymbolGrid(this);
    grid_->move(3, 3);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setGeometry(86, 88, 75, 22);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отказ"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(166, 88, 75, 22);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

char16_t TfrmInsSymb::Symbol(int index) {
    if (index < 0 || index >= 48) return 0;
    if (index < 24) return static_cast<char16_t>(0x0391 + index + (index >= 17 ? 1 : 0));
    int k = index - 24;
    return static_cast<char16_t>(0x03B1 + k + (k >= 17 ? 1 : 0));
}

char16_t TfrmInsSymb::Chosen() const { return Symbol(grid_->current); }
void TfrmInsSymb::SetCurrent(int index) {
    if (index >= 0 && index < 48) grid_->current = index, grid_->update();
}
int TfrmInsSymb::Current() const { return grid_->current; }

void TfrmInsSymb::PlaceBelow(const QWidget* button, const QWidget* toolbar) {
    QPoint right = button->mapToGlobal(QPoint(button->width(), 0));
    QPoint bottom = toolbar->mapToGlobal(QPoint(0, toolbar->height()));
    move(right.x() - width(), bottom.y());
}

void TfrmInsSymb::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 233, 216));
    p.setPen(QColor(101, 138, 171));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vormid
