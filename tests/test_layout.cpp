#include "app/PaneLayout.h"
#include "app/WindowPlacement.h"

#include <QTest>

class TestLayout : public QObject
{
    Q_OBJECT

private:
    static PaneLayout::Frame frame(double width, double height)
    {
        return {width, height, 0, 420, 300};
    }

private Q_SLOTS:
    void heightsFollowTheWindowAbove500Free_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("changes");
        // Free height = height - (300 + 0 + 420 + 830).
        QTest::newRow("exactly 500 free") << 2050.0 << false;
        QTest::newRow("501 free") << 2051.0 << true;
        QTest::newRow("tall") << 9000.0 << true;
    }

    void heightsFollowTheWindowAbove500Free()
    {
        QFETCH(double, height);
        QFETCH(bool, changes);
        PaneLayout layout;
        const PaneLayout before = layout;
        layout.Resize(frame(11220, height));
        if (!changes) {
            QCOMPARE(layout.list.height, before.list.height);
            QCOMPARE(layout.tree.top, before.tree.top);
            return;
        }
        const double free = height - 1550;
        QCOMPARE(layout.list.top, 450.0);
        QCOMPARE(layout.list.height, free);
        QCOMPARE(layout.tree.top, 450.0);
        QCOMPARE(layout.tree.height, free);
        QCOMPARE(layout.splitter.top, 510.0);
        QCOMPARE(layout.splitter.height, free - 120);
    }

    void narrowWindowsKeepTheirSidewaysLayout()
    {
        PaneLayout layout;
        layout.SetTreeWidth(3000, 11220);
        const PaneLayout before = layout;
        layout.Resize(frame(1428, 6000)); // 1428 * 0.35 is below 500
        QCOMPARE(layout.list.left, before.list.left);
        QCOMPARE(layout.list.width, before.list.width);
        layout.Resize(frame(11220, 6000));
        QCOMPARE(layout.splitter.left, layout.tree.left + 3000 + 15);
        QCOMPARE(layout.list.left, layout.tree.left + 3000 + 100);
        QCOMPARE(layout.list.width, 11220 - (layout.list.left + 180));
    }

    void treeWidthAbove100Only()
    {
        PaneLayout layout;
        layout.SetTreeWidth(2000, 11220);
        layout.SetTreeWidth(100, 11220);
        QCOMPARE(layout.tree.width, 2000.0);
        layout.SetTreeWidth(101, 11220);
        QCOMPARE(layout.tree.width, 101.0);
    }

    void splitterStaysWithinItsLimits()
    {
        PaneLayout layout;
        layout.SetTreeWidth(3075, 11220);
        const double start = layout.splitter.left;
        QVERIFY(layout.DragSplitter(-1000, 11220));
        QCOMPARE(layout.splitter.left, start - 1000);
        QCOMPARE(layout.tree.width, layout.splitter.left - 60);
        QCOMPARE(layout.list.left, layout.splitter.left + PaneLayout::SplitterWidth + 15);
        // Not closer than 1000 twips to the left edge or 2000 to the right edge.
        const double left = layout.splitter.left;
        QVERIFY(!layout.DragSplitter(1000 - left, 11220));
        QCOMPARE(layout.splitter.left, left);
        QVERIFY(!layout.DragSplitter(11220 - 2000 - left, 11220));
        QVERIFY(layout.DragSplitter(11220 - 2001 - left, 11220));
    }

    void centring_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<QRectF>("browserRect");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("screen") << false << QRectF() << QPointF(5000, 2000);
        QTest::newRow("over the browser") << true << QRectF(3000, 1500, 12000, 9000) << QPointF(4000, 3000);
        QTest::newRow("clamped at 0") << true << QRectF(-6000, -3000, 6000, 3000) << QPointF(0, 0);
    }

    void centring()
    {
        QFETCH(bool, browser);
        QFETCH(QRectF, browserRect);
        QFETCH(QPointF, expected);
        const auto topLeft = WindowPlacement::CenterWindow(
            QSizeF(20000, 10000), QSizeF(10000, 6000),
            browser ? std::optional<QRectF>(browserRect) : std::nullopt);
        QCOMPARE(topLeft, expected);
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"
