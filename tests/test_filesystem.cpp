#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>

#include <functional>

#include <fcntl.h>
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

    // One order for every listing: without regard to case, ties broken by case.
    void enumerationOrder()
    {
        const std::pair<QStringList, QStringList> rows[] = {
            // created, listed
            {{"b", "B", "a"}, {"a", "B", "b"}},
            {{"z", "10", "9", "A"}, {"10", "9", "A", "z"}},
            {{"ab", "a_b", "a.b", "A.b", ".x"}, {".x", "A.b", "a.b", "a_b", "ab"}},
            {{"éb", "Éa", "ea"}, {"ea", "Éa", "éb"}},
            {{"News.url", "news", "New.url", "NEWS2.url"},
             {"New.url", "news", "News.url", "NEWS2.url"}}};
        for (int row = 0; row < int(std::size(rows)); ++row) {
            const auto& [created, expected] = rows[row];
            const QString files = QString("files%1").arg(row),
                          folders = QString("folders%1").arg(row);
            for (const QString& name : created)
                m_b->File(files + u'/' + name).Folder(folders + u'/' + name);
            QCOMPARE(Names(m_fs.Files(P(files))), expected);
            QCOMPARE(Names(m_fs.Contents(P(files)).Files), expected);
            QCOMPARE(Names(m_fs.SubFolders(P(folders))), expected);
            QCOMPARE(Names(m_fs.Contents(P(folders)).SubFolders), expected);
            for (qsizetype i = 1; i < expected.size(); ++i)
                QVERIFY(FileSystemService::LessByName(expected[i - 1], expected[i]) &&
                        !FileSystemService::LessByName(expected[i], expected[i - 1]));
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

    // Times to the millisecond, before 1970 too, as local time, for files and folders alike.
    void dates()
    {
        const QDateTime made = QDateTime::currentDateTime();
        for (const auto& [modified, accessed] :
             {std::pair(Local(2019, 7, 15, 13, 45, 30, 123), Local(2020, 12, 31, 23, 59, 59, 999)),
              std::pair(Local(1965, 5, 5, 5, 5, 5, 500), Local(1969, 12, 31, 23, 59, 59, 1))}) {
            m_b->Link("a.url", "http://a/").Folder("F").Times("a.url", modified, accessed);
            m_b->Times("F", modified, accessed);
            for (const char* name : {"a.url", "F"}) {
                const FsDetails d = m_fs.Details(P(name));
                QCOMPARE(d.DateLastModified(), modified);
                QCOMPARE(d.DateLastModified().time(), modified.toLocalTime().time());
                QCOMPARE(d.DateLastAccessed(), accessed);
                // Birth time where the file system keeps one, else the modified time.
                QVERIFY2(d.DateCreated() == modified || qAbs(d.DateCreated().secsTo(made)) < 60,
                         qPrintable(d.DateCreated().toString(Qt::ISODateWithMs)));
            }
            const FolderContents contents = m_fs.Contents(m_b->Root());
            QCOMPARE(contents.Files[0].Details.DateLastModified(), modified);
            QCOMPARE(contents.SubFolders[0].Details.DateLastAccessed(), accessed);
        }
    }

    // Read-only is the owner's write bit, hidden a leading dot; a name ending in "/" is a
    // folder. Details and Contents agree.
    void attributes()
    {
        const std::tuple<QString, int, int> rows[] = {{"ro.url", 0444, 1},
                                                      {"owner.url", 0600, 0},
                                                      {".h", 0400, 3},
                                                      {"RO/", 0555, 17},
                                                      {".F/", 0755, 18}};
        for (const auto& [name, mode, expected] : rows) {
            name.endsWith(u'/') ? m_b->Folder(name) : m_b->File(name, "12345");
            Chmod(P(name), mode);
        }
        const FolderContents contents = m_fs.Contents(m_b->Root());
        for (const auto& [name, mode, expected] : rows) {
            const bool folder = name.endsWith(u'/');
            const FsDetails d = m_fs.Details(P(name));
            QVERIFY2(d.Attributes == expected && d.Size == (folder ? 0 : 5), qPrintable(name));
            for (const FsEntry& entry : folder ? contents.SubFolders : contents.Files)
                QVERIFY(entry.Name != name.chopped(folder) || entry.Details.Attributes == expected);
        }
        Chmod(P("RO"), 0755);
    }

    // Each failing call ("Function source [destination]" below the root), the description it
    // must give and the path it must blame; nothing is damaged on the way.
    void errors()
    {
        const char* missingFile = "File not found";
        const char* missingPath = "Path not found";
        const char* denied = "Permission denied";
        const char* exists = "File already exists";
        const std::tuple<QString, QString, QString> rows[] = {
            {"SubFolders nowhere", missingPath, "nowhere"},
            {"Files file.txt", missingPath, "file.txt"},
            {"Details nowhere", missingFile, "nowhere"},
            {"CopyFile nowhere x", missingFile, "nowhere"},
            {"CopyFile file.txt Folder", denied, "Folder"},
            {"CopyFile file.txt file.txt", denied, "file.txt"},
            {"CopyFile file.txt locked.txt", denied, "locked.txt"},
            {"CopyFile file.txt nowhere/x", missingPath, "nowhere/x"},
            {"MoveFile file.txt other.txt", exists, "other.txt"},
            {"MoveFolder Folder file.txt", exists, "file.txt"},
            {"CopyFolder Folder Folder/Sub", denied, "Folder/Sub"},
            {"MoveFolder Folder Folder/Sub", denied, "Folder/Sub"},
            {"CopyFolder Folder other.txt", exists, "other.txt"},
            {"CreateFolder Folder", exists, "Folder"},
            {"CreateFolder nowhere/Sub", missingPath, "nowhere/Sub"},
            {"DeleteFile nowhere", missingFile, "nowhere"},
            {"DeleteFolder nowhere", missingPath, "nowhere"},
            {"DeleteFile Folder", missingFile, "Folder"}};
        using Run = std::function<void(const FileSystemService&, const QString&, const QString&)>;
        const QHash<QString, Run> runs = {
            {"SubFolders", [](auto& fs, auto& s, auto&) { fs.SubFolders(s); }},
            {"Files", [](auto& fs, auto& s, auto&) { fs.Files(s); }},
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
        for (const auto& [call, description, blamed] : rows) {
            const QStringList parts = call.split(u' ');
            try {
                runs.value(parts[0])(m_fs, P(parts.value(1)), P(parts.value(2)));
                QFAIL(qPrintable("no error: " + call));
            } catch (const FileSystemError& e) {
                QCOMPARE(QString::fromUtf8(e.what()), description + ": " + P(blamed));
                QVERIFY(e.Description() == description && e.Path() == P(blamed));
            }
            QCOMPARE(m_b->Read("file.txt"), QByteArray("data"));
            QVERIFY(m_fs.FileExists(P("Folder/inner.txt"), 0) && !QFile::exists(P("Folder/Sub")));
        }
    }

    void copyOverwritesMoveRefuses()
    {
        const QDateTime when = Local(2010, 6, 1, 12, 0, 0, 0);
        m_b->Link("a.url", "http://a/").Link("b.url", "http://b/").Link("c.url", "http://c/");
        m_b->Times("a.url", when);
        Chmod(P("a.url"), 0444);

        m_fs.CopyFile(P("a.url"), P("b.url"));
        QCOMPARE(m_b->Read("b.url"), FavoritesBuilder::ShortcutBytes("http://a/"));
        QCOMPARE(m_fs.Details(P("b.url")).DateLastModified(), when);
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

    // With attributes 0 plain files only; with 16 folders too; hidden files only when asked.
    void fileExists()
    {
        m_b->Build("f.url\nF/\n.h");
        m_b->Symlink("FL", P("F")).Symlink("broken", P("none"));
        const std::tuple<QString, int, bool> rows[] = {
            {"f.url", 16, true}, {"F", 0, false},     {"F", 16, true},
            {"FL", 16, true},    {"FL", 0, false},    {".h", 16, false},
            {".h", 2, true},     {"broken", 0, true}, {"none", 16, false}};
        for (const auto& [name, attributes, expected] : rows) {
            QVERIFY2(m_fs.FileExists(P(name), attributes) == expected, qPrintable(name));
            QCOMPARE(m_fs.FolderExists(P(name)), name == "F" || name == "FL");
        }
    }

    // Names are bytes: one that is not UTF-8 lists, reads and deletes as itself, and a
    // backslash is an ordinary character.
    void namesRoundTripByteForByte()
    {
        const QByteArray root = QFile::encodeName(m_env->Favorites());
        const QByteArray folder = root + "/Caf\xe9";
        QVERIFY(QDir().mkpath(m_env->Favorites()));
        QCOMPARE(::mkdir(folder.constData(), 0777), 0);
        const int fd = ::open((folder + "/Men\xfc.url").constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "[InternetShortcut]\nURL=http://a/\n", 33), ssize_t(33));
        ::close(fd);

        FileSystemService fs;
        const QList<FsItem> folders = fs.SubFolders(m_env->Favorites());
        QCOMPARE(folders.size(), 1);
        const QList<FsItem> files = fs.Files(folders.first().Path);
        QCOMPARE(files.size(), 1);
        QCOMPARE(PathCodec::Encode(files.first().Path), folder + "/Men\xfc.url");
        QCOMPARE(PathCodec::Decode(PathCodec::Encode(files.first().Path)), files.first().Path);
        QCOMPARE(PathCodec::Readable(files.first().Name), QString::fromUtf8("Menü.url"));
        QCOMPARE(ShortcutFile::ReadShortcutURL(fs, files.first().Path),
                 QStringLiteral("http://a/"));
        fs.DeleteFile(files.first().Path);
        QVERIFY(fs.Files(folders.first().Path).isEmpty());
        QCOMPARE(FileSystemService::GetBaseName("/f/AC\\DC Live.url"),
                 QStringLiteral("AC\\DC Live"));
    }

    // Views and search act only inside the Favorites: a key that is no path, or a path
    // that climbs out, lists and deletes nothing.
    void confinedToTheFavorites()
    {
        FavoritesBuilder b(m_env->Root());
        b.Build("Favorites/a.url = http://a\noutside.url = http://o\n");
        FileSystemService fs;
        fs.ConfineTo(b.Path("Favorites"));
        QCOMPARE(fs.Contents(b.Path("Favorites")).Files.size(), 1);
        QVERIFY_THROWS_EXCEPTION(FileSystemError, fs.Contents("2010-12-31"));
        QVERIFY_THROWS_EXCEPTION(FileSystemError,
                                 fs.DeleteFile(b.Path("Favorites/../outside.url")));
        QVERIFY_THROWS_EXCEPTION(FileSystemError, fs.DeleteFile(b.Path("outside.url")));
        QVERIFY(QFile::exists(b.Path("outside.url")));
        // A link to a kernel file poses as a plain file that never ends: never copied.
        QVERIFY(QFile::link("/proc/self/pagemap", b.Path("Favorites/kernel.url")));
        QVERIFY_THROWS_EXCEPTION(FileSystemError,
                                 fs.CopyFile(b.Path("Favorites/kernel.url"), b.Path("copy.url")));
    }

    // Read-only links are not forced when their folder is deleted: they stay, and the
    // error names them; everything else goes.
    void deleteFolderKeepsReadOnlyLinks()
    {
        FavoritesBuilder b(m_env->Favorites());
        b.Build("Old/gone.url = http://g\nOld/Sub/keep.url = http://k\n");
        QVERIFY(QFile::setPermissions(b.Path("Old/Sub/keep.url"), QFile::ReadOwner));
        try {
            FileSystemService().DeleteFolder(b.Path("Old"));
            QFAIL("the folder went with a read-only link in it");
        } catch (const FileSystemError& error) {
            QVERIFY2(error.Description().contains("Old/Sub/keep.url"), error.what());
        }
        QVERIFY(QFile::exists(b.Path("Old/Sub/keep.url")));
        QVERIFY(!QFile::exists(b.Path("Old/gone.url")));
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "test_filesystem.moc"
