#include "browser/BrowserLauncher.h"
#include "browser/WindowArrangement.h"
#include "browser/clsIEList.h"
#include "browser/frmBrowserWindows.h"
#include "platform/Clock.h"
#include "support/FakeProgramLauncher.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace WindowArrangement;
using ShowState = WindowSystem::ShowState;
using Handle = WindowSystem::Handle;

namespace {

// 1024 x 768 pixels at 15 twips a pixel.
const Screen kScreen{15360, 11520, 15, 15, {}};

// Time that moves on a second each time it is read, so a wait for it ends at once.
class TickingClock final : public Clock
{
public:
    mutable QDateTime now = QDateTime(QDate(2024, 1, 1), QTime(12, 0));
    QDateTime Now() const override { return now = now.addMSecs(1000); }
};

QList<QRectF> rects(const QList<Placement>& places)
{
    QList<QRectF> result;
    for (const Placement& p : places)
        result.append(QRectF(p.x, p.y, p.width, p.height));
    return result;
}

QStringList column(const QTreeWidget* list, QString (*value)(const QTreeWidgetItem*))
{
    QStringList values;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        values << value(list->topLevelItem(row));
    return values;
}

} // namespace

class TestArrange : public QObject
{
    Q_OBJECT

    TestEnvironment m_env;
    std::unique_ptr<FakeWindowSystem> m_windows;
    std::unique_ptr<clsIEList> m_list;
    FakeProgramLauncher m_programs;
    ScriptedPrompts m_prompts;
    TickingClock m_clock;
    std::unique_ptr<BrowserLauncher> m_launcher;

    // Browser frames in list order: the first is on top.
    QList<Handle> addFrames(int count)
    {
        QList<Handle> frames;
        for (int i = 0; i < count; ++i)
            frames.prepend(m_windows->AddFrame("IEFrame", QString("Page %1").arg(i), "http://p/"));
        return frames;
    }
    std::unique_ptr<frmBrowserWindows> open()
    {
        return std::make_unique<frmBrowserWindows>(*m_list, *m_launcher, m_clock, kScreen);
    }

private Q_SLOTS:
    void init()
    {
        m_windows = std::make_unique<FakeWindowSystem>();
        m_list = std::make_unique<clsIEList>(m_windows.get());
        m_programs.calls.clear();
        m_launcher = std::make_unique<BrowserLauncher>(m_programs, m_windows.get(), m_prompts,
                                                       m_env.Root(), nullptr);
    }

    void tilingCoversTheScreen_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("counts"); // windows per column (row)
        QTest::newRow("7") << 7 << QList<int>{3, 4};
        QTest::newRow("14") << 14 << QList<int>{4, 5, 5};
        QTest::newRow("24") << 24 << QList<int>{6, 6, 6, 6};
    }
    void tilingCoversTheScreen()
    {
        QFETCH(int, n);
        QTEST(BandCounts(n), "counts");
        const QRectF screen(0, 0, kScreen.width, kScreen.height);
        for (const QList<QRectF>& places :
             {rects(TileHoriz(n, kScreen)), rects(TileVert(n, kScreen))}) {
            QCOMPARE(places.size(), n);
            double area = 0;
            for (int i = 0; i < n; ++i) {
                QVERIFY(screen.contains(places.at(i)));
                for (int j = i + 1; j < n; ++j)
                    QVERIFY(!places.at(i).intersects(places.at(j)));
                area += places.at(i).width() * places.at(i).height();
            }
            QCOMPARE(area, screen.width() * screen.height());
        }
    }

    // A window asked to close may not; each one waited for costs one wait, no more.
    void terminate_data()
    {
        QTest::addColumn<QList<bool>>("ignoresClose");
        QTest::newRow("closes at once") << QList<bool>{false};
        QTest::newRow("never closes") << QList<bool>{true};
        QTest::newRow("one of each") << QList<bool>{true, false};
    }
    void terminate()
    {
        QFETCH(QList<bool>, ignoresClose);
        const QList<Handle> frames = addFrames(int(ignoresClose.size()));
        QStringList staying;
        for (int i = 0; i < frames.size(); ++i) {
            m_windows->Get(frames.at(i)).ignoresClose = ignoresClose.at(i);
            if (ignoresClose.at(i))
                staying << QString::number(frames.at(i));
        }
        const auto dialog = open();
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        const QDateTime before = m_clock.now;
        dialog->TerminateClick();
        const qint64 waited = before.msecsTo(m_clock.now);
        QCOMPARE(column(dialog->lvwBrowser(), frmBrowserWindows::Tag), staying);
        QVERIFY(waited >= staying.size() * frmBrowserWindows::CloseWaitMs);
        QVERIFY(waited < (staying.size() + 1) * frmBrowserWindows::CloseWaitMs);
        QCOMPARE(finished.size(), 0);
    }
};

QTEST_MAIN(TestArrange)
#include "test_arrange.moc"
