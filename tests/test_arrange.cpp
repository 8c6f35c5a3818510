#include "browser/BrowserLauncher.h"
#include "browser/WindowArrangement.h"
#include "browser/clsIEList.h"
#include "browser/frmBrowserWindows.h"
#include "platform/Clock.h"
#include "support/FakeProgramLauncher.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace WindowArrangement;
using ShowState = WindowSystem::ShowState;

namespace {

// 1024 x 768 pixels at 15 twips a pixel.
const Screen kScreen{15360, 11520, 15, 15, {}};
const QRect kUntouched = FakeWindowSystem::Window().geometry;

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

QStringList keys(const QTreeWidget* list, QString (*value)(const QTreeWidgetItem*))
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

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FakeWindowSystem> m_windows;
    std::unique_ptr<clsIEList> m_list;
    FakeProgramLauncher m_programs;
    ScriptedPrompts m_prompts;
    TickingClock m_clock;
    std::unique_ptr<BrowserLauncher> m_launcher;

    // Browser frames in list order: the first is on top.
    QList<WindowSystem::Handle> addFrames(int count)
    {
        QList<WindowSystem::Handle> frames;
        for (int i = 0; i < count; ++i)
            frames.prepend(m_windows->AddFrame(QStringLiteral("IEFrame"),
                                               QStringLiteral("Page %1").arg(i),
                                               QStringLiteral("http://%1/").arg(QChar(u'z' - i))));
        return frames;
    }
    std::unique_ptr<frmBrowserWindows> open()
    {
        return std::make_unique<frmBrowserWindows>(*m_list, *m_launcher, m_clock, kScreen);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_windows = std::make_unique<FakeWindowSystem>();
        m_list = std::make_unique<clsIEList>(m_windows.get());
        m_programs.calls.clear();
        m_launcher = std::make_unique<BrowserLauncher>(m_programs, m_windows.get(), m_prompts,
                                                       m_env->Root(), nullptr);
    }

    void placements_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("cascade 2: second") << "cascade" << 2 << 1 << QRectF(400, 450, 14560, 10620);
        QTest::newRow("cascade 30: 20th")
            << "cascade" << 30 << 19 << QRectF(7600, 8550, 5000, 2500);
        QTest::newRow("cascade 30: 21st restarts")
            << "cascade" << 30 << 20 << QRectF(0, 0, 5000, 2500);
        // Too small for a single step: every window starts again in the corner.
        QTest::newRow("cascade on a tiny screen") << "tiny" << 3 << 2 << QRectF(0, 0, 5000, 2500);
        QTest::newRow("horiz 3: second") << "horiz" << 3 << 1 << QRectF(0, 3840, 15360, 3840);
        QTest::newRow("horiz 5: third") << "horiz" << 5 << 2 << QRectF(0, 7680, 7680, 3840);
        QTest::newRow("horiz 5: fourth") << "horiz" << 5 << 3 << QRectF(7680, 0, 7680, 5760);
        QTest::newRow("vert 4: last") << "vert" << 4 << 3 << QRectF(7680, 5760, 7680, 5760);
    }
    void placements()
    {
        QFETCH(QString, layout);
        QFETCH(int, n);
        QFETCH(int, index);
        QFETCH(QRectF, expected);
        const QList<Placement> places = layout == "cascade" ? Cascade(n, kScreen)
                                        : layout == "tiny"  ? Cascade(n, Screen{5000, 2500, 15, 15, {}})
                                        : layout == "horiz" ? TileHoriz(n, kScreen)
                                                            : TileVert(n, kScreen);
        QCOMPARE(places.size(), n);
        QCOMPARE(rects(places).at(index), expected);
    }

    void tilingCoversTheScreen_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("counts"); // windows per column (row)
        QTest::newRow("5") << 5 << QList<int>{3, 2};
        QTest::newRow("6") << 6 << QList<int>{3, 3};
        QTest::newRow("7") << 7 << QList<int>{3, 4};
        QTest::newRow("8") << 8 << QList<int>{4, 4};
        QTest::newRow("14") << 14 << QList<int>{4, 5, 5};
        QTest::newRow("15") << 15 << QList<int>{5, 5, 5};
        QTest::newRow("24") << 24 << QList<int>{6, 6, 6, 6};
    }
    void tilingCoversTheScreen()
    {
        QFETCH(int, n);
        QFETCH(QList<int>, counts);
        QCOMPARE(BandCounts(n), counts);
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

    void pixelsRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("1.5") << 22.5 << 2;
        QTest::newRow("2.5") << 37.5 << 2;
        QTest::newRow("3.5") << 52.5 << 4;
    }
    void pixelsRoundHalvesToEven()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        const Screen screen{0, 0, 15, 7.5, {}};
        QCOMPARE(ToPixels(Placement{twips, twips / 2, twips, twips / 2}, screen),
                 QRect(pixels, pixels, pixels, pixels));
        // On a second screen the same places start from that screen's corner.
        const Screen right{0, 0, 15, 7.5, QPoint(1920, 0)};
        QCOMPARE(ToPixels(Placement{twips, twips / 2, twips, twips / 2}, right),
                 QRect(1920 + pixels, pixels, pixels, pixels));
    }

    void loadList_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("browser") << "IEFrame"
                                 << "http://www.a.org/b - Microsoft Internet Explorer"
                                 << "a.orgb";
        QTest::newRow("folder, letter case kept") << "CabinetWClass"
                                                  << "Docs <old>: WWW.x"
                                                  << "Docs old WWW.x";
    }
    void loadList()
    {
        QFETCH(QString, className);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const WindowSystem::Handle below = addFrames(1).first();
        const WindowSystem::Handle top = m_windows->AddFrame(className, title, "http://a.b/");
        m_windows->AddWindow(QStringLiteral("Other"), QStringLiteral("not listed"));
        const auto dialog = open();
        const QTreeWidget* list = dialog->lvwBrowser();
        QCOMPARE(keys(list, frmBrowserWindows::Key), QStringList({"K1", "K2"}));
        QCOMPARE(keys(list, frmBrowserWindows::Tag),
                 QStringList({QString::number(top), QString::number(below)}));
        QCOMPARE(list->topLevelItem(0)->text(0), text);
        QCOMPARE(list->topLevelItem(0)->toolTip(0), text);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("http://a.b/"));
        QCOMPARE(list->selectedItems().size(), 2);
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
    }

    void headerSorts_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("title") << QList<int>{0} << QStringList{"K3", "K2", "K1"};
        QTest::newRow("title twice") << QList<int>{0, 0} << QStringList{"K1", "K2", "K3"};
        QTest::newRow("title, link") << QList<int>{0, 1} << QStringList{"K1", "K2", "K3"};
    }
    void headerSorts()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, keys);
        addFrames(3);
        const auto dialog = open();
        for (const int column : clicks)
            dialog->ColumnClick(column);
        QCOMPARE(::keys(dialog->lvwBrowser(), frmBrowserWindows::Key), keys);
    }

    void arrange_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<QRect>>("geometry");
        QTest::addColumn<QList<ShowState>>("states");
        const ShowState normal = ShowState::Normal;
        const ShowState min = ShowState::Minimized;
        const ShowState max = ShowState::Maximized;
        QTest::newRow("cascade") << "cmdCascade" << QList<int>{0, 1}
                                 << QList<QRect>{{0, 0, 971, 708}, {27, 30, 971, 708}}
                                 << QList<ShowState>{normal, normal};
        QTest::newRow("tile horizontally") << "cmdTileHoriz" << QList<int>{0, 1}
                                           << QList<QRect>{{0, 0, 1024, 384}, {0, 384, 1024, 384}}
                                           << QList<ShowState>{normal, normal};
        QTest::newRow("tile vertically, second only")
            << "cmdTileVert" << QList<int>{1} << QList<QRect>{kUntouched, {0, 0, 1024, 768}}
            << QList<ShowState>{normal, normal};
        QTest::newRow("minimize first")
            << "cmdMinimize" << QList<int>{0} << QList<QRect>{kUntouched, kUntouched}
            << QList<ShowState>{min, min};
        QTest::newRow("maximize") << "cmdMaximize" << QList<int>{0, 1}
                                  << QList<QRect>{kUntouched, kUntouched}
                                  << QList<ShowState>{max, max};
    }
    void arrange()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, selected);
        QFETCH(QList<QRect>, geometry);
        QFETCH(QList<ShowState>, states);
        const QList<WindowSystem::Handle> frames = addFrames(2);
        m_windows->Get(frames.at(1)).state = ShowState::Minimized;
        const auto dialog = open();
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        for (int row = 0; row < 2; ++row)
            dialog->lvwBrowser()->topLevelItem(row)->setSelected(selected.contains(row));
        dialog->findChild<QPushButton*>(button)->click();
        QCOMPARE(finished.size(), 1);
        for (int row = 0; row < 2; ++row) {
            QCOMPARE(m_windows->Geometry(frames.at(row)), geometry.at(row));
            QCOMPARE(m_windows->GetShowState(frames.at(row)), states.at(row));
        }
    }

    void doubleClickGoesToTheCurrentEntryOnly()
    {
        const QList<WindowSystem::Handle> frames = addFrames(3);
        for (const WindowSystem::Handle frame : frames)
            m_windows->Get(frame).state = ShowState::Minimized;
        const auto dialog = open();
        QTreeWidget* list = dialog->lvwBrowser();
        list->selectionModel()->setCurrentIndex(list->model()->index(1, 0),
                                                QItemSelectionModel::NoUpdate);
        Q_EMIT list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(m_windows->TopLevelWindows().first(), frames.at(1));
        const QList<ShowState> states{ShowState::Minimized, ShowState::Normal,
                                      ShowState::Minimized};
        for (int row = 0; row < 3; ++row)
            QCOMPARE(m_windows->GetShowState(frames.at(row)), states.at(row));
    }

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
        const QList<WindowSystem::Handle> frames = addFrames(int(ignoresClose.size()));
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
        QCOMPARE(keys(dialog->lvwBrowser(), frmBrowserWindows::Tag), staying);
        QVERIFY(waited >= staying.size() * frmBrowserWindows::CloseWaitMs);
        QVERIFY(waited < (staying.size() + 1) * frmBrowserWindows::CloseWaitMs);
        QCOMPARE(finished.size(), 0);
    }

    void newStartsABrowserWindow()
    {
        m_programs.onRun = [this](const QString&, const QStringList&) {
            return std::optional<QString>(QString::number(addFrames(1).first()));
        };
        const auto dialog = open();
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        dialog->NewClick();
        QCOMPARE(m_programs.calls.size(), 1);
        QCOMPARE(m_programs.calls.first().arguments, QStringList{"--new-window"});
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(finished.size(), 1);
    }
};

QTEST_MAIN(TestArrange)
#include "test_arrange.moc"
