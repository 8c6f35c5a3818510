// The toolbar, its layout and the Customize Toolbar dialog; renaming in place.
#include "app/CommandDispatch.h"
#include "app/HelpViewer.h"
#include "app/MainMenus.h"
#include "app/ToolbarLayout.h"
#include "app/frmToolbar.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/FolderWatch.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolBar>

namespace {

QStringList toolbarKeys(const QToolBar& toolbar)
{
    QStringList keys;
    for (const QAction* action : toolbar.actions())
        keys.append(ToolbarLayout::Key(action));
    return keys;
}

QString keys(const QListWidget* list)
{
    return frmToolbar::EntryKeys(list).join(u',');
}

// The catalogue's buttons, in order, less those named in gone.
QString offered(const QString& gone)
{
    QStringList left = ToolbarLayout::Catalogue.split(u',');
    for (const QString& key : (gone + ",S").split(u','))
        left.removeAll(key);
    return left.join(u',');
}

void select(QListWidget* list, const QString& rows)
{
    list->clearSelection();
    for (const QString& row : rows.split(u' ', Qt::SkipEmptyParts))
        list->item(row.toInt())->setSelected(true);
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    std::unique_ptr<frmToolbar> m_dialog;

    QAction* action(const QString& name) const { return m_window->Menus().Action(name); }
    frmToolbar& open(const QString& layout)
    {
        m_dialog = std::make_unique<frmToolbar>(m_app->prompts, IconSet::Toolbar());
        m_dialog->SetToolbarButtons(layout);
        m_dialog->InitLists();
        return *m_dialog;
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("News/BBC.url = http://bbc\nTop.url = http://top");
    }
    void cleanup()
    {
        m_dialog.reset();
        m_window.reset();
        m_app.reset();
    }

    void toolbarFromTheSettingRunsItsCommandsAndIsCustomized()
    {
        m_app->Store("ToolbarButtons", ",S,Help,,Refresh");
        m_window = m_app->Start();
        QCOMPARE(toolbarKeys(*m_window->tbrToolbar()), QStringList({"S2", "Help", "Refresh"}));
        QVERIFY(QDir().mkpath(m_app->Favorites() + "/Fresh"));
        m_window->tbrToolbar()->actions().at(2)->trigger();
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
        QCOMPARE(toolbarKeys(*m_window->tbrToolbar()), QStringList{"S1"});
        QCOMPARE(m_app->Stored("ToolbarButtons"), ",S,Help,,Refresh");
        m_app->prompts.answers.enqueue(Prompts::Answer::Yes);
        m_window->ExitProgram();
        QCOMPARE(m_app->Stored("ToolbarButtons"), "S");
    }

    // The dialog offers the catalogue less the members, whatever their case.
    void initLists()
    {
        frmToolbar& dialog = open("help,,REFRESH");
        QCOMPARE(keys(dialog.lvwMembers()), "help,REFRESH");
        QCOMPARE(keys(dialog.lvwAvailable()), offered("Refresh,Help"));
        QCOMPARE(keys(open("CopyLink,Explore").lvwAvailable()), offered(""));
    }

    // Clicks: a Add, r Remove, s Separator, u Move Up, d Move Down; A and R double-click
    // the available and the member list. The chosen rows are selected in the list the
    // clicks take from; current is the member current then.
    void edit_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("members");
        QTest::addColumn<QString>("gained"); // appended to the available list
        const auto row = [](const char* name, const char* layout, int current, const char* chosen,
                            const char* clicks, const char* members, const char* gained = "") {
            QTest::newRow(name) << QString(layout) << current << QString(chosen) << QString(clicks)
                                << QString(members) << QString(gained);
        };
        // Available starts Open, Favorites, OpenLink, OpenNewLink, PasteLink, Search...
        row("add after the current", "S,Help,Refresh", 1, "0 2 4", "a",
            "S,Help,Open,OpenLink,PasteLink,Refresh");
        // Taken from the last up, so they arrive the other way round.
        row("remove several", "S,Help,S,Refresh", -1, "1 2 3", "r", "S", "Refresh,Help");
        row("double-click adds", "Help", -1, "1", "A", "Help,Favorites");
        row("double-click removes", "Help,Open", -1, "0", "R", "Open", "Help");
        row("separator, then down past the last", "Help,Refresh", 0, "", "sddd", "S,Refresh,Help");
        // The moved entry stays current, so repeated moves carry it to the top.
        row("carried to the top", "Open,Refresh,Search,Help", 3, "", "uuuuu",
            "Help,Open,Refresh,Search");
    }
    void edit()
    {
        QFETCH(QString, layout);
        QFETCH(int, current);
        QFETCH(QString, chosen);
        QFETCH(QString, clicks);
        QFETCH(QString, gained);
        frmToolbar& d = open(layout);
        QListWidget* members = d.lvwMembers();
        QListWidget* available = d.lvwAvailable();
        const QString availableBefore = keys(available);
        select(clicks.startsWith(u'a', Qt::CaseInsensitive) ? available : members, chosen);
        members->setCurrentItem(members->item(current), QItemSelectionModel::NoUpdate);
        void (frmToolbar::*const buttons[])() = {
            &frmToolbar::AddClick, &frmToolbar::RemoveClick, &frmToolbar::SeparatorClick,
            &frmToolbar::MoveUpClick, &frmToolbar::MoveDownClick};
        for (const QChar click : clicks) {
            QListWidget* list = click == u'A' ? available : members;
            if (const qsizetype i = QString("arsud").indexOf(click); i >= 0)
                (d.*buttons[i])();
            else
                Q_EMIT list->itemDoubleClicked(list->selectedItems().first());
        }
        QTEST(keys(members), "members");
        // Nothing lost or doubled: what joined the members left the offer, and the reverse.
        QStringList kept = availableBefore.split(u',', Qt::SkipEmptyParts);
        for (const QString& key : keys(members).split(u','))
            kept.removeAll(key);
        kept += gained.split(u',', Qt::SkipEmptyParts);
        QCOMPARE(keys(available), kept.join(u','));
    }

    // OK keeps separators and drops empty fields; Cancel after changes and a reset gives back
    // the layout the dialog was given.
    void okAndCancel()
    {
        frmToolbar& dialog = open("S,Help,,S,Refresh");
        dialog.OKClick();
        QCOMPARE(dialog.ToolbarButtons(), "S,Help,S,Refresh");
        QVERIFY(dialog.IsSaved() && dialog.result() == QDialog::Accepted);
        m_app->prompts.dialogHandler = [](QDialog& shown) {
            auto& d = dynamic_cast<frmToolbar&>(shown);
            select(d.lvwAvailable(), "0 1");
            d.AddClick();
            select(d.lvwMembers(), "0 1 2");
            d.RemoveClick();
            d.ResetClick(); // answered OK
            d.CancelClick();
            return d.result();
        };
        HelpViewer help;
        QCOMPARE(frmToolbar::Customize("S,Help", m_app->prompts, help, IconSet::Toolbar(), nullptr),
                 "S,Help");
    }

    // In place: a bad name is refused and the old one comes back; a good one keeps its
    // blanks as typed.
    void renameInPlace()
    {
        m_window = m_app->Start();
        QTreeView* list = m_window->List().Widget();
        const auto rename = [&](const QString& name, int endingClickRow = -1) {
            const QRect row = list->visualRect(m_window->List().Item(0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            action("mnuEditRename")->trigger();
            auto* editor = list->findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->setText(name);
            if (endingClickRow < 0)
                QTest::keyClick(editor, Qt::Key_Return);
            else
                list->setCurrentIndex(m_window->List().Item(endingClickRow));
        };
        rename("a/b");
        QTRY_COMPARE(m_app->prompts.messages.size(), 1);
        QVERIFY(QDir(m_app->Favorites() + "/News").exists());
        QCOMPARE(FavoritesList::Text(m_window->List().Item(0)), "News");
        rename(" Old News ");
        QTRY_VERIFY(QDir(m_app->Favorites() + "/ Old News ").exists());
        // Ended by a click on another entry, the edit still renames.
        rename("Latest", 1);
        QTRY_VERIFY(QDir(m_app->Favorites() + "/Latest").exists());
    }

    // What another program changes shows by itself: a new link reads the listed folder
    // again and leaves the tree; the listed folder moved away selects its parent; the
    // Single List follows a folder deep down. The list keeps its selection.
    void viewsFollowTheDisk()
    {
        m_window = m_app->Start();
        m_window->Watch().SetTimes(50, 50);
        const auto settled = [this] {
            m_app->clock.Advance(100);
            return true;
        };
        FavoritesBuilder disk(m_app->Favorites());
        m_window->NodeClick(m_window->Tree().Root());
        m_window->List().SelectOnly(m_window->List().Item(0));
        QTreeWidgetItem* news = m_window->Tree().FindNodeByTag(disk.Path("News"));
        disk.Build("Added (conflicted copy 2026-12-01 1).url = http://added");
        QTRY_COMPARE((settled(), m_window->List().Count()), 3);
        QCOMPARE(FavoritesList::Text(m_window->List().SelectedItem()), "News");
        QCOMPARE(m_window->Tree().FindNodeByTag(disk.Path("News")), news);

        m_window->Tree().Select(news);
        m_window->NodeClick(news);
        QVERIFY(QDir().rename(disk.Path("News"), m_app->env.Root() + "/Away"));
        QTRY_COMPARE((settled(), m_window->List().Count()), 2);
        QCOMPARE(m_window->Tree().SelectedItem(), m_window->Tree().Root());

        disk.Build("Deep/er/");
        QTRY_VERIFY((settled(), m_window->Tree().FindNodeByTag(disk.Path("Deep/er"))));
        m_window->SelectView(FavoritesViews::SingleList);
        disk.Build("Deep/er/Down.url = http://down");
        QTRY_COMPARE((settled(), m_window->List().Count()), 1); // links below the root only
    }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
