#include "ui/widgets/NameLabel.h"

#include <QPainter>

#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {

namespace {

// Room above and below for the lowered and raised scripts.
constexpr int kScriptRoom = TNameMarkupPainter::kSubscriptDrop + TNameMarkupPainter::kSuperscriptRise;

}  // namespace

TNameLabel::TNameLabel(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TNameLabel::SetMarkup(const std::string& markup) {
    if (markup == markup_) return;
    markup_ = markup;
    setAccessibleName(PlainText());
    updateGeometry();
    update();
}

QString TNameLabel::PlainText() const { return NameMarkupPlainText(markup_); }

QSize TNameLabel::sizeHint() const {
    return QSize(TNameMarkupPainter(font()).Width(markup_) + 2, fontMetrics().height() + kScriptRoom);
}

QSize TNameLabel::minimumSizeHint() const { return sizeHint(); }

void TNameLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    TNameMarkupPainter(font()).Draw(p, rect(), markup_);
}

}  // namespace vormid
