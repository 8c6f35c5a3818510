#include "exchange/BatchHeadReader.h"
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/ExchangeCommandLine.h"
#include "exchange/FolderReader.h"
#include "exchange/NetscapeHtmlReader.h"
#include "exchange/SafeName.h"
#include "exchange/UrlTreeWriter.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A tree as one line: folders "Name[...]", links "Name<address>", times "@mod/visit".
QString Dump(const BookmarkNode& folder, bool times = false)
{
    QStringList parts;
    for (const BookmarkNode& node : folder.Children) {
        QString part = node.IsFolder ? node.Name + u'[' + Dump(node, times) + u']'
                                     : node.Name + u'<' + node.Address + u'>';
        if (times)
            part +=
                QStringLiteral("@%1/%2").arg(node.Modified).arg(node.IsFolder ? 0 : node.Visited);
        parts << part;
    }
    return parts.join(u' ');
}

BookmarkTree ReadHtml(const QByteArray& bytes)
{
    BookmarkTree tree;
    QString error;
    NetscapeHtmlReader::Read(bytes, tree, error);
    return tree;
}

BookmarkTree ReadFolder(const QString& path,
                        BatchHeadReader::Mode mode = BatchHeadReader::Mode::Batched)
{
    BookmarkTree tree;
    QString error;
    FileSystemService fileSystem;
    FolderReader(fileSystem, nullptr, mode).Read(path, tree, error);
    return tree;
}

// What a reader made of each file of a folder, one line each.
QStringList ReadHeads(const QString& folder, const QStringList& names, BatchHeadReader& reader)
{
    std::vector<BatchHeadReader::Item> items;
    for (const QString& name : names)
        items.push_back({QFile::encodeName(name), 0, {}});
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    reader.Read(fd, items, 1024 * 1024);
    ::close(fd);
    QStringList lines;
    for (const BatchHeadReader::Item& item : items) {
        const FsDetails& details = item.Head.Details;
        lines << QStringLiteral("%1 error %2 plain %3 size %4 %5 times %6/%7/%8")
                     .arg(QString::fromUtf8(item.Name))
                     .arg(item.Error)
                     .arg(item.Head.Plain)
                     .arg(item.Head.Bytes.size())
                     .arg(QString::fromUtf8(item.Head.Bytes.left(40).toHex()))
                     .arg(details.Modified)
                     .arg(details.Accessed)
                     .arg(details.Created);
    }
    return lines;
}

QByteArray Quirks()
{
    QFile file(QFINDTESTDATA("data/exchange/quirks.html"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void safeNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("expected");
        QTest::newRow("slash") << "a/b"
                               << "x"
                               << "a-b";
        QTest::newRow("nul and controls") << QString::fromUtf8("a\0b\tc\nd", 7) << "x"
                                          << "a b c d";
        QTest::newRow("empty takes fallback") << "  "
                                              << "http://x.org/"
                                              << "http:--x.org-";
        QTest::newRow("dot dot") << ".."
                                 << ""
                                 << "_";
        QTest::newRow("dot") << "."
                             << "../.."
                             << "_.-..";
        QTest::newRow("hidden") << ".profile"
                                << "x"
                                << "_profile";
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "z"
                                        << "x" << QString(QChar(0xFFFD)) + "z";
    }
    void safeNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        QCOMPARE(SafeName::Make(title, fallback, ".url"), expected);
    }

    void longNamesKeepWholeCharacters_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::newRow("ascii") << "a";
        QTest::newRow("two bytes") << "é";
        QTest::newRow("four bytes") << "😀";
    }
    void longNamesKeepWholeCharacters()
    {
        QFETCH(QString, unit);
        const QString name =
            SafeName::Numbered(SafeName::Make(unit.repeated(300), "x", ".url"), 12, ".url");
        const QByteArray bytes = name.toUtf8();
        QVERIFY(bytes.size() <= 255 && bytes.size() > 240);
        QVERIFY(name.endsWith(" (12).url"));
        QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes);
        QVERIFY(!name.contains(QChar::ReplacementCharacter));
    }

    void htmlQuirks()
    {
        const BookmarkTree tree = ReadHtml(Quirks());
        QCOMPARE(
            Dump(tree.Root),
            "Bookmarks Toolbar[Ex & ample é☺<https://example.com/?a=1&b=2> "
            "A/B bookmarklet<javascript:alert(1)> Empty folder[] ..<https://x.org/>] "
            "Same<https://same.org/1> Same<https://same.org/2> Sub[Spaced name<https://sub.org/>]");
        QCOMPARE(tree.Separators, 1);
        QCOMPARE(tree.Queries, 1);
        const BookmarkNode& first = tree.Root.Children[0].Children[0];
        QCOMPARE(first.Added, 1500000000);
        QCOMPARE(first.Visited, 1700000000);
        QCOMPARE(tree.Root.Children[0].Children[3].Modified, 1500000002); // microseconds
    }

    // Damaged and hostile input: every one ends, with what could be read.
    void htmlHostile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("dump");
        QTest::newRow("not bookmarks") << QByteArray("hello <b>world</b>") << false << "";
        QTest::newRow("unterminated tag")
            << QByteArray("<DL><DT><A HREF=\"a\">A</A><DT><A HREF=\"b") << true << "A<a>";
        QTest::newRow("unterminated comment")
            << QByteArray("<DL><DT><A HREF=a>A</A><!-- <A HREF=b>") << true << "A<a>";
        QTest::newRow("stray closers")
            << QByteArray("</DL></DL><DL><DT><A HREF=a>A</A></DL></DL>") << true << "A<a>";
        QTest::newRow("invalid UTF-8")
            << QByteArray("<DL><DT><A HREF=a>caf\xe9 \xff\xfe</A>") << true << "café ÿþ<a>";
        QTest::newRow("100 MB of lists")
            << QByteArray("<DL><p>").repeated(15'000'000) + "<DT><A HREF=a>A</A>" << true << "A<a>";
    }
    void htmlHostile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(QString, dump);
        BookmarkTree tree;
        QString error;
        QCOMPARE(NetscapeHtmlReader::Read(bytes, tree, error), ok);
        QCOMPARE(error.isEmpty(), ok);
        QCOMPARE(Dump(tree.Root), dump);
    }

    void deepNestingIsFlattened()
    {
        const BookmarkTree tree =
            ReadHtml(QByteArray("<DT><H3>f</H3><DL><p>").repeated(5000) + "<DT><A HREF=a>A</A>");
        int depth = 0;
        const BookmarkNode* node = &tree.Root;
        for (; !node->Children.empty() && node->Children[0].IsFolder; node = &node->Children[0])
            ++depth;
        QCOMPARE(depth, BookmarkTree::MaxDepth);
        QCOMPARE(tree.Flattened, 5000 - depth);
        QCOMPARE(Dump(*node).right(4), "A<a>");
    }

    // Written exactly as the program writes shortcuts, numbered, never over what exists,
    // and only inside the chosen folder.
    void writesOnlyNewEntriesInside()
    {
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        b.Build("Target/Same.url = http://old\nTarget/.hidden.url = http://h\nOutside/");
        BookmarkTree tree =
            ReadHtml("<DL><DT><A HREF=http://new>Same</A><DT><A HREF=http://h>.hidden</A>"
                     "<DT><A HREF=http://p>../../Outside/p</A><DT><H3>..</H3><DL>"
                     "<DT><A HREF=http://q>..</A></DL>");
        FileSystemService fileSystem;
        const ImportSummary summary = UrlTreeWriter(fileSystem).Write(tree, b.Path("Target"));
        QVERIFY(summary.Ok());
        QCOMPARE(summary.Links, 4);
        QCOMPARE(b.Read("Target/Same.url"), FavoritesBuilder::ShortcutBytes("http://old"));
        QCOMPARE(b.Read("Target/Same (2).url"), FavoritesBuilder::ShortcutBytes("http://new"));
        QStringList entries =
            QDir(b.Path("Target"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        entries.sort();
        QCOMPARE(entries, QStringList({".hidden.url", "New Folder", "Same (2).url", "Same.url",
                                       "_.-..-Outside-p.url", "_hidden.url"}));
        QCOMPARE(QDir(b.Path("Target/New Folder")).entryList(QDir::Files),
                 QStringList({"http:--q.url"}));
        QCOMPARE(QDir(b.Path("Outside")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // Export then import gives the same tree, names, addresses and times.
    void roundTrip()
    {
        TestEnvironment env;
        QVERIFY(QDir().mkpath(env.Favorites()));
        FileSystemService fileSystem;
        const QString html = env.Root() + "/quirks.html";
        QVERIFY(QFile::copy(QFINDTESTDATA("data/exchange/quirks.html"), html));
        QStringList dumps;
        QString source = html;
        for (const QString name : {"One", "Two"}) {
            const QString target = env.Favorites() + u'/' + name;
            QVERIFY(BookmarkImport::Import(fileSystem, source, target).Error.isEmpty());
            dumps << Dump(ReadFolder(target).Root, true);
            source = env.Root() + "/export.html";
            QVERIFY(BookmarkExport::Export(fileSystem, target, source, BookmarkExport::Format::Html)
                        .Error.isEmpty());
        }
        QCOMPARE(dumps[1], dumps[0]);
        QVERIFY(dumps[0].contains("A-B bookmarklet<javascript:alert(1)>@1500000001/1500000001"));
        QVERIFY(
            dumps[0].contains("Ex & ample é☺<https://example.com/?a=1&b=2>@1500000000/1700000000"));
        QVERIFY(dumps[0].contains("Bookmarks Toolbar["));
    }

    // A pipe among the links neither blocks the export nor loses its times.
    void pipeExportsWithoutBlocking()
    {
        TestEnvironment env;
        const QString pipe = env.Favorites() + "/Pipe.url";
        QVERIFY(QDir().mkpath(env.Favorites()));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        const QFileInfo info(pipe);
        QCOMPARE(Dump(ReadFolder(env.Favorites()).Root, true),
                 QStringLiteral("Pipe<>@%1/%2")
                     .arg(info.lastModified().toSecsSinceEpoch())
                     .arg(info.lastRead().toSecsSinceEpoch()));
    }

    // Batches of reads give each file its own bytes and details, as reading them one by one
    // does, whatever the file is, and need no second try for any ordinary one.
    void batchedReadsMatchOneByOne()
    {
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        QStringList names;
        for (int i = 0; i < 100; ++i) {
            names << QStringLiteral("Link %1.url").arg(i);
            b.Link(names.back(), QStringLiteral("http://example.org/%1").arg(i));
        }
        b.File("Empty.url");
        b.File("Big.url",
               FavoritesBuilder::ShortcutBytes("http://big") + QByteArray(1024 * 1024 + 10, ';'));
        b.Symlink("Alias.url", b.Path("Link 7.url")).Symlink("Gone.url", b.Path("none"));
        QCOMPARE(::mkfifo(QFile::encodeName(b.Path("Pipe.url")).constData(), 0644), 0);
        names << "Empty.url"
              << "Big.url"
              << "Alias.url"
              << "Gone.url"
              << "Pipe.url"
              << "Missing.url";

        BatchHeadReader oneByOne(BatchHeadReader::Mode::OneByOne);
        BatchHeadReader batched;
        QVERIFY(!oneByOne.Batched());
        const QStringList expected = ReadHeads(env.Favorites(), names, oneByOne);
        QCOMPARE(ReadHeads(env.Favorites(), names, batched), expected);
        QCOMPARE(batched.Retries(), 0);
        QVERIFY(expected[7].contains(
            FavoritesBuilder::ShortcutBytes("http://example.org/7").toHex().left(40)));
        QVERIFY(expected[101].contains(QStringLiteral("size %1").arg(1024 * 1024 + 1)));
        QVERIFY(expected[105].startsWith("Missing.url error 2 "));
    }

    // Folders read on several threads still come out in the disk's order, and a tree
    // deeper than any browser keeps is flattened into its deepest folder.
    void folderTreeReadsInOrderAndFlattensDeepFolders()
    {
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        QString deep;
        for (int depth = 1; depth <= BookmarkTree::MaxDepth + 3; ++depth) {
            deep += QStringLiteral("d/");
            b.Link(deep + QStringLiteral("at %1.url").arg(depth),
                   QStringLiteral("http://%1").arg(depth));
        }
        for (int i = 0; i < 30; ++i)
            b.Link(QStringLiteral("f%1/g/x.url").arg(i, 2, 10, QLatin1Char('0')),
                   QStringLiteral("http://x/%1").arg(i));
        const BookmarkTree tree = ReadFolder(env.Favorites());
        QCOMPARE(tree.Flattened, 3);
        QCOMPARE(Dump(ReadFolder(env.Favorites(), BatchHeadReader::Mode::OneByOne).Root, true),
                 Dump(tree.Root, true));
        const BookmarkNode* node = &tree.Root;
        for (int depth = 0; depth < BookmarkTree::MaxDepth; ++depth)
            node = &node->Children.front();
        QCOMPARE(Dump(*node),
                 "at 67<http://67> at 66<http://66> at 65<http://65> at 64<http://64>");
        QCOMPARE(Dump(tree.Root.Children[1]), "g[x<http://x/0>]");
        QCOMPARE(Dump(tree.Root.Children.back()), "g[x<http://x/29>]");
    }

    // Cancel stops an import or an export before it writes anything.
    void cancelStopsBeforeWriting()
    {
        TestEnvironment env;
        QVERIFY(QDir().mkpath(env.Favorites()));
        FileSystemService fileSystem;
        ExchangeProgress progress;
        progress.Cancel = true;
        const ImportSummary summary =
            UrlTreeWriter(fileSystem, &progress).Write(ReadHtml(Quirks()), env.Favorites() + "/T");
        QVERIFY(summary.Cancelled);
        QCOMPARE(summary.Links + summary.Folders, 0);
        QVERIFY(summary.Text().startsWith("Import cancelled."));

        FavoritesBuilder b(env.Favorites());
        for (int i = 0; i < 1234; ++i)
            b.Link(QStringLiteral("Many/%1.url").arg(i), "http://x");
        const QString out = env.Root() + "/out.html";
        QCOMPARE(BookmarkExport::Export(fileSystem, env.Favorites(), out,
                                        BookmarkExport::Format::Html, &progress)
                     .Error,
                 "Export cancelled: nothing was written.");
        QVERIFY(!QFile::exists(out));
        // A large folder is counted as it is read, every link once.
        progress.Cancel = false;
        QVERIFY(BookmarkExport::Export(fileSystem, env.Favorites(), out,
                                       BookmarkExport::Format::Html, &progress)
                    .Error.isEmpty());
        QCOMPARE(progress.Done.load(), 1234);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("import")
            << QStringList{"--import", "@quirks", "/HIDE"} << 0
            << "Imported 6 links and 3 folders into @fav/Imported from HTML 2026-12-06.\n"
               "Skipped: 1 separator, 1 query (place:).\n";
        QTest::newRow("import into") << QStringList{"--import", "@quirks", "--into", "@fav/In"} << 0
                                     << "Imported 6 links and 3 folders into @fav/In.\nSkipped: 1 "
                                        "separator, 1 query (place:).\n";
        QTest::newRow("missing source")
            << QStringList{"--import", "@fav/none.html"} << 1 << "File not found: @fav/none.html\n";
        QTest::newRow("export") << QStringList{"--export", "@fav/../out.html"} << 0
                                << "Exported 1 link and 1 folder to @out.html.\n";
        QTest::newRow("export missing") << QStringList{"--export", "@out.html", "--from", "@none"}
                                        << 1 << "Path not found: @none\n";
        QTest::newRow("both") << QStringList{"--import", "a", "--export", "b"} << 2 << "Usage";
        QTest::newRow("bad format")
            << QStringList{"--export", "a", "--format", "pdf"} << 2 << "Usage";
        QTest::newRow("no value") << QStringList{"--import"} << 2 << "Usage";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        b.Build("Old/a.url = http://a");
        QVERIFY(
            QFile::copy(QFINDTESTDATA("data/exchange/quirks.html"), env.Root() + "/quirks.html"));
        for (QString& argument : arguments)
            argument.replace("@quirks", env.Root() + "/quirks.html")
                .replace("@fav", env.Favorites())
                .replace("@", env.Root() + u'/');
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        FileSystemService fileSystem;
        QVERIFY(ExchangeCommandLine::Wants(arguments));
        QCOMPARE(ExchangeCommandLine::Run(arguments, fileSystem, env.Favorites(),
                                          QDate(2026, 12, 6), outStream, errStream),
                 exitCode);
        outStream.flush();
        errStream.flush();
        QString shown = out + err;
        shown.replace(env.Favorites(), "@fav").replace(env.Root() + u'/', "@");
        QVERIFY2(shown.startsWith(output), qPrintable(shown));
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "test_exchange.moc"
