#include "app/MainMenus.h"
#include "app/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/StatusPanels.h"
#include "platform/Twips.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
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
    // Settings as "Name=value".
    void store(const QStringList& settings)
    {
        for (const QString& setting : settings)
            m_app->Store(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    }
    QStringList stored(const QStringList& names)
    {
        QStringList settings;
        for (const QString& name : names)
            settings.append(name + u'=' + m_app->Stored(name));
        return settings;
    }
    int messages() const { return int(m_app->prompts.messages.size()); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("News/Daily/Guardian.url = http://guardian\nNews/BBC.url = http://bbc\n"
                   "Tech/\nTop.url = http://top\n");
    }
    void cleanup() { m_app.reset(); }

    void firstStartShowsTheNormalView()
    {
        auto window = m_app->Start();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tavoro 1.1.3"));
        QCOMPARE(window->FavoritesRoot(), m_app->Favorites());
        QVERIFY(!window->cboFormat()->isVisibleTo(window.get()));
        QCOMPARE(window->Tree().Count(), 4);
        QCOMPARE(window->Tree().SelectedItem(), window->Tree().Root());
        QCOMPARE(window->List().Count(), 3);
        QCOMPARE(window->Status().Text(3), QStringLiteral("Normal View"));
        QVERIFY(window->WindowShown());
        QCOMPARE(window->size(), QSize(px(11220), px(6165)));
        // Without a stored position the window is centred on the screen; the frame is not
        // known before the first show, hence the slack.
        const QPoint offset = window->geometry().center() - window->screen()->geometry().center();
        QVERIFY(qAbs(offset.x()) <= 3 && qAbs(offset.y()) <= 3);
    }

    void rememberedGeometryAndFolder()
    {
        store({"MainWidth=9000", "MainHeight=7500", "MainLeft=1500", "MainTop=-1", "TreeWidth=2400",
               "SelectedPath=Normal View/News/Daily"});
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
        store({"SelectedPath=Normal View/Gone"});
        auto window = m_app->Start();
        QCOMPARE(window->Tree().SelectedItem(), window->Tree().Root());
        store({"SelectedPath=Normal View/Tech", "RememberFolder=0"});
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
        QCOMPARE(m_app->Stored("MainView"), QStringLiteral("<none>"));
        QCOMPARE(messages(), 1);
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
        QTreeWidgetItem* tech = window->Tree().FindNodeByText("Tech");
        window->NodeClick(tech);
        window->Tree().Select(tech);
        // The selector moved without the view following: the shown view is stored.
        window->cboFormat()->blockSignals(true);
        window->cboFormat()->setCurrentIndex(FavoritesViews::SearchResults);
        window->cboFormat()->blockSignals(false);
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(stored({"MainWidth", "MainHeight", "MainLeft", "MainTop", "MainView", "TreeWidth",
                         "SelectedPath", "FavoritesPath", "ToolbarButtons"}),
                 QStringList({"MainWidth=10500", "MainHeight=6000", "MainLeft=300", "MainTop=450",
                              "MainView=0", "TreeWidth=3075", "SelectedPath=Normal View/Tech",
                              "FavoritesPath=" + m_app->Favorites(),
                              "ToolbarButtons=" + clsOptions::DefaultToolbarButtons}));
    }

    // Without a confirmation: the geometry from before maximizing, and with nothing selected
    // (even an empty tree) the folder remembered before.
    void closeWhileMaximizedWithNothingSelected()
    {
        store({"MainLeft=600", "MainTop=750", "ConfirmExit=0", "SelectedPath=Normal View/Gone"});
        auto window = m_app->Start();
        window->showMaximized();
        window->Tree().Clear();
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(stored({"MainWidth", "MainLeft", "MainTop", "SelectedPath"}),
                 QStringList({"MainWidth=11220", "MainLeft=600", "MainTop=750",
                              "SelectedPath=Normal View/Gone"}));
        QCOMPARE(messages(), 0);
    }

    void closeWhileHiddenSavesNothing()
    {
        auto window = m_app->Start("/HIDE");
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(true));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(messages(), 0);
        QCOMPARE(m_app->Stored("MainView"), QStringLiteral("<none>"));
    }

    void exitFromTheTrayWhileHiddenAsksOnce()
    {
        auto window = m_app->Start("/hide");
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        m_app->prompts.answers.enqueue(Prompts::Answer::No);
        window->Menus().Action("mnuSTExit")->trigger();
        QCOMPARE(ended.count(), 0);
        QVERIFY(m_app->tray.shown);
        window->Menus().Action("mnuSTExit")->trigger();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(messages(), 2);
        QVERIFY(!m_app->tray.shown);
        QCOMPARE(m_app->Stored("MainView"), QStringLiteral("<none>"));
    }

    void withoutATrayIconTheCloseBoxExits()
    {
        m_app->tray.available = false;
        auto window = m_app->Start();
        QVERIFY(window->Options().SystemTray() && !window->TrayIconShown());
        QVERIFY(window->QueryUnload(false));
        QCOMPARE(messages(), 1); // the exit question, not a hidden window
    }

    void closeWhileMinimizedExits()
    {
        auto window = m_app->Start();
        window->showMinimized();
        QSignalSpy ended(window.get(), &frmFav1::processEnded);
        QVERIFY(window->QueryUnload(false));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(messages(), 1);
    }

    void closeBoxHidesIntoTheTray()
    {
        auto window = m_app->Start();
        QCOMPARE(m_app->tray.tip, QStringLiteral("Tavoro 1.1.3"));
        QStringList promptTexts;
        m_app->prompts.dialogHandler = [&promptTexts](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                promptTexts.append(label->text());
            dialog.findChild<QCheckBox*>("chkDontShow")->setChecked(true);
            dialog.findChild<QPushButton*>("cmdOk")->click();
            return int(dialog.result());
        };
        QVERIFY(!window->close());
        QVERIFY(!window->isVisible() && !window->WindowShown());
        QVERIFY(promptTexts.contains(
            "Tavoro will remain loaded in memory and accessible via the taskbar tray icon.  "));
        // "Don't show this message again" reaches the registry at once.
        QCOMPARE(m_app->Stored("SysTrayPrompt"), QStringLiteral("0"));
        QCOMPARE(messages(), 0);
        // The icon brings the window back.
        Q_EMIT m_app->tray.leftReleased();
        QVERIFY(window->isVisible() && window->WindowShown());
    }

    void bringingBackRestoresAMinimizedWindow()
    {
        auto window = m_app->Start("/HIDE");
        window->ProcessCmd("B");
        QVERIFY(!window->isVisible());
        window->ProcessCmd("A");
        QVERIFY(window->isVisible() && !window->isMinimized() && window->WindowShown());
    }

    void alwaysOnTopClickedTwiceReturnsToNormal()
    {
        auto window = m_app->Start();
        QAction* entry = window->Menus().Action("mnuViewAlwaysOnTop");
        for (const bool onTop : {true, false}) {
            entry->trigger();
            QCOMPARE(window->Options().AlwaysOnTop(), onTop);
            QCOMPARE(entry->isChecked(), onTop);
        }
    }

    void viewSelectorDoesNotRebuildWhileLoading()
    {
        auto window = m_app->Start();
        QVERIFY(QDir(m_app->Favorites() + "/Tech").removeRecursively());
        window->SetIsLoading(true);
        window->SelectView(FavoritesViews::SingleList);
        window->SelectView(FavoritesViews::Normal);
        QVERIFY(window->Tree().FindNodeByText("Tech"));
        window->SetIsLoading(false);
        window->RefreshView();
        QVERIFY(!window->Tree().FindNodeByText("Tech"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
