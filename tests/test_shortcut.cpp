#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QRandomGenerator>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Each message's text, marked when it is not a plain "Tavoro" warning with OK.
QStringList Warnings(const ScriptedPrompts& prompts)
{
    QStringList texts;
    for (const ScriptedPrompts::Message& m : prompts.messages) {
        const bool plain = m.icon == Prompts::Icon::Exclamation &&
                           m.buttons == Prompts::Buttons::Ok && m.title == "Tavoro";
        texts.append(plain ? m.text : "<not a warning> " + m.text);
    }
    return texts;
}

// Fails every read and write with the given text, as a locked file or a full disk would,
// which a test run as root could not bring about.
class FailingFileSystem final : public FileSystemService
{
public:
    QString failWith;
    QByteArray ReadHead(const QString& path, qint64 limit) const override
    {
        failIfAsked(path);
        return FileSystemService::ReadHead(path, limit);
    }
    void CreateNewFile(const QString& path, const QByteArray& bytes) const override
    {
        failIfAsked(path);
        FileSystemService::CreateNewFile(path, bytes);
    }

private:
    void failIfAsked(const QString& path) const
    {
        if (!failWith.isEmpty())
            throw FileSystemError(failWith, path);
    }
};

} // namespace

class TestShortcut : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FavoritesBuilder> m_fav;
    ScriptedPrompts m_prompts;
    FailingFileSystem m_fs;

    QString P(const QString& name) const { return m_fav->Path(name); }
    QString ReadUrl(const QString& name) const
    {
        return ShortcutFile::ReadShortcutURL(m_fs, P(name));
    }
    bool Write(const QString& address, const QString& path)
    {
        return ShortcutFile::WriteShortcut(m_fs, m_prompts, nullptr, address, path);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_fav = std::make_unique<FavoritesBuilder>(m_env->Favorites());
        m_prompts.messages.clear();
        m_fs.failWith.clear();
    }
    // The old environment must put its variables back before a new one saves them.
    void cleanup() { m_env.reset(); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const QByteArray& bytes, const QString& expected) {
            QTest::newRow(tag) << bytes << expected;
        };
        row("mixed-case key", "[InternetShortcut]\nuRl=http://m/\n", "http://m/");
        row("earlier section",
            "[Other]\r\nURL=http://o/\r\n[InternetShortcut]\r\nURL=http://i/\r\n", "http://o/");
        row("key after a blank", " URL=http://x/\r\n", "");
        row("blanks kept", "URL=  http://b/ \t \r\n", "  http://b/ \t ");
        row("empty value wins", "URL=\r\nURL=http://x/\r\n", "");
        row("mixed line ends",
            "[InternetShortcut]\rIconIndex=0\nHotKey=0\r\nURL=http://mix/\rX=1\n", "http://mix/");
        row("Windows-1252", "URL=http://caf\xE9.example/\x80\r\n",
            QString::fromUtf8("http://caf\u00E9.example/\u20AC"));
        row("UTF-8 with BOM", "\xEF\xBB\xBFURL=http://bom/\r\n", "http://bom/");
        row("NULs elsewhere", "IconFile=" + QByteArray(2, '\0') + "\xFF\r\nURL=http://n/\r\n",
            "http://n/");
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        m_fav->File("Test.url", bytes);
        QTEST(ReadUrl("Test.url"), "expected");
    }

    // Whatever cannot be read as a plain file reads as no address, without blocking.
    void readFailures()
    {
        m_fav->Folder("folder.url").Symlink("dangling.url", P("gone.url"));
        m_fav->Link("secret.url", "http://secret/");
        QCOMPARE(::mkfifo(QFile::encodeName(P("fifo.url")).constData(), 0600), 0);
        QVERIFY(QFile::link("/proc/self/pagemap", P("kernel.url")));
        for (const char* name :
             {"missing.url", "folder.url", "", "fifo.url", "dangling.url", "kernel.url"})
            QVERIFY2(ReadUrl(name).isEmpty(), name);
        m_fs.failWith = "Permission denied";
        QCOMPARE(ReadUrl("secret.url"), QString());
    }

    // Random bytes, a quarter of them NUL: no line break may leak into the address, and a
    // real key line between the noise is still found.
    void damagedFile_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("7") << 7u;
        QTest::newRow("2024") << 2024u;
    }
    void damagedFile()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        QByteArray bytes(64 * 1024, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random.bounded(256) & (random.bounded(4) == 0 ? 0 : 0xFF));
        m_fav->File("noise.url", bytes);
        const QString url = ReadUrl("noise.url");
        QVERIFY(!url.contains(QLatin1Char('\r')) && !url.contains(QLatin1Char('\n')));
        m_fav->File("noise.url", bytes + "\nURL=http://found/\n" + bytes);
        QCOMPARE(ReadUrl("noise.url"), QString("http://found/"));
    }

    void hugeFile()
    {
        const QByteArray filler = QByteArray(3 * 1024 * 1024, 'x') + "\r\n";
        m_fav->File("front.url", "URL=http://front/\r\n" + filler);
        QCOMPARE(ReadUrl("front.url"), QString("http://front/"));
        // Past the first MiB nothing is read, so the key there goes unseen.
        m_fav->File("back.url", filler + "URL=http://back/\r\n");
        QCOMPARE(ReadUrl("back.url"), QString());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("stored"); // line breaks would split the key line
        const auto same = [](const char* tag, const QString& a) { QTest::newRow(tag) << a << a; };
        same("blanks", " \thttp://x.example/a b  ");
        same("non-ASCII", QString::fromUtf8("http://\u4F8B\u3048.jp/caf\u00E9?\u20AC"));
        same("looks like a key", "URL=http://inner/");
        same("long", "http://long.example/" + QString(2000, QLatin1Char('p')));
        QTest::newRow("breaks around and inside") << "\rhttp://a/\r\n\nb\r\n"
                                                  << "http://a/b";
        QTest::newRow("only breaks") << "\r\n\r\n"
                                     << "";
    }
    void roundTrip()
    {
        QFETCH(QString, address);
        QFETCH(QString, stored);
        QVERIFY(Write(address, P("New.url")));
        QCOMPARE(Warnings(m_prompts), QStringList());
        QCOMPARE(m_fav->Read("New.url"), FavoritesBuilder::ShortcutBytes(stored));
        QCOMPARE(ReadUrl("New.url"), stored);
    }

    // Anything already there under the name, even a dangling link, stays as it was.
    void refusesExisting()
    {
        m_fav->File("empty.url").File(".hidden.url", "old").Folder("folder.url");
        m_fav->File("target", "old")
            .Symlink("link.url", P("target"))
            .Symlink("dangling.url", P("gone"));
        for (const char* name :
             {"empty.url", ".hidden.url", "folder.url", "link.url", "dangling.url"}) {
            m_prompts.messages.clear();
            QVERIFY2(!Write("http://new/", P(name)), name);
            QCOMPARE(Warnings(m_prompts),
                     QStringList{"Link already exists in the selected folder."});
        }
        QCOMPARE(m_fav->Read("empty.url") + m_fav->Read(".hidden.url") + m_fav->Read("target"),
                 QByteArray("oldold"));
        QVERIFY(QFileInfo(P("folder.url")).isDir() && QDir(P("folder.url")).isEmpty());
        QVERIFY(QFileInfo(P("dangling.url")).isSymLink() && !QFileInfo::exists(P("gone")));
    }

    // A shortcut that cannot be written is reported as the system words it, and not left half
    // written.
    void writeFailures()
    {
        m_fav->File("plain");
        const std::pair<QString, QString> rows[] = {
            {"Nowhere/New.url", "Path not found"},
            {"plain/New.url", "Path not found"},
            {QString(300, u'n') + ".url", "File name too long"},
            {"Full.url", "Disk full"}};
        for (const auto& [name, message] : rows) {
            m_prompts.messages.clear();
            m_fs.failWith = name == "Full.url" ? message : QString();
            QVERIFY2(!Write("http://x/", P(name)), qPrintable(name));
            QCOMPARE(Warnings(m_prompts), QStringList{message});
            QVERIFY(!QFileInfo::exists(P(name)));
        }
    }
};

QTEST_GUILESS_MAIN(TestShortcut)
#include "test_shortcut.moc"
