#include "core/clsOptions.h"
#include "editing/ChangeHistory.h"
#include "editing/EditCommands.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListView.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesTreeWidget.h"
#include "favorites/FavoritesViews.h"
#include "favorites/SearchLinks.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

class TestEditCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;
    std::unique_ptr<EditCommands> m_commands;

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
                list.Widget()->selectionModel()->select(
                    list.Item(i), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    QString selectedNodeTag() const { return FavoritesTree::Tag(m_window->Tree().SelectedItem()); }
    // "verb entry..." on the root's list entries ("*" marks a folder), Yes to every question.
    void run(const QString& command)
    {
        QStringList words = command.split(u' ');
        const QString verb = words.takeFirst();
        QStringList tags;
        for (const QString& word : words)
            tags << (word.startsWith(u'*') ? u'*' + fav(word.mid(1)) : fav(word));
        selectNode(QString());
        selectEntries(tags);
        prompts().folders.enqueue(fav("Archive"));
        prompts().inputs << "Fresh";
        prompts().answers.enqueue(Prompts::Answer::Yes);
        if (verb == "move" || verb == "copy")
            verb == "move" ? m_commands->MoveTo("L") : m_commands->CopyTo("L");
        else if (verb == "rename")
            m_commands->Rename("L", "Fresh");
        else if (verb == "delete")
            m_commands->Delete("L");
        else
            selectNode(words.first()), m_commands->NewFolder("T");
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("News/BBC.url = http://bbc\nNews/Daily/\nArchive/\nTop.url = http://top\n");
        m_window = m_app->Start();
        m_commands = std::make_unique<EditCommands>(m_window->AllPanes());
        selectNode(QString());
        prompts().messages.clear();
    }
    void cleanup()
    {
        m_commands.reset();
        m_window.reset();
        m_app.reset();
    }

    // A cancelled folder picker does nothing; afterwards the destination's node is selected.
    void copyAndMoveSelectTheDestination()
    {
        selectEntries({fav("Top.url")});
        m_commands->MoveTo("L");
        QVERIFY(exists("Top.url"));
        prompts().folders.enqueue(fav("Archive"));
        m_commands->CopyTo("L");
        QVERIFY(exists("Top.url") && exists("Archive/Top.url"));
        QCOMPARE(selectedNodeTag(), fav("Archive"));

        selectNode("News/Daily");
        prompts().folders.enqueue(fav("Archive/"));
        m_commands->MoveTo("T");
        QVERIFY(!exists("News/Daily") && exists("Archive/Daily"));
        QCOMPARE(selectedNodeTag(), fav("Archive/Daily"));
        QVERIFY(prompts().messages.isEmpty());

        selectEntries({});
        m_commands->CopyTo("L");
        selectNode("News");
        prompts().folders.enqueue(m_app->Favorites());
        m_commands->MoveTo("T");
        QCOMPARE(prompts().texts(),
                 (QStringList{"Please select an item to copy.",
                              "Source and Destination directories cannot be the same."}));
        QVERIFY(exists("News/BBC.url"));
    }

    // Deleting asks first, with No as the default; the root is never deleted or renamed.
    void deleteAsksFirst()
    {
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete("T");
        QVERIFY(!m_commands->Rename("T", "Elsewhere"));
        QVERIFY(prompts().messages.isEmpty() && exists("Top.url"));
        prompts().answers.clear();

        selectEntries({fav("Top.url")});
        m_commands->Delete("L");
        QCOMPARE(prompts().texts(),
                 QStringList{"Are you sure you want to move 'Top' to the Trash?"});
        QCOMPARE(prompts().messages.first().defaultAnswer, Prompts::Answer::No);
        QVERIFY(exists("Top.url"));

        selectEntries({u'*' + fav("Archive")});
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete("L");
        QVERIFY(!exists("Archive") && !m_window->Tree().FindNodeByTag(fav("Archive")));

        selectNode("News/Daily");
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete("T");
        QVERIFY(!exists("News/Daily") && !m_window->Tree().FindNodeByTag(fav("News/Daily")));
        QCOMPARE(selectedNodeTag(), fav("News"));
    }

    // Shift+Delete in either pane, and the Delete key with the option set, delete for good
    // with the old questions; the plain Delete key goes to the Trash.
    void deleteKeys_data()
    {
        QTest::addColumn<QString>("target"); // "*" marks a tree node
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("question");
        const QString daily = "Are you sure you want to delete 'Daily' and all its contents?";
        QTest::newRow("list") << "Top.url"
                              << "shift"
                              << "Are you sure you want to delete Top?";
        QTest::newRow("tree") << "*News/Daily"
                              << "shift" << daily;
        QTest::newRow("list, option") << "Top.url"
                                      << "option"
                                      << "Are you sure you want to delete Top?";
        QTest::newRow("tree, option") << "*News/Daily"
                                      << "option" << daily;
        QTest::newRow("tree, Trash")
            << "*News/Daily"
            << "trash"
            << "Are you sure you want to move 'Daily' and all its contents to the Trash?";
    }
    void deleteKeys()
    {
        QFETCH(QString, target);
        QFETCH(QString, how);
        QFETCH(QString, question);
        const bool tree = target.startsWith(u'*');
        const QString rel = tree ? target.mid(1) : target;
        m_window->Options().SetDeleteWithoutTrash(how == "option");
        QAbstractItemView* view = m_window->List().Widget();
        if (tree) {
            view = m_window->Tree().Widget();
            selectNode(rel);
            Q_EMIT static_cast<FavoritesTreeWidget*>(view)->touched();
        } else {
            selectEntries({fav(rel)});
            Q_EMIT static_cast<FavoritesListView*>(view)->touched();
        }
        prompts().messages.clear();
        prompts().answers.enqueue(Prompts::Answer::Yes);
        QTest::keyClick(view, Qt::Key_Delete, how == "shift" ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(prompts().texts(), QStringList{question});
        QVERIFY(!exists(rel));
        const QString trashed = m_app->env.DataHome() + "/Trash/files/" + QFileInfo(rel).fileName();
        QCOMPARE(QFileInfo::exists(trashed), how == "trash");
    }

    void newFolderAndRename()
    {
        selectEntries({fav("Top.url")});
        QVERIFY(m_commands->Rename("L", "Daily"));
        QVERIFY(!exists("Top.url") && exists("Daily.url"));
        QCOMPARE(FavoritesList::Tag(m_window->List().SelectedItem()), fav("Daily.url"));
        selectNode("News/Daily");
        QVERIFY(m_commands->Rename("T", "Weekly"));
        QVERIFY(exists("News/Weekly") && !exists("News/Daily"));
        QCOMPARE(selectedNodeTag(), fav("News/Weekly"));
        prompts().messages.clear();
        prompts().inputs << "a<b"
                         << "Fresh";
        m_commands->NewFolder("T");
        QCOMPARE(prompts().messages.size(), 1); // the bad name, then asked again
        QVERIFY(!exists("News/Weekly/a<b") && QFileInfo(fav("News/Weekly/Fresh")).isDir());
        QCOMPARE(selectedNodeTag(), fav("News/Weekly/Fresh"));

        m_window->SelectView(FavoritesViews::PhoneBook);
        prompts().messages.clear();
        m_commands->NewFolder("T");
        QCOMPARE(prompts().texts(), QStringList{"Create Folder is only available in Normal View."});
    }

    // Each command is one step: undo puts the disk back as it was, redo makes it again.
    void undoAndRedo_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("made"); // there after the command, gone after undo
        QTest::addColumn<QStringList>("gone"); // gone after the command, back after undo
        QTest::newRow("move") << "move Top.url"
                              << "Move of 'Top'" << QStringList{"Archive/Top.url"}
                              << QStringList{"Top.url"};
        QTest::newRow("copy") << "copy *News Top.url"
                              << "Copy of 2 items"
                              << QStringList{"Archive/News/BBC.url", "Archive/Top.url"}
                              << QStringList{};
        QTest::newRow("rename") << "rename *News"
                                << "Rename of 'News'" << QStringList{"Fresh/BBC.url"}
                                << QStringList{"News/Daily"};
        QTest::newRow("new folder")
            << "new Archive"
            << "New Folder of 'Fresh'" << QStringList{"Archive/Fresh"} << QStringList{};
        QTest::newRow("delete") << "delete Top.url *News"
                                << "Delete of 2 items" << QStringList{}
                                << QStringList{"Top.url", "News/Daily"};
    }
    void undoAndRedo()
    {
        QFETCH(QString, command);
        QFETCH(QString, step);
        QFETCH(QStringList, made);
        QFETCH(QStringList, gone);
        const auto expect = [&](bool done) {
            for (const QString& rel : made)
                QVERIFY2(exists(rel) == done, qPrintable(rel));
            for (const QString& rel : gone)
                QVERIFY2(exists(rel) != done, qPrintable(rel));
        };
        run(command);
        expect(true);
        QAction* undo = m_window->findChild<QAction*>("mnuEditUndo");
        QCOMPARE(undo->text(), "&Undo " + step);
        undo->trigger();
        expect(false);
        QVERIFY(QDir(m_app->env.DataHome() + "/Trash/info").isEmpty());
        QVERIFY(m_window->History().Redo());
        expect(true);
        QVERIFY(m_window->History().Undo());
        expect(false);
        QVERIFY(prompts().texts().filter("Unable").isEmpty());
    }

    // Undo never replaces or removes what has changed since; a refused step stays, and
    // what it had already put back goes again.
    void undoRefusesAChangedDisk()
    {
        ChangeHistory& history = m_window->History();
        run("delete Top.url *News");
        FavoritesBuilder(m_app->Favorites()).Build("Top.url = http://other\n");
        QVERIFY(!history.Undo());
        QCOMPARE(prompts().texts().last(),
                 "Unable to undo Delete of 2 items.\n\nFile already exists: " + fav("Top.url"));
        QVERIFY(!exists("News") && history.Stack().canUndo());

        run("copy Top.url");
        QFile copy(fav("Archive/Top.url"));
        QVERIFY(copy.open(QIODevice::Append) && copy.write("[x]\n") > 0);
        copy.close();
        QVERIFY(!history.Undo());
        QVERIFY(prompts().texts().last().endsWith("It has been changed since: " + copy.fileName()));
        QVERIFY(history.Stack().canUndo() && exists("Archive/Top.url"));
    }
};

QTEST_MAIN(TestEditCommands)
#include "test_editcommands.moc"
