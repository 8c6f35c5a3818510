// The main window as it starts and closes, and the help it shows.
#include "app/HelpViewer.h"
#include "app/HelpWindow.h"
#include "app/MainMenus.h"
#include "core/HelpTopics.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "platform/Twips.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QtWidgets>
#include <QtTest>

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
            .Build("News/Daily/Guardian.url = http://g\nNews/BBC.url = http://b\nTech/\nTop.url = http://t");
    }
    void cleanup()
    {
        m_app.reset();
    }

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
                 "SelectedPath=Normal View/Tech FavoritesPath=" + m_app->Favorites());
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

    // Leaving from the tray while hidden keeps the session's changes; a settings file that
    // cannot be read is told once and kept aside, not written over.
    void hiddenExitSavesAndUnreadableSettingsAreKept()
    {
        store({"ConfirmExit=0"});
        auto window = m_app->Start("/hide");
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
        }
    }

};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
