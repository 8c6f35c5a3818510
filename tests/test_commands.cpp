#include "app/CommandDispatch.h"
#include "app/MainMenus.h"
#include "app/ToolbarLayout.h"
#include "app/clsOptions.h"
#include "app/frmToolbar.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "platform/TextFields.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QStringList items(const char* list)
{
    return QString::fromUtf8(list).split(QStringLiteral(", "));
}

QStringList toolbarKeys(const QToolBar& toolbar)
{
    QStringList keys;
    for (const QAction* action : toolbar.actions())
        keys.append(ToolbarLayout::Key(action));
    return keys;
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    QAction* action(const QString& name) const { return m_window->Menus().Action(name); }
    void start() { m_window = m_app->Start(); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build("News/BBC.url = http://bbc\nTop.url = http://top\n");
    }
    void cleanup()
    {
        m_window.reset();
        m_app.reset();
    }

    void getField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("field");
        QTest::newRow("first") << "a,b,c" << 1 << "a";
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

    // Each layout loaded over "Refresh,S,Help"; one without a single key keeps that.
    void layoutStrings_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("saved");
        QTest::newRow("separator and help") << "S,Help" << items("S1, Help") << "S,Help";
        QTest::newRow("empty field skipped") << "Refresh,,Help" << items("Refresh, Help") << "Refresh,Help";
        QTest::newRow("separator keyed by its field")
            << "Help,,S,Refresh,S" << items("Help, S3, Refresh, S5") << "Help,S,Refresh,S";
        QTest::newRow("keys without a menu entry") << "CopyLink,Explore" << items("CopyLink, Explore")
                                                   << "CopyLink,Explore";
        QTest::newRow("case matters") << "help,s" << items("help, s") << "help,s";
        for (const char* empty : {"", ",,,", " , ,  "})
            QTest::newRow(qPrintable(u'"' + QString(empty) + u'"'))
                << empty << items("Refresh, S2, Help") << "Refresh,S,Help";
    }
    void layoutStrings()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, keys);
        QFETCH(QString, saved);
        QToolBar toolbar;
        const IconSet icons = IconSet::Toolbar();
        ToolbarLayout::LoadToolbar(toolbar, "Refresh,S,Help", icons);
        ToolbarLayout::LoadToolbar(toolbar, layout, icons);
        QCOMPARE(toolbarKeys(toolbar), keys);
        QCOMPARE(ToolbarLayout::SaveToolbar(toolbar), saved);
    }

    void everyCommandKeyHasADescriptionAndPicture()
    {
        const IconSet icons = IconSet::Toolbar();
        for (const QString& key : ToolbarLayout::Catalogue.split(u',') + items("CopyLink, Explore")) {
            if (key == QLatin1String("S"))
                continue;
            QVERIFY2(icons.Has(key), qPrintable(key));
            QVERIFY2(key == QLatin1String("CopyLink") || key == QLatin1String("Explore") ||
                         !CommandDispatch::MenuEntryFor(key).isEmpty(), qPrintable(key));
        }
        QVERIFY(icons.Has("Blank"));
        QCOMPARE(ToolbarLayout::ButtonDescription("Created"), QStringLiteral("Created View"));
        QCOMPARE(ToolbarLayout::ButtonDescription("PasteLink"), QStringLiteral("Add Link from Browser"));
        QCOMPARE(ToolbarLayout::ButtonDescription("Arrange"), QStringLiteral("Arrange"));
    }

    void popupPreparers()
    {
        QMainWindow window;
        MainMenus menus(window);
        // Most and fewest entries in turn, so every entry is really shown and hidden.
        menus.PopupLvwItem();
        menus.PopupTvwNoItem();
        QCOMPARE(menus.VisiblePopupEntries(), items("Font..., Color..., Themes..., -, Refresh"));
        menus.PopupLvwItem();
        QCOMPARE(menus.VisiblePopupEntries(),
                 items("Open, Open in New Window, -, Search..., -, Add Link..., Copy To..., Move To..., "
                       "Delete, Rename, New Folder..., Properties..., -, Font..., Color..., Themes..., "
                       "-, Refresh"));
        menus.PopupLvwNoItem();
        QCOMPARE(menus.VisiblePopupEntries(), items("Search..., -, Add Link..., New Folder..., -, "
                                                    "Font..., Color..., Themes..., -, Refresh"));
        menus.PopupTvwItem(true);
        QCOMPARE(menus.VisiblePopupEntries(),
                 items("Search..., -, Add Link..., Copy To..., Move To..., Delete, Rename, "
                       "New Folder..., Properties..., -, Font..., Color..., Themes..., -, Refresh"));
        menus.PopupTvwItem(false);
        QCOMPARE(menus.VisiblePopupEntries(),
                 items("Search..., -, Add Link..., Copy To..., Move To..., Delete, Rename, "
                       "Properties..., -, Font..., Color..., Themes..., -, Refresh"));
    }

    void menuBarHasEveryEntry()
    {
        QMainWindow window;
        MainMenus menus(window);
        QCOMPARE(menus.Action("mnuViewRefresh")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(menus.Action("mnuHelpContents")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(menus.mnuToolbar()->title(), QStringLiteral("Toobar Menu"));
        QStringList tray;
        for (const QAction* a : menus.mnuSysTray()->actions())
            tray.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(tray, items("&Open..., O&ptions..., &About..., -, E&xit, &Cancel Menu"));
        QStringList bar;
        for (const QAction* a : window.menuBar()->actions())
            bar.append(a->text());
        QCOMPARE(bar, items("&File, &Edit, &View, &Tools, &Help"));
        // A popup entry runs the menu bar entry it stands for.
        QSignalSpy refresh(menus.Action("mnuViewRefresh"), &QAction::triggered);
        menus.Action("mnuPopRefresh")->trigger();
        QCOMPARE(refresh.count(), 1);
    }

    void toolbarFromTheSettingRunsItsCommandsAndIsCustomized()
    {
        m_app->Store("ToolbarButtons", ",S,Help,,Refresh");
        start();
        QCOMPARE(toolbarKeys(*m_window->tbrToolbar()), items("S2, Help, Refresh"));
        QAction* refresh = m_window->tbrToolbar()->actions().at(2);
        QCOMPARE(refresh->toolTip(), QStringLiteral("Refresh"));
        QVERIFY(QDir().mkpath(m_app->Favorites() + "/Fresh"));
        refresh->trigger();
        QVERIFY(m_window->Tree().FindNodeByText("Fresh"));
        QVERIFY(!m_window->Dispatch().Run("NoSuchKey"));
        QVERIFY(!m_window->Dispatch().Run("S2"));

        // Customized down to one separator: rebuilt at once, stored at exit.
        m_app->prompts.dialogHandler = [](QDialog& dialog) {
            auto* members = dialog.findChild<QListWidget*>("lvwMembers");
            while (members->count() > 1)
                delete members->takeItem(members->count() - 1);
            qobject_cast<frmToolbar*>(&dialog)->OKClick();
            return int(QDialog::Accepted);
        };
        action("mnuToolsToolbar")->trigger();
        QCOMPARE(toolbarKeys(*m_window->tbrToolbar()), items("S1"));
        QCOMPARE(m_window->Options().ToolbarButtons(), QStringLiteral("S"));
        QCOMPARE(m_app->Stored("ToolbarButtons"), QStringLiteral(",S,Help,,Refresh"));
        m_app->prompts.answers.enqueue(Prompts::Answer::Yes);
        m_window->ExitProgram();
        QCOMPARE(m_app->Stored("ToolbarButtons"), QStringLiteral("S"));
    }

    void viewEntriesCarryOneCheckMark()
    {
        start();
        m_window->SelectView(FavoritesViews::PhoneBook);
        for (int i = 0; i < FavoritesViews::ViewCount; ++i)
            QCOMPARE(m_window->Menus().ViewAction(i)->isChecked(), i == FavoritesViews::PhoneBook);
    }

    void browseForFavoritesSwitchesTheRoot()
    {
        start();
        const QString other = m_app->env.Root() + "/Other";
        FavoritesBuilder(other).Build("Elsewhere/\n");
        m_app->prompts.folders.enqueue(other + u'/');
        action("mnuFileOpen")->trigger();
        QCOMPARE(m_app->prompts.folderTitles, QStringList({"Browse for Favorites"}));
        QCOMPARE(m_window->FavoritesRoot(), other);
        QCOMPARE(m_window->Options().FavoritesPath(), other);
        QVERIFY(m_window->Tree().FindNodeByText("Elsewhere"));
        // A cancelled browse changes nothing.
        action("mnuFileOpen")->trigger();
        QCOMPARE(m_window->FavoritesRoot(), other);
        // Back to the user's own Favorites; the setting follows only at exit.
        action("mnuFileCurrentUser")->trigger();
        QCOMPARE(m_window->FavoritesRoot(), m_app->Favorites());
        QCOMPARE(m_window->Options().FavoritesPath(), other);
        QVERIFY(m_window->Tree().FindNodeByText("News"));
    }

    void listClicksOpenByTheSetting_data()
    {
        QTest::addColumn<bool>("dblClick");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opensOnRelease");
        QTest::newRow("double click on") << true << int(Qt::NoModifier) << false;
        QTest::newRow("single click") << false << int(Qt::NoModifier) << true;
        QTest::newRow("single click with Ctrl") << false << int(Qt::ControlModifier) << false;
    }
    void listClicksOpenByTheSetting()
    {
        QFETCH(bool, dblClick);
        QFETCH(int, modifiers);
        QFETCH(bool, opensOnRelease);
        start();
        m_window->Options().SetDblClick(dblClick);
        m_window->SetLvwMousePointer();
        QStringList opened;
        connect(m_window.get(), &frmFav1::openListItemRequested, this,
                [&opened](QTreeWidgetItem* item) { opened.append(FavoritesList::Text(item)); });
        QTreeWidgetItem* item = m_window->List().Item(1);
        m_window->List().Widget()->setCurrentItem(item);
        m_window->lvwItemReleased(item, Qt::LeftButton, Qt::KeyboardModifiers(modifiers), QPoint(5, 5));
        QCOMPARE(opened, opensOnRelease ? items("Top") : QStringList());
        m_window->lvwDoubleClicked();
        QCOMPARE(opened.count(), int(opensOnRelease) + int(dblClick));
        QCOMPARE(opened.count(QStringLiteral("Top")), opened.count());
    }

    void rightClicksPrepareThePopup()
    {
        start();
        MainMenus& menus = m_window->Menus();
        auto release = [&](QTreeWidgetItem* item, bool inTree, Qt::KeyboardModifiers keys = {}) {
            menus.mnuPopup()->hide();
            if (inTree)
                m_window->tvwNodeReleased(item, Qt::RightButton, keys, QPoint(5, 5));
            else
                m_window->lvwItemReleased(item, Qt::RightButton, keys, QPoint(5, 5));
        };
        // The root node offers what the list's empty space does: it cannot be deleted or renamed.
        release(m_window->Tree().Root(), true);
        QCOMPARE(menus.VisiblePopupEntries(), items("Search..., -, Add Link..., New Folder..., -, "
                                                    "Font..., Color..., Themes..., -, Refresh"));
        QTreeWidgetItem* news = m_window->Tree().FindNodeByText("News");
        release(news, true);
        QCOMPARE(m_window->Tree().SelectedItem(), news);
        QCOMPARE(FavoritesList::Text(m_window->List().Item(0)), QStringLiteral("BBC"));
        QVERIFY(action("mnuPopDelete")->isVisible());

        release(m_window->List().Item(0), false);
        QCOMPARE(m_window->List().SelectedItem(), m_window->List().Item(0));
        QVERIFY(action("mnuPopOpen")->isVisible() && action("mnuPopNewFolder")->isVisible());
        // Space with a modifier held opens nothing.
        release(nullptr, false, Qt::ShiftModifier);
        QVERIFY(!menus.mnuPopup()->isVisible());
        release(nullptr, false);
        QVERIFY(!action("mnuPopOpen")->isVisible());
        menus.mnuPopup()->hide();
    }

    void helpEntriesAskForTheirTopics()
    {
        start();
        QList<int> topics;
        connect(m_window.get(), &frmFav1::helpTopicRequested, this, [&topics](int t) { topics.append(t); });
        for (const char* entry : {"mnuHelpContents", "mnuHelpIndex", "mnuHelpGettingStarted"})
            action(entry)->trigger();
        QVERIFY(m_window->Dispatch().Run("Help"));
        QCOMPARE(topics, QList<int>({51001, 51005, 51002, 51001}));
    }

    void renameInPlace()
    {
        start();
        // A link of the list: the extension stays.
        QTreeWidget* list = m_window->List().Widget();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(m_window->List().Item(1)).center());
        QCOMPARE(m_window->ActivePane(), QStringLiteral("L"));
        QCOMPARE(m_window->List().SelectedItem(), m_window->List().Item(1));
        action("mnuEditRename")->trigger();
        auto* editor = list->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText("Renamed");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFile::exists(m_app->Favorites() + "/Renamed.url"));
        QVERIFY(!QFile::exists(m_app->Favorites() + "/Top.url"));

        // A folder entry loses its leading blank while edited; a bad name is refused and
        // the timer puts the blank back.
        QTreeWidgetItem* folder = m_window->List().Item(0);
        QCOMPARE(folder->text(0), QStringLiteral(" News"));
        list->setCurrentItem(folder);
        action("mnuEditRename")->trigger();
        QCOMPARE(folder->text(0), QStringLiteral("News"));
        editor = list->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText("a/b");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m_app->prompts.messages.size(), 1);
        QVERIFY(QDir(m_app->Favorites() + "/News").exists());
        QTRY_COMPARE_WITH_TIMEOUT(m_window->List().Item(0)->text(0), QStringLiteral(" News"), 3000);
    }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
