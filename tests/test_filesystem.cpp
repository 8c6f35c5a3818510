#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

template <typename T> QStringList Names(const QList<T>& items)
{
    QStringList names;
    for (const T& item : items)
        names.append(item.Name);
    return names;
}

QDateTime Local(int y, int mo, int d, int h, int mi, int s, int ms)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::LocalTime);
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

    FileSystemService m_fs;
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FavoritesBuilder> m_b;

    QString P(const QString& relative) const { return m_b->Path(relative); }
    static void Chmod(const QString& path, int mode)
    {
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_b = std::make_unique<FavoritesBuilder>(m_env->Favorites());
    }
    // The old environment must put its variables back before a new one saves them.
    void cleanup() { m_env.reset(); }

    void enumerationOrder_data()
    {
        QTest::addColumn<QStringList>("created");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("case") << QStringList{"b", "B", "a"} << QStringList{"a", "B", "b"};
        QTest::newRow("digits before letters")
            << QStringList{"z", "10", "9", "A"} << QStringList{"10", "9", "A", "z"};
        QTest::newRow("dots and underscores") << QStringList{"ab", "a_b", "a.b", "A.b", ".x"}
                                              << QStringList{".x", "A.b", "a.b", "a_b", "ab"};
        QTest::newRow("accents") << QStringList{"éb", "Éa", "ea"} << QStringList{"ea", "Éa", "éb"};
        QTest::newRow("shortcuts") << QStringList{"News.url", "news", "New.url", "NEWS2.url"}
                                   << QStringList{"New.url", "news", "News.url", "NEWS2.url"};
    }
    void enumerationOrder()
    {
        QFETCH(QStringList, created);
        QFETCH(QStringList, expected);
        for (const QString& name : created)
            m_b->File("files/" + name).Folder("folders/" + name);
        QCOMPARE(Names(m_fs.Files(P("files"))), expected);
        QCOMPARE(Names(m_fs.Contents(P("files")).Files), expected);
        QCOMPARE(Names(m_fs.SubFolders(P("folders"))), expected);
        QCOMPARE(Names(m_fs.Contents(P("folders")).SubFolders), expected);
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QVERIFY(FileSystemService::LessByName(expected[i - 1], expected[i]));
            QVERIFY(!FileSystemService::LessByName(expected[i], expected[i - 1]));
        }
    }

    void foldersAndFiles()
    {
        m_b->Build("Real/\nf.url = http://example.com/\nOther/.keep");
        m_b->Symlink("Link", P("Real"))
            .Symlink("Broken", P("missing"))
            .Symlink("FileLink", "f.url");

        // A trailing "/" on the folder must not leak into the paths.
        const QList<FsItem> folders = m_fs.SubFolders(m_b->Root() + "/");
        QCOMPARE(Names(folders), (QStringList{"Link", "Other", "Real"}));
        QCOMPARE(folders[0].Path, P("Link"));
        QCOMPARE(folders[0].Id, m_fs.Identity(P("Real")));
        QVERIFY(!(folders[1].Id == folders[2].Id));
        const QList<FsItem> files = m_fs.Files(m_b->Root());
        QCOMPARE(Names(files), (QStringList{"Broken", "f.url", "FileLink"}));
        QCOMPARE(files[0].Path, P("Broken"));

        const FolderContents contents = m_fs.Contents(m_b->Root());
        QCOMPARE(Names(contents.SubFolders), Names(folders));
        QCOMPARE(Names(contents.Files), Names(files));
        QCOMPARE(contents.SubFolders[0].Details.Attributes, int(AttributeDirectory));
        QCOMPARE(contents.Files[2].Details.Size,
                 std::int64_t(FavoritesBuilder::ShortcutBytes("http://example.com/").size()));
        QCOMPARE(m_fs.Details(P("Broken")).Attributes & AttributeDirectory, 0);
    }

    void dates_data()
    {
        QTest::addColumn<QDateTime>("modified");
        QTest::addColumn<QDateTime>("accessed");
        QTest::newRow("milliseconds")
            << Local(2019, 7, 15, 13, 45, 30, 123) << Local(2020, 12, 31, 23, 59, 59, 999);
        QTest::newRow("before 1970")
            << Local(1965, 5, 5, 5, 5, 5, 500) << Local(1969, 12, 31, 23, 59, 59, 1);
    }
    void dates()
    {
        QFETCH(QDateTime, modified);
        QFETCH(QDateTime, accessed);
        const QDateTime made = QDateTime::currentDateTime();
        m_b->Link("a.url", "http://a/").Folder("F").Times("a.url", modified, accessed);
        m_b->Times("F", modified, accessed);
        for (const QString& name : {QStringLiteral("a.url"), QStringLiteral("F")}) {
            const FsDetails d = m_fs.Details(P(name));
            QCOMPARE(d.DateLastModified, modified);
            // Shown as local wall-clock time.
            QCOMPARE(d.DateLastModified.time(), modified.toLocalTime().time());
            QCOMPARE(d.DateLastAccessed, accessed);
            // Birth time where the file system keeps one, else the modified time.
            QVERIFY2(d.DateCreated == modified || qAbs(d.DateCreated.secsTo(made)) < 60,
                     qPrintable(d.DateCreated.toString(Qt::ISODateWithMs)));
        }
        const FolderContents contents = m_fs.Contents(m_b->Root());
        QCOMPARE(contents.Files[0].Details.DateLastModified, modified);
        QCOMPARE(contents.SubFolders[0].Details.DateLastAccessed, accessed);
    }

    void attributes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain file") << "a.url" << false << 0644 << 0;
        QTest::newRow("read-only file") << "a.url" << false << 0444 << 1;
        QTest::newRow("group may not write") << "a.url" << false << 0600 << 0;
        QTest::newRow("hidden read-only file") << ".a" << false << 0400 << 3;
        QTest::newRow("read-only folder") << "F" << true << 0555 << 17;
        QTest::newRow("hidden folder") << ".F" << true << 0755 << 18;
    }
    void attributes()
    {
        QFETCH(QString, name);
        QFETCH(bool, folder);
        QFETCH(int, mode);
        QFETCH(int, expected);
        folder ? m_b->Folder(name) : m_b->File(name, "12345");
        Chmod(P(name), mode);
        const FsDetails d = m_fs.Details(P(name));
        QCOMPARE(d.Attributes, expected);
        QCOMPARE(d.Size, std::int64_t(folder ? 0 : 5));
        const FolderContents contents = m_fs.Contents(m_b->Root());
        const QList<FsEntry>& list = folder ? contents.SubFolders : contents.Files;
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].Details.Attributes, expected);
        Chmod(P(name), 0755);
    }

    // Each failing call ("Function source [destination]" below the root), the description it
    // must give and the path it must blame.
    void errors_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("blamed");
        const auto row = [](const char* tag, const char* call, const char* why, const char* who) {
            QTest::newRow(tag) << QString(call) << QString(why) << QString(who);
        };
        const char* missingFile = "File not found";
        const char* missingPath = "Path not found";
        const char* denied = "Permission denied";
        const char* exists = "File already exists";
        row("list missing folder", "SubFolders nowhere", missingPath, "nowhere");
        row("list a file as folder", "Files file.txt", missingPath, "file.txt");
        row("identity of missing", "Identity nowhere", missingPath, "nowhere");
        row("details of missing", "Details nowhere", missingFile, "nowhere");
        row("copy missing file", "CopyFile nowhere x", missingFile, "nowhere");
        row("copy over a folder", "CopyFile file.txt Folder", denied, "Folder");
        row("copy onto itself", "CopyFile file.txt file.txt", denied, "file.txt");
        row("copy over read-only", "CopyFile file.txt locked.txt", denied, "locked.txt");
        row("copy into missing folder", "CopyFile file.txt nowhere/x", missingPath, "nowhere/x");
        row("move onto existing", "MoveFile file.txt other.txt", exists, "other.txt");
        row("move missing file", "MoveFile nowhere x", missingFile, "nowhere");
        row("move folder onto existing", "MoveFolder Folder file.txt", exists, "file.txt");
        row("copy folder into itself", "CopyFolder Folder Folder/Sub", denied, "Folder/Sub");
        row("move folder into itself", "MoveFolder Folder Folder/Sub", denied, "Folder/Sub");
        row("copy folder onto a file", "CopyFolder Folder other.txt", exists, "other.txt");
        row("create existing", "CreateFolder Folder", exists, "Folder");
        row("create without parent", "CreateFolder nowhere/Sub", missingPath, "nowhere/Sub");
        row("delete missing file", "DeleteFile nowhere", missingFile, "nowhere");
        row("delete missing folder", "DeleteFolder nowhere", missingPath, "nowhere");
        row("delete folder as file", "DeleteFile Folder", missingFile, "Folder");
    }
    void errors()
    {
        QFETCH(QString, call);
        QFETCH(QString, description);
        QFETCH(QString, blamed);
        using Run = std::function<void(const FileSystemService&, const QString&, const QString&)>;
        const QHash<QString, Run> runs = {
            {"SubFolders", [](auto& fs, auto& s, auto&) { fs.SubFolders(s); }},
            {"Files", [](auto& fs, auto& s, auto&) { fs.Files(s); }},
            {"Identity", [](auto& fs, auto& s, auto&) { fs.Identity(s); }},
            {"Details", [](auto& fs, auto& s, auto&) { fs.Details(s); }},
            {"CopyFile", [](auto& fs, auto& s, auto& d) { fs.CopyFile(s, d); }},
            {"MoveFile", [](auto& fs, auto& s, auto& d) { fs.MoveFile(s, d); }},
            {"CopyFolder", [](auto& fs, auto& s, auto& d) { fs.CopyFolder(s, d); }},
            {"MoveFolder", [](auto& fs, auto& s, auto& d) { fs.MoveFolder(s, d); }},
            {"CreateFolder", [](auto& fs, auto& s, auto&) { fs.CreateFolder(s); }},
            {"DeleteFile", [](auto& fs, auto& s, auto&) { fs.DeleteFile(s); }},
            {"DeleteFolder", [](auto& fs, auto& s, auto&) { fs.DeleteFolder(s); }}};
        m_b->Build("other.txt\nlocked.txt\nFolder/inner.txt").File("file.txt", "data");
        Chmod(P("locked.txt"), 0444);
        const QStringList parts = call.split(u' ');
        QVERIFY(runs.contains(parts[0]));
        try {
            runs[parts[0]](m_fs, P(parts.value(1)), P(parts.value(2)));
            QFAIL("no error");
        } catch (const FileSystemError& e) {
            QCOMPARE(e.Description(), description);
            QCOMPARE(e.Path(), P(blamed));
            QCOMPARE(QString::fromUtf8(e.what()), description + ": " + P(blamed));
        }
        // Nothing was damaged on the way.
        QCOMPARE(m_b->Read("file.txt"), QByteArray("data"));
        QVERIFY(m_fs.FileExists(P("Folder/inner.txt"), 0));
        QVERIFY(!QFile::exists(P("Folder/Sub")));
    }

    void copyOverwritesMoveRefuses()
    {
        const QDateTime when = Local(2010, 6, 1, 12, 0, 0, 0);
        m_b->Link("a.url", "http://a/").Link("b.url", "http://b/").Link("c.url", "http://c/");
        m_b->Times("a.url", when);
        Chmod(P("a.url"), 0444);

        m_fs.CopyFile(P("a.url"), P("b.url"));
        QCOMPARE(m_b->Read("b.url"), FavoritesBuilder::ShortcutBytes("http://a/"));
        QCOMPARE(m_fs.Details(P("b.url")).DateLastModified, when);
        QCOMPARE(m_fs.Details(P("b.url")).Attributes, int(AttributeReadOnly));

        QVERIFY_THROWS_EXCEPTION(FileSystemError, m_fs.MoveFile(P("c.url"), P("b.url")));
        QCOMPARE(m_b->Read("c.url"), FavoritesBuilder::ShortcutBytes("http://c/"));
        QCOMPARE(m_b->Read("b.url"), FavoritesBuilder::ShortcutBytes("http://a/"));
        m_fs.MoveFile(P("c.url"), P("d.url"));
        QVERIFY(!QFile::exists(P("c.url")));
        QCOMPARE(m_b->Read("d.url"), FavoritesBuilder::ShortcutBytes("http://c/"));
    }

    void copyAndMoveFolders()
    {
        m_b->Build("A/x.url = http://new/\nA/Sub/y.url = http://y/\nB/x.url = http://old/\nB/k");
        m_b->Symlink("A/Sub/up", "..");

        m_fs.CopyFolder(P("A"), P("B"));
        QCOMPARE(m_b->Read("B/x.url"), FavoritesBuilder::ShortcutBytes("http://new/"));
        QVERIFY(QFile::exists(P("B/k")));
        QCOMPARE(m_b->Read("B/Sub/y.url"), FavoritesBuilder::ShortcutBytes("http://y/"));
        QVERIFY(QFileInfo(P("B/Sub/up")).isSymLink());
        QCOMPARE(m_fs.Identity(P("B/Sub/up")), m_fs.Identity(P("B")));
        QCOMPARE(Names(m_fs.Files(P("A"))), QStringList{"x.url"});

        m_fs.CopyFolder(P("A"), P("C"));
        m_fs.CopyFolder(P("A"), P("C")); // again, over its own copy
        QCOMPARE(Names(m_fs.SubFolders(P("C"))), QStringList{"Sub"});

        QVERIFY_THROWS_EXCEPTION(FileSystemError, m_fs.MoveFolder(P("C"), P("B")));
        QVERIFY(m_fs.FolderExists(P("C")));
        QVERIFY(QFile::exists(P("B/k")));
        m_fs.MoveFolder(P("C"), P("B/Moved"));
        QVERIFY(!m_fs.FolderExists(P("C")));
        QVERIFY(QFile::exists(P("B/Moved/Sub/y.url")));
    }

    void deleteFolderStaysInside()
    {
        m_b->Build("Tree/Sub/file.url = http://x/\nOther/");
        FavoritesBuilder(m_env->Root()).File("outside/keep.txt");
        m_b->Symlink("Tree/Sub/out", m_env->Root() + "/outside").Symlink("OtherLink", P("Other"));

        m_fs.DeleteFolder(P("Tree"));
        QVERIFY(!QFileInfo::exists(P("Tree")));
        QVERIFY(QFile::exists(m_env->Root() + "/outside/keep.txt"));
        m_fs.DeleteFolder(P("OtherLink"));
        QVERIFY(!QFileInfo(P("OtherLink")).isSymLink());
        QVERIFY(m_fs.FolderExists(P("Other")));
    }

    void symlinkLoop()
    {
        m_b->Folder("a/b");
        m_b->Symlink("a/b/loop", P("a"));
        const QList<FsItem> inner = m_fs.SubFolders(P("a/b"));
        QCOMPARE(Names(inner), QStringList{"loop"});
        QCOMPARE(inner[0].Id, m_fs.Identity(P("a")));
        QVERIFY(!(m_fs.Identity(P("a")) == m_fs.Identity(P("a/b"))));
        QCOMPARE(Names(m_fs.SubFolders(P("a/b/loop/b/loop"))), QStringList{"b"});
    }

    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // base name|file name|parent folder
        // clang-format off
        QTest::newRow("simple") << "a.b" << "a|a.b|";
        QTest::newRow("two dots") << "/f/x.y.url" << "x.y|x.y.url|/f";
        QTest::newRow("hidden") << "/f/.hidden" << "|.hidden|/f";
        QTest::newRow("no extension") << "dir.d/noext" << "noext|noext|dir.d";
        QTest::newRow("trailing dot") << "a/b." << "b|b.|a";
        QTest::newRow("backslashes") << "C:\\Fav\\Site.url" << "Site|C:\\Fav\\Site.url|";
        QTest::newRow("below root") << "/a" << "a|a|/";
        QTest::newRow("trailing slash") << "a/b.d/" << "b|b.d|a/b.d";
        QTest::newRow("empty") << "" << "||";
        // clang-format on
    }
    void names()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(FileSystemService::GetBaseName(path) + u'|' +
                     FileSystemService::GetFileName(path) + u'|' +
                     FileSystemService::ParentFolder(path),
                 expected);
    }

    void fileExists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("attributes");
        QTest::addColumn<bool>("expected");
        QTest::newRow("file") << "f.url" << 0 << true;
        QTest::newRow("file, folders too") << "f.url" << 16 << true;
        QTest::newRow("folder") << "F" << 0 << false;
        QTest::newRow("folder, folders too") << "F" << 16 << true;
        QTest::newRow("linked folder, folders too") << "FL" << 16 << true;
        QTest::newRow("linked folder") << "FL" << 0 << false;
        QTest::newRow("hidden file, folders too") << ".h" << 16 << false;
        QTest::newRow("hidden file asked for") << ".h" << 2 << true;
        QTest::newRow("dangling link") << "broken" << 0 << true;
        QTest::newRow("missing") << "none" << 16 << false;
    }
    void fileExists()
    {
        QFETCH(QString, name);
        QFETCH(int, attributes);
        QFETCH(bool, expected);
        m_b->Build("f.url\nF/\n.h");
        m_b->Symlink("FL", P("F")).Symlink("broken", P("none"));
        QCOMPARE(m_fs.FileExists(P(name), attributes), expected);
        QCOMPARE(m_fs.FolderExists(P(name)), name == "F" || name == "FL");
    }

    // The tree builder the other tests stand on.
    void builder()
    {
        m_b->Build("  # comment\n  News/Daily/\n  Top.url = http://a/?b = c\n  Empty/\n  readme\n");
        QCOMPARE(Names(m_fs.SubFolders(m_b->Root())), (QStringList{"Empty", "News"}));
        QCOMPARE(Names(m_fs.Files(m_b->Root())), (QStringList{"readme", "Top.url"}));
        QCOMPARE(m_b->Read("Top.url"),
                 QByteArray("[DEFAULT]\r\nBASEURL=http://a/?b = c\r\n[InternetShortcut]\r\n"
                            "URL=http://a/?b = c\r\n"));
        QCOMPARE(m_b->Read("readme"), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "test_filesystem.moc"
