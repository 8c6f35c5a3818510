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

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kExists = QStringLiteral("Link already exists in the selected folder.");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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

bool MakeLink(const QString& target, const QString& linkPath)
{
    return ::symlink(QFile::encodeName(target).constData(),
                     QFile::encodeName(linkPath).constData()) == 0;
}

} // namespace

class TestShortcut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void readFailures_data();
    void readFailures();
    void binaryFile_data();
    void binaryFile();
    void hugeFile();
    void roundTrip_data();
    void roundTrip();
    void exactBytes();
    void lineBreaksRemoved_data();
    void lineBreaksRemoved();
    void refusesExisting_data();
    void refusesExisting();
    void writeFailures_data();
    void writeFailures();
    void fileExists_data();
    void fileExists();
    void links_data();
    void links();
    void linkProperties();
};

void TestShortcut::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    const QByteArray windows = "[DEFAULT]\r\nBASEURL=http://base.example/\r\n"
                               "[InternetShortcut]\r\nURL=http://win.example/\r\nIDList=\r\n"
                               "HotKey=0\r\nIconFile=http://win.example/favicon.ico\r\n"
                               "IconIndex=1\r\n[{000214A0-0000-0000-C000-000000000046}]\r\n"
                               "Prop3=19,2\r\n";
    const QString longAddress = "http://long.example/" + QString(1980, QLatin1Char('x'));
    QTest::newRow("browser layout")
        << FavoritesBuilder::ShortcutBytes("http://a.example/") << "http://a.example/";
    QTest::newRow("lower-case key")
        << QByteArray("[InternetShortcut]\nurl=http://l/\n") << "http://l/";
    QTest::newRow("mixed-case key") << QByteArray("uRl=http://m/") << "http://m/";
    QTest::newRow("BASEURL first")
        << QByteArray("BASEURL=http://base/\r\nURL=http://real/\r\n") << "http://real/";
    QTest::newRow("only BASEURL") << QByteArray("[DEFAULT]\r\nBASEURL=http://base/\r\n") << "";
    QTest::newRow("first of two") << QByteArray("URL=http://one/\r\nURL=http://two/\r\n")
                                  << "http://one/";
    QTest::newRow("first in an earlier section")
        << QByteArray("[Other]\r\nURL=http://other/\r\n[InternetShortcut]\r\nURL=http://is/\r\n")
        << "http://other/";
    QTest::newRow("no URL line") << QByteArray("[InternetShortcut]\r\nIconIndex=0\r\n") << "";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("key after a blank") << QByteArray(" URL=http://x/\r\n") << "";
    QTest::newRow("key without =") << QByteArray("URL http://x/\r\nURL:http://y/\r\n") << "";
    QTest::newRow("blanks kept") << QByteArray("URL=  http://b/ \t \r\n") << "  http://b/ \t ";
    QTest::newRow("empty value wins") << QByteArray("URL=\r\nURL=http://x/\r\n") << "";
    QTest::newRow("= and [ in the value")
        << QByteArray("URL=http://q/?a=[1]&b==\r\n") << "http://q/?a=[1]&b==";
    QTest::newRow("written on Windows") << windows << "http://win.example/";
    QTest::newRow("LF only") << QByteArray(windows).replace("\r\n", "\n") << "http://win.example/";
    QTest::newRow("CR only") << QByteArray(windows).replace("\r\n", "\r") << "http://win.example/";
    QTest::newRow("mixed line ends")
        << QByteArray("[InternetShortcut]\rIconIndex=0\nHotKey=0\r\nURL=http://mix/\rX=1\n")
        << "http://mix/";
    QTest::newRow("Windows-1252") << QByteArray("URL=http://caf\xE9.example/\x80\r\n")
                                  << QString::fromUtf8("http://caf\u00E9.example/\u20AC");
    QTest::newRow("UTF-8") << QString::fromUtf8("URL=http://caf\u00E9.example/\u4F8B\r\n").toUtf8()
                           << QString::fromUtf8("http://caf\u00E9.example/\u4F8B");
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBFURL=http://bom/\r\n") << "http://bom/";
    QTest::newRow("2,000 characters") << ("URL=" + longAddress.toLatin1() + "\r\n") << longAddress;
    QTest::newRow("NULs elsewhere")
        << "IconFile=" + QByteArray(2, '\0') + "\xFF\r\nURL=http://n/\r\n"
        << "http://n/";
}

void TestShortcut::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.File("Test.url", bytes);
    QCOMPARE(ShortcutFile::ReadShortcutURL(b.Path("Test.url")), expected);
}

void TestShortcut::readFailures_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"missing", "missing folder", "folder", "empty path", "fifo",
                             "dangling symlink", "unreadable"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestShortcut::readFailures()
{
    QFETCH(QString, kind);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    QString path = b.Path("Entry.url");
    if (kind == "missing folder")
        path = b.Path("Nowhere/Entry.url");
    else if (kind == "folder")
        b.Folder("Entry.url");
    else if (kind == "empty path")
        path.clear();
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "dangling symlink")
        QVERIFY(MakeLink(b.Path("gone.url"), path));
    else if (kind == "unreadable") {
        if (::geteuid() == 0)
            QSKIP("root reads everything");
        b.Link("Entry.url", "http://secret/");
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    }
    QCOMPARE(ShortcutFile::ReadShortcutURL(path), QString());
}

void TestShortcut::binaryFile_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 7u, 42u, 2024u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TestShortcut::binaryFile()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QByteArray bytes(64 * 1024, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256) & (random.bounded(4) == 0 ? 0 : 0xFF));
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.File("noise.url", bytes);
    const QString url = ShortcutFile::ReadShortcutURL(b.Path("noise.url"));
    QVERIFY(!url.contains(QLatin1Char('\r')) && !url.contains(QLatin1Char('\n')));
    // A real key line in the middle of the noise is still found.
    b.File("noise.url", bytes + "\nURL=http://found/\n" + bytes);
    QCOMPARE(ShortcutFile::ReadShortcutURL(b.Path("noise.url")), QString("http://found/"));
}

void TestShortcut::hugeFile()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    const QByteArray filler = QByteArray(3 * 1024 * 1024, 'x') + "\r\n";
    b.File("front.url", "URL=http://front/\r\n" + filler);
    QCOMPARE(ShortcutFile::ReadShortcutURL(b.Path("front.url")), QString("http://front/"));
    // Past the first MiB nothing is read, so the key there goes unseen.
    b.File("back.url", filler + "URL=http://back/\r\n");
    QCOMPARE(ShortcutFile::ReadShortcutURL(b.Path("back.url")), QString());
}

void TestShortcut::roundTrip_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("plain") << "http://www.example.com/";
    QTest::newRow("blanks") << "  http://x.example/a b  ";
    QTest::newRow("tab") << "http://x.example/\tpage";
    QTest::newRow("non-ASCII") << QString::fromUtf8("http://\u4F8B\u3048.jp/caf\u00E9?\u20AC");
    QTest::newRow("= and [") << "http://x/?q=[1]&r==[DEFAULT]";
    QTest::newRow("looks like a key") << "URL=http://inner/";
    QTest::newRow("empty") << "";
    QTest::newRow("long") << "http://long.example/" + QString(2000, QLatin1Char('p'));
}

void TestShortcut::roundTrip()
{
    QFETCH(QString, address);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    ScriptedPrompts prompts;
    const QString path = b.Path("New.url");
    QVERIFY(ShortcutFile::WriteShortcut(prompts, nullptr, address, path));
    QCOMPARE(Warnings(prompts), QStringList());
    QCOMPARE(ReadAll(path), FavoritesBuilder::ShortcutBytes(address));
    QCOMPARE(ShortcutFile::ReadShortcutURL(path), address);
}

void TestShortcut::exactBytes()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    ScriptedPrompts prompts;
    QVERIFY(ShortcutFile::WriteShortcut(prompts, nullptr, "http://a/", b.Path("a.url")));
    QCOMPARE(
        ReadAll(b.Path("a.url")),
        QByteArray("[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nURL=http://a/\r\n"));
    QVERIFY(ShortcutFile::WriteShortcut(prompts, nullptr, QString(), b.Path("e.url")));
    QCOMPARE(ReadAll(b.Path("e.url")),
             QByteArray("[DEFAULT]\r\nBASEURL=\r\n[InternetShortcut]\r\nURL=\r\n"));
}

void TestShortcut::lineBreaksRemoved_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF inside") << "http://a/\r\nb"
                                  << "http://a/b";
    QTest::newRow("around") << "\rhttp://x/\n"
                            << "http://x/";
    QTest::newRow("many") << "a\n\n\rb\r"
                          << "ab";
    QTest::newRow("only breaks") << "\r\n\r\n"
                                 << "";
}

void TestShortcut::lineBreaksRemoved()
{
    QFETCH(QString, address);
    QFETCH(QString, expected);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    ScriptedPrompts prompts;
    QVERIFY(ShortcutFile::WriteShortcut(prompts, nullptr, address, b.Path("n.url")));
    const QByteArray bytes = ReadAll(b.Path("n.url"));
    QCOMPARE(bytes, FavoritesBuilder::ShortcutBytes(expected));
    QCOMPARE(bytes.count('\r'), 4);
    QCOMPARE(bytes.count('\n'), 4);
}

void TestShortcut::refusesExisting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::newRow("file") << "Old.url"
                          << "file";
    QTest::newRow("empty file") << "Old.url"
                                << "empty";
    QTest::newRow("hidden file") << ".Old.url"
                                 << "file";
    QTest::newRow("folder") << "Old.url"
                            << "folder";
    QTest::newRow("symlink") << "Old.url"
                             << "symlink";
    QTest::newRow("dangling symlink") << "Old.url"
                                      << "dangling";
}

void TestShortcut::refusesExisting()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    const QString path = b.Path(name);
    const QByteArray old = kind == "empty" ? QByteArray() : QByteArray("old bytes\n");
    if (kind == "folder") {
        b.Folder(name);
    } else if (kind == "symlink" || kind == "dangling") {
        b.File("target", old);
        QVERIFY(MakeLink(b.Path("target"), path));
        if (kind == "dangling")
            QVERIFY(QFile::remove(b.Path("target")));
    } else {
        b.File(name, old);
    }
    ScriptedPrompts prompts;
    QVERIFY(!ShortcutFile::WriteShortcut(prompts, nullptr, "http://new/", path));
    QCOMPARE(Warnings(prompts), QStringList{kExists});
    if (kind == "folder")
        QVERIFY(QFileInfo(path).isDir() && QDir(path).isEmpty());
    else if (kind == "dangling")
        QVERIFY(QFileInfo(path).isSymLink() && !QFileInfo::exists(b.Path("target")));
    else
        QCOMPARE(ReadAll(path), old);
}

void TestShortcut::writeFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << "missing"
                                    << "Path not found";
    QTest::newRow("parent is a file") << "notdir"
                                      << "Path not found";
    QTest::newRow("name too long") << "long"
                                   << "File name too long";
    QTest::newRow("read-only folder") << "readonly"
                                      << "Permission denied";
}

void TestShortcut::writeFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    QString path;
    if (kind == "missing") {
        path = b.Path("Nowhere/New.url");
    } else if (kind == "notdir") {
        b.File("plain");
        path = b.Path("plain/New.url");
    } else if (kind == "long") {
        path = b.Path(QString(300, QLatin1Char('n')) + ".url");
    } else {
        if (::geteuid() == 0)
            QSKIP("root writes everywhere");
        b.Folder("Locked");
        QVERIFY(QFile::setPermissions(b.Path("Locked"), QFile::ReadOwner | QFile::ExeOwner));
        path = b.Path("Locked/New.url");
    }
    ScriptedPrompts prompts;
    const bool written = ShortcutFile::WriteShortcut(prompts, nullptr, "http://x/", path);
    if (kind == "readonly")
        QFile::setPermissions(b.Path("Locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QCOMPARE(Warnings(prompts), QStringList{message});
    QVERIFY(!QFileInfo::exists(path));
}

void TestShortcut::fileExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("attributes");
    QTest::addColumn<bool>("expected");
    QTest::newRow("file") << "a.url" << 0 << true;
    QTest::newRow("file, folders too") << "a.url" << 16 << true;
    QTest::newRow("hidden file") << ".h.url" << 0 << false;
    QTest::newRow("folder") << "Sub" << 0 << false;
    QTest::newRow("folder, folders too") << "Sub" << 16 << true;
    QTest::newRow("missing") << "none.url" << 16 << false;
    QTest::newRow("empty path") << "" << 16 << false;
}

void TestShortcut::fileExists()
{
    QFETCH(QString, name);
    QFETCH(int, attributes);
    QFETCH(bool, expected);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build("a.url = http://a/\n.h.url = http://h/\nSub/\n");
    const QString path = name.isEmpty() ? QString() : b.Path(name);
    QCOMPARE(ShortcutFile::FileExists(path, attributes), expected);
}

void TestShortcut::links_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("file");
    QTest::newRow("link") << false << "/f/News/BBC.url"
                          << "BBC"
                          << "/f/News"
                          << "BBC.url";
    QTest::newRow("link x.y.url") << false << "/f/x.y.url"
                                  << "x.y"
                                  << "/f"
                                  << "x.y.url";
    QTest::newRow("folder a.b") << true << "/f/a.b"
                                << "a"
                                << "/f/a.b"
                                << "";
    QTest::newRow("folder with slash") << true << "/f/News/"
                                       << "News"
                                       << "/f/News"
                                       << "";
}

void TestShortcut::links()
{
    QFETCH(bool, folder);
    QFETCH(QString, path);
    QFETCH(QString, title);
    QFETCH(QString, dir);
    QFETCH(QString, file);
    const clsLink link = folder ? clsLink::FromFolder(path) : clsLink::FromLinkFile(path);
    QCOMPARE(link.Title(), title);
    QCOMPARE(link.Dir(), dir);
    QCOMPARE(link.File(), file);
    QCOMPARE(link.IsFolder(), folder);
}

void TestShortcut::linkProperties()
{
    clsLink link;
    QVERIFY(link.Path().isEmpty() && link.Title().isEmpty() && link.Dir().isEmpty());
    QVERIFY(link.File().isEmpty() && link.IsFolder());
    link.SetPath("/f/a.url");
    link.SetTitle("a");
    link.SetDir("/f");
    link.SetFile("a.url");
    QCOMPARE(link.Path(), QString("/f/a.url"));
    QCOMPARE(link.Title(), QString("a"));
    QCOMPARE(link.Dir(), QString("/f"));
    QCOMPARE(link.File(), QString("a.url"));
    QVERIFY(!link.IsFolder());
}

QTEST_GUILESS_MAIN(TestShortcut)
#include "test_shortcut.moc"
