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
    FavoritesBuilder builder() const { return FavoritesBuilder(root()); }
    const QDateTime m_modified{QDate(2004, 9, 24), QTime(17, 38, 14)};
    const QDateTime m_accessed{QDate(2005, 1, 2), QTime(0, 5, 9)};

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        builder().Build("News/Daily News.url = http://daily.example/\nTools.Old/\n");
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

    // An empty name means the item cannot be read as that type: everything is empty.
    void read_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("url");
        QTest::newRow("link") << "/News/Daily News.url" << "L" << "Daily News" << "/News"
                              << "http://daily.example/";
        QTest::newRow("dotted folder is its own location") << "/Tools.Old" << "F" << "Tools.Old"
                                                           << "/Tools.Old" << "";
        QTest::newRow("missing link") << "/News/Gone.url" << "L" << "" << "" << "";
        QTest::newRow("missing folder") << "/Gone" << "F" << "" << "" << "";
        QTest::newRow("folder taken for a link") << "/Tools.Old" << "L" << "" << "" << "";
        QTest::newRow("link taken for a folder") << "/News/Daily News.url" << "F" << "" << "" << "";
    }
    void read()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(QString, location);
        QFETCH(QString, url);
        const bool found = !name.isEmpty();
        const PropertiesInfo info = PropertiesInfo::Read(FileSystemService(), root() + path, type);
        QCOMPARE(info.Name, name);
        QCOMPARE(info.Location, found ? root() + location : QString());
        QCOMPARE(info.URL, url);
        QCOMPARE(info.Modified, found ? PropertiesInfo::TimeText(m_modified) : QString());
        QCOMPARE(info.Created.isEmpty(), !found);
        if (type == QLatin1String("L") && found)
            QCOMPARE(info.Accessed, PropertiesInfo::TimeText(m_accessed));
        QVERIFY(!info.ReadOnly && !info.Hidden && !info.System);
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
    }
    void attributes()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QFETCH(bool, hidden);
        const QString path = builder().Link(name, "http://a").Path(name);
        if (readOnly)
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const QFile::Permissions before = QFile::permissions(path);
        const FileSystemService fileSystem;
        frmProperties dialog(fileSystem);
        dialog.SetItemPath(path);
        dialog.SetItemType("L");
        dialog.LoadItem();
        QCOMPARE(dialog.Shown().ReadOnly, readOnly);
        QCOMPARE(dialog.Shown().Hidden, hidden);
        QVERIFY(!dialog.Shown().System);
        QCOMPARE(dialog.Shown().URL, QStringLiteral("http://a"));
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
        // A folder selected in the tree, a link selected in the list.
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        QTreeWidgetItem* news = panes.tree.FindNodeByText("News");
        panes.tree.Select(news);
        panes.views.NodeClick(news);
        panes.list.Item(0)->setSelected(true);
        QStringList shown;
        panes.prompts.dialogHandler = [&](QDialog& dialog) {
            const PropertiesInfo info = static_cast<frmProperties&>(dialog).Shown();
            shown.append(dialog.windowTitle() + u':' + info.Name + u':' + info.URL);
            return int(QDialog::Accepted);
        };
        for (const char* pane : {"T", "L"}) {
            const auto target = PropertiesTarget::For(pane, FavoritesList::Tag(panes.list.SelectedItem()),
                                                      FavoritesTree::Tag(panes.tree.SelectedItem()));
            QVERIFY(target);
            frmProperties::ShowProperties(*target, FileSystemService(), panes.prompts, nullptr);
        }
        QCOMPARE(shown, QStringList({"Properties:News:", "Properties:Daily News:http://daily.example/"}));
    }
};

QTEST_MAIN(TestProperties)
#include "test_properties.moc"
