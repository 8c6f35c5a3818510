#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

namespace {

template <typename T> QStringList Names(const QList<T>& items)
{
    QStringList names;
    for (const T& item : items)
        names.append(item.Name);
    return names;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void MakeLink(const QString& target, const QString& linkPath)
{
    QVERIFY2(::symlink(QFile::encodeName(target).constData(),
                       QFile::encodeName(linkPath).constData()) == 0,
             qPrintable(linkPath));
}

QDateTime Local(int y, int mo, int d, int h, int mi, int s, int ms)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::LocalTime);
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enumerationOrder_data();
    void enumerationOrder();
    void foldersAndFiles();
    void dates_data();
    void dates();
    void attributes_data();
    void attributes();
    void errors_data();
    void errors();
    void copyOverwritesMoveRefuses();
    void copyAndMoveFolders();
    void deleteFolderStaysInside();
    void symlinkLoop();
    void names_data();
    void names();
    void fileExists_data();
    void fileExists();
    void builder();

private:
    FileSystemService m_fs;
};

void TestFileSystem::enumerationOrder_data()
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

void TestFileSystem::enumerationOrder()
{
    QFETCH(QStringList, created);
    QFETCH(QStringList, expected);
    TestEnvironment env;
    FavoritesBuilder files(env.Root() + "/files");
    FavoritesBuilder folders(env.Root() + "/folders");
    for (const QString& name : created) {
        files.File(name);
        folders.Folder(name);
    }
    QCOMPARE(Names(m_fs.Files(files.Root())), expected);
    QCOMPARE(Names(m_fs.Files(files.Root())), expected);
    QCOMPARE(Names(m_fs.Contents(files.Root()).Files), expected);
    QCOMPARE(Names(m_fs.SubFolders(folders.Root())), expected);
    QCOMPARE(Names(m_fs.Contents(folders.Root()).SubFolders), expected);
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QVERIFY(FileSystemService::LessByName(expected[i - 1], expected[i]));
        QVERIFY(!FileSystemService::LessByName(expected[i], expected[i - 1]));
    }
}

void TestFileSystem::foldersAndFiles()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build("Real/\nf.url = http://example.com/\nOther/.keep");
    MakeLink(b.Path("Real"), b.Path("Link"));
    MakeLink(b.Path("missing"), b.Path("Broken"));
    MakeLink("f.url", b.Path("FileLink"));

    // A trailing "/" on the folder must not leak into the paths.
    const QList<FsItem> folders = m_fs.SubFolders(b.Root() + "/");
    QCOMPARE(Names(folders), (QStringList{"Link", "Other", "Real"}));
    QCOMPARE(folders[0].Path, b.Path("Link"));
    QCOMPARE(folders[0].Id, m_fs.Identity(b.Path("Real")));
    QCOMPARE(folders[2].Id, m_fs.Identity(b.Path("Real")));
    QVERIFY(!(folders[1].Id == folders[2].Id));
    const QList<FsItem> files = m_fs.Files(b.Root());
    QCOMPARE(Names(files), (QStringList{"Broken", "f.url", "FileLink"}));
    QCOMPARE(files[0].Path, b.Path("Broken"));

    const FolderContents contents = m_fs.Contents(b.Root());
    QCOMPARE(Names(contents.SubFolders), Names(folders));
    QCOMPARE(Names(contents.Files), Names(files));
    QCOMPARE(contents.SubFolders[0].Details.Attributes, int(AttributeDirectory));
    QCOMPARE(contents.Files[2].Details.Size,
             std::int64_t(FavoritesBuilder::ShortcutBytes("http://example.com/").size()));
    QCOMPARE(m_fs.Details(b.Path("Broken")).Attributes & AttributeDirectory, 0);
}

void TestFileSystem::dates_data()
{
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<QDateTime>("accessed");
    QTest::newRow("whole seconds")
        << Local(2000, 1, 1, 0, 0, 0, 0) << Local(2001, 2, 3, 4, 5, 6, 0);
    QTest::newRow("milliseconds") << Local(2019, 7, 15, 13, 45, 30, 123)
                                  << Local(2020, 12, 31, 23, 59, 59, 999);
    QTest::newRow("before 1970") << Local(1965, 5, 5, 5, 5, 5, 500)
                                 << Local(1969, 12, 31, 23, 59, 59, 1);
}

void TestFileSystem::dates()
{
    QFETCH(QDateTime, modified);
    QFETCH(QDateTime, accessed);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    const QDateTime made = QDateTime::currentDateTime();
    b.Link("a.url", "http://a/").Folder("F").Times("a.url", modified, accessed);
    b.Times("F", modified, accessed);

    for (const QString& name : {QStringLiteral("a.url"), QStringLiteral("F")}) {
        const FsDetails d = m_fs.Details(b.Path(name));
        QCOMPARE(d.DateLastModified, modified);
        // Shown as local wall-clock time.
        QCOMPARE(d.DateLastModified.date(), modified.toLocalTime().date());
        QCOMPARE(d.DateLastModified.time(), modified.toLocalTime().time());
        QCOMPARE(d.DateLastAccessed, accessed);
        // Birth time where the file system keeps one, else the modified time.
        QVERIFY2(d.DateCreated == modified || qAbs(d.DateCreated.secsTo(made)) < 60,
                 qPrintable(d.DateCreated.toString(Qt::ISODateWithMs)));
    }
    const FolderContents contents = m_fs.Contents(b.Root());
    QCOMPARE(contents.Files[0].Details.DateLastModified, modified);
    QCOMPARE(contents.SubFolders[0].Details.DateLastAccessed, accessed);
}

void TestFileSystem::attributes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain file") << "a.url" << false << 0644 << 0;
    QTest::newRow("read-only file") << "a.url" << false << 0444 << 1;
    QTest::newRow("group may not write") << "a.url" << false << 0600 << 0;
    QTest::newRow("hidden file") << ".a.url" << false << 0644 << 2;
    QTest::newRow("hidden read-only file") << ".a" << false << 0400 << 3;
    QTest::newRow("folder") << "F" << true << 0755 << 16;
    QTest::newRow("read-only folder") << "F" << true << 0555 << 17;
    QTest::newRow("hidden folder") << ".F" << true << 0755 << 18;
}

void TestFileSystem::attributes()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(int, mode);
    QFETCH(int, expected);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    folder ? b.Folder(name) : b.File(name, "12345");
    QCOMPARE(::chmod(QFile::encodeName(b.Path(name)).constData(), mode_t(mode)), 0);

    const FsDetails d = m_fs.Details(b.Path(name));
    QCOMPARE(d.Attributes, expected);
    QCOMPARE(d.Size, std::int64_t(folder ? 0 : 5));
    const FolderContents contents = m_fs.Contents(b.Root());
    const QList<FsEntry>& list = folder ? contents.SubFolders : contents.Files;
    QCOMPARE(list.size(), 1);
    QCOMPARE(list[0].Details.Attributes, expected);
    ::chmod(QFile::encodeName(b.Path(name)).constData(), 0755);
}

namespace {

// Each failing call, the description it must give and the path it must blame. All run in
// the tree that errors() lays out.
struct ErrorCase
{
    const char* tag;
    const char* description;
    const char* blamed;
    void (*run)(const FileSystemService& fs, const FavoritesBuilder& b);
};

const ErrorCase kErrorCases[] = {
    {"list missing folder", "Path not found", "nowhere",
     [](auto& fs, auto& b) { fs.SubFolders(b.Path("nowhere")); }},
    {"list a file as folder", "Path not found", "file.txt",
     [](auto& fs, auto& b) { fs.Files(b.Path("file.txt")); }},
    {"identity of missing", "Path not found", "nowhere",
     [](auto& fs, auto& b) { fs.Identity(b.Path("nowhere")); }},
    {"details of missing", "File not found", "nowhere",
     [](auto& fs, auto& b) { fs.Details(b.Path("nowhere")); }},
    {"copy missing file", "File not found", "nowhere",
     [](auto& fs, auto& b) { fs.CopyFile(b.Path("nowhere"), b.Path("x")); }},
    {"copy over a folder", "Permission denied", "Folder",
     [](auto& fs, auto& b) { fs.CopyFile(b.Path("file.txt"), b.Path("Folder")); }},
    {"copy onto itself", "Permission denied", "file.txt",
     [](auto& fs, auto& b) { fs.CopyFile(b.Path("file.txt"), b.Path("file.txt")); }},
    {"copy over read-only", "Permission denied", "locked.txt",
     [](auto& fs, auto& b) { fs.CopyFile(b.Path("file.txt"), b.Path("locked.txt")); }},
    {"copy into missing folder", "Path not found", "nowhere/x",
     [](auto& fs, auto& b) { fs.CopyFile(b.Path("file.txt"), b.Path("nowhere/x")); }},
    {"move onto existing", "File already exists", "other.txt",
     [](auto& fs, auto& b) { fs.MoveFile(b.Path("file.txt"), b.Path("other.txt")); }},
    {"move missing file", "File not found", "nowhere",
     [](auto& fs, auto& b) { fs.MoveFile(b.Path("nowhere"), b.Path("x")); }},
    {"move folder onto existing", "File already exists", "file.txt",
     [](auto& fs, auto& b) { fs.MoveFolder(b.Path("Folder"), b.Path("file.txt")); }},
    {"copy folder into itself", "Permission denied", "Folder/Sub",
     [](auto& fs, auto& b) { fs.CopyFolder(b.Path("Folder"), b.Path("Folder/Sub")); }},
    {"move folder into itself", "Permission denied", "Folder/Sub",
     [](auto& fs, auto& b) { fs.MoveFolder(b.Path("Folder"), b.Path("Folder/Sub")); }},
    {"copy folder onto a file", "File already exists", "other.txt",
     [](auto& fs, auto& b) { fs.CopyFolder(b.Path("Folder"), b.Path("other.txt")); }},
    {"create existing", "File already exists", "Folder",
     [](auto& fs, auto& b) { fs.CreateFolder(b.Path("Folder")); }},
    {"create without parent", "Path not found", "nowhere/Sub",
     [](auto& fs, auto& b) { fs.CreateFolder(b.Path("nowhere/Sub")); }},
    {"delete missing file", "File not found", "nowhere",
     [](auto& fs, auto& b) { fs.DeleteFile(b.Path("nowhere")); }},
    {"delete missing folder", "Path not found", "nowhere",
     [](auto& fs, auto& b) { fs.DeleteFolder(b.Path("nowhere")); }},
    {"delete folder as file", "File not found", "Folder",
     [](auto& fs, auto& b) { fs.DeleteFile(b.Path("Folder")); }},
};

} // namespace

void TestFileSystem::errors_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kErrorCases)); ++i)
        QTest::newRow(kErrorCases[i].tag) << i;
}

void TestFileSystem::errors()
{
    QFETCH(int, index);
    const ErrorCase& c = kErrorCases[index];
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build("file.txt\nother.txt\nlocked.txt\nFolder/inner.txt");
    b.File("file.txt", "data");
    ::chmod(QFile::encodeName(b.Path("locked.txt")).constData(), 0444);

    const QString description = c.description;
    const QString blamed = b.Path(c.blamed);
    try {
        c.run(m_fs, b);
        QFAIL("no error");
    } catch (const FileSystemError& e) {
        QCOMPARE(e.Description(), description);
        QCOMPARE(e.Path(), blamed);
        QCOMPARE(QString::fromUtf8(e.what()), description + ": " + blamed);
    }
    // Nothing was damaged on the way.
    QCOMPARE(ReadAll(b.Path("file.txt")), QByteArray("data"));
    QVERIFY(m_fs.FileExists(b.Path("Folder/inner.txt"), 0));
    QVERIFY(!QFile::exists(b.Path("Folder/Sub")));
}

void TestFileSystem::copyOverwritesMoveRefuses()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    const QDateTime when = Local(2010, 6, 1, 12, 0, 0, 0);
    b.Link("a.url", "http://a/").Link("b.url", "http://b/").Link("c.url", "http://c/");
    b.Times("a.url", when);
    ::chmod(QFile::encodeName(b.Path("a.url")).constData(), 0444);

    m_fs.CopyFile(b.Path("a.url"), b.Path("b.url"));
    QCOMPARE(ReadAll(b.Path("b.url")), FavoritesBuilder::ShortcutBytes("http://a/"));
    QCOMPARE(m_fs.Details(b.Path("b.url")).DateLastModified, when);
    QCOMPARE(m_fs.Details(b.Path("b.url")).Attributes, int(AttributeReadOnly));
    m_fs.CopyFile(b.Path("a.url"), b.Path("new.url"));
    QCOMPARE(ReadAll(b.Path("new.url")), ReadAll(b.Path("a.url")));

    QVERIFY_THROWS_EXCEPTION(FileSystemError, m_fs.MoveFile(b.Path("c.url"), b.Path("b.url")));
    QCOMPARE(ReadAll(b.Path("c.url")), FavoritesBuilder::ShortcutBytes("http://c/"));
    QCOMPARE(ReadAll(b.Path("b.url")), FavoritesBuilder::ShortcutBytes("http://a/"));
    m_fs.MoveFile(b.Path("c.url"), b.Path("d.url"));
    QVERIFY(!QFile::exists(b.Path("c.url")));
    QCOMPARE(ReadAll(b.Path("d.url")), FavoritesBuilder::ShortcutBytes("http://c/"));
}

void TestFileSystem::copyAndMoveFolders()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build("A/x.url = http://new/\nA/Sub/y.url = http://y/\nB/x.url = http://old/\nB/keep.url");
    MakeLink("..", b.Path("A/Sub/up"));

    m_fs.CopyFolder(b.Path("A"), b.Path("B"));
    QCOMPARE(ReadAll(b.Path("B/x.url")), FavoritesBuilder::ShortcutBytes("http://new/"));
    QVERIFY(QFile::exists(b.Path("B/keep.url")));
    QCOMPARE(ReadAll(b.Path("B/Sub/y.url")), FavoritesBuilder::ShortcutBytes("http://y/"));
    QVERIFY(QFileInfo(b.Path("B/Sub/up")).isSymLink());
    QCOMPARE(m_fs.Identity(b.Path("B/Sub/up")), m_fs.Identity(b.Path("B")));
    QCOMPARE(Names(m_fs.Files(b.Path("A"))), QStringList{"x.url"});

    m_fs.CopyFolder(b.Path("A"), b.Path("C"));
    QCOMPARE(Names(m_fs.SubFolders(b.Path("C"))), QStringList{"Sub"});
    m_fs.CopyFolder(b.Path("A"), b.Path("C")); // again, over its own copy

    QVERIFY_THROWS_EXCEPTION(FileSystemError, m_fs.MoveFolder(b.Path("C"), b.Path("B")));
    QVERIFY(m_fs.FolderExists(b.Path("C")));
    QVERIFY(QFile::exists(b.Path("B/keep.url")));
    m_fs.MoveFolder(b.Path("C"), b.Path("B/Moved"));
    QVERIFY(!m_fs.FolderExists(b.Path("C")));
    QVERIFY(QFile::exists(b.Path("B/Moved/Sub/y.url")));
}

void TestFileSystem::deleteFolderStaysInside()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Root());
    b.Build("outside/keep.txt\nFavorites/Tree/Sub/file.url = http://x/\nFavorites/Other/");
    MakeLink(b.Path("outside"), b.Path("Favorites/Tree/Sub/out"));
    MakeLink(b.Path("Favorites/Other"), b.Path("Favorites/OtherLink"));

    m_fs.DeleteFolder(b.Path("Favorites/Tree"));
    QVERIFY(!QFileInfo::exists(b.Path("Favorites/Tree")));
    QVERIFY(QFile::exists(b.Path("outside/keep.txt")));
    m_fs.DeleteFolder(b.Path("Favorites/OtherLink"));
    QVERIFY(!QFileInfo(b.Path("Favorites/OtherLink")).isSymLink());
    QVERIFY(m_fs.FolderExists(b.Path("Favorites/Other")));
}

void TestFileSystem::symlinkLoop()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Folder("a/b");
    MakeLink(b.Path("a"), b.Path("a/b/loop"));
    const QList<FsItem> inner = m_fs.SubFolders(b.Path("a/b"));
    QCOMPARE(Names(inner), QStringList{"loop"});
    QCOMPARE(inner[0].Id, m_fs.Identity(b.Path("a")));
    QCOMPARE(m_fs.Identity(b.Path("a/b/loop")), m_fs.Identity(b.Path("a")));
    QVERIFY(!(m_fs.Identity(b.Path("a")) == m_fs.Identity(b.Path("a/b"))));
    QCOMPARE(Names(m_fs.SubFolders(b.Path("a/b/loop/b/loop"))), QStringList{"b"});
}

void TestFileSystem::names_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("parent");
    auto row = [](const char* name, const char* path, const char* base, const char* file,
                  const char* parent) {
        QTest::newRow(name) << QString(path) << QString(base) << QString(file) << QString(parent);
    };
    row("simple", "a.b", "a", "a.b", "");
    row("two dots", "/f/x.y.url", "x.y", "x.y.url", "/f");
    row("hidden", "/f/.hidden", "", ".hidden", "/f");
    row("no extension", "dir.d/noext", "noext", "noext", "dir.d");
    row("trailing dot", "a/b.", "b", "b.", "a");
    row("backslashes", "C:\\Fav\\Site.url", "Site", "C:\\Fav\\Site.url", "");
    row("below root", "/a", "a", "a", "/");
    row("trailing slash", "a/b.d/", "b", "b.d", "a/b.d");
    row("empty", "", "", "", "");
}

void TestFileSystem::names()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QFETCH(QString, file);
    QFETCH(QString, parent);
    QCOMPARE(FileSystemService::GetBaseName(path), base);
    QCOMPARE(FileSystemService::GetFileName(path), file);
    QCOMPARE(FileSystemService::ParentFolder(path), parent);
}

void TestFileSystem::fileExists_data()
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
    QTest::newRow("hidden file") << ".h" << 0 << false;
    QTest::newRow("hidden file, folders too") << ".h" << 16 << false;
    QTest::newRow("hidden file asked for") << ".h" << 2 << true;
    QTest::newRow("dangling link") << "broken" << 0 << true;
    QTest::newRow("missing") << "none" << 16 << false;
}

void TestFileSystem::fileExists()
{
    QFETCH(QString, name);
    QFETCH(int, attributes);
    QFETCH(bool, expected);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build("f.url\nF/\n.h");
    MakeLink(b.Path("F"), b.Path("FL"));
    MakeLink(b.Path("none"), b.Path("broken"));
    QCOMPARE(m_fs.FileExists(b.Path(name), attributes), expected);
    QCOMPARE(m_fs.FolderExists(b.Path(name)), name == "F" || name == "FL");
}

void TestFileSystem::builder()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build(R"(
        # comment
        News/Daily/
        News/Daily/BBC.url = http://bbc.co.uk/?a=b = c
        Top.url = http://top/
        Empty/
        readme.txt
    )");
    QCOMPARE(Names(m_fs.SubFolders(b.Root())), (QStringList{"Empty", "News"}));
    QCOMPARE(Names(m_fs.Files(b.Root())), (QStringList{"readme.txt", "Top.url"}));
    QCOMPARE(ReadAll(b.Path("News/Daily/BBC.url")),
             QByteArray("[DEFAULT]\r\nBASEURL=http://bbc.co.uk/?a=b = c\r\n[InternetShortcut]\r\n"
                        "URL=http://bbc.co.uk/?a=b = c\r\n"));
    QCOMPARE(ReadAll(b.Path("readme.txt")), QByteArray());
    b.File("deep/er/x.bin", QByteArray("\0\1", 2));
    QCOMPARE(ReadAll(b.Path("deep/er/x.bin")).size(), 2);
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "test_filesystem.moc"
