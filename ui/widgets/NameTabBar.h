#pragma once
// The tab bar of the pages that have one tab per quantity (observations,
// budgets): each tab's caption is the quantity's name markup, drawn and
// measured by TNameMarkupPainter, and the tab is as wide as the drawn name
// plus a fixed padding. The plain text of the name stays the tab's text (for
// accessibility and for code that reads captions); the description is the
// hint.
#include <QTabBar>
#include <string>
#include <vector>

namespace vormid {

// Where a name sits in its tab. Kept apart from the widget so that the
// arithmetic is tested without painting.
struct TNameTabGeometry {
    // Pixels a tab adds to the width of its drawn name (half on each side).
    static constexpr int kPadding = 14;

    // The width of a tab whose name is nameWidth pixels wide.
    static constexpr int TabWidth(int nameWidth) { return (nameWidth > 0 ? nameWidth : 0) + kPadding; }
    // The left edge of the name in a tab at tabLeft, tabWidth wide: centred,
    // and never left of the tab's own padding when the tab is narrower than
    // its name would want (a style may shrink tabs).
    static constexpr int TextLeft(int tabLeft, int tabWidth, int nameWidth) {
        const int half = (tabWidth - (nameWidth > 0 ? nameWidth : 0)) / 2;
        return tabLeft + (half > kPadding / 2 ? half : kPadding / 2);
    }
};

class TNameTabBar : public QTabBar {
    Q_OBJECT
public:
    struct TTab {
        std::string Markup;  // Windows-1251 name markup
        QString Hint;        // tool tip (the quantity's description)
    };

    explicit TNameTabBar(QWidget* parent = nullptr);

    // Shows exactly these tabs in this order, touching only the tabs that
    // differ; the bar is laid out once, not once per tab (a model may have
    // hundreds of quantities). The current index is kept when it still
    // exists; no currentChanged is sent for the rebuild itself unless the
    // current tab is removed.
    void SetTabs(const std::vector<TTab>& tabs);

    // The markup of one tab; its plain text becomes the tab's text.
    void SetTabMarkup(int index, const std::string& markup);
    std::string TabMarkup(int index) const;

    // The width the tab's drawn name takes, in pixels.
    int NameWidth(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int Measure(int index) const;
    int TabHeight() const;

    // The drawn width of each tab's name, in tab order. QTabBar lays out all
    // tabs for every tab added, asking each tab's size, so the sizes must
    // cost no more than a look-up. Kept in step by tabInserted/tabRemoved;
    // measured again when the font or style changes.
    std::vector<int> widths_;
    mutable int height_ = -1;
};

}  // namespace vormid
