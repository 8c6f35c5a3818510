// The main window as it starts and closes, and the help it shows.
#include "app/HelpViewer.h"
#include "app/HelpWindow.h"
#include "app/MainMenus.h"
#include "core/HelpTopics.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/StatusPanels.h"
#include "platform/Twips.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// The pages as the build copies them beside the program.
QString helpFolder()
{
    QString folder = qEnvironmentVariable("TAVORO_PROGRAM_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + "/..";
    return QDir(folder).absoluteFilePath("help");
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppFixture> m_app;

    static int px(double twips) { return Twips::ForScreen().ToPixels(twips); }
    // Settings as "Name=value".
    void store(const QStringList& settings)
    {
        for (const QString& setting : settings)
            m_app->Store(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    }
    QString stored(const QStringList& names)
    {
        QStringList settings;
        for (const QString& name : names)
            settings.append(name + u'=' + m_app->Stored(name));
        return settings.join(u' ');
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("News/Daily/Guardian.url = http://g\nNews/BBC.url = http://b\nTech/\nTop.url = "
                   "http://t");
    }
    void cleanup() { m_app.reset(); }

    void rememberedGeometryAndFolder()
    {
        store({"MainWidth=9000", "MainHeight=7500", "MainLeft=1500", "MainTop=-1", "TreeWidth=2400",
               "SelectedPath=Normal View/News/Daily"});
        auto window = m_app->Start();
        QCOMPARE(QRect(window->pos(), window->size()), QRect(px(1500), px(-1), px(9000), px(7500)));
        QCOMPARE(window->Layout().tree.width, 2400.0);
        QTreeWidgetItem* daily = window->Tree().SelectedItem();
        QCOMPARE(FavoritesTree::FullPath(daily), "Normal View/News/Daily");
        QVERIFY(daily->parent()->isExpanded());
        QCOMPARE(FavoritesList::Text(window->List().Item(0)), "Guardian");

        // A folder gone, or one not to be remembered, leaves the root selected.
        store({"SelectedPath=Normal View/Gone"});
        QCOMPARE(m_app->Start()->Tree().SelectedItem()->parent(), nullptr);
        store({"SelectedPath=Normal View/Tech", "RememberFolder=0"});
        QCOMPARE(m_app->Start()->Tree().SelectedItem()->parent(), nullptr);
    }

    // Damaged or foreign geometry gives a whole, usable window on the screen, and only
    // finite numbers are written back.
    void restoredGeometryIsSane_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::newRow("negative size") << QStringList{"MainWidth=-5000", "MainHeight=-3000"};
        QTest::newRow("huge") << QStringList{"MainWidth=1e30", "MainLeft=1e30", "MainTop=-1e30"};
        QTest::newRow("beyond a float")
            << QStringList{"MainWidth=1e39", "MainLeft=-1e39", "TreeWidth=1e39"};
        QTest::newRow("wider than the screen") << QStringList{"MainWidth=1000000"};
        QTest::newRow("from a larger monitor") << QStringList{"MainLeft=40000", "MainTop=30000"};
        QTest::newRow("tree wider than the window")
            << QStringList{"MainWidth=9000", "TreeWidth=20000"};
    }
    void restoredGeometryIsSane()
    {
        QFETCH(QStringList, settings);
        store(settings);
        auto window = m_app->Start();
        const QRect available = window->screen()->availableGeometry();
        QVERIFY(available.contains(QRect(window->pos(), window->size())));
        QVERIFY(window->width() >= 300 && window->height() >= 200);
        QVERIFY(window->Layout().tree.width + PaneLayout::MinListRoom <=
                window->frameGeometry().width() * Twips().PerPixel());
        window->SaveSettings();
        for (const char* name : {"MainWidth", "MainHeight", "MainLeft", "MainTop", "TreeWidth"}) {
            bool number = false;
            QVERIFY2(std::isfinite(m_app->Stored(name).toDouble(&number)) && number, name);
        }
        QVERIFY(!window->windowIcon().isNull());
    }

    // Started hidden before any tray exists: the icon comes with the tray, or the window shows
    // when none came in time.
    void hiddenStartWaitsForATray()
    {
        for (const bool trayComes : {true, false}) {
            m_app->tray.available = m_app->tray.shown = false;
            auto window = m_app->Start("/Hide");
            QVERIFY(!window->isVisible() && !m_app->tray.shown);
            if (trayComes)
                m_app->tray.available = true;
            else
                m_app->clock.Advance(frmFav1::TrayWaitMs);
            QTRY_VERIFY(m_app->tray.shown == trayComes && window->isVisible() == !trayComes);
        }
    }

    void closeStoresTheWindowsState()
    {
        auto window = m_app->Start();
        window->resize(px(10500), px(6000));
        window->move(px(300), px(450));
        QTreeWidgetItem* tech = window->Tree().FindNodeByText("Tech");
        window->NodeClick(tech);
        window->Tree().Select(tech);
        // The selector moved without the view following: the shown view is stored.
        window->cboFormat()->setCurrentIndex(FavoritesViews::SearchResults);
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(stored({"MainWidth", "MainHeight", "MainLeft", "MainTop", "MainView",
                         "SelectedPath", "FavoritesPath"}),
                 "MainWidth=10500 MainHeight=6000 MainLeft=300 MainTop=450 MainView=0 "
                 "SelectedPath=Normal View/Tech FavoritesPath=" +
                     m_app->Favorites());
    }

    void closeBoxHidesIntoTheTray()
    {
        auto window = m_app->Start();
        m_app->prompts.dialogHandler = [](QDialog& dialog) {
            dialog.findChild<QCheckBox*>("chkDontShow")->setChecked(true);
            dialog.findChild<QPushButton*>("cmdOk")->click();
            return int(dialog.result());
        };
        QVERIFY(!window->close());
        QVERIFY(!window->isVisible() && !window->WindowShown());
        // "Don't show this message again" reaches the registry at once.
        QCOMPARE(m_app->Stored("SysTrayPrompt"), "0");
        QVERIFY(m_app->prompts.messages.isEmpty());
        // The icon brings the window back.
        Q_EMIT m_app->tray.leftReleased();
        QVERIFY(window->isVisible() && window->WindowShown());
    }

    // A chosen Favorites folder that has gone is reported, and not made again.
    void missingFavoritesFolderIsReported()
    {
        const QString gone = m_app->env.Root() + "/Gone";
        store({"FavoritesPath=" + gone});
        auto window = m_app->Start();
        QVERIFY(!QFileInfo::exists(gone));
        QCOMPARE(window->Status().Text(1).section(')', 0, 0),
                 gone + ": cannot be read (Path not found");
    }

    // Leaving from the tray while hidden keeps the session's changes; a settings file that
    // cannot be read is told once and kept aside, not written over.
    void hiddenExitSavesAndUnreadableSettingsAreKept()
    {
        store({"ConfirmExit=0", "MainView=12"}); // no such view: Normal, without a word
        auto window = m_app->Start("/hide");
        QCOMPARE(window->cboFormat()->currentIndex(), int(FavoritesViews::Normal));
        QVERIFY(m_app->prompts.messages.isEmpty());
        window->cboFormat()->setCurrentIndex(FavoritesViews::SingleList);
        window->Menus().Action("mnuSTExit")->trigger();
        QCOMPARE(m_app->Stored("MainView"), "3");

        QFile file(m_app->env.RegistryDir() + "/user.reg");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x01\x02 not settings") > 0);
        file.close();
        auto again = m_app->Start();
        again->SaveSettings();
        QCOMPARE(m_app->prompts.texts().filter("cannot be read").size(), 1);
        QCOMPARE(QDir(m_app->env.RegistryDir()).entryList({"user.reg.unreadable-*"}).size(), 1);
    }

    void everyTopicHasAPage()
    {
        HelpViewer help(helpFolder());
        for (int topic : {51001, 51002, 51005, 51006, 51007, 51008, 51009, 51010}) {
            const QString page = HelpTopics::PageName(topic);
            QVERIFY2(QFileInfo(QDir(helpFolder()).filePath(page)).isFile(), qPrintable(page));
            QCOMPARE(HelpTopics::TopicOfPage(page), topic);
            help.ShowTopic(nullptr, topic);
            const HelpWindow* window = help.Window();
            QVERIFY(window && window->isVisible() && !window->IsShowingNote());
            QCOMPARE(window->CurrentPage(), page);
            if (topic == HelpTopics::Contents || topic == HelpTopics::Index)
                QCOMPARE(window->IndexList()->isVisible(), topic == HelpTopics::Index);
        }
    }

    // The help beside a dialog on a 1280x1024 screen: x, y, width, height of the help.
    void helpStaysBesideTheDialog()
    {
        const QRect screen(0, 0, 1280, 1024);
        const QList<std::pair<QRect, QRect>> cases = {
            {{100, 100, 300, 400}, {408, 100, 872, 620}},  // right, narrowed to the room
            {{890, 200, 390, 300}, {2, 200, 880, 620}},    // left
            {{390, 312, 500, 400}, {390, 720, 880, 304}},  // below, no room at the sides
            {{100, 100, 1000, 800}, {400, 100, 880, 620}}, // no room: the screen's edge
        };
        for (const auto& [dialog, wanted] : cases)
            QCOMPARE(HelpWindow::Beside(dialog, screen, {880, 620}), wanted);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
