#include "app/AppInfo.h"
#include "app/MainMenus.h"
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
#include "support/AppFixture.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    static int px(double twips) { return Twips::ForScreen().ToPixels(twips); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build(QStringLiteral(R"(
            News/Daily/Guardian.url = http://guardian
            News/BBC.url = http://bbc
            Tech/
            Top.url = http://top
        )"));
    }
    void cleanup() { m_app.reset(); }

    void firstStartShowsTheNormalView()
    {
        auto window = m_app->Start();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tavoro 1.1.3"));
        QCOMPARE(window->FavoritesRoot(), m_app->Favorites());
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
        m_app->Store(QStringLiteral("MainWidth"), QStringLiteral("9000"));
        m_app->Store(QStringLiteral("MainHeight"), QStringLiteral("7500"));
        m_app->Store(QStringLiteral("MainLeft"), QStringLiteral("1500"));
        m_app->Store(QStringLiteral("MainTop"), QStringLiteral("-1"));
        m_app->Store(QStringLiteral("TreeWidth"), QStringLiteral("2400"));
        m_app->Store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/News/Daily"));
        auto window = m_app->Start();
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
        m_app->Store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/Gone"));
        auto window = m_app->Start();
        QCOMPARE(window->Tree().SelectedItem(), window->Tree().Root());

        m_app->Store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/Tech"));
        m_app->Store(QStringLiteral("RememberFolder"), QStringLiteral("0"));
        auto second = m_app->Start();
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
        auto window = m_app->Start(commandLine);
        QCOMPARE(window->isVisible(), !hidden);
        QCOMPARE(window->WindowShown(), !hidden);
        // The Getting Started help waits for a start in which the window shows.
        QCOMPARE(window->Options().FirstTime(), hidden);
    }

    void closeAnsweredNoChangesNothing()
    {
        auto window = m_app->Start();
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        m_app->prompts.answers.enqueue(Prompts::Answer::No);
        window->ExitProgram();
        QVERIFY(window->isVisible());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(m_app->Stored(QStringLiteral("MainView")), QStringLiteral("<none>"));
        QCOMPARE(m_app->prompts.messages.size(), 1);
        const auto& question = m_app->prompts.messages.first();
        QCOMPARE(question.text, QStringLiteral("Are you sure you want to exit?"));
        QCOMPARE(question.buttons, Prompts::Buttons::YesNo);
        QCOMPARE(question.icon, Prompts::Icon::Information);
        QCOMPARE(question.title, QStringLiteral("Tavoro"));
    }

    void closeStoresTheWindowsState()
    {
        auto window = m_app->Start();
        window->resize(px(10500), px(6000));
        window->move(px(300), px(450));
        window->NodeClick(window->Tree().FindNodeByText(QStringLiteral("Tech")));
        window->Tree().Select(window->Tree().FindNodeByText(QStringLiteral("Tech")));
        window->cboFormat()->blockSignals(true);
        window->cboFormat()->setCurrentIndex(FavoritesViews::SearchResults);
        window->cboFormat()->blockSignals(false);
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_app->Stored(QStringLiteral("MainWidth")), QStringLiteral("10500"));
        QCOMPARE(m_app->Stored(QStringLiteral("MainHeight")), QStringLiteral("6000"));
        QCOMPARE(m_app->Stored(QStringLiteral("MainLeft")), QStringLiteral("300"));
        QCOMPARE(m_app->Stored(QStringLiteral("MainTop")), QStringLiteral("450"));
        QCOMPARE(m_app->Stored(QStringLiteral("MainView")), QStringLiteral("0"));
        QCOMPARE(m_app->Stored(QStringLiteral("TreeWidth")), QStringLiteral("3075"));
        QCOMPARE(m_app->Stored(QStringLiteral("SelectedPath")), QStringLiteral("Normal View/Tech"));
        QCOMPARE(m_app->Stored(QStringLiteral("FavoritesPath")), m_app->Favorites());
        QCOMPARE(m_app->Stored(QStringLiteral("ToolbarButtons")), clsOptions::DefaultToolbarButtons);
    }

    void closeWhileMaximizedKeepsTheNormalGeometry()
    {
        m_app->Store(QStringLiteral("MainLeft"), QStringLiteral("600"));
        m_app->Store(QStringLiteral("MainTop"), QStringLiteral("750"));
        m_app->Store(QStringLiteral("ConfirmExit"), QStringLiteral("0"));
        auto window = m_app->Start();
        window->showMaximized();
        window->Tree().Widget()->clearSelection();
        window->Tree().Widget()->setCurrentItem(nullptr);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(m_app->Stored(QStringLiteral("MainWidth")), QStringLiteral("11220"));
        QCOMPARE(m_app->Stored(QStringLiteral("MainLeft")), QStringLiteral("600"));
        QCOMPARE(m_app->Stored(QStringLiteral("MainTop")), QStringLiteral("750"));
        QCOMPARE(m_app->prompts.messages.size(), 0);
    }

    void closeWithNothingSelectedKeepsTheRememberedFolder()
    {
        m_app->Store(QStringLiteral("SelectedPath"), QStringLiteral("Normal View/Gone"));
        m_app->Store(QStringLiteral("ConfirmExit"), QStringLiteral("0"));
        auto window = m_app->Start();
        window->Tree().Clear(); // even an empty tree closes cleanly
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(m_app->Stored(QStringLiteral("SelectedPath")), QStringLiteral("Normal View/Gone"));
    }

    void closeWhileHiddenSavesNothing()
    {
        auto window = m_app->Start(QStringLiteral("/HIDE"));
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_app->prompts.messages.size(), 0);
        QCOMPARE(m_app->Stored(QStringLiteral("MainView")), QStringLiteral("<none>"));
    }

    void withoutATrayIconTheCloseBoxExits()
    {
        m_app->tray.available = false;
        auto window = m_app->Start();
        QVERIFY(window->Options().SystemTray());
        QVERIFY(!window->TrayIconShown());
        QVERIFY(window->QueryUnload(false));
        QCOMPARE(m_app->prompts.messages.size(), 1); // the exit question, not a hidden window
    }

    void closeBoxHidesIntoTheTray()
    {
        auto window = m_app->Start();
        QVERIFY(window->TrayIconShown());
        QCOMPARE(m_app->tray.tip, QStringLiteral("Tavoro 1.1.3"));
        QStringList promptTexts;
        m_app->prompts.dialogHandler = [&promptTexts](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                promptTexts.append(label->text());
            auto* dontShow = dialog.findChild<QCheckBox*>(QStringLiteral("chkDontShow"));
            dontShow->setChecked(true);
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            return int(dialog.result());
        };
        QVERIFY(!window->close());
        QVERIFY(!window->isVisible());
        QVERIFY(!window->WindowShown());
        QVERIFY(promptTexts.contains(QStringLiteral(
            "Tavoro will remain loaded in memory and accessible via the taskbar tray icon.  ")));
        // "Don't show this message again" reaches the registry at once.
        QCOMPARE(m_app->Stored(QStringLiteral("SysTrayPrompt")), QStringLiteral("0"));
        QCOMPARE(m_app->prompts.messages.size(), 0);

        // The icon brings the window back.
        Q_EMIT m_app->tray.leftReleased();
        QVERIFY(window->isVisible());
        QVERIFY(window->WindowShown());
    }

    void exitFromTheTrayWhileHiddenAsksOnce()
    {
        auto window = m_app->Start(QStringLiteral("/hide"));
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        m_app->prompts.answers.enqueue(Prompts::Answer::No);
        window->Menus().Action(QStringLiteral("mnuSTExit"))->trigger();
        QCOMPARE(ended.count(), 0);
        QVERIFY(m_app->tray.shown);
        window->Menus().Action(QStringLiteral("mnuSTExit"))->trigger();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_app->prompts.messages.size(), 2);
        QVERIFY(!m_app->tray.shown);
        QCOMPARE(m_app->Stored(QStringLiteral("MainView")), QStringLiteral("<none>"));
    }

    void closeWhileMinimizedExits()
    {
        auto window = m_app->Start();
        window->showMinimized();
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(false));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_app->prompts.messages.size(), 1);
    }

    void bringingBackRestoresAMinimizedWindow()
    {
        auto window = m_app->Start(QStringLiteral("/HIDE"));
        window->ProcessCmd(QStringLiteral("B"));
        QVERIFY(!window->isVisible());
        window->ProcessCmd(QStringLiteral("A"));
        QVERIFY(window->isVisible());
        QVERIFY(!window->isMinimized());
        QVERIFY(window->WindowShown());
    }

    void alwaysOnTopClickedTwiceReturnsToNormal()
    {
        auto window = m_app->Start();
        QAction* entry = window->Menus().Action(QStringLiteral("mnuViewAlwaysOnTop"));
        entry->trigger();
        QVERIFY(window->Options().AlwaysOnTop());
        QVERIFY(entry->isChecked());
        entry->trigger();
        QVERIFY(!window->Options().AlwaysOnTop());
        QVERIFY(!entry->isChecked());
    }

    void viewSelectorDoesNotRebuildWhileLoading()
    {
        auto window = m_app->Start();
        QVERIFY(QDir(m_app->Favorites() + QStringLiteral("/Tech")).removeRecursively());
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
