// The name tab bar: tab widths from the drawn name, captions kept as plain
// text, a rebuild that touches only what differs, and the drawing itself.
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "ui/widgets/NameLabel.h"
#include "ui/widgets/NameMarkupPainter.h"
#include "ui/widgets/NameTabBar.h"

using namespace vormid;

class TestNameTabBar : public QObject {
    Q_OBJECT
private slots:
    void geometry_data() {
        QTest::addColumn<int>("tabLeft");
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<int>("nameWidth");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("textLeft");
        QTest::newRow("tab of its own width") << 10 << 54 << 40 << 54 << 17;
        QTest::newRow("wider tab centres") << 0 << 100 << 40 << 54 << 30;
        QTest::newRow("narrower tab keeps the padding") << 5 << 30 << 40 << 54 << 12;
        QTest::newRow("empty name") << 0 << 14 << 0 << 14 << 7;
        QTest::newRow("negative measure") << 0 << 14 << -3 << 14 << 7;
    }
    void geometry() {
        QFETCH(int, tabLeft);
        QFETCH(int, tabWidth);
        QFETCH(int, nameWidth);
        QFETCH(int, width);
        QFETCH(int, textLeft);
        QCOMPARE(TNameTabGeometry::TabWidth(nameWidth), width);
        QCOMPARE(TNameTabGeometry::TextLeft(tabLeft, tabWidth, nameWidth), textLeft);
    }

    // A tab is as wide as its drawn name plus 14 pixels; the caption is the
    // plain text; the description is the hint; the drawing lowers "\b".
    void tabsFromMarkup() {
        TNameTabBar bar;
        bar.SetTabs({{"U\\b1\\n", "напрежение"}, {"R\\bx", ""}, {"\\u937", ""}});
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.count(), 3);
        QCOMPARE(bar.tabText(0), QString("U1"));
        QCOMPARE(bar.tabText(2), QString(QChar(0x3A9)));
        QCOMPARE(bar.tabToolTip(0), QString("напрежение"));
        QCOMPARE(bar.TabMarkup(1), std::string("R\\bx"));
        const TNameMarkupPainter painter(bar.font());
        for (int i = 0; i < bar.count(); ++i) {
            QCOMPARE(bar.NameWidth(i), painter.Width(bar.TabMarkup(i)));
            QCOMPARE(bar.tabRect(i).width(), bar.NameWidth(i) + 14);
        }
        // The subscript reaches lower than the plain capital of the same tab.
        const QImage shot = bar.grab().toImage();
        const QRect r = bar.tabRect(0);
        auto lowestInk = [&](int x0, int x1) {
            for (int y = r.bottom() - 1; y > r.top(); --y)
                for (int x = x0; x < x1; ++x)
                    if (qGray(shot.pixel(x, y)) < 100) return y;
            return -1;
        };
        const int split = r.left() + 7 + QFontMetrics(bar.font()).horizontalAdvance("U");
        QVERIFY(lowestInk(r.left() + 7, split) > 0);
        QVERIFY(lowestInk(split, r.right() - 6) > lowestInk(r.left() + 7, split));
    }

    // Rebuilding with the same list changes nothing; a renamed quantity only
    // changes its tab, and the current tab stays.
    void rebuildKeepsCurrent() {
        TNameTabBar bar;
        bar.show();
        std::vector<TNameTabBar::TTab> tabs;
        for (int i = 0; i < 200; ++i) tabs.push_back({"x\\b" + std::to_string(i), ""});
        bar.SetTabs(tabs);
        bar.setCurrentIndex(5);
        QSignalSpy changed(&bar, &QTabBar::currentChanged);
        tabs[7].Markup = "y\\t2";
        bar.SetTabs(tabs);
        QCOMPARE(bar.currentIndex(), 5);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(bar.tabText(7), QString("y2"));
        tabs.resize(3);
        bar.SetTabs(tabs);
        QCOMPARE(bar.count(), 3);
        QVERIFY(bar.isVisible());
    }

    void labelShowsUnits() {
        TNameLabel label;
        label.SetMarkup("m\\t2\\n");
        QCOMPARE(label.PlainText(), QString("m2"));
        QCOMPARE(label.sizeHint().width(), TNameMarkupPainter(label.font()).Width("m\\t2\\n") + 2);
    }
};

QTEST_MAIN(TestNameTabBar)
#include "name_tab_bar_test.moc"
