#include "ui/widgets/NameMarkupPainter.h"

#include <QFontMetrics>
#include <algorithm>
#include <QPainter>
#include <QRect>

#include "core/NameMarkup.h"
#include "evaluation/EquationText.h"

namespace vormid {
namespace {

QString FromCodePoints(const std::u32string& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TNameMarkupPainter::TNameMarkupPainter(const QFont& base) : base_(base), script_(base) {
    // The scripts are one point smaller than the table's text, and regular.
    const qreal size = base.pointSizeF() > 0 ? base.pointSizeF() : 8.0;
    script_.setPointSizeF(std::max<qreal>(1.0, size - 1.0));
    script_.setBold(false);
    script_.setItalic(false);
}

QString NameMarkupPlainText(std::string_view markup) {
    QString out;
    for (const TNameRun& run : NameMarkupRuns(TrimControl(markup))) out += FromCodePoints(run.Text);
    return out;
}

void TNameMarkupPainter::Draw(QPainter& painter, const QRect& rect, std::string_view markup) const {
    const std::string_view text = TrimControl(markup);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const QFontMetrics fm(base_);
    const int baseline = rect.top() + (rect.height() - fm.height()) / 2 + fm.ascent();
    if (!HasNameMarkup(text)) {
        painter.setFont(base_);
        const QString plain = NameMarkupPlainText(text);
        painter.drawText(rect.left(), baseline, fm.elidedText(plain, Qt::ElideRight, rect.width()));
        painter.restore();
        return;
    }
    int x = rect.left();
    for (const TNameRun& run : NameMarkupRuns(text)) {
        const bool script = run.Script != TNameScript::Normal;
        const QFont& font = script ? script_ : base_;
        const int dy = run.Script == TNameScript::Subscript     ? kSubscriptDrop
                       : run.Script == TNameScript::Superscript ? -kSuperscriptRise
                                                                : 0;
        const QString piece = FromCodePoints(run.Text);
        painter.setFont(font);
        painter.drawText(x, baseline + dy, piece);
        x += QFontMetrics(font).horizontalAdvance(piece);
        if (x > rect.right()) break;
    }
    painter.restore();
}

int TNameMarkupPainter::Width(std::string_view markup) const {
    int width = 0;
    for (const TNameRun& run : NameMarkupRuns(TrimControl(markup))) {
        const QFont& font = run.Script == TNameScript::Normal ? base_ : script_;
        width += QFontMetrics(font).horizontalAdvance(FromCodePoints(run.Text));
    }
    return width;
}

}  // namespace vormid
