#include "app/frmFav1.h"
#include "editing/EditCommands.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/SearchLinks.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QTreeWidget>

#include <memory>

class TestEditCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;
    std::unique_ptr<EditCommands> m_commands;
    SearchLinks m_links;

    QString fav(const QString& relative) const { return m_app->Favorites() + u'/' + relative; }
    bool exists(const QString& relative) const { return QFileInfo::exists(fav(relative)); }
    ScriptedPrompts& prompts() { return m_app->prompts; }

    void selectNode(const QString& relative)
    {
        m_commands->SelectFolderNode(m_window->Tree(),
                                     relative.isEmpty() ? m_app->Favorites() : fav(relative));
    }
    // Selects exactly the list entries with these tags.
    void selectEntries(const QStringList& tags)
    {
        FavoritesList& list = m_window->List();
        list.Widget()->clearSelection();
        for (int i = 0; i < list.Count(); ++i) {
            if (tags.contains(FavoritesList::Tag(list.Item(i))))
                list.Item(i)->setSelected(true);
        }
    }
    QString selectedNodeTag() const { return FavoritesTree::Tag(m_window->Tree().SelectedItem()); }
    QString selectedEntryTag() const
    {
        return FavoritesList::Tag(m_window->List().SelectedItem());
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build(QStringLiteral(R"(
            News/BBC.url = http://bbc
            News/Daily/
            Archive/
            Top.url = http://top
        )"));
        m_window = m_app->Start();
        m_commands = std::make_unique<EditCommands>(
            m_window->Tree(), m_window->List(), m_window->Views(), m_app->fileSystem,
            m_app->prompts, m_links, m_window.get());
        selectNode(QString());
        prompts().messages.clear();
    }
    void cleanup()
    {
        m_commands.reset();
        m_window.reset();
        m_app.reset();
    }

    void copyOfAListLinkGoesToThePickedFolder()
    {
        selectEntries({fav("Top.url")});
        prompts().folders.enqueue(fav("Archive"));
        m_commands->CopyTo(QStringLiteral("L"));
        QCOMPARE(prompts().folderTitles, QStringList{"Copy To Directory"});
        QVERIFY(exists("Top.url"));
        QVERIFY(exists("Archive/Top.url"));
        QCOMPARE(selectedNodeTag(), fav("Archive"));
        QVERIFY(prompts().messages.isEmpty());
    }

    void moveOfAListLinkLeavesItsOldPlace()
    {
        selectEntries({fav("Top.url")});
        prompts().folders.enqueue(fav("News/"));
        m_commands->MoveTo(QStringLiteral("L"));
        QCOMPARE(prompts().folderTitles, QStringList{"Move To Directory"});
        QVERIFY(!exists("Top.url"));
        QVERIFY(exists("News/Top.url"));
        QCOMPARE(selectedNodeTag(), fav("News"));
    }

    void cancellingThePickerDoesNothing()
    {
        selectEntries({fav("Top.url")});
        m_commands->MoveTo(QStringLiteral("L"));
        QVERIFY(exists("Top.url"));
        QVERIFY(prompts().messages.isEmpty());
        QCOMPARE(selectedNodeTag(), m_app->Favorites());
    }

    void copyWithoutSelectionSaysSo()
    {
        selectEntries({});
        m_commands->CopyTo(QStringLiteral("L"));
        QCOMPARE(prompts().texts(), QStringList{"Please select an item to copy."});
        QVERIFY(prompts().folderTitles.isEmpty());
    }

    void treeCopyAndMoveUseTheirOwnTitle()
    {
        selectNode(QStringLiteral("News"));
        prompts().folders.enqueue(fav("Archive"));
        m_commands->CopyTo(QStringLiteral("T"));
        QVERIFY(exists("Archive/News/BBC.url"));
        QVERIFY(exists("News/BBC.url"));

        selectNode(QStringLiteral("News/Daily"));
        prompts().folders.enqueue(fav("Archive"));
        m_commands->MoveTo(QStringLiteral("T"));
        QCOMPARE(prompts().folderTitles,
                 QStringList({"Select a Destination Directory", "Select a Destination Directory"}));
        QVERIFY(!exists("News/Daily"));
        QVERIFY(exists("Archive/Daily"));
        QCOMPARE(selectedNodeTag(), fav("Archive/Daily"));
    }

    void treeMoveOntoItselfIsRefused()
    {
        selectNode(QStringLiteral("News"));
        prompts().folders.enqueue(m_app->Favorites());
        m_commands->MoveTo(QStringLiteral("T"));
        QCOMPARE(prompts().texts(),
                 QStringList{"Source and Destination directories cannot be the same."});
        QVERIFY(exists("News/BBC.url"));
    }

    void deletingListItemsAsksWithNoAsTheDefault()
    {
        selectEntries({fav("Top.url")});
        m_commands->Delete(QStringLiteral("L"));
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.first().text,
                 QStringLiteral("Are you sure you want to delete Top?"));
        QCOMPARE(prompts().messages.first().defaultAnswer, Prompts::Answer::No);
        QCOMPARE(prompts().messages.first().icon, Prompts::Icon::Exclamation);
        QVERIFY(exists("Top.url"));

        const int before = m_window->List().Count();
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete(QStringLiteral("L"));
        QVERIFY(!exists("Top.url"));
        QCOMPARE(m_window->List().Count(), before - 1);
    }

    void deletingAFolderEntryDeletesTheFolder()
    {
        selectEntries({u'*' + fav("Archive"), fav("Top.url")});
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete(QStringLiteral("L"));
        QCOMPARE(prompts().messages.first().text,
                 QStringLiteral("Are you sure you want to delete these 2 items?"));
        QVERIFY(!exists("Archive"));
        QVERIFY(!exists("Top.url"));
        QVERIFY(!m_window->Tree().FindNodeByTag(fav("Archive")));
        QVERIFY(exists("News/BBC.url"));
    }

    void treeDeleteRemovesTheFolderAndSelectsItsParent()
    {
        selectNode(QStringLiteral("News/Daily"));
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete(QStringLiteral("T"));
        QCOMPARE(prompts().messages.first().text,
                 QStringLiteral("Are you sure you want to delete 'Daily' and all its contents?"));
        QCOMPARE(prompts().messages.first().defaultAnswer, Prompts::Answer::No);
        QVERIFY(!exists("News/Daily"));
        QVERIFY(!m_window->Tree().FindNodeByTag(fav("News/Daily")));
        QCOMPARE(selectedNodeTag(), fav("News"));
    }

    void theRootIsNeverDeletedOrRenamed()
    {
        selectNode(QString());
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete(QStringLiteral("T"));
        QVERIFY(!m_commands->Rename(QStringLiteral("T"), QStringLiteral("Elsewhere")));
        QVERIFY(prompts().messages.isEmpty());
        QVERIFY(exists("News/BBC.url"));
        QVERIFY(exists("Top.url"));
    }

    void newFolderGoesUnderTheSelectedNode()
    {
        selectNode(QStringLiteral("News"));
        prompts().inputs.enqueue(QStringLiteral("a<b"));
        prompts().inputs.enqueue(QStringLiteral("Fresh"));
        m_commands->NewFolder(QStringLiteral("T"));
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY(prompts().messages.first().text.startsWith(
            QStringLiteral("Cannot contain any of the following characters:")));
        QVERIFY(!exists("News/a<b"));
        QVERIFY(QFileInfo(fav("News/Fresh")).isDir());
        QCOMPARE(selectedNodeTag(), fav("News/Fresh"));
    }

    void newFolderOnlyInTheNormalView()
    {
        m_window->SelectView(FavoritesViews::PhoneBook);
        prompts().messages.clear();
        m_commands->NewFolder(QStringLiteral("T"));
        QCOMPARE(prompts().texts(), QStringList{"Create Folder is only available in Normal View."});
    }

    void renamingALinkKeepsItsExtension()
    {
        selectEntries({fav("Top.url")});
        QVERIFY(m_commands->Rename(QStringLiteral("L"), QStringLiteral("Daily")));
        QVERIFY(!exists("Top.url"));
        QVERIFY(exists("Daily.url"));
        QCOMPARE(selectedEntryTag(), fav("Daily.url"));
    }

    void renamingATreeNodeRenamesItsFolder()
    {
        selectNode(QStringLiteral("News/Daily"));
        QVERIFY(!m_commands->Rename(QStringLiteral("T"), QStringLiteral("a|b")));
        QVERIFY(m_commands->Rename(QStringLiteral("T"), QStringLiteral("Weekly")));
        QVERIFY(exists("News/Weekly"));
        QVERIFY(!exists("News/Daily"));
        QCOMPARE(selectedNodeTag(), fav("News/Weekly"));
    }

    void copyLinkPutsTheShortcutPathOnTheClipboard()
    {
        selectEntries({fav("Top.url")});
        m_commands->CopyLink(QStringLiteral("L"));
        QCOMPARE(QGuiApplication::clipboard()->text(), fav("Top.url"));

        selectEntries({u'*' + fav("News")});
        m_commands->CopyLink(QStringLiteral("L"));
        QCOMPARE(prompts().texts(), QStringList{"Please select a link to copy to the clipboard."});
    }

    void copyOverAnExistingNameIsRefused()
    {
        FavoritesBuilder(m_app->Favorites()).File(QStringLiteral("Archive/Top.url"), "mine");
        selectEntries({fav("Top.url")});
        prompts().folders.enqueue(fav("Archive"));
        m_commands->CopyTo(QStringLiteral("L"));
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY(prompts().messages.first().text.contains(QStringLiteral("File already exists")));
        QFile target(fav("Archive/Top.url"));
        QVERIFY(target.open(QIODevice::ReadOnly));
        QCOMPARE(target.readAll(), QByteArray("mine"));
    }
};

QTEST_MAIN(TestEditCommands)
#include "test_editcommands.moc"
