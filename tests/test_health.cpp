#include "favorites/LinkAddressCache.h"
#include "favorites/SearchFolder.h"
#include "health/AddressNormalizer.h"
#include "health/DuplicateFinder.h"
#include "health/frmConflicts.h"
#include "health/frmDuplicates.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QTest>

class TestHealth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalize_data();
    void normalize();
    void duplicateGroups();
    void keepOneDeletesOthersAfterYes();
    void resolveConflicts();
    void searchByAddress_data();
    void searchByAddress();
    void addressCacheFollowsChanges();
};

void TestHealth::normalize_data()
{
    for (const char* column : {"address", "expected"})
        QTest::addColumn<QString>(column);
    QTest::addColumn<bool>("schemes");
    QTest::addColumn<bool>("www");
    const auto row = [](const char* name, const char* in, bool s, bool w, const char* out) {
        QTest::newRow(name) << QString::fromUtf8(in) << QString::fromUtf8(out) << s << w;
    };
    row("case", "HTTP://Example.ORG/Path", false, false, "http://example.org/Path");
    row("default port", "http://a.org:80/x", false, false, "http://a.org/x");
    row("https default port", "https://a.org:443", false, false, "https://a.org/");
    row("other port kept", "http://a.org:8080/", false, false, "http://a.org:8080/");
    row("https port on http", "http://a.org:443/", false, false, "http://a.org:443/");
    row("empty path", "http://a.org", false, false, "http://a.org/");
    row("fragment", "http://a.org/p#top", false, false, "http://a.org/p");
    row("tracking", "http://a.org/?utm_source=x&id=3&fbclid=y&UTM_medium=z&gclid=q", false, false,
        "http://a.org/?id=3");
    row("near tracking kept", "http://a.org/?utm=1&xgclid=2", false, false,
        "http://a.org/?utm=1&xgclid=2");
    row("schemes apart", "https://a.org/", false, false, "https://a.org/");
    row("schemes merged", "https://a.org/", true, false, "http://a.org/");
    row("www kept", "http://www.a.org/", false, false, "http://www.a.org/");
    row("www dropped", "http://WWW.a.org/", false, true, "http://a.org/");
    row("www inside kept", "http://my.www.a.org/", false, true, "http://my.www.a.org/");
    row("dot segments", "http://a.org/x/../y", false, false, "http://a.org/y");
    row("no address", "  not an address ", false, false, "not an address");
}

void TestHealth::normalize()
{
    QFETCH(QString, address);
    QFETCH(bool, schemes);
    QFETCH(bool, www);
    QFETCH(QString, expected);
    QCOMPARE(AddressNormalizer::Normalize(address, {schemes, www}), expected);
}

namespace {

// Each group as "key: name, name" with the identical mark, for one comparison.
QStringList Shown(const QList<DuplicateGroup>& groups)
{
    QStringList shown;
    for (const DuplicateGroup& group : groups) {
        QStringList names;
        for (const LinkFile& link : group.Copies)
            names.append(link.Path.section(u'/', -2));
        shown.append((group.Identical ? "= " : "~ ") + group.Key + ": " + names.join(", "));
    }
    return shown;
}

void BuildCopies(FavoritesBuilder& b)
{
    b.Build(R"(
        A.url = http://site.org/page?utm_source=mail
        News/A.url = http://site.org/page
        News/B.url = HTTP://SITE.org:80/page#part
        News/Other.url = https://www.site.org/page
        Lone.url = http://lone.org/
        Blank1.url = no address here
    )");
    b.File("Empty1.url", "[InternetShortcut]\r\n")
        .File("News/Empty2.url", "[InternetShortcut]\r\n");
    b.File("News/Empty3.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
}

} // namespace

void TestHealth::duplicateGroups()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    BuildCopies(b);
    b.File("News/Same.url", FavoritesBuilder::ShortcutBytes("http://site.org/page"));
    FileSystemService fs;
    const QList<LinkFile> links = LinkFiles::Collect(fs, env.Favorites());
    QCOMPARE(links.size(), 10);
    QCOMPARE(Shown(DuplicateFinder::Find(fs, links, {})),
             QStringList({"= Empty1: Favorites/Empty1.url, News/Empty2.url",
                          "~ http://site.org/page: Favorites/A.url, News/A.url, News/B.url, "
                          "News/Same.url"}));
    // Identical bytes alone make a group identical; merging schemes and www joins Other.
    b.File("News/B.url", FavoritesBuilder::ShortcutBytes("http://site.org/page"));
    b.File("A.url", FavoritesBuilder::ShortcutBytes("http://site.org/page"));
    const QStringList merged =
        Shown(DuplicateFinder::Find(fs, LinkFiles::Collect(fs, env.Favorites()), {true, true}));
    QCOMPARE(merged.last(), "~ http://site.org/page: Favorites/A.url, News/A.url, News/B.url, "
                            "News/Other.url, News/Same.url");
    QCOMPARE(Shown(DuplicateFinder::Find(fs, LinkFiles::Collect(fs, env.Favorites()), {})).last(),
             "= http://site.org/page: Favorites/A.url, News/A.url, News/B.url, News/Same.url");
}

void TestHealth::keepOneDeletesOthersAfterYes()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    BuildCopies(b);
    FileSystemService fs;
    ScriptedPrompts prompts;
    frmDuplicates form(fs, prompts, env.Favorites(), nullptr);
    QSignalSpy changed(&form, &frmDuplicates::favoritesChanged);
    QSignalSpy done(&form, &frmDuplicates::searchDone);
    form.FindClick();
    QVERIFY(form.IsSearching() && done.wait());
    QTreeWidgetItem* group = form.Tree()->topLevelItem(1);
    QCOMPARE(group->childCount(), 3);
    QCOMPARE(group->child(0)->text(1), "/");
    QCOMPARE(group->child(1)->text(1), "/News");
    form.Tree()->setCurrentItem(group->child(1));
    prompts.answers.enqueue(Prompts::Answer::No);
    form.KeepClick();
    QCOMPARE(prompts.messages.last().text,
             "Are you sure you want to move these 2 items to the Trash?");
    QCOMPARE(prompts.messages.last().defaultAnswer, Prompts::Answer::No);
    QVERIFY(QFile::exists(b.Path("A.url")));
    form.Tree()->setCurrentItem(form.Tree()->topLevelItem(1)->child(1));
    prompts.answers.enqueue(Prompts::Answer::Yes);
    form.KeepClick();
    QVERIFY(done.wait());
    QVERIFY(!QFile::exists(b.Path("A.url")) && !QFile::exists(b.Path("News/B.url")));
    QVERIFY(QFile::exists(b.Path("News/A.url")));
    QVERIFY(QFile::exists(env.DataHome() + "/Trash/files/A.url"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(form.Groups().size(), 1);
    // Cancel stops the collection in the worker, and nothing is shown.
    CollectProgress stopped;
    stopped.Cancel = true;
    QVERIFY(LinkFiles::Collect(fs, env.Favorites(), &stopped).isEmpty());
    form.FindClick();
    form.CancelClick();
    QVERIFY(done.wait());
    QVERIFY(form.Groups().isEmpty() && form.CountText() == "Cancelled");
}

// Conflict copies are listed beside their originals, and each way of resolving one
// leaves the right address under the right name.
void TestHealth::resolveConflicts()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Build("A.url = http://a\nA (conflicted copy 2026-12-01 1).url = http://a2\n"
            "News/B.url = http://b\nNews/B.sync-conflict-20261201-120000-ABCDEFG.url = http://b2\n"
            "C (Ann's conflicted copy 2026-12-01).url = http://c2\n"
            "D.url = http://d\nD (conflicted copy 2026-12-01 1).url = http://d2\n");
    FileSystemService fs;
    ScriptedPrompts prompts;
    frmConflicts form(fs, prompts, env.Favorites(), nullptr);
    form.FindClick();
    QCOMPARE(form.Pairs().size(), 4);
    const auto resolve = [&](const QString& name, frmConflicts::Keep keep) {
        form.Tree()->clearSelection();
        form.Tree()->findItems(name, Qt::MatchExactly).first()->child(1)->setSelected(true);
        form.Resolve(keep);
    };
    const auto address = [&](const QString& path) {
        const std::optional<LinkFile> link = LinkFiles::Read(fs, b.Path(path));
        return link ? link->Address : QString();
    };
    prompts.answers.enqueue(Prompts::Answer::No);
    resolve("A", frmConflicts::Keep::Original);
    QCOMPARE(form.Pairs().size(), 4);
    prompts.answers.enqueue(Prompts::Answer::Yes);
    resolve("A", frmConflicts::Keep::Original);
    prompts.answers.enqueue(Prompts::Answer::Yes);
    resolve("B", frmConflicts::Keep::Copy);
    resolve("C", frmConflicts::Keep::Copy); // its original is gone: nothing to ask
    resolve("D", frmConflicts::Keep::Both);
    QVERIFY(form.Pairs().isEmpty());
    QVERIFY(prompts.answers.isEmpty());
    QCOMPARE(QDir(b.Path("")).entryList(QDir::Files),
             QStringList({"A.url", "C.url", "D (2).url", "D.url"}));
    QCOMPARE(QDir(b.Path("News")).entryList(QDir::Files), QStringList("B.url"));
    for (const auto& [path, expected] : {std::pair{"A.url", "http://a"},
                                         {"News/B.url", "http://b2"},
                                         {"C.url", "http://c2"},
                                         {"D (2).url", "http://d2"},
                                         {"D.url", "http://d"}})
        QCOMPARE(address(path), expected);
}

void TestHealth::searchByAddress_data()
{
    QTest::addColumn<int>("lookIn");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QString>("expected"); // the titles found, in walk order
    using P = SearchParameters;
    QTest::newRow("names stay names") << int(P::Names) << "site" << int(P::Contains) << false << "";
    QTest::newRow("address contains")
        << int(P::Addresses) << "SITE" << int(P::Contains) << false << "A A B Other";
    QTest::newRow("address case") << int(P::Addresses) << "SITE" << int(P::Contains) << true << "B";
    QTest::newRow("address begins")
        << int(P::Addresses) << "https:" << int(P::BeginsWith) << false << "Other";
    QTest::newRow("address exact")
        << int(P::Addresses) << "http://lone.org/" << int(P::MatchesExactly) << false << "Lone";
    QTest::newRow("names and addresses")
        << int(P::NamesAndAddresses) << "o" << int(P::BeginsWith) << false << "Other O";
}

void TestHealth::searchByAddress()
{
    QFETCH(int, lookIn);
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(bool, caseSensitive);
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    BuildCopies(b);
    b.Build("News/O/");
    SearchParameters p{env.Favorites(), true, text, caseSensitive ? 0 : 1, type, 0, lookIn};
    QList<clsLink> found;
    SearchFolder(FileSystemService(), p, found);
    QStringList shown;
    for (const clsLink& link : found) {
        shown.append(link.Title());
        QVERIFY(link.IsFolder() == link.Address().isEmpty());
    }
    QFETCH(QString, expected);
    QCOMPARE(shown.join(' '), expected);
}

void TestHealth::addressCacheFollowsChanges()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    b.Link("A.url", "http://one/");
    FileSystemService fs;
    LinkAddressCache cache;
    const auto search = [&](const QString& text) {
        QList<clsLink> found;
        SearchFolder(fs, {env.Favorites(), true, text, 1, 0, 0, SearchParameters::Addresses}, found,
                     {}, &cache);
        return found.size();
    };
    QCOMPARE(search("one"), 1);
    // The same time with other bytes: the cache answers, so nothing was read again.
    const QDateTime when = QFileInfo(b.Path("A.url")).lastModified();
    b.File("A.url", FavoritesBuilder::ShortcutBytes("http://two/")).Times("A.url", when);
    QCOMPARE(search("one"), 1);
    b.Times("A.url", when.addSecs(5));
    QCOMPARE(search("one"), 0);
    QCOMPARE(search("two"), 1);
    QCOMPARE(cache.Size(), 1);
}

QTEST_MAIN(TestHealth)
#include "test_health.moc"
