#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/BrowserProfiles.h"
#include "exchange/FolderReader.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

// A tree as one line: folders "Name[...]", links "Name<address>", then "@added/modified/visited".
QString Dump(const BookmarkNode& folder)
{
    QStringList parts;
    for (const BookmarkNode& node : folder.Children)
        parts
            << (node.IsFolder ? node.Name + u'[' + Dump(node) + u']'
                              : node.Name + u'<' + node.Address + u'>') +
                   QStringLiteral("@%1/%2/%3").arg(node.Added).arg(node.Modified).arg(node.Visited);
    return parts.join(u' ');
}

struct Read
{
    bool ok;
    QString text; // the dump, or the error
    int separators;
    int queries;
};

Read ReadSource(const QString& path)
{
    BookmarkTree tree;
    QString error;
    FileSystemService fileSystem;
    const bool ok = BookmarkImport::Read(fileSystem, path, tree, error);
    return {ok, ok ? Dump(tree.Root) : error, tree.Separators, tree.Queries};
}

QString Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A places.sqlite in Firefox's schema, in write-ahead-log mode. The last bookmark is
// written while automatic checkpoints are off and copied away with the log before the
// connection closes, so it lives only in the profile's places.sqlite-wal.
void MakePlaces(const QString& scratch, const QString& profile)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "places");
        db.setDatabaseName(scratch + "/places.sqlite");
        QVERIFY(db.open());
        QSqlQuery q(db);
        const QStringList statements = {
            "PRAGMA journal_mode=WAL",
            "PRAGMA wal_autocheckpoint=0",
            "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
            "rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT "
            "NULL, "
            "typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL, "
            "last_visit_date INTEGER, guid TEXT, url_hash INTEGER DEFAULT 0 NOT NULL)",
            "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT "
            "NULL, "
            "parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type "
            "TEXT, "
            "dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL "
            "DEFAULT 0, "
            "syncChangeCounter INTEGER NOT NULL DEFAULT 1)",
            "INSERT INTO moz_places (id, url, title, last_visit_date) VALUES "
            "(1, 'https://www.mozilla.org/', 'Mozilla', 1700000000123456), (2, 'place:sort=14', "
            "NULL, NULL), "
            "(3, 'javascript:void(0)', NULL, NULL), (4, 'https://tagged/', NULL, NULL), (5, "
            "'https://fresh/', NULL, NULL)",
            "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, "
            "lastModified, guid) VALUES "
            "(1, 2, NULL, 0, 0, '', 1, 1, 'root________'), (2, 2, NULL, 1, 0, 'menu', 1, 1, "
            "'menu________'), "
            "(3, 2, NULL, 1, 1, 'toolbar', 1600000000000000, 1600000100000000, 'toolbar_____'), "
            "(4, 2, NULL, 1, 2, 'tags', 1, 1, 'tags________'), (5, 2, NULL, 1, 3, 'unfiled', 1, 1, "
            "'unfiled_____'), "
            "(6, 2, NULL, 1, 4, 'mobile', 1, 1, 'mobile______'), "
            "(10, 1, 1, 3, 1, 'Mozilla', 1500000000000000, 1550000000000000, 'a'), (11, 3, NULL, "
            "3, 0, NULL, 1, 1, 'b'), "
            "(12, 2, NULL, 3, 2, 'Tools', 1500000000000000, 1500000000000000, 'c'), "
            "(13, 1, 2, 12, 0, 'Most Visited', 1, 1, 'd'), (14, 1, 3, 12, 1, 'Let', "
            "1500000000000000, 1500000000000000, 'e'), "
            "(15, 2, NULL, 4, 0, 'tag', 1, 1, 'f'), (16, 1, 4, 15, 0, NULL, 1, 1, 'g')",
            "PRAGMA wal_checkpoint(TRUNCATE)",
            "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, "
            "lastModified, guid) "
            "VALUES (17, 1, 5, 5, 0, 'Fresh', 1650000000000000, 1650000000000000, 'h')"};
        for (const QString& statement : statements)
            QVERIFY2(q.exec(statement), qPrintable(statement));
        QDir().mkpath(profile);
        for (const QString suffix : {"", "-wal"})
            QVERIFY(QFile::copy(scratch + "/places.sqlite" + suffix,
                                profile + "/places.sqlite" + suffix));
    }
    QSqlDatabase::removeDatabase("places");
}

} // namespace

class TestExchangeFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("dump");
        QTest::addColumn<int>("separators");
        QTest::addColumn<int>("queries");
        QTest::newRow("xbel")
            << QFINDTESTDATA("data/exchange/sample.xbel")
            << "News & Weather[The News<https://news.example/>@1557126489/1609459200/1643767322 "
               "Empty[]@0/0/0]@1577934245/0/0 Let<javascript:void(0)>@0/0/0"
            << 1 << 1;
        QTest::newRow("chromium")
            << QFINDTESTDATA("data/exchange/Bookmarks")
            << "Bookmarks bar[Chromium site<https://www.chromium.org/>@1655526400/0/1665526400 "
               "Folder[Bad/Name<https://b.example/>@0/0/0]@1555526400/1605526400/0]@1455526400/0/0 "
               "Other bookmarks[Other link<https://o.example/>@1655526400/0/0]@0/0/0"
            << 0 << 0;
    }
    void readers()
    {
        QFETCH(QString, file);
        const Read read = ReadSource(file);
        QVERIFY2(read.ok, qPrintable(read.text));
        QTEST(read.text, "dump");
        QTEST(read.separators, "separators");
        QTEST(read.queries, "queries");
    }

    void firefoxReadsTheLogToo()
    {
        TestEnvironment env;
        QDir().mkpath(env.Root() + "/scratch");
        MakePlaces(env.Root() + "/scratch", env.Home() + "/profile");
        const Read read = ReadSource(env.Home() + "/profile");
        QVERIFY2(read.ok, qPrintable(read.text));
        QCOMPARE(
            read.text,
            "Bookmarks Toolbar[Mozilla<https://www.mozilla.org/>@1500000000/1550000000/1700000000 "
            "Tools[Let<javascript:void(0)>@1500000000/1500000000/0]@1500000000/1500000000/0]"
            "@1600000000/1600000100/0 Other "
            "Bookmarks[Fresh<https://fresh/>@1650000000/1650000000/0]@0/0/0");
        QCOMPARE(read.separators, 1);
        QCOMPARE(read.queries, 1);
        // Without its log the database lacks the newest bookmark: the log was needed.
        QVERIFY(QFile::remove(env.Home() + "/profile/places.sqlite-wal"));
        QVERIFY(!ReadSource(env.Home() + "/profile/places.sqlite").text.contains("Fresh"));
    }

    void damagedInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("result");
        QTest::newRow("xbel cut off") << "a.xbel" << QByteArray("<xbel><folder><title>A</title>")
                                      << "The XBEL file is damaged";
        QTest::newRow("xml not xbel")
            << "a.xml" << QByteArray("<?xml version=\"1.0\"?><!-- XBEL --><html/>")
            << "The file is not an XBEL";
        QTest::newRow("xbel deep")
            << "d.xbel"
            << "<xbel>" + QByteArray("<folder><title>f</title>").repeated(100'000) +
                   "<bookmark href=\"a\"><title>A</title></bookmark>" +
                   QByteArray("</folder>").repeated(100'000) + "</xbel>"
            << "f[f[f[";
        QTest::newRow("json damaged") << "Bookmarks" << QByteArray("{\"roots\": {\"other\": [")
                                      << "The bookmarks file is damaged";
        QTest::newRow("json deep") << "Bookmarks"
                                   << "{\"roots\":" + QByteArray("{\"a\":[").repeated(100'000)
                                   << "The bookmarks file is damaged";
        QTest::newRow("json no roots")
            << "Bookmarks" << QByteArray("{\"x\": 1}") << "The file is not a Chromium";
        QTest::newRow("sqlite garbage")
            << "places.sqlite" << QByteArray("SQLite format 3").append(5000, '\xff')
            << "The Firefox bookmarks database cannot be read";
    }
    void damagedInput()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, result);
        TestEnvironment env;
        const Read read = ReadSource(Write(env.Root() + "/in/" + name, bytes));
        QVERIFY2(read.text.startsWith(result), qPrintable(read.text.left(200)));
        QCOMPARE(read.ok, result.endsWith('['));
    }

    void profilesFoundInHome()
    {
        TestEnvironment env;
        const QString home = env.Home();
        Write(home + "/.mozilla/firefox/profiles.ini",
              "[General]\nStartWithLastProfile=1\n\n[Profile1]\nName=work\nIsRelative=1\nPath=ab12."
              "work\n\n"
              "[Profile0]\nName=default-release\nIsRelative=0\nPath=" +
                  home.toUtf8() +
                  "/elsewhere/xy.default\n\n"
                  "[Profile2]\nName=unused\nIsRelative=1\nPath=none.unused\n\n["
                  "Install4F96D1932A9F858E]\nDefault=ab12.work\n");
        Write(home + "/.mozilla/firefox/ab12.work/places.sqlite", {});
        Write(home + "/elsewhere/xy.default/places.sqlite", {});
        Write(home + "/.config/google-chrome/Default/Bookmarks", "{}");
        Write(home + "/.config/google-chrome/Profile 1/Preferences", "{}");
        Write(home + "/.config/google-chrome/Local State",
              R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}}}})");
        Write(home + "/.config/BraveSoftware/Brave-Browser/Profile 2/Bookmarks", "{}");
        QStringList found;
        for (const BrowserProfile& profile : BrowserProfiles::Find(home))
            found << profile.Text() + " = " + QString(profile.Path).replace(home, "~");
        QCOMPARE(
            found,
            QStringList({"Firefox - default-release = ~/elsewhere/xy.default",
                         "Firefox - work = ~/.mozilla/firefox/ab12.work",
                         "Google Chrome - Person 1 = ~/.config/google-chrome/Default",
                         "Brave - Profile 2 = ~/.config/BraveSoftware/Brave-Browser/Profile 2"}));
    }

    // Export then import, XBEL this time, and a merge of another Favorites folder.
    void xbelRoundTripAndMerge()
    {
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        b.Build("Src/News/BBC.url = http://bbc.co.uk\nSrc/a & b <c>.url = "
                "http://x/?a=1&b=2\nDest/a & b <c>.url = http://old");
        b.Times("Src/News/BBC.url", QDateTime::fromSecsSinceEpoch(1500000000),
                QDateTime::fromSecsSinceEpoch(1600000000));
        b.Times("Src/News", QDateTime::fromSecsSinceEpoch(1400000000));
        FileSystemService fileSystem;
        const QString xbel = env.Root() + "/out.xbel";
        QVERIFY(BookmarkExport::Export(fileSystem, b.Path("Src"), xbel,
                                       BookmarkExport::FormatFor({}, xbel))
                    .Error.isEmpty());
        QVERIFY(BookmarkImport::Import(fileSystem, xbel, b.Path("Copy")).Ok());
        fileSystem.ConfineTo(b.Path("Dest")); // as the main window keeps it to the Favorites shown
        QVERIFY(BookmarkImport::Import(fileSystem, b.Path("Src"), b.Path("Dest")).Ok());
        const QString source = ReadSource(b.Path("Src")).text;
        QVERIFY(source.contains(
            "BBC<http://bbc.co.uk>@1500000000/1500000000/1600000000]@1400000000/1400000000/"));
        QCOMPARE(ReadSource(b.Path("Copy")).text, source);
        QCOMPARE(b.Read("Dest/a & b <c>.url"), FavoritesBuilder::ShortcutBytes("http://old"));
        QCOMPARE(b.Read("Dest/a & b <c> (2).url"),
                 FavoritesBuilder::ShortcutBytes("http://x/?a=1&b=2"));
        QCOMPARE(b.Read("Dest/News/BBC.url"), FavoritesBuilder::ShortcutBytes("http://bbc.co.uk"));
    }
};

QTEST_GUILESS_MAIN(TestExchangeFormats)
#include "test_exchange_formats.moc"
