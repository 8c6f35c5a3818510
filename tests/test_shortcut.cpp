#include "favorites/ShortcutFile.h"
#include "favorites/clsLink.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

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

} // namespace

class TestShortcut : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FavoritesBuilder> m_fav;
    ScriptedPrompts m_prompts;

    QString P(const QString& name) const { return m_fav->Path(name); }
    QString ReadUrl(const QString& name) const { return ShortcutFile::ReadShortcutURL(P(name)); }
    bool Write(const QString& address, const QString& path)
    {
        return ShortcutFile::WriteShortcut(m_prompts, nullptr, address, path);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_fav = std::make_unique<FavoritesBuilder>(m_env->Favorites());
        m_prompts.messages.clear();
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
        row("BASEURL first", "BASEURL=http://base/\r\nURL=http://real/\r\n", "http://real/");
        row("earlier section",
            "[Other]\r\nURL=http://o/\r\n[InternetShortcut]\r\nURL=http://i/\r\n", "http://o/");
        row("empty file", "", "");
        row("key after a blank", " URL=http://x/\r\n", "");
        row("key without =", "URL http://x/\r\nURL:http://y/\r\n", "");
        row("blanks kept", "URL=  http://b/ \t \r\n", "  http://b/ \t ");
        row("empty value wins", "URL=\r\nURL=http://x/\r\n", "");
        row("= and [ in the value", "URL=http://q/?a=[1]&b==\r\n", "http://q/?a=[1]&b==");
        row("mixed line ends",
            "[InternetShortcut]\rIconIndex=0\nHotKey=0\r\nURL=http://mix/\rX=1\n", "http://mix/");
        row("Windows-1252", "URL=http://caf\xE9.example/\x80\r\n",
            QString::fromUtf8("http://caf\u00E9.example/\u20AC"));
        row("UTF-8", QString::fromUtf8("URL=http://caf\u00E9.example/\u4F8B\r\n").toUtf8(),
            QString::fromUtf8("http://caf\u00E9.example/\u4F8B"));
        row("UTF-8 with BOM", "\xEF\xBB\xBFURL=http://bom/\r\n", "http://bom/");
        row("NULs elsewhere", "IconFile=" + QByteArray(2, '\0') + "\xFF\r\nURL=http://n/\r\n",
            "http://n/");
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        m_fav->File("Test.url", bytes);
        QCOMPARE(ReadUrl("Test.url"), expected);
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"missing", "folder", "empty path", "fifo", "dangling symlink", "unreadable"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void readFailures()
    {
        QFETCH(QString, kind);
        QString path = P("Entry.url");
        if (kind == "folder")
            m_fav->Folder("Entry.url");
        else if (kind == "empty path")
            path.clear();
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "dangling symlink")
            m_fav->Symlink("Entry.url", P("gone.url"));
        else if (kind == "unreadable") {
            if (::geteuid() == 0)
                QSKIP("root reads everything");
            m_fav->Link("Entry.url", "http://secret/");
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        }
        QCOMPARE(ShortcutFile::ReadShortcutURL(path), QString());
    }

    // Random bytes, a quarter of them NUL: no line break may leak into the address, and a
    // real key line between the noise is still found.
    void damagedFile_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {7u, 2024u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
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
        // clang-format off
        const auto same = [](const char* tag, const QString& a) { QTest::newRow(tag) << a << a; };
        same("blanks", " \thttp://x.example/a b  ");
        same("non-ASCII", QString::fromUtf8("http://\u4F8B\u3048.jp/caf\u00E9?\u20AC"));
        same("= and [", "http://x/?q=[1]&r==[DEFAULT]");
        same("looks like a key", "URL=http://inner/");
        same("long", "http://long.example/" + QString(2000, QLatin1Char('p')));
        QTest::newRow("breaks around and inside") << "\rhttp://a/\r\n\nb\r\n" << "http://a/b";
        QTest::newRow("only breaks") << "\r\n\r\n" << "";
        // clang-format on
    }
    void roundTrip()
    {
        QFETCH(QString, address);
        QFETCH(QString, stored);
        QVERIFY(Write(address, P("New.url")));
        QCOMPARE(Warnings(m_prompts), QStringList());
        QVERIFY(ShortcutFile::FileExists(P("New.url"), 0));
        QCOMPARE(m_fav->Read("New.url"), FavoritesBuilder::ShortcutBytes(stored));
        QCOMPARE(ReadUrl("New.url"), stored);
    }

    void refusesExisting_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"empty file", "hidden file", "folder", "symlink", "dangling symlink"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void refusesExisting()
    {
        QFETCH(QString, kind);
        const QString name = kind == "hidden file" ? ".Old.url" : "Old.url";
        const QString path = P(name);
        const QByteArray old = kind == "empty file" ? QByteArray() : QByteArray("old bytes\n");
        if (kind == "folder") {
            m_fav->Folder(name);
        } else if (kind.endsWith("symlink")) {
            m_fav->File("target", old);
            m_fav->Symlink(name, P("target"));
            if (kind == "dangling symlink")
                QVERIFY(QFile::remove(P("target")));
        } else {
            m_fav->File(name, old);
        }
        QVERIFY(!Write("http://new/", path));
        QCOMPARE(Warnings(m_prompts), QStringList{"Link already exists in the selected folder."});
        if (kind == "folder")
            QVERIFY(QFileInfo(path).isDir() && QDir(path).isEmpty());
        else if (kind == "dangling symlink")
            QVERIFY(QFileInfo(path).isSymLink() && !QFileInfo::exists(P("target")));
        else
            QCOMPARE(m_fav->Read(name), old);
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("missing folder") << "missing" << "Path not found";
        QTest::newRow("parent is a file") << "notdir" << "Path not found";
        QTest::newRow("name too long") << "long" << "File name too long";
        QTest::newRow("read-only folder") << "readonly" << "Permission denied";
        // clang-format on
    }
    void writeFailures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QString path = P("Nowhere/New.url");
        if (kind == "notdir") {
            m_fav->File("plain");
            path = P("plain/New.url");
        } else if (kind == "long") {
            path = P(QString(300, QLatin1Char('n')) + ".url");
        } else if (kind == "readonly") {
            if (::geteuid() == 0)
                QSKIP("root writes everywhere");
            m_fav->Folder("Locked");
            QVERIFY(QFile::setPermissions(P("Locked"), QFile::ReadOwner | QFile::ExeOwner));
            path = P("Locked/New.url");
        }
        const bool written = Write("http://x/", path);
        if (kind == "readonly")
            QFile::setPermissions(P("Locked"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(Warnings(m_prompts), QStringList{message});
        QVERIFY(!QFileInfo::exists(path));
    }

    void links_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // title|dir|file
        // clang-format off
        QTest::newRow("link") << false << "/f/News/BBC.url" << "BBC|/f/News|BBC.url";
        QTest::newRow("link x.y.url") << false << "/f/x.y.url" << "x.y|/f|x.y.url";
        QTest::newRow("folder a.b") << true << "/f/a.b" << "a|/f/a.b|";
        QTest::newRow("folder with slash") << true << "/f/News/" << "News|/f/News|";
        // clang-format on
    }
    void links()
    {
        QFETCH(bool, folder);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const clsLink link = folder ? clsLink::FromFolder(path) : clsLink::FromLinkFile(path);
        QCOMPARE(link.Title() + u'|' + link.Dir() + u'|' + link.File(), expected);
        QCOMPARE(link.IsFolder(), folder);
    }
};

QTEST_GUILESS_MAIN(TestShortcut)
#include "test_shortcut.moc"
