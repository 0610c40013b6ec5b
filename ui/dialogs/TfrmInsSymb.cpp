#include "ui/dialogs/TfrmInsSymb.h"

#include <QPainter>

#include "ui/dialogs/TfrmInsSymbGrid.h"
#include "ui_TfrmInsSymb.h"

namespace vormid {

TfrmInsSymb::TfrmInsSymb(QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TfrmInsSymb>()) {
    ui_->setupUi(this);
    connect(ui_->dgSymbs, &TSymbolGrid::cellActivated, this, &QDialog::accept);
    connect(ui_->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmInsSymb::~TfrmInsSymb() = default;

char16_t TfrmInsSymb::Symbol(int index) { return TSymbolGrid::Symbol(index); }
char16_t TfrmInsSymb::Chosen() const { return TSymbolGrid::Symbol(ui_->dgSymbs->Current()); }
void TfrmInsSymb::SetCurrent(int index) { ui_->dgSymbs->SetCurrent(index); }
int TfrmInsSymb::Current() const { return ui_->dgSymbs->Current(); }

void TfrmInsSymb::PlaceBelow(const QWidget* button, const QWidget* toolbar) {
    const QPoint right = button->mapToGlobal(QPoint(button->width(), 0));
    const QPoint bottom = toolbar->mapToGlobal(QPoint(0, toolbar->height()));
    move(right.x() - width(), bottom.y());
}

void TfrmInsSymb::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 233, 216));
    p.setPen(QColor(101, 138, 171));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vormid
