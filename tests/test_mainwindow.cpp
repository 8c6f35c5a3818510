#include "app/AppInfo.h"
#include "app/clsOptions.h"
#include "app/frmFav1.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/StatusPanels.h"
#include "platform/Clock.h"
#include "platform/FileSystemService.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "platform/Twips.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::shared_ptr<ShellFolders> m_shell;
    std::unique_ptr<Registry> m_registry;
    FileSystemService m_fileSystem;
    ScriptedPrompts m_prompts;
    Clock m_clock;

    std::unique_ptr<frmFav1> makeWindow(const QString& commandLine = QString())
    {
        auto window = std::make_unique<frmFav1>(AppServices{
            *m_registry, *m_shell, m_fileSystem, m_prompts, m_clock,
            m_env->Root() + QStringLiteral("/bin/tavoro"), commandLine, m_shell->Favorites()});
        return window;
    }
    std::unique_ptr<frmFav1> start(const QString& commandLine = QString())
    {
        auto window = makeWindow(commandLine);
        window->Load();
        window->show();
        window->FirstActivate();
        return window;
    }
    void store(const QString& name, const QString& value)
    {
        WriteRegValue(*m_registry, QStringLiteral("Software\\Tavoro"), QStringLiteral("Settings"), name, value);
    }
    QString stored(const QString& name)
    {
        return ReadRegValue(*m_registry, QStringLiteral("Software\\Tavoro"), QStringLiteral("Settings"),
                            name, QStringLiteral("<none>"))
            .toString();
    }
    static int px(double twips) { return Twips::ForScreen().ToPixels(twips); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_shell = std::make_shared<ShellFolders>();
        m_registry = std::make_unique<Registry>(m_env->RegistryDir(), m_shell);
        m_prompts = ScriptedPrompts();
        FavoritesBuilder(m_shell->Favorites()).Build(QStringLiteral(R"(
            News/Daily/Guardian.url = http://guardian
            News/BBC.url = http://bbc
            Tech/
            Top.url = http://top
        )"));
    }
    void cleanup()
    {
        m_registry.reset();
        m_env.reset();
    }

    void firstStartShowsTheNormalView()
    {
        auto window = start();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tavoro 1.1.3"));
        QCOMPARE(window->FavoritesRoot(), m_env->Favorites());
        QCOMPARE(window->cboFormat()->count(), 8);
        QCOMPARE(window->cboFormat()->itemText(4), QStringLiteral("Last Accessed View"));
        QCOMPARE(window->cboFormat()->currentIndex(), 0);
        QVERIFY(!window->cboFormat()->isVisibleTo(window.get()));
        QCOMPARE(window->Tree().Count(), 4);
        QCOMPARE(window->Tree().SelectedItem(), window->Tree().Root());
        QCOMPARE(window->List().Count(), 3);
        QCOMPARE(window->Status().Text(3), QStringLiteral("Normal View"));
        QVERIFY(window->WindowShown());
        QVERIFY(!window->IsLoading());
        QCOMPARE(window->size(), QSize(px(11220), px(6165)));
        QVERIFY(window->txtMsg()->geometry().right() < 0);
        // Without a stored position the window is centred on the screen.
        const QRect screen = window->screen()->geometry();
        // (The frame is not known before the first show, hence the slack.)
        QVERIFY(qAbs(window->geometry().center().x() - screen.center().x()) <= 3);
        QVERIFY(qAbs(window->geometry().center().y() - screen.center().y()) <= 3);
    }

    void rememberedGeometryAndFolder()
    {
        store(QStringLiteral("MainWidth"), QStringLiteral("9000"));
        store(QStringLiteral("MainHeight"), QStringLiteral("7500"));
        store(QStringLiteral("MainLeft"), QStringLiteral("1500"));
        store(QStringLiteral("MainTop"), QStringLiteral("-1"));
        store(QStringLiteral("TreeWidth"), QStringLiteral("2400"));
        store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/News/Daily"));
        auto window = start();
        QCOMPARE(window->size(), QSize(px(9000), px(7500)));
        QCOMPARE(window->pos(), QPoint(px(1500), px(-1)));
        QCOMPARE(window->Layout().tree.width, 2400.0);
        QTreeWidgetItem* daily = window->Tree().SelectedItem();
        QCOMPARE(FavoritesTree::FullPath(daily), QStringLiteral("Normal View/News/Daily"));
        QVERIFY(daily->parent()->isExpanded());
        QCOMPARE(FavoritesList::Text(window->List().Item(0)), QStringLiteral("Guardian"));
    }

    void deletedOrForgottenFolderIsIgnored()
    {
        store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/Gone"));
        auto window = start();
        QCOMPARE(window->Tree().SelectedItem(), window->Tree().Root());

        store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/Tech"));
        store(QStringLiteral("RememberFolder"), QStringLiteral("0"));
        auto second = start();
        QCOMPARE(second->Tree().SelectedItem(), second->Tree().Root());
    }

    void hideSwitchAnywhereInAnyCase_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("none") << "" << false;
        QTest::newRow("upper") << "/HIDE" << true;
        QTest::newRow("as the start-up entry writes it") << "/Hide" << true;
        QTest::newRow("between others") << "--verbose /hide extra" << true;
        QTest::newRow("inside a word") << "x/hIdEy" << true;
        QTest::newRow("other switch") << "/HID" << false;
    }

    void hideSwitchAnywhereInAnyCase()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, hidden);
        auto window = start(commandLine);
        QCOMPARE(window->isVisible(), !hidden);
        QCOMPARE(window->WindowShown(), !hidden);
        // The Getting Started help waits for a start in which the window shows.
        QCOMPARE(window->Options().FirstTime(), hidden);
    }

    void closeAnsweredNoChangesNothing()
    {
        auto window = start();
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        m_prompts.answers.enqueue(Prompts::Answer::No);
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(stored(QStringLiteral("MainView")), QStringLiteral("<none>"));
        QCOMPARE(m_prompts.messages.size(), 1);
        const auto& question = m_prompts.messages.first();
        QCOMPARE(question.text, QStringLiteral("Are you sure you want to exit?"));
        QCOMPARE(question.buttons, Prompts::Buttons::YesNo);
        QCOMPARE(question.icon, Prompts::Icon::Information);
        QCOMPARE(question.title, QStringLiteral("Tavoro"));
    }

    void closeStoresTheWindowsState()
    {
        auto window = start();
        window->resize(px(10500), px(6000));
        window->move(px(300), px(450));
        window->NodeClick(window->Tree().FindNodeByText(QStringLiteral("Tech")));
        window->Tree().Select(window->Tree().FindNodeByText(QStringLiteral("Tech")));
        window->cboFormat()->blockSignals(true);
        window->cboFormat()->setCurrentIndex(FavoritesViews::SearchResults);
        window->cboFormat()->blockSignals(false);
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->close());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(stored(QStringLiteral("MainWidth")), QStringLiteral("10500"));
        QCOMPARE(stored(QStringLiteral("MainHeight")), QStringLiteral("6000"));
        QCOMPARE(stored(QStringLiteral("MainLeft")), QStringLiteral("300"));
        QCOMPARE(stored(QStringLiteral("MainTop")), QStringLiteral("450"));
        QCOMPARE(stored(QStringLiteral("MainView")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("TreeWidth")), QStringLiteral("3075"));
        QCOMPARE(stored(QStringLiteral("SelectedPath")), QStringLiteral("Normal View/Tech"));
        QCOMPARE(stored(QStringLiteral("FavoritesPath")), m_env->Favorites());
        QCOMPARE(stored(QStringLiteral("ToolbarButtons")), clsOptions::DefaultToolbarButtons);
    }

    void closeWhileMaximizedKeepsTheNormalGeometry()
    {
        store(QStringLiteral("MainLeft"), QStringLiteral("600"));
        store(QStringLiteral("MainTop"), QStringLiteral("750"));
        store(QStringLiteral("ConfirmExit"), QStringLiteral("0"));
        auto window = start();
        window->showMaximized();
        window->Tree().Widget()->clearSelection();
        window->Tree().Widget()->setCurrentItem(nullptr);
        QVERIFY(window->close());
        QCOMPARE(stored(QStringLiteral("MainWidth")), QStringLiteral("11220"));
        QCOMPARE(stored(QStringLiteral("MainLeft")), QStringLiteral("600"));
        QCOMPARE(stored(QStringLiteral("MainTop")), QStringLiteral("750"));
        QCOMPARE(m_prompts.messages.size(), 0);
    }

    void closeWithNothingSelectedKeepsTheRememberedFolder()
    {
        store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/Gone"));
        store(QStringLiteral("ConfirmExit"), QStringLiteral("0"));
        auto window = start();
        window->Tree().Clear(); // even an empty tree closes cleanly
        QVERIFY(window->close());
        QCOMPARE(stored(QStringLiteral("SelectedPath")), QStringLiteral("Normal View/Gone"));
    }

    void closeWhileHiddenSavesNothing()
    {
        auto window = start(QStringLiteral("/HIDE"));
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_prompts.messages.size(), 0);
        QCOMPARE(stored(QStringLiteral("MainView")), QStringLiteral("<none>"));
    }

    void withoutATrayIconTheCloseBoxExits()
    {
        auto window = start();
        QVERIFY(window->Options().SystemTray());
        QVERIFY(!window->TrayIconShown());
        QVERIFY(window->QueryUnload(false));
        QCOMPARE(m_prompts.messages.size(), 1); // the exit question, not a hidden window
    }

    void viewSelectorDoesNotRebuildWhileLoading()
    {
        auto window = start();
        QVERIFY(QDir(m_env->Favorites() + QStringLiteral("/Tech")).removeRecursively());
        window->SetIsLoading(true);
        window->SelectView(FavoritesViews::SingleList);
        window->SelectView(FavoritesViews::Normal);
        QVERIFY(window->Tree().FindNodeByText(QStringLiteral("Tech")));
        window->SetIsLoading(false);
        window->RefreshView();
        QVERIFY(!window->Tree().FindNodeByText(QStringLiteral("Tech")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
