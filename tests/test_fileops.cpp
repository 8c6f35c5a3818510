#include "editing/ChangeHistory.h"
#include "editing/FileOperations.h"
#include "editing/PathUtils.h"
#include "favorites/SearchLinks.h"
#include "platform/FileSystemService.h"
#include "platform/FsStep.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

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
    QSet<QString> noTrash;
    mutable QStringList steps;

    void CopyFile(S s, S d) const override { Check("CopyFile", s, d).Base::CopyFile(s, d); }
    void MoveFile(S s, S d) const override { Check("MoveFile", s, d).Base::MoveFile(s, d); }
    void CopyFolder(S s, S d) const override { Check("CopyFolder", s, d).Base::CopyFolder(s, d); }
    void MoveFolder(S s, S d) const override { Check("MoveFolder", s, d).Base::MoveFolder(s, d); }
    void CreateFolder(S p) const override { Check("CreateFolder", p, p).Base::CreateFolder(p); }
    void DeleteFolder(S p) const override { Check("DeleteFolder", p, p).Base::DeleteFolder(p); }
    void DeleteFile(S p) const override { Check("DeleteFile", p, p).Base::DeleteFile(p); }
    // A Trash that cannot take the chosen paths, as on a file system without one.
    QList<FsChange> MoveToTrash(S p) const override
    {
        if (noTrash.contains(p))
            throw TrashError(QStringLiteral("Permission denied"), p);
        return Base::MoveToTrash(p);
    }

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
        QCOMPARE(m_prompts.texts(), QStringList{text});
        const ScriptedPrompts::Message& m = m_prompts.messages.first();
        QVERIFY(m.buttons == buttons && m.icon == icon && !m.defaultAnswer);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_fav = std::make_unique<FavoritesBuilder>(m_env->Favorites());
        m_fav->Build(QString::fromLatin1(kTree));
        m_fs.failing.clear();
        m_fs.noTrash.clear();
        m_fs.steps.clear();
        m_prompts.messages.clear();
        m_prompts.answers.clear();
        m_results.Replace({clsLink::FromLinkFile(P("News/BBC.url")),
                           clsLink::FromFolder(P("News/Old")),
                           clsLink::FromLinkFile(P("News/Old/Gone.url")),
                           clsLink::FromLinkFile(P("NewsArchive/CNN.url"))});
        m_ops = std::make_unique<FileOperations>(m_fs, m_prompts, nullptr, &m_results);
        m_ops->SetDeleteForGood(true);
    }
    // The old environment must put its variables back before a new one saves them.
    void cleanup() { m_env.reset(); }

    // SplitPath asked for the folder ("folder") or the folder with a slash ("folder/"),
    // AddBackslash and CleanFileName.
    void pathText_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("folder") << "folder" << "/Fav/News/a.url" << "/Fav/News";
        QTest::newRow("top level, folder") << "folder/" << "/Fav" << "/";
        QTest::newRow("backslash is no separator") << "AddBackslash" << "C:\\" << "C:\\/";
        QTest::newRow("all nine and controls dropped")
            << "CleanFileName" << "1/2\\3<4>5?6*7|8:9\"0\t\n\x7f" << "1234567890";
        QTest::newRow("non-latin") << "CleanFileName" << QString::fromUtf8("\u65b0\u805eNews") << "News";
        // clang-format on
    }
    void pathText()
    {
        QFETCH(QString, call);
        QFETCH(QString, text);
        const QHash<QString, std::function<QString(const QString&)>> calls = {
            {"folder", [](const QString& t) { return SplitPath(t, true, false); }},
            {"folder/", [](const QString& t) { return SplitPath(t, true, true); }},
            {"AddBackslash", &AddBackslash},
            {"CleanFileName", &CleanFileName}};
        QVERIFY(calls.contains(call));
        QTEST(calls[call](text), "expected");
    }

    // Clash/ holds a file and a folder of the names copied there. A refusal leaves every
    // file and record as it was, before any folder step.
    void copyMove_data()
    {
        QTest::addColumn<bool>("isMove");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("file, copy, trailing slash") << false << "News/BBC.url" << "Tech/" << "";
        QTest::newRow("file, move") << true << "News/BBC.url" << "Tech" << "";
        QTest::newRow("file into own folder") << true << "News/BBC.url" << "News/" << kSameFolder;
        QTest::newRow("file onto existing") << false << "News/BBC.url" << "Clash" << kCopyFailed + kExists;
        QTest::newRow("folder, copy") << false << "News" << "Tech" << "";
        QTest::newRow("folder into look-alike sibling") << true << "News" << "NewsArchive" << "";
        QTest::newRow("folder into own subfolder") << false << "News" << "News/Old/" << kSubfolder;
        QTest::newRow("folder into itself") << true << "News" << "News" << kSameFolder;
        QTest::newRow("folder into own parent") << true << "News/Old" << "News" << kSameParent;
        QTest::newRow("folder onto existing") << false << "News" << "Clash" << kCopyFailed + kExists;
        // clang-format on
    }
    void copyMove()
    {
        QFETCH(bool, isMove);
        QFETCH(QString, source);
        QFETCH(QString, dest);
        QFETCH(QString, message);
        m_fav->Build("Clash/BBC.url = http://mine\nClash/News/BBC.url = http://mine\n");
        const bool isFile = source.endsWith(".url");
        const QString name = SplitPath(P(source), false, false);
        const QString target = QString(dest).remove(QRegularExpression("/$")) + u'/' + name;
        const QString inside = isFile ? "" : "/Old/Gone.url";
        const QByteArray bytes = m_fav->Read(source + inside);
        const QByteArray clash = m_fav->Read("Clash/BBC.url") + m_fav->Read("Clash/News/BBC.url");
        const QStringList records = Records();

        const bool done = isFile ? m_ops->CopyMoveFile(isMove, P(source), Dir(dest))
                                 : m_ops->CopyMoveFolder(isMove, P(source), name, Dir(dest));

        QCOMPARE(done, message.isEmpty());
        QCOMPARE(m_fav->Read("Clash/BBC.url") + m_fav->Read("Clash/News/BBC.url"), clash);
        if (!done) {
            ExpectMessage(message);
            QCOMPARE(m_fav->Read(source + inside), bytes);
            QVERIFY(!Exists("Clash/News/Daily.url"));
            QVERIFY(!m_fs.steps.join(u' ').contains("Folder"));
            QCOMPARE(Records(), records);
            return;
        }
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(m_fav->Read(target + inside), bytes);
        QCOMPARE(Exists(source), !isMove);
        // Moved records follow; the look-alike neighbour stays.
        const QString shown = Records().join(u'\n'), end = isFile ? "|" : "/";
        QCOMPARE(shown.contains("|/" + source + end), !isMove);
        QCOMPARE(shown.contains("|/" + target + end), isMove);
        QVERIFY(shown.contains("|/NewsArchive/CNN.url|"));
    }

    // A refused rename changes nothing on disk or in the search records.
    void rename_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("renamed"); // "-": refused
        QTest::addColumn<QString>("message");
        const QString bad = "Cannot contain any of the following characters:\n\t/\\<>?*|:\"";
        const QString exists = kRenameFailed + kExists;
        // clang-format off
        QTest::newRow("old name inside extension") << "Tech/url.url" << "x" << "Tech/x.url" << "";
        QTest::newRow("dots in old name") << "Tech/v1.2.url" << "v2" << "Tech/v2.url" << "";
        QTest::newRow("other extension") << "Tech/page.html" << "index" << "Tech/index.html" << "";
        QTest::newRow("folder, look-alike kept") << "News" << "Daily" << "Daily" << "";
        QTest::newRow("unchanged") << "News/BBC.url" << "BBC" << "News/BBC.url" << "";
        QTest::newRow("abandoned edit") << "News/BBC.url" << "" << "-" << "";
        QTest::newRow("link onto link") << "News/BBC.url" << "Daily" << "-" << exists;
        QTest::newRow("folder onto folder") << "News" << "Tech" << "-" << exists;
        QTest::newRow("folder onto hidden") << "News/Old" << ".hidden" << "-" << exists;
        QTest::newRow("injected failure") << "News/BBC.url" << "Locked" << "-" << kRenameFailed + "\n\nPermission denied";
        QTest::newRow("bad character") << "News/BBC.url" << "a/b" << "-" << bad;
        QTest::newRow("non-latin") << "News" << QString::fromUtf8("Caf\u00e9") << "-" << bad;
        // clang-format on
    }
    void rename()
    {
        QFETCH(QString, path);
        QFETCH(QString, newName);
        QFETCH(QString, renamed);
        QFETCH(QString, message);
        m_fav->File("News/.hidden", "keep");
        for (const char* file : {"Tech/url.url", "Tech/v1.2.url", "Tech/page.html"})
            m_results.Add(clsLink::FromLinkFile(m_fav->Link(file, "http://x").Path(file)));
        m_fs.failing.insert(P("News/Locked.url"));
        const QByteArray bytes = m_fav->Read(path);
        const QStringList records = Records();
        const bool isLink = QFileInfo(P(path)).isFile();
        const bool kept = renamed == "-" || renamed == path;

        const std::optional<QString> result =
            isLink ? m_ops->RenameLink(P(path), newName) : m_ops->RenameFolder(P(path), newName);

        QCOMPARE(result.value_or("-"), renamed == "-" ? renamed : P(renamed));
        if (message.isEmpty())
            QVERIFY(m_prompts.messages.isEmpty());
        else
            ExpectMessage(message, Prompts::Buttons::Ok,
                          message.startsWith("Cannot") ? Prompts::Icon::None
                                                       : Prompts::Icon::Exclamation);
        QCOMPARE(m_fav->Read((isLink || kept ? "News" : renamed) + "/.hidden"), QByteArray("keep"));
        if (kept) {
            QVERIFY(Exists(path));
            QCOMPARE(Records(), records);
            QVERIFY(message.startsWith("Unable") || m_fs.steps.isEmpty());
            return;
        }
        QVERIFY(!Exists(path));
        QCOMPARE(m_fav->Read(renamed), bytes);
        // Records below a renamed folder follow it; the look-alike neighbour stays.
        const QString shown = Records().join(u'\n');
        const QString end = isLink ? "|" : "/";
        QVERIFY(!shown.contains("|/" + path + end) && shown.contains("|/" + renamed + end));
        QVERIFY(shown.contains("|/NewsArchive/CNN.url|"));
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

    void trash_data()
    {
        QTest::addColumn<QString>("entry"); // below the root; "*" marks a folder
        QTest::addColumn<bool>("forGood");
        QTest::addColumn<QString>("refusedAnswer"); // the Trash cannot take it: "Yes"/"No"
        QTest::addColumn<QString>("readOnly");
        QTest::addColumn<QStringList>("trashed"); // name in the Trash=original place, if listed
        QTest::addColumn<QStringList>("texts");
        const QString top = "Are you sure you want to move 'Top' to the Trash?";
        const QString refused = "'Top' cannot be moved to the Trash.\n\n%1"
                                "\n\nDo you want to delete it for good?";
        // clang-format off
        QTest::newRow("link") << "Top.url" << false << "" << "" << QStringList{"Top.url=Top.url"}
                              << QStringList{top};
        QTest::newRow("folder") << "*News/Old" << false << "" << "" << QStringList{"Old=News/Old", "Old/Gone.url="}
                                << QStringList{"Are you sure you want to move 'Old' and all its contents to the Trash?"};
        QTest::newRow("read-only file stays") << "*News" << false << "" << "News/BBC.url"
            << QStringList{"Daily.url=News/Daily.url", "Old=News/Old"}
            << QStringList{"Are you sure you want to move 'News' and all its contents to the Trash?",
                           "An error occurred while Deleting 'News'.\n\nRead-only items were not deleted:\r\nNews/BBC.url"};
        QTest::newRow("for good") << "Top.url" << true << "" << "" << QStringList{}
                                  << QStringList{"Are you sure you want to delete Top?"};
        QTest::newRow("refused, No keeps it") << "Top.url" << false << "No" << "" << QStringList{}
                                              << QStringList{top, refused.arg("Permission denied")};
        QTest::newRow("refused, Yes deletes it") << "Top.url" << false << "Yes" << "" << QStringList{}
                                                 << QStringList{top, refused.arg("Permission denied")};
        // No Trash can be made where the data folder should be: nothing lands anywhere else.
        QTest::newRow("no Trash at all") << "Top.url" << false << "No, real" << "" << QStringList{}
                                         << QStringList{top, refused.arg("The Trash cannot take this item.")};
        // clang-format on
    }
    void trash()
    {
        QFETCH(QString, entry);
        QFETCH(bool, forGood);
        QFETCH(QString, refusedAnswer);
        QFETCH(QString, readOnly);
        QFETCH(QStringList, trashed);
        QFETCH(QStringList, texts);
        const bool isFolder = entry.startsWith(u'*');
        const QString rel = isFolder ? entry.mid(1) : entry;
        if (refusedAnswer == "No, real")
            qputenv("XDG_DATA_HOME", qPrintable(P("News/BBC.url")));
        else if (!refusedAnswer.isEmpty())
            m_fs.noTrash = {P(rel)};
        if (!readOnly.isEmpty())
            QFile::setPermissions(P(readOnly), QFile::ReadOwner);
        m_ops->SetDeleteForGood(forGood);
        m_prompts.answers << Prompts::Answer::Yes
                          << (refusedAnswer == "Yes" ? Prompts::Answer::Yes : Prompts::Answer::No);

        ChangeHistory history(m_fs, m_prompts, nullptr);
        QStringList deleted;
        {
            const FsStep step(m_fs, "Delete");
            deleted = m_ops->ConfirmAndDelete({{isFolder ? u'*' + P(rel) : P(rel),
                                                SplitPath(rel, false, false).section(u'.', 0, 0)}});
        }
        QCOMPARE(m_prompts.texts(), texts);
        QCOMPARE(deleted.isEmpty(), Exists(rel));
        QCOMPARE(Exists(rel), refusedAnswer.startsWith("No") || !readOnly.isEmpty());
        QVERIFY(!QFileInfo::exists("files") && !QFileInfo::exists("info"));
        if (!readOnly.isEmpty())
            QVERIFY(Exists(readOnly));
        const QString trash = m_env->DataHome() + "/Trash/";
        QStringList places;
        for (const QString& item : trashed) {
            const QString name = item.section(u'=', 0, 0), place = item.section(u'=', 1);
            QVERIFY2(QFileInfo::exists(trash + "files/" + name), qPrintable(name));
            if (place.isEmpty())
                continue;
            places.append(name);
            QFile info(trash + "info/" + name + ".trashinfo");
            QVERIFY(info.open(QIODevice::ReadOnly));
            QVERIFY(
                info.readAll().contains("\nPath=" + QUrl::toPercentEncoding(P(place), "/") + '\n'));
        }
        // Nothing else went to the Trash, and nothing at all when deleting for good.
        QCOMPARE(QDir(trash + "files").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), places);

        // Undo puts back what the Trash took, .trashinfo files and all; a Trash that then
        // refuses the last item refuses the redo, and the items it took first come back.
        QCOMPARE(history.Undo(), !places.isEmpty());
        if (places.isEmpty())
            return;
        QStringList originals;
        for (const QString& item : trashed) {
            if (!item.section(u'=', 1).isEmpty())
                originals << P(item.section(u'=', 1));
        }
        for (const QString& original : originals)
            QVERIFY2(QFileInfo::exists(original), qPrintable(original));
        QVERIFY(QDir(trash + "files").isEmpty() && QDir(trash + "info").isEmpty());
        m_fs.noTrash = {originals.last()};
        QVERIFY(!history.Redo() && history.Stack().canRedo());
        for (const QString& original : originals)
            QVERIFY(QFileInfo::exists(original));
    }
};

QTEST_GUILESS_MAIN(TestFileOps)
#include "test_fileops.moc"
