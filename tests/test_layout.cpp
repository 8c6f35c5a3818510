#include "app/PaneLayout.h"
#include "app/ToolbarLayout.h"
#include "app/WindowPlacement.h"
#include "favorites/IconSet.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QToolBar>

// The limits below which the panes keep their last usable layout.
class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void smallWindowsKeepTheLastLayout()
    {
        PaneLayout layout;
        const PaneLayout before = layout;
        layout.Resize({1428, 2050, 0, 420, 300}); // 500 twips free, 1428 * 0.35 below 500
        QCOMPARE(layout.list.height, before.list.height);
        QCOMPARE(layout.list.width, before.list.width);
        layout.Resize({11220, 2051, 0, 420, 300});
        QCOMPARE(layout.tree.height, 501.0);
        QCOMPARE(layout.list.width, 11220 - 3175 - 180.0);

        layout.SetTreeWidth(100, 11220);
        QCOMPARE(layout.tree.width, before.tree.width);
        layout.SetTreeWidth(101, 11220);
        QCOMPARE(layout.list.left, 201.0);
    }

    void splitterStaysWithinItsLimits()
    {
        PaneLayout layout;
        const double left = layout.splitter.left;
        QVERIFY(!layout.DragSplitter(1000 - left, 11220));
        QVERIFY(layout.DragSplitter(1001 - left, 11220));
        QCOMPARE(layout.tree.width, 941.0);
        QVERIFY(!layout.DragSplitter(11220 - 2000 - 1001, 11220));
        QVERIFY(layout.DragSplitter(11220 - 2001 - 1001, 11220));
        QCOMPARE(layout.splitter.left, 9219.0);
    }

    void centring()
    {
        const QSizeF screen(20000, 10000), window(10000, 6000);
        QCOMPARE(WindowPlacement::CenterWindow(screen, window, std::nullopt), QPointF(5000, 2000));
        QCOMPARE(WindowPlacement::CenterWindow(screen, window, QRectF(3000, 1500, 12000, 9000)),
                 QPointF(4000, 3000));
        // Never off the top left of the screen.
        QCOMPARE(WindowPlacement::CenterWindow(screen, window, QRectF(-6000, -3000, 6000, 3000)),
                 QPointF(0, 0));
    }

    // A restored frame lands whole on the screen holding most of it, at least the minimum size.
    void restoredFrameFitsItsScreen_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("fitted");
        // Two screens side by side; the right one smaller and lower, its panel on top.
        QTest::newRow("fits already") << QRect(100, 50, 800, 600) << QRect(100, 50, 800, 600);
        QTest::newRow("centre on the right")
            << QRect(1200, 100, 600, 400) << QRect(1280, 100, 600, 400);
        QTest::newRow("from a larger monitor")
            << QRect(3000, 2000, 700, 500) << QRect(580, 524, 700, 500);
        QTest::newRow("negative size") << QRect(10, 10, -300, -200) << QRect(10, 10, 400, 300);
        QTest::newRow("huge") << QRect(-16777216, -16777216, 16777216, 16777216)
                              << QRect(0, 0, 1280, 1024);
        QTest::newRow("narrow and taller than the right screen")
            << QRect(1500, 0, 300, 2000) << QRect(1500, 24, 400, 744);
    }
    void restoredFrameFitsItsScreen()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, fitted);
        const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 24, 764, 744)};
        const int screen = WindowPlacement::ScreenFor(frame, screens);
        QCOMPARE(WindowPlacement::FitToScreen(frame, screens.value(screen)), fitted);
    }

    // Seeded random layouts from the stored ones: loading never fails, and what a loaded
    // toolbar saves loads back to the very same toolbar.
    void fuzzedToolbarLayoutsSettle()
    {
        QFile corpus(QFINDTESTDATA("data/toolbar/layouts.txt"));
        QVERIFY(corpus.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList seeds =
            QString::fromUtf8(corpus.readAll()).split(u'\n', Qt::SkipEmptyParts);
        const QStringList pieces = ToolbarLayout::Catalogue.split(u',') +
                                   QStringList{"", " ", "S", "Nope", "\u00E9", ",,", "Help "};
        QRandomGenerator random(1206);
        const IconSet& icons = IconSet::Toolbar();
        for (const QString& seed : seeds) {
            for (int round = 0; round < 40; ++round) {
                QStringList fields = seed.split(u',');
                for (int edits = random.bounded(1, 5); edits > 0; --edits)
                    fields.insert(random.bounded(fields.size() + 1),
                                  pieces.at(random.bounded(pieces.size())));
                QToolBar toolbar;
                ToolbarLayout::LoadToolbar(toolbar, fields.join(u','), icons);
                const QString saved = ToolbarLayout::SaveToolbar(toolbar);
                QToolBar again;
                ToolbarLayout::LoadToolbar(again, saved, icons);
                QCOMPARE(ToolbarLayout::SaveToolbar(again), saved);
            }
        }
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
