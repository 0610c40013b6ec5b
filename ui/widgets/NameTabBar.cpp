#include "ui/widgets/NameTabBar.h"

#include <QEvent>
#include <QPaintEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QToolButton>
#include <algorithm>

#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {

namespace {

QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TNameTabBar::TNameTabBar(QWidget* parent) : QTabBar(parent) {
    connect(this, &QTabBar::tabMoved, this, [this](int from, int to) {
        if (from < 0 || to < 0 || static_cast<std::size_t>(std::max(from, to)) >= widths_.size()) return;
        const int w = widths_[static_cast<std::size_t>(from)];
        widths_.erase(widths_.begin() + from);
        widths_.insert(widths_.begin() + to, w);
    });
}

void TNameTabBar::SetTabs(const std::vector<TTab>& tabs) {
    const int wanted = static_cast<int>(tabs.size());
    while (count() > wanted) removeTab(count() - 1);
    bool added = false;
    for (int t = 0; t < wanted; ++t) {
        const TTab& tab = tabs[static_cast<std::size_t>(t)];
        if (t >= count()) {
            // Every added tab lays out the whole bar; the new tab's width is
            // set without another layout, and one layout follows the loop.
            const int i = addTab(NameMarkupPlainText(tab.Markup));
            setTabData(i, Bytes(tab.Markup));
            widths_[static_cast<std::size_t>(i)] = Measure(i);
            added = true;
        } else if (tabData(t).toByteArray() != Bytes(tab.Markup)) {
            SetTabMarkup(t, tab.Markup);
        }
        if (tabToolTip(t) != tab.Hint) setTabToolTip(t, tab.Hint);
    }
    if (added) setTabText(count() - 1, tabText(count() - 1));
}

void TNameTabBar::SetTabMarkup(int index, const std::string& markup) {
    if (index < 0 || index >= count()) return;
    setTabData(index, Bytes(markup));
    if (static_cast<std::size_t>(index) < widths_.size()) widths_[static_cast<std::size_t>(index)] = Measure(index);
    // Setting the text lays the bar out again with the new width.
    setTabText(index, NameMarkupPlainText(markup));
}

std::string TNameTabBar::TabMarkup(int index) const {
    const QByteArray b = tabData(index).toByteArray();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

int TNameTabBar::Measure(int index) const {
    const QByteArray b = tabData(index).toByteArray();
    if (b.isEmpty()) return 0;
    return TNameMarkupPainter(font()).Width(std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
}

int TNameTabBar::NameWidth(int index) const {
    // QTabBar asks for the size of a new tab before it reports the tab as
    // inserted: such a tab has no name yet.
    return index >= 0 && static_cast<std::size_t>(index) < widths_.size() ? widths_[static_cast<std::size_t>(index)]
                                                                          : 0;
}

void TNameTabBar::tabInserted(int index) {
    widths_.insert(widths_.begin() + index, Measure(index));
    QTabBar::tabInserted(index);
    // A tab put between others was laid out while its width was unknown.
    if (index != count() - 1) setTabText(index, tabText(index));
}

void TNameTabBar::tabRemoved(int index) {
    if (static_cast<std::size_t>(index) < widths_.size()) widths_.erase(widths_.begin() + index);
    QTabBar::tabRemoved(index);
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
        height_ = -1;
        for (int i = 0; i < count() && static_cast<std::size_t>(i) < widths_.size(); ++i)
            widths_[static_cast<std::size_t>(i)] = Measure(i);
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
