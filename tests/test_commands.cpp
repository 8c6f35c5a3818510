#include "app/CommandDispatch.h"
#include "app/MainMenus.h"
#include "app/ToolbarLayout.h"
#include "app/frmToolbar.h"
#include "app/clsOptions.h"
#include "app/frmFav1.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/IconSet.h"
#include "favorites/StatusPanels.h"
#include "platform/Clock.h"
#include "platform/FileSystemService.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "platform/TextFields.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/AppFixture.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

class TestCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    static QStringList toolbarKeys(const QToolBar& toolbar)
    {
        QStringList keys;
        for (const QAction* action : toolbar.actions())
            keys.append(ToolbarLayout::Key(action));
        return keys;
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build(QStringLiteral(R"(
            News/BBC.url = http://bbc
            Top.url = http://top
        )"));
    }
    void cleanup() { m_app.reset(); }

    void getField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("field");
        QTest::newRow("first") << "a,b,c" << 1 << "a";
        QTest::newRow("middle") << "a,b,c" << 2 << "b";
        QTest::newRow("last") << "a,b,c" << 3 << "c";
        QTest::newRow("beyond") << "a,b,c" << 4 << "";
        QTest::newRow("below one is the first") << "a,b" << 0 << "a";
        QTest::newRow("no delimiter") << "abc" << 1 << "abc";
        QTest::newRow("no delimiter, second") << "abc" << 2 << "";
        QTest::newRow("empty between") << "a,,c" << 2 << "";
        QTest::newRow("trailing delimiter") << "a," << 2 << "";
        QTest::newRow("empty text") << "" << 1 << "";
    }

    void getField()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, field);
        QCOMPARE(TextFields::GetField(text, u',', n), field);
        QCOMPARE(TextFields::CountChar(text, u','), static_cast<int>(text.count(u',')));
    }

    void layoutStrings_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("saved");
        QTest::newRow("separator and help") << "S,Help" << QStringList{"S1", "Help"} << "S,Help";
        QTest::newRow("empty field skipped") << "Refresh,,Help" << QStringList{"Refresh", "Help"} << "Refresh,Help";
        QTest::newRow("separator keyed by its field")
            << "Help,,S,Refresh,S" << QStringList{"Help", "S3", "Refresh", "S5"} << "Help,S,Refresh,S";
        QTest::newRow("keys without a menu entry") << "CopyLink,Explore" << QStringList{"CopyLink", "Explore"}
                                                   << "CopyLink,Explore";
        QTest::newRow("case matters") << "help,s" << QStringList{"help", "s"} << "help,s";
    }

    void layoutStrings()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, keys);
        QFETCH(QString, saved);
        QToolBar toolbar;
        const IconSet icons = IconSet::Toolbar();
        ToolbarLayout::LoadToolbar(toolbar, layout, icons);
        QCOMPARE(toolbarKeys(toolbar), keys);
        QCOMPARE(ToolbarLayout::SaveToolbar(toolbar), saved);
    }

    void emptyLayoutsKeepTheToolbar_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("empty") << "";
        QTest::newRow("commas") << ",,,";
        QTest::newRow("commas and blanks") << " , ,  ";
    }

    void emptyLayoutsKeepTheToolbar()
    {
        QFETCH(QString, layout);
        QToolBar toolbar;
        const IconSet icons = IconSet::Toolbar();
        ToolbarLayout::LoadToolbar(toolbar, QStringLiteral("Refresh,S,Help"), icons);
        ToolbarLayout::LoadToolbar(toolbar, layout, icons);
        QCOMPARE(ToolbarLayout::SaveToolbar(toolbar), QStringLiteral("Refresh,S,Help"));
    }

    void everyCommandKeyHasADescriptionAndPicture()
    {
        const IconSet icons = IconSet::Toolbar();
        const QStringList keys = ToolbarLayout::Catalogue.split(u',') + QStringList{"CopyLink", "Explore", "Blank"};
        for (const QString& key : keys) {
            if (key == QLatin1String("S"))
                continue;
            QVERIFY2(icons.Has(key), qPrintable(key));
            if (key != QLatin1String("Blank"))
                QVERIFY2(key == QLatin1String("CopyLink") || key == QLatin1String("Explore") ||
                             !CommandDispatch::MenuEntryFor(key).isEmpty(),
                         qPrintable(key));
        }
        QCOMPARE(ToolbarLayout::ButtonDescription(QStringLiteral("Created")), QStringLiteral("Created View"));
        QCOMPARE(ToolbarLayout::ButtonDescription(QStringLiteral("PasteLink")), QStringLiteral("Add Link from Browser"));
        QCOMPARE(ToolbarLayout::ButtonDescription(QStringLiteral("Arrange")), QStringLiteral("Arrange"));
    }

    void popupPreparers_data()
    {
        QTest::addColumn<int>("place");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("list item") << 0
            << QStringList{"Open", "Open in New Window", "-", "Search...", "-", "Add Link...", "Copy To...",
                           "Move To...", "Delete", "Rename", "New Folder...", "Properties...", "-", "Font...",
                           "Color...", "Themes...", "-", "Refresh"};
        QTest::newRow("list space") << 1
            << QStringList{"Search...", "-", "Add Link...", "New Folder...", "-", "Font...", "Color...",
                           "Themes...", "-", "Refresh"};
        QTest::newRow("tree node, Normal view") << 2
            << QStringList{"Search...", "-", "Add Link...", "Copy To...", "Move To...", "Delete", "Rename",
                           "New Folder...", "Properties...", "-", "Font...", "Color...", "Themes...", "-",
                           "Refresh"};
        QTest::newRow("tree node, other view") << 3
            << QStringList{"Search...", "-", "Add Link...", "Copy To...", "Move To...", "Delete", "Rename",
                           "Properties...", "-", "Font...", "Color...", "Themes...", "-", "Refresh"};
        QTest::newRow("tree space") << 4 << QStringList{"Font...", "Color...", "Themes...", "-", "Refresh"};
    }

    void popupPreparers()
    {
        QFETCH(int, place);
        QFETCH(QStringList, entries);
        QMainWindow window;
        MainMenus menus(window);
        // Start from a different preparer, so every flag is really set.
        if (place == 4)
            menus.PopupLvwItem();
        else
            menus.PopupTvwNoItem();
        switch (place) {
        case 0: menus.PopupLvwItem(); break;
        case 1: menus.PopupLvwNoItem(); break;
        case 2: menus.PopupTvwItem(true); break;
        case 3: menus.PopupTvwItem(false); break;
        default: menus.PopupTvwNoItem(); break;
        }
        QCOMPARE(menus.VisiblePopupEntries(), entries);
    }

    void menuBarHasEveryEntry()
    {
        QMainWindow window;
        MainMenus menus(window);
        QCOMPARE(menus.Action(QStringLiteral("mnuFileOpen"))->text(), QStringLiteral("&Browse For Favorites..."));
        QCOMPARE(menus.Action(QStringLiteral("mnuViewAccessed"))->text(), QStringLiteral("Last A&ccessed"));
        QCOMPARE(menus.Action(QStringLiteral("mnuViewRefresh"))->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(menus.Action(QStringLiteral("mnuHelpContents"))->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(menus.Action(QStringLiteral("mnuEditSep2"))->isSeparator());
        QCOMPARE(menus.mnuToolbar()->title(), QStringLiteral("Toobar Menu"));
        QStringList tray;
        for (const QAction* a : menus.mnuSysTray()->actions())
            tray.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(tray, QStringList({"&Open...", "O&ptions...", "&About...", "-", "E&xit", "&Cancel Menu"}));
        QStringList bar;
        for (const QAction* a : window.menuBar()->actions())
            bar.append(a->text());
        QCOMPARE(bar, QStringList({"&File", "&Edit", "&View", "&Tools", "&Help"}));

        // A popup entry runs the menu bar entry it stands for.
        QSignalSpy refresh(menus.Action(QStringLiteral("mnuViewRefresh")), &QAction::triggered);
        menus.Action(QStringLiteral("mnuPopRefresh"))->trigger();
        QCOMPARE(refresh.count(), 1);
    }

    void toolbarFromTheSettingRunsItsCommands()
    {
        auto window = m_app->Start();
        QCOMPARE(toolbarKeys(*window->tbrToolbar()).first(4), QStringList({"S1", "OpenLink", "OpenNewLink", "PasteLink"}));
        QAction* refresh = window->tbrToolbar()->actions().at(5);
        QCOMPARE(ToolbarLayout::Key(refresh), QStringLiteral("Refresh"));
        QCOMPARE(refresh->toolTip(), QStringLiteral("Refresh"));

        QVERIFY(QDir().mkpath(m_app->Favorites() + QStringLiteral("/Fresh")));
        refresh->trigger();
        QVERIFY(window->Tree().FindNodeByText(QStringLiteral("Fresh")));
        QVERIFY(!window->Dispatch().Run(QStringLiteral("NoSuchKey")));
        QVERIFY(!window->Dispatch().Run(QStringLiteral("S1")));
    }

    void viewEntriesCarryOneCheckMark()
    {
        auto window = m_app->Start();
        window->SelectView(FavoritesViews::Normal);
        QVERIFY(window->Menus().ViewAction(0)->isChecked());
        for (int i = 1; i < 8; ++i)
            QVERIFY(!window->Menus().ViewAction(i)->isChecked());
    }

    void browseForFavoritesSwitchesTheRoot()
    {
        auto window = m_app->Start();
        const QString other = m_app->env.Root() + QStringLiteral("/Other");
        FavoritesBuilder(other).Build(QStringLiteral("Elsewhere/\n"));
        m_app->prompts.folders.enqueue(other + u'/');
        window->Menus().Action(QStringLiteral("mnuFileOpen"))->trigger();
        QCOMPARE(m_app->prompts.folderTitles, QStringList({"Browse for Favorites"}));
        QCOMPARE(window->FavoritesRoot(), other);
        QCOMPARE(window->Options().FavoritesPath(), other);
        QVERIFY(window->Tree().FindNodeByText(QStringLiteral("Elsewhere")));

        // A cancelled browse changes nothing.
        window->Menus().Action(QStringLiteral("mnuFileOpen"))->trigger();
        QCOMPARE(window->FavoritesRoot(), other);

        // Back to the user's own Favorites; the setting follows only at exit.
        window->Menus().Action(QStringLiteral("mnuFileCurrentUser"))->trigger();
        QCOMPARE(window->FavoritesRoot(), m_app->Favorites());
        QCOMPARE(window->Options().FavoritesPath(), other);
        QVERIFY(window->Tree().FindNodeByText(QStringLiteral("News")));
    }

    void listClicksOpenByTheSetting_data()
    {
        QTest::addColumn<bool>("dblClick");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opensOnRelease");
        QTest::addColumn<bool>("opensOnDoubleClick");
        QTest::newRow("double click on") << true << int(Qt::NoModifier) << false << true;
        QTest::newRow("single click") << false << int(Qt::NoModifier) << true << false;
        QTest::newRow("single click with Ctrl") << false << int(Qt::ControlModifier) << false << false;
    }

    void listClicksOpenByTheSetting()
    {
        QFETCH(bool, dblClick);
        QFETCH(int, modifiers);
        QFETCH(bool, opensOnRelease);
        QFETCH(bool, opensOnDoubleClick);
        auto window = m_app->Start();
        window->Options().SetDblClick(dblClick);
        window->SetLvwMousePointer();
        QList<QTreeWidgetItem*> opened;
        connect(window.get(), &frmFav1::openListItemRequested, this,
                [&opened](QTreeWidgetItem* item) { opened.append(item); });
        QTreeWidgetItem* item = window->List().Item(1);
        window->List().Widget()->setCurrentItem(item);
        window->lvwItemReleased(item, Qt::LeftButton, Qt::KeyboardModifiers(modifiers), QPoint(5, 5));
        QCOMPARE(opened.count(), opensOnRelease ? 1 : 0);
        window->lvwDoubleClicked();
        QCOMPARE(opened.count(), (opensOnRelease ? 1 : 0) + (opensOnDoubleClick ? 1 : 0));
        for (QTreeWidgetItem* openedItem : opened)
            QCOMPARE(FavoritesList::Text(openedItem), QStringLiteral("Top"));
    }

    void rightClicksPrepareThePopup()
    {
        auto window = m_app->Start();
        MainMenus& menus = window->Menus();
        QTreeWidgetItem* root = window->Tree().Root();
        window->tvwNodeReleased(root, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(menus.VisiblePopupEntries(),
                 QStringList({"Search...", "-", "Add Link...", "New Folder...", "-", "Font...", "Color...",
                              "Themes...", "-", "Refresh"}));
        menus.mnuPopup()->hide();

        QTreeWidgetItem* news = window->Tree().FindNodeByText(QStringLiteral("News"));
        window->tvwNodeReleased(news, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(window->Tree().SelectedItem(), news);
        QCOMPARE(FavoritesList::Text(window->List().Item(0)), QStringLiteral("BBC"));
        QVERIFY(menus.Action(QStringLiteral("mnuPopDelete"))->isVisible());
        menus.mnuPopup()->hide();

        window->lvwItemReleased(window->List().Item(0), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(window->List().SelectedItem(), window->List().Item(0));
        QVERIFY(menus.Action(QStringLiteral("mnuPopOpen"))->isVisible());
        QVERIFY(menus.Action(QStringLiteral("mnuPopNewFolder"))->isVisible());
        menus.mnuPopup()->hide();

        // Space with a modifier held opens nothing.
        menus.PopupLvwItem();
        window->lvwItemReleased(nullptr, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 5));
        QVERIFY(!menus.mnuPopup()->isVisible());
        window->lvwItemReleased(nullptr, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(!menus.Action(QStringLiteral("mnuPopOpen"))->isVisible());
        menus.mnuPopup()->hide();
    }

    void helpEntriesAskForTheirTopics()
    {
        auto window = m_app->Start();
        QList<int> topics;
        connect(window.get(), &frmFav1::helpTopicRequested, this, [&topics](int t) { topics.append(t); });
        window->Menus().Action(QStringLiteral("mnuHelpContents"))->trigger();
        window->Menus().Action(QStringLiteral("mnuHelpIndex"))->trigger();
        window->Menus().Action(QStringLiteral("mnuHelpGettingStarted"))->trigger();
        QVERIFY(window->Dispatch().Run(QStringLiteral("Help")));
        QCOMPARE(topics, QList<int>({51001, 51005, 51002, 51001}));
    }

    void customizeToolbarRebuildsIt()
    {
        auto window = m_app->Start();
        m_app->prompts.dialogHandler = [](QDialog& dialog) {
            auto* members = dialog.findChild<QListWidget*>(QStringLiteral("lvwMembers"));
            while (members->count() > 1)
                delete members->takeItem(members->count() - 1);
            qobject_cast<frmToolbar*>(&dialog)->OKClick();
            return int(QDialog::Accepted);
        };
        window->Menus().Action(QStringLiteral("mnuToolsToolbar"))->trigger();
        QCOMPARE(window->Options().ToolbarButtons(), QStringLiteral("S"));
        QCOMPARE(toolbarKeys(*window->tbrToolbar()), QStringList({"S1"}));
    }

    void renameInPlace()
    {
        auto window = m_app->Start();
        // A link of the list: the extension stays.
        QTreeWidget* list = window->List().Widget();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(window->List().Item(1)).center());
        QCOMPARE(window->ActivePane(), QStringLiteral("L"));
        QCOMPARE(window->List().SelectedItem(), window->List().Item(1));
        window->Menus().Action(QStringLiteral("mnuEditRename"))->trigger();
        auto* editor = window->List().Widget()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("Renamed"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFile::exists(m_app->Favorites() + QStringLiteral("/Renamed.url")));
        QVERIFY(!QFile::exists(m_app->Favorites() + QStringLiteral("/Top.url")));

        // A folder entry loses its leading blank while edited; a bad name is refused and
        // the timer puts the blank back.
        QTreeWidgetItem* folder = window->List().Item(0);
        QCOMPARE(folder->text(0), QStringLiteral(" News"));
        window->List().Widget()->setCurrentItem(folder);
        window->Menus().Action(QStringLiteral("mnuEditRename"))->trigger();
        QCOMPARE(folder->text(0), QStringLiteral("News"));
        editor = window->List().Widget()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("a/b"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m_app->prompts.messages.size(), 1);
        QVERIFY(QDir(m_app->Favorites() + QStringLiteral("/News")).exists());
        QTRY_COMPARE_WITH_TIMEOUT(window->List().Item(0)->text(0), QStringLiteral(" News"), 3000);
    }

    void toolbarLayoutIsStoredAtExit()
    {
        WriteRegValue(m_app->registry, QStringLiteral("Software\\Tavoro"), QStringLiteral("Settings"),
                      QStringLiteral("ToolbarButtons"), QStringLiteral(",Help,,S"));
        auto window = m_app->Start();
        QCOMPARE(toolbarKeys(*window->tbrToolbar()), QStringList({"Help", "S4"}));
        m_app->prompts.answers.enqueue(Prompts::Answer::Yes);
        window->ExitProgram();
        QCOMPARE(ReadRegValue(m_app->registry, QStringLiteral("Software\\Tavoro"), QStringLiteral("Settings"),
                              QStringLiteral("ToolbarButtons"), QString())
                     .toString(),
                 QStringLiteral("Help,S"));
    }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
