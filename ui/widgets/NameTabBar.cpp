#include "ui/widgets/NameTabBar.h"

#include <QEvent>
#include <QPaintEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QToolButton>

#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {

namespace {

QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TNameTabBar::TNameTabBar(QWidget* parent) : QTabBar(parent) {}

void TNameTabBar::SetTabs(const std::vector<TTab>& tabs) {
    // A visible bar lays out all its tabs again on every added or renamed
    // tab, which is quadratic in the number of tabs; a hidden one only marks
    // its layout dirty and lays it out once when shown.
    const bool shown = isVisible();
    const bool updates = updatesEnabled();
    if (shown) {
        setUpdatesEnabled(false);
        hide();
    }
    const int wanted = static_cast<int>(tabs.size());
    while (count() > wanted) removeTab(count() - 1);
    for (int t = 0; t < wanted; ++t) {
        const QByteArray markup = Bytes(tabs[static_cast<std::size_t>(t)].Markup);
        if (t >= count()) {
            // The data first: the size of a new tab is read from it.
            insertTab(t, QString());
            setTabData(t, markup);
            setTabText(t, NameMarkupPlainText(std::string_view(markup.constData(), markup.size())));
        } else if (tabData(t).toByteArray() != markup) {
            SetTabMarkup(t, tabs[static_cast<std::size_t>(t)].Markup);
        }
        if (tabToolTip(t) != tabs[static_cast<std::size_t>(t)].Hint)
            setTabToolTip(t, tabs[static_cast<std::size_t>(t)].Hint);
    }
    if (shown) {
        show();
        setUpdatesEnabled(updates);
    }
}

void TNameTabBar::SetTabMarkup(int index, const std::string& markup) {
    if (index < 0 || index >= count()) return;
    setTabData(index, Bytes(markup));
    // Setting the text lays the bar out again with the new width.
    setTabText(index, NameMarkupPlainText(markup));
}

std::string TNameTabBar::TabMarkup(int index) const {
    const QByteArray b = tabData(index).toByteArray();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

int TNameTabBar::MeasuredWidth(const QByteArray& markup) const {
    const auto found = widths_.constFind(markup);
    if (found != widths_.constEnd()) return *found;
    const int w = TNameMarkupPainter(font()).Width(std::string_view(markup.constData(), markup.size()));
    widths_.insert(markup, w);
    return w;
}

int TNameTabBar::NameWidth(int index) const {
    if (index < 0 || index >= count()) return 0;
    return MeasuredWidth(tabData(index).toByteArray());
}

int TNameTabBar::TabHeight() const {
    if (height_ < 0) {
        // The style's height for a one-line caption in this font; it does not
        // depend on the caption, so it is asked once.
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.shape = shape();
        opt.documentMode = documentMode();
        opt.text = QStringLiteral("Xy");
        const int vframe = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &opt, this);
        const QSize content(fontMetrics().horizontalAdvance(opt.text), fontMetrics().height() + vframe);
        height_ = style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, content, this).height();
    }
    return height_;
}

QSize TNameTabBar::tabSizeHint(int index) const {
    return QSize(TNameTabGeometry::TabWidth(NameWidth(index)), TabHeight());
}

QSize TNameTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

void TNameTabBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        widths_.clear();
        height_ = -1;
    }
    QTabBar::changeEvent(event);
}

void TNameTabBar::paintEvent(QPaintEvent* event) {
    QStylePainter p(this);
    const int current = currentIndex();
    if (drawBase()) {
        QStyleOptionTab overlapOption;
        overlapOption.shape = shape();
        const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &overlapOption, this);
        QStyleOptionTabBarBase base;
        base.initFrom(this);
        base.shape = shape();
        base.documentMode = documentMode();
        base.rect = QRect(0, height() - overlap, width(), overlap);
        if (current >= 0) base.selectedTabRect = tabRect(current);
        for (int i = 0; i < count(); ++i) base.tabBarRect |= tabRect(i);
        p.drawPrimitive(QStyle::PE_FrameTabBarBase, base);
    }
    // The scroll buttons lie over the tabs; nothing is drawn under them.
    QRegion area(rect());
    for (const QToolButton* b : findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (b->isVisible()) area -= b->geometry();
    p.setClipRegion(area);

    const TNameMarkupPainter names(font());
    const int shift = style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, nullptr, this);
    auto drawTab = [&](int i) {
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        if (!opt.rect.intersects(event->rect())) return;
        opt.text.clear();
        p.drawControl(QStyle::CE_TabBarTabShape, opt);
        QRect text = opt.rect;
        if (!(opt.state & QStyle::State_Selected)) text.translate(0, shift);
        const int w = NameWidth(i);
        const int left = TNameTabGeometry::TextLeft(text.left(), text.width(), w);
        text.setLeft(left);
        text.setRight(opt.rect.right() - TNameTabGeometry::kPadding / 2 + 1);
        p.setPen(opt.palette.color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        names.Draw(p, text, TabMarkup(i));
    };
    for (int i = 0; i < count(); ++i)
        if (i != current) drawTab(i);
    if (current >= 0) drawTab(current);
}

}  // namespace vormid
