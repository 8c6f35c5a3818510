#include "editing/FileOperations.h"
#include "editing/PathUtils.h"
#include "favorites/SearchLinks.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QHash>
#include <QSet>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const char* const kTree = R"(
    Top.url = http://top
    News/BBC.url = http://bbc
    News/Daily.url = http://daily
    News/Old/Gone.url = http://gone
    NewsArchive/CNN.url = http://cnn
    Tech/
)";

const QString kCopyFailed = QStringLiteral("Unable to complete the Copy operation.");
const QString kMoveFailed = QStringLiteral("Unable to complete the Move operation.");
const QString kRenameFailed = QStringLiteral("Unable to complete the Rename operation.");
const QString kSameFolder = QStringLiteral("Source and destination folders cannot be the same.");
const QString kSameParent = QStringLiteral("Source and Destination folders cannot be the same.");
const QString kSubfolder = QStringLiteral("Cannot copy or move a folder to its subfolder.");
const QString kExists = QStringLiteral("\n\nFile already exists");

// Fails every step that touches one of the chosen paths, as a locked file would, and
// records each step it was asked for.
class FailingFileSystem final : public FileSystemService
{
    using Base = FileSystemService;
    using S = const QString&;

public:
    QSet<QString> failing;
    mutable QStringList steps;

    void CopyFile(S s, S d) const override { Check("CopyFile", s, d).Base::CopyFile(s, d); }
    void MoveFile(S s, S d) const override { Check("MoveFile", s, d).Base::MoveFile(s, d); }
    void CopyFolder(S s, S d) const override { Check("CopyFolder", s, d).Base::CopyFolder(s, d); }
    void MoveFolder(S s, S d) const override { Check("MoveFolder", s, d).Base::MoveFolder(s, d); }
    void CreateFolder(S p) const override { Check("CreateFolder", p, p).Base::CreateFolder(p); }
    void DeleteFolder(S p) const override { Check("DeleteFolder", p, p).Base::DeleteFolder(p); }
    void DeleteFile(S p) const override { Check("DeleteFile", p, p).Base::DeleteFile(p); }

private:
    // Records the step and fails it when asked to; else hands back the real file system.
    const Base& Check(const char* name, S source, S destination) const
    {
        steps.append(QLatin1String(name) + u' ' + source);
        if (failing.contains(source) || failing.contains(destination))
            throw FileSystemError(QStringLiteral("Permission denied"), source);
        return *this;
    }
};

} // namespace

class TestFileOps : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FavoritesBuilder> m_fav;
    FailingFileSystem m_fs;
    ScriptedPrompts m_prompts;
    SearchLinks m_results;
    std::unique_ptr<FileOperations> m_ops;

    QString P(const QString& relative) const { return m_fav->Path(relative); }
    // As P, but a trailing "/" is kept, as a folder chooser may give one.
    QString Dir(const QString& r) const { return r.endsWith(u'/') ? P(r) + u'/' : P(r); }
    bool Exists(const QString& relative) const
    {
        return m_fs.FileExists(P(relative), AttributeDirectory);
    }
    // Each record as "Title|Path|Dir|File" below the root.
    QStringList Records() const
    {
        const qsizetype cut = m_fav->Root().size();
        QStringList rows;
        for (const clsLink& r : m_results.Items())
            rows.append(r.Title() + u'|' + r.Path().mid(cut) + u'|' + r.Dir().mid(cut) + u'|' +
                        r.File());
        return rows;
    }
    // Exactly one message was shown, and it was this one.
    void ExpectMessage(const QString& text, Prompts::Buttons buttons = Prompts::Buttons::Ok,
                       Prompts::Icon icon = Prompts::Icon::Exclamation)
    {
        QCOMPARE(m_prompts.messages.size(), 1);
        const ScriptedPrompts::Message& m = m_prompts.messages.first();
        QCOMPARE(m.text, text);
        QCOMPARE(m.buttons, buttons);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.title, QStringLiteral("Tavoro"));
        QVERIFY(!m.defaultAnswer);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_fav = std::make_unique<FavoritesBuilder>(m_env->Favorites());
        m_fav->Build(QString::fromLatin1(kTree));
        m_fs.failing.clear();
        m_fs.steps.clear();
        m_prompts.messages.clear();
        m_prompts.answers.clear();
        m_results.Replace({clsLink::FromLinkFile(P("News/BBC.url")),
                           clsLink::FromFolder(P("News/Old")),
                           clsLink::FromLinkFile(P("News/Old/Gone.url")),
                           clsLink::FromLinkFile(P("NewsArchive/CNN.url"))});
        m_ops = std::make_unique<FileOperations>(m_fs, m_prompts, nullptr, &m_results);
    }
    // The old environment must put its variables back before a new one saves them.
    void cleanup() { m_env.reset(); }

    // SplitPath asked for the last part ("last"), the folder ("folder") or the folder with a
    // slash ("folder/"), AddBackslash and CleanFileName.
    void pathText_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("last") << "last" << "/Fav/News/a.url" << "a.url";
        QTest::newRow("folder") << "folder" << "/Fav/News/a.url" << "/Fav/News";
        QTest::newRow("folder with slash") << "folder/" << "/Fav/News/a.url" << "/Fav/News/";
        QTest::newRow("empty") << "folder/" << "" << "";
        QTest::newRow("no slash, last") << "last" << "a.url" << "a.url";
        QTest::newRow("no slash, folder is itself") << "folder/" << "a.url" << "a.url";
        QTest::newRow("trailing slash, last") << "last" << "/Fav/" << "";
        QTest::newRow("trailing slash, folder") << "folder" << "/Fav/" << "/Fav";
        QTest::newRow("top level, folder") << "folder/" << "/Fav" << "/";
        QTest::newRow("backslash is a name") << "last" << "/Fav/a\\b" << "a\\b";
        QTest::newRow("slash added") << "AddBackslash" << "/Fav/News" << "/Fav/News/";
        QTest::newRow("slash kept") << "AddBackslash" << "/Fav/News/" << "/Fav/News/";
        QTest::newRow("slash on empty") << "AddBackslash" << "" << "/";
        QTest::newRow("backslash is no separator") << "AddBackslash" << "C:\\" << "C:\\/";
        QTest::newRow("all nine dropped") << "CleanFileName" << "1/2\\3<4>5?6*7|8:9\"0" << "1234567890";
        QTest::newRow("accented") << "CleanFileName" << QString::fromUtf8("Caf\u00e9") << "Caf";
        QTest::newRow("non-latin") << "CleanFileName" << QString::fromUtf8("\u65b0\u805eNews") << "News";
        QTest::newRow("controls") << "CleanFileName" << "a\tb\nc\x7f" << "abc";
        QTest::newRow("printable kept")
            << "CleanFileName" << " ~!#$%&'()+,;=@[]^_`{}.-" << " ~!#$%&'()+,;=@[]^_`{}.-";
        // clang-format on
    }
    void pathText()
    {
        QFETCH(QString, call);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QHash<QString, std::function<QString(const QString&)>> calls = {
            {"last", [](const QString& t) { return SplitPath(t, false, false); }},
            {"folder", [](const QString& t) { return SplitPath(t, true, false); }},
            {"folder/", [](const QString& t) { return SplitPath(t, true, true); }},
            {"AddBackslash", &AddBackslash},
            {"CleanFileName", &CleanFileName}};
        QVERIFY(calls.contains(call));
        QCOMPARE(calls[call](text), expected);
    }

    void copyMoveFile_data()
    {
        // clang-format off
        QTest::addColumn<bool>("isMove");
        QTest::addColumn<QString>("destFolder");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("record");
        const QString unchanged = "BBC|/News/BBC.url|/News|BBC.url";
        QTest::newRow("copy, trailing slash") << false << "Tech/" << "" << unchanged;
        QTest::newRow("move") << true << "Tech" << "" << "BBC|/Tech/BBC.url|/Tech|BBC.url";
        QTest::newRow("copy into own folder") << false << "News" << kSameFolder << unchanged;
        QTest::newRow("move into own folder") << true << "News/" << kSameFolder << unchanged;
        QTest::newRow("copy onto existing")
            << false << "NewsArchive" << kCopyFailed + kExists << unchanged;
        QTest::newRow("move onto existing")
            << true << "NewsArchive" << kMoveFailed + kExists << unchanged;
        // clang-format on
    }
    void copyMoveFile()
    {
        QFETCH(bool, isMove);
        QFETCH(QString, destFolder);
        QFETCH(QString, message);
        QFETCH(QString, record);
        m_fav->Link("NewsArchive/BBC.url", "http://mine");
        const QByteArray source = m_fav->Read("News/BBC.url");
        const QByteArray existing = m_fav->Read("NewsArchive/BBC.url");

        const bool done = m_ops->CopyMoveFile(isMove, P("News/BBC.url"), Dir(destFolder));

        QCOMPARE(done, message.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(m_prompts.messages.isEmpty());
            QCOMPARE(m_fav->Read("Tech/BBC.url"), source);
            QCOMPARE(Exists("News/BBC.url"), !isMove);
        } else {
            ExpectMessage(message);
            QCOMPARE(m_fav->Read("News/BBC.url"), source);
            QVERIFY(!Exists("Tech/BBC.url"));
        }
        QCOMPARE(m_fav->Read("NewsArchive/BBC.url"), existing);
        QCOMPARE(Records().first(), record);
    }

    void copyMoveFolder_data()
    {
        // clang-format off
        QTest::addColumn<bool>("isMove");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destFolder");
        QTest::addColumn<QString>("message");
        QTest::newRow("copy") << false << "News" << "Tech" << "";
        QTest::newRow("move into look-alike sibling") << true << "News" << "NewsArchive" << "";
        QTest::newRow("copy into own subfolder") << false << "News" << "News/Old/" << kSubfolder;
        QTest::newRow("into itself") << true << "News" << "News" << kSameFolder;
        QTest::newRow("into own parent") << true << "News/Old" << "News" << kSameParent;
        QTest::newRow("copy into own parent") << false << "News" << "" << kSameParent;
        QTest::newRow("copy onto existing") << false << "News" << "Tech" << kCopyFailed + kExists;
        QTest::newRow("move onto existing") << true << "News" << "Tech" << kMoveFailed + kExists;
        // clang-format on
    }
    void copyMoveFolder()
    {
        QFETCH(bool, isMove);
        QFETCH(QString, source);
        QFETCH(QString, destFolder);
        QFETCH(QString, message);
        const bool clash = message.endsWith(kExists);
        if (clash)
            m_fav->Link("Tech/News/BBC.url", "http://mine");
        const QString name = SplitPath(P(source), false, false);
        const QString target = destFolder.isEmpty() ? name : destFolder + u'/' + name;
        const QByteArray mine = m_fav->Read("Tech/News/BBC.url");

        const bool done = m_ops->CopyMoveFolder(isMove, P(source), name, Dir(destFolder));

        QCOMPARE(done, message.isEmpty());
        if (!done) {
            ExpectMessage(message);
            QVERIFY(Exists(source + "/BBC.url") || Exists(source + "/Gone.url"));
            if (clash) {
                QCOMPARE(m_fav->Read("Tech/News/BBC.url"), mine);
                QVERIFY(!Exists("Tech/News/Daily.url"));
            }
            QVERIFY(!m_fs.steps.join(u' ').contains("Folder"));
            return;
        }
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(Exists(target + "/BBC.url"));
        QVERIFY(Exists(target + "/Old/Gone.url"));
        QCOMPARE(Exists(source), !isMove);
        if (isMove) {
            // Records below the folder follow it; the look-alike neighbour stays.
            const QString t = u'/' + target;
            QCOMPARE(Records(), (QStringList{"BBC|" + t + "/BBC.url|" + t + "|BBC.url",
                                             "Old|" + t + "/Old|" + t + "/Old|",
                                             "Gone|" + t + "/Old/Gone.url|" + t + "/Old|Gone.url",
                                             "CNN|/NewsArchive/CNN.url|/NewsArchive|CNN.url"}));
        }
    }

    void renameLink_data()
    {
        // clang-format off
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("old name inside extension") << "url.url" << "x" << "x.url";
        QTest::newRow("dots in old name") << "v1.2.url" << "v2" << "v2.url";
        QTest::newRow("dots in new name") << "Site.url" << "My.Site.v2" << "My.Site.v2.url";
        QTest::newRow("no extension") << "readme" << "notes" << "notes";
        QTest::newRow("other extension") << "page.html" << "index" << "index.html";
        // clang-format on
    }
    void renameLink()
    {
        QFETCH(QString, file);
        QFETCH(QString, newName);
        QFETCH(QString, expected);
        m_fav->Link("Tech/" + file, "http://x");
        const QByteArray bytes = m_fav->Read("Tech/" + file);
        m_results.Add(clsLink::FromLinkFile(P("Tech/" + file)));

        const std::optional<QString> renamed = m_ops->RenameLink(P("Tech/" + file), newName);

        QCOMPARE(renamed.value_or("<failed>"), P("Tech/" + expected));
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(!Exists("Tech/" + file));
        QCOMPARE(m_fav->Read("Tech/" + expected), bytes);
        QCOMPARE(Records().last(), newName + "|/Tech/" + expected + "|/Tech|" + expected);
    }

    void renameRefusals_data()
    {
        // clang-format off
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("message");
        QTest::newRow("link onto link") << "News/BBC.url" << "Daily" << kRenameFailed + kExists;
        QTest::newRow("folder onto folder") << "News" << "Tech" << kRenameFailed + kExists;
        QTest::newRow("folder onto hidden") << "News/Old" << ".hidden" << kRenameFailed + kExists;
        QTest::newRow("injected failure")
            << "News/BBC.url" << "Locked" << kRenameFailed + "\n\nPermission denied";
        // clang-format on
    }
    void renameRefusals()
    {
        QFETCH(QString, path);
        QFETCH(QString, newName);
        QFETCH(QString, message);
        m_fav->File("News/.hidden", "keep");
        m_fs.failing.insert(P("News/Locked.url"));
        const QByteArray daily = m_fav->Read("News/Daily.url");
        const QStringList records = Records();

        const bool isLink = path.endsWith(".url");
        const std::optional<QString> renamed =
            isLink ? m_ops->RenameLink(P(path), newName) : m_ops->RenameFolder(P(path), newName);

        QVERIFY(!renamed);
        ExpectMessage(message);
        QVERIFY(Exists(path));
        QCOMPARE(m_fav->Read("News/Daily.url"), daily);
        QCOMPARE(m_fav->Read("News/.hidden"), QByteArray("keep"));
        QCOMPARE(Records(), records);
    }

    void renameNames()
    {
        // A bad name never reaches the disk; the list of characters is shown without an icon.
        const QString badName = QStringLiteral("Cannot contain any of the following "
                                               "characters:\n\t/\\<>?*|:\"");
        QVERIFY(!m_ops->RenameLink(P("News/BBC.url"), "a/b"));
        ExpectMessage(badName, Prompts::Buttons::Ok, Prompts::Icon::None);
        m_prompts.messages.clear();
        QVERIFY(!m_ops->RenameFolder(P("News"), QString::fromUtf8("Caf\u00e9")));
        ExpectMessage(badName, Prompts::Buttons::Ok, Prompts::Icon::None);
        // An abandoned edit and an unchanged name change nothing and say nothing.
        QVERIFY(!m_ops->RenameLink(P("News/BBC.url"), ""));
        QCOMPARE(m_ops->RenameLink(P("News/BBC.url"), "BBC").value_or(""), P("News/BBC.url"));
        QCOMPARE(m_ops->RenameFolder(P("News"), "News").value_or(""), P("News"));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_fs.steps.isEmpty());
        QVERIFY(m_ops->CheckFileName("New Folder"));
    }

    void renameFolderKeepsNeighbours()
    {
        const std::optional<QString> renamed = m_ops->RenameFolder(P("News"), "Daily");
        QCOMPARE(renamed.value_or(""), P("Daily"));
        QVERIFY(Exists("Daily/Old/Gone.url"));
        QVERIFY(Exists("NewsArchive/CNN.url"));
        QCOMPARE(Records(),
                 (QStringList{"BBC|/Daily/BBC.url|/Daily|BBC.url", "Old|/Daily/Old|/Daily/Old|",
                              "Gone|/Daily/Old/Gone.url|/Daily/Old|Gone.url",
                              "CNN|/NewsArchive/CNN.url|/NewsArchive|CNN.url"}));
    }

    void primitiveFailures_data()
    {
        // clang-format off
        QTest::addColumn<QString>("sentence");
        QTest::newRow("CopyFileTo") << kCopyFailed;
        QTest::newRow("MoveFileTo") << kMoveFailed;
        QTest::newRow("CopyFolderTo") << kCopyFailed;
        QTest::newRow("MoveFolderTo") << kMoveFailed;
        QTest::newRow("CreateFolderPath") << "Unable to complete the Create Folder operation.";
        QTest::newRow("DeleteFolderPath") << "Unable to complete the Delete operation.";
        // clang-format on
    }
    void primitiveFailures()
    {
        const QString operation = QTest::currentDataTag();
        QFETCH(QString, sentence);
        const QString folder = P("News/Old"), file = P("News/BBC.url"), into = P("Tech/X");
        m_fs.failing = {folder, file, into};
        const QStringList records = Records();

        const QHash<QString, std::function<bool()>> run = {
            {"CopyFileTo", [&] { return m_ops->CopyFileTo(file, into); }},
            {"MoveFileTo", [&] { return m_ops->MoveFileTo(file, into); }},
            {"CopyFolderTo", [&] { return m_ops->CopyFolderTo(folder, into); }},
            {"MoveFolderTo", [&] { return m_ops->MoveFolderTo(folder, into); }},
            {"CreateFolderPath", [&] { return m_ops->CreateFolderPath(into); }},
            {"DeleteFolderPath", [&] { return m_ops->DeleteFolderPath(folder); }}};

        QVERIFY(!run.value(operation, [] { return true; })());
        ExpectMessage(sentence + "\n\nPermission denied");
        QVERIFY(Exists("News/Old/Gone.url"));
        QVERIFY(Exists("News/BBC.url"));
        QVERIFY(!Exists("Tech/X"));
        QCOMPARE(Records(), records);
    }

    void primitives()
    {
        QVERIFY(m_ops->CreateFolderPath(P("Tech/New Folder")));
        QVERIFY(m_fs.FolderExists(P("Tech/New Folder")));
        QVERIFY(!m_ops->CreateFolderPath(P("Tech/New Folder")));
        ExpectMessage("Unable to complete the Create Folder operation." + kExists);
        // Even a hidden file is someone's data.
        m_prompts.messages.clear();
        m_fav->File("Tech/.cfg", "keep");
        QVERIFY(!m_ops->CopyFileTo(P("Top.url"), P("Tech/.cfg")));
        ExpectMessage(kCopyFailed + kExists);
        QCOMPARE(m_fav->Read("Tech/.cfg"), QByteArray("keep"));

        // The folder's own record goes; records of what it held stay until the next search.
        QVERIFY(m_ops->DeleteFolderPath(P("News/Old")));
        QVERIFY(!Exists("News/Old"));
        QCOMPARE(Records(), (QStringList{"BBC|/News/BBC.url|/News|BBC.url",
                                         "Gone|/News/Old/Gone.url|/News/Old|Gone.url",
                                         "CNN|/NewsArchive/CNN.url|/NewsArchive|CNN.url"}));
    }

    void deleteListItems_data()
    {
        QTest::addColumn<QStringList>("selected"); // below the root; "*" marks a folder
        QTest::addColumn<QString>("locked");
        QTest::addColumn<bool>("goOn");
        QTest::addColumn<QStringList>("deleted");
        QTest::addColumn<QString>("message"); // one ending in "?" asks whether to go on
        const QStringList three = {"Top.url", "News/BBC.url", "News/Daily.url"};
        const QString failed = "An error occurred while Deleting '%1'.\n\n%2";
        const QString bbc = failed.arg("BBC", "Permission denied");
        const QString ask = "\n\nDo you want to continue?";
        // clang-format off
        QTest::newRow("all") << three << "" << true
                             << QStringList{"News/Daily.url", "News/BBC.url", "Top.url"} << "";
        QTest::newRow("middle locked, go on")
            << three << "News/BBC.url" << true << QStringList{"News/Daily.url", "Top.url"} << bbc + ask;
        QTest::newRow("middle locked, stop")
            << three << "News/BBC.url" << false << QStringList{"News/Daily.url"} << bbc + ask;
        QTest::newRow("first locked, nothing left to ask about")
            << three << "Top.url" << true << QStringList{"News/Daily.url", "News/BBC.url"}
            << failed.arg("Top", "Permission denied");
        QTest::newRow("folder entry") << QStringList{"*News/Old", "Top.url"} << "" << true
                                      << QStringList{"Top.url", "*News/Old"} << "";
        QTest::newRow("missing file") << QStringList{"Gone.url"} << "" << true << QStringList{}
                                      << failed.arg("Gone", "File not found");
        // clang-format on
    }
    void deleteListItems()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, locked);
        QFETCH(bool, goOn);
        QFETCH(QStringList, deleted);
        QFETCH(QString, message);
        auto tag = [&](const QString& r) { return r.startsWith(u'*') ? u'*' + P(r.mid(1)) : P(r); };
        QList<FileOperations::ListEntry> entries;
        for (const QString& r : selected)
            entries.append({tag(r), SplitPath(r, false, false).section(u'.', 0, 0)});
        if (!locked.isEmpty())
            m_fs.failing.insert(P(locked));
        m_prompts.answers.enqueue(goOn ? Prompts::Answer::Yes : Prompts::Answer::No);

        QStringList expected;
        for (const QString& r : deleted)
            expected.append(tag(r));
        QCOMPARE(m_ops->DeleteSelectedListItems(entries), expected);
        for (const QString& r : selected) {
            const QString rel = r.startsWith(u'*') ? r.mid(1) : r;
            QCOMPARE(Exists(rel), !deleted.contains(r) && rel != "Gone.url");
        }
        QCOMPARE(m_results.Count(),
                 4 - int(deleted.contains("News/BBC.url")) - int(deleted.contains("*News/Old")));
        if (message.isEmpty())
            QVERIFY(m_prompts.messages.isEmpty());
        else
            ExpectMessage(message,
                          message.endsWith(u'?') ? Prompts::Buttons::YesNo : Prompts::Buttons::Ok);
    }
};

QTEST_GUILESS_MAIN(TestFileOps)
#include "test_fileops.moc"
