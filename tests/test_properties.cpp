#include "favorites/PropertiesInfo.h"
#include "favorites/PropertiesTarget.h"
#include "favorites/frmProperties.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QFile>
#include <QTest>

class TestProperties : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }
    const QDateTime m_modified{QDate(2004, 9, 24), QTime(17, 38, 14)};
    const QDateTime m_accessed{QDate(2005, 1, 2), QTime(0, 5, 9)};

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        FavoritesBuilder(root())
            .Build("News/Daily News.url = http://daily.example/\nTools.Old/\n")
            .Times("News/Daily News.url", m_modified, m_accessed)
            .Times("Tools.Old", m_modified, m_accessed);
    }
    void cleanup() { m_env.reset(); }

    void target_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("listTag"); // "-": nothing selected
        QTest::addColumn<QString>("treeTag");
        QTest::addColumn<QString>("shown"); // type and path, or "-" for nothing
        // Blanks belong to the name: "x.url " is not its neighbour "x.url".
        QTest::newRow("link in the list") << "L"
                                          << "/f/a.url "
                                          << "/f"
                                          << "L /f/a.url ";
        QTest::newRow("folder in the list") << "L"
                                            << "*/f/News"
                                            << "/f"
                                            << "F /f/News";
        QTest::newRow("nothing in the list") << "L"
                                             << "-"
                                             << "/f"
                                             << "-";
        QTest::newRow("tree touched last") << "T"
                                           << "/f/a.url"
                                           << "/f/News "
                                           << "F /f/News ";
        QTest::newRow("no pane touched yet") << ""
                                             << "/f/a.url"
                                             << "/f"
                                             << "F /f";
        QTest::newRow("nothing in the tree") << "T"
                                             << "/f/a.url"
                                             << "-"
                                             << "-";
    }
    void target()
    {
        QFETCH(QString, pane);
        QFETCH(QString, listTag);
        QFETCH(QString, treeTag);
        auto tag = [](const QString& t) { return t == "-" ? std::nullopt : std::optional(t); };
        const auto target = PropertiesTarget::For(pane, tag(listTag), tag(treeTag));
        QTEST(target ? target->ItemType + u' ' + target->ItemPath : QStringLiteral("-"), "shown");
    }

    // An empty name means the item cannot be read as that type: everything is empty.
    void read_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("url");
        QTest::newRow("link") << "/News/Daily News.url"
                              << "L"
                              << "Daily News"
                              << "/News"
                              << "http://daily.example/";
        QTest::newRow("dotted folder") << "/Tools.Old"
                                       << "F"
                                       << "Tools.Old"
                                       << "/Tools.Old"
                                       << "";
        QTest::newRow("missing link") << "/News/Gone.url"
                                      << "L"
                                      << ""
                                      << ""
                                      << "";
        QTest::newRow("missing folder") << "/Gone"
                                        << "F"
                                        << ""
                                        << ""
                                        << "";
        QTest::newRow("folder taken for a link") << "/Tools.Old"
                                                 << "L"
                                                 << ""
                                                 << ""
                                                 << "";
        QTest::newRow("link taken for a folder") << "/News/Daily News.url"
                                                 << "F"
                                                 << ""
                                                 << ""
                                                 << "";
    }
    void read()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(QString, location);
        const bool found = !name.isEmpty();
        const PropertiesInfo info = PropertiesInfo::Read(FileSystemService(), root() + path, type);
        QCOMPARE(info.Name, name);
        QCOMPARE(info.Location, found ? root() + location : QString());
        QTEST(info.URL, "url");
        QCOMPARE(info.Modified,
                 found ? QStringLiteral("Friday, September 24, 2004  5:38:14 PM") : "");
        QCOMPARE(info.Created.isEmpty(), !found);
        if (type == "L" && found)
            QCOMPARE(info.Accessed, QStringLiteral("Sunday, January 2, 2005  12:05:09 AM"));
        QVERIFY(!info.ReadOnly && !info.Hidden && !info.System);
    }

    void attributesAreReadNotChanged()
    {
        FavoritesBuilder b(root());
        const QString locked = b.Link("Locked.url", "http://a").Path("Locked.url");
        const QString hidden = b.Link(".Secret.url", "http://a").Path(".Secret.url");
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
        const QFile::Permissions before = QFile::permissions(locked);
        const PropertiesInfo l = PropertiesInfo::Read(FileSystemService(), locked, "L");
        const PropertiesInfo h = PropertiesInfo::Read(FileSystemService(), hidden, "L");
        QVERIFY(l.ReadOnly && !l.Hidden && h.Hidden && !h.ReadOnly && !h.System);
        QCOMPARE(QFile::permissions(locked), before);
        QCOMPARE(PropertiesInfo::TimeText(QDateTime(QDate(1999, 12, 31), QTime(12, 0, 0))),
                 QStringLiteral("Friday, December 31, 1999  12:00:00 PM"));
        QCOMPARE(PropertiesInfo::TimeText(QDateTime()), QString());
    }

    // The dialog shows the tree's folder or the list's link, whichever was touched last.
    void commandShowsWhatWasTouchedLast()
    {
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        QTreeWidgetItem* news = panes.tree.FindNodeByText("News");
        panes.tree.Select(news);
        panes.views.NodeClick(news);
        panes.list.SelectOnly(panes.list.Item(0));
        QStringList shown;
        panes.prompts.dialogHandler = [&](QDialog& dialog) {
            const PropertiesInfo info = static_cast<frmProperties&>(dialog).Shown();
            shown.append(info.Name + u':' + info.URL);
            return int(QDialog::Accepted);
        };
        for (const char* pane : {"T", "L"}) {
            const auto target =
                PropertiesTarget::For(pane, FavoritesList::Tag(panes.list.SelectedItem()),
                                      FavoritesTree::Tag(panes.tree.SelectedItem()));
            QVERIFY(target);
            frmProperties::ShowProperties(*target, FileSystemService(), panes.prompts, nullptr);
        }
        QCOMPARE(shown, QStringList({"News:", "Daily News:http://daily.example/"}));
    }
};

QTEST_MAIN(TestProperties)
#include "test_properties.moc"
