#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/IconSet.h"
#include "favorites/PropertiesInfo.h"
#include "favorites/PropertiesTarget.h"
#include "favorites/frmProperties.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>
#include <QTreeWidget>

class TestProperties : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }
    FavoritesBuilder builder() const { return FavoritesBuilder(root()); }
    const QDateTime m_modified{QDate(2004, 9, 24), QTime(17, 38, 14)};
    const QDateTime m_accessed{QDate(2005, 1, 2), QTime(0, 5, 9)};

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        builder().Build(QStringLiteral(R"(
            News/Daily News.url = http://daily.example/
            Tools.Old/
        )"));
        builder().Times("News/Daily News.url", m_modified, m_accessed);
        builder().Times("Tools.Old", m_modified, m_accessed);
    }
    void cleanup() { m_env.reset(); }

    void target_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("listTag"); // "-": nothing selected
        QTest::addColumn<QString>("treeTag");
        QTest::addColumn<QString>("shown"); // type and path, or "-" for nothing
        QTest::newRow("link in the list") << "L" << "/f/a.url" << "/f" << "L /f/a.url";
        QTest::newRow("folder in the list") << "L" << "*/f/News" << "/f" << "F /f/News";
        QTest::newRow("blanks trimmed") << "L" << " /f/a.url  " << "/f" << "L /f/a.url";
        QTest::newRow("folder tag trimmed") << "L" << "* /f/News " << "/f" << "F /f/News";
        QTest::newRow("nothing in the list") << "L" << "-" << "/f" << "-";
        QTest::newRow("tree touched last") << "T" << "/f/a.url" << "/f/News " << "F /f/News";
        QTest::newRow("no pane touched yet") << "" << "/f/a.url" << "/f" << "F /f";
        QTest::newRow("group node") << "T" << "-" << "" << "F ";
        QTest::newRow("nothing in the tree") << "T" << "/f/a.url" << "-" << "-";
    }
    void target()
    {
        QFETCH(QString, pane);
        QFETCH(QString, listTag);
        QFETCH(QString, treeTag);
        QFETCH(QString, shown);
        auto tag = [](const QString& t) {
            return t == QLatin1String("-") ? std::nullopt : std::optional<QString>(t);
        };
        const auto target = PropertiesTarget::For(pane, tag(listTag), tag(treeTag));
        QCOMPARE(target ? target->ItemType + u' ' + target->ItemPath : QStringLiteral("-"), shown);
    }

    void link()
    {
        const QString path = root() + "/News/Daily News.url";
        const PropertiesInfo info = PropertiesInfo::Read(FileSystemService(), path, "L");
        QCOMPARE(info.Name, QStringLiteral("Daily News"));
        QCOMPARE(info.Location, root() + "/News");
        QCOMPARE(info.URL, QStringLiteral("http://daily.example/"));
        QCOMPARE(info.Modified, QStringLiteral("Friday, September 24, 2004  5:38:14 PM"));
        QCOMPARE(info.Accessed, QStringLiteral("Sunday, January 2, 2005  12:05:09 AM"));
        QVERIFY(!info.Created.isEmpty());
        QVERIFY(!info.ReadOnly && !info.Hidden && !info.System);
    }

    void folder()
    {
        const PropertiesInfo info =
            PropertiesInfo::Read(FileSystemService(), root() + "/Tools.Old", "F");
        QCOMPARE(info.Name, QStringLiteral("Tools.Old"));
        QCOMPARE(info.Location, root() + "/Tools.Old");
        QCOMPARE(info.URL, QString());
        QCOMPARE(info.Modified, QStringLiteral("Friday, September 24, 2004  5:38:14 PM"));
    }

    void unreadableItemsShowNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("type");
        QTest::newRow("missing link") << "/News/Gone.url" << "L";
        QTest::newRow("missing folder") << "/Gone" << "F";
        QTest::newRow("folder taken for a link") << "/Tools.Old" << "L";
        QTest::newRow("link taken for a folder") << "/News/Daily News.url" << "F";
    }
    void unreadableItemsShowNothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);
        const PropertiesInfo info = PropertiesInfo::Read(FileSystemService(), root() + path, type);
        QCOMPARE(info.Name + info.Location + info.URL + info.Created + info.Modified, QString());
        QVERIFY(!info.ReadOnly && !info.Hidden);
        QCOMPARE(PropertiesInfo::Read(FileSystemService(), QString(), "F").Name, QString());
    }

    void attributes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("plain") << "Plain.url" << false << false;
        QTest::newRow("read-only") << "Locked.url" << true << false;
        QTest::newRow("hidden") << ".Secret.url" << false << true;
        QTest::newRow("read-only and hidden") << ".Both.url" << true << true;
    }
    void attributes()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QFETCH(bool, hidden);
        builder().Link(name, "http://a");
        const QString path = builder().Path(name);
        if (readOnly)
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const QFile::Permissions before = QFile::permissions(path);

        const FileSystemService fileSystem;
        frmProperties dialog(fileSystem);
        dialog.SetItemPath(path);
        dialog.SetItemType("L");
        dialog.LoadItem();
        const PropertiesInfo shown = dialog.Shown();
        QCOMPARE(shown.ReadOnly, readOnly);
        QCOMPARE(shown.Hidden, hidden);
        QVERIFY(!shown.System);
        QCOMPARE(shown.URL, QStringLiteral("http://a"));
        QCOMPARE(QFile::permissions(path), before); // looking changes nothing
    }

    void timeText_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon") << QDateTime(QDate(2004, 9, 24), QTime(17, 38, 14))
                                   << "Friday, September 24, 2004  5:38:14 PM";
        QTest::newRow("after midnight") << QDateTime(QDate(2010, 3, 1), QTime(0, 0, 5))
                                        << "Monday, March 1, 2010  12:00:05 AM";
        QTest::newRow("noon") << QDateTime(QDate(1999, 12, 31), QTime(12, 0, 0))
                              << "Friday, December 31, 1999  12:00:00 PM";
        QTest::newRow("morning") << QDateTime(QDate(2021, 7, 4), QTime(9, 7, 3))
                                 << "Sunday, July 4, 2021  9:07:03 AM";
        QTest::newRow("none") << QDateTime() << "";
    }
    void timeText()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, text);
        QCOMPARE(PropertiesInfo::TimeText(time), text);
    }

    void commandShowsTheTreeFolderWhenTheTreeWasTouchedLast()
    {
        // The panes as the main window holds them: a folder selected in the tree, a link
        // selected in the list.
        const IconSet icons = IconSet::Panes();
        QTreeWidget treeWidget;
        QTreeWidget listWidget;
        FavoritesTree tree(&treeWidget, icons);
        FavoritesList list(&listWidget, icons);
        QTreeWidgetItem* top = tree.AddRoot("Normal View", root(), "Favorites");
        tree.Select(tree.AddFolderNode(top, "News", root() + "/News"));
        list.AddColumn("Link Name", 100);
        list.AddRows({{QString(), "Daily News", "URL", root() + "/News/Daily News.url", {}}});
        list.Item(0)->setSelected(true);

        ScriptedPrompts prompts;
        QStringList shown;
        prompts.dialogHandler = [&](QDialog& dialog) {
            auto& properties = static_cast<frmProperties&>(dialog);
            shown.append(properties.windowTitle() + u':' + properties.Shown().Name + u':' +
                         properties.Shown().URL);
            return int(QDialog::Accepted);
        };
        for (const char* pane : {"T", "L"}) {
            const auto target =
                PropertiesTarget::For(pane, FavoritesList::Tag(list.SelectedItem()),
                                      FavoritesTree::Tag(tree.SelectedItem()));
            QVERIFY(target);
            frmProperties::ShowProperties(*target, FileSystemService(), prompts, nullptr);
        }
        QCOMPARE(shown, QStringList({"Properties:News:",
                                     "Properties:Daily News:http://daily.example/"}));
    }
};

QTEST_MAIN(TestProperties)
#include "test_properties.moc"
