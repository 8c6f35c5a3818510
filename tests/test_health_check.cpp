#include "editing/ChangeHistory.h"
#include "health/CheckCache.h"
#include "health/HealthText.h"
#include "health/LinkChecker.h"
#include "health/ShortcutRewriter.h"
#include "health/frmCheckLinks.h"
#include "platform/FileSystemService.h"
#include "platform/FsStep.h"
#include "support/FavoritesBuilder.h"
#include "support/HttpFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QTest>

using State = CheckResult::State;

class TestHealthCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classifiesEveryAnswer();
    void keepsToTheHostLimit();
    void cacheRemembersAndExpires();
    void rewriteChangesOnlyTheUrlLine();
    void windowGroupsUpdatesAndSkipsRecent();
};

namespace {

// Runs a check to its end; each result as "state code reason".
QHash<QString, QString> Check(LinkChecker& checker, const QStringList& addresses)
{
    QHash<QString, QString> results;
    QObject::connect(&checker, &LinkChecker::checked, &checker,
                     [&results](const QString& address, const CheckResult& r) {
                         results.insert(address,
                                        CheckResult::StateName(r.Status) + u' ' +
                                            QString::number(r.Code) + u' ' +
                                            (r.NewAddress.isEmpty() ? r.Reason : r.NewAddress));
                     });
    QSignalSpy finished(&checker, &LinkChecker::finished);
    checker.Start(addresses);
    if (!finished.wait(20000))
        qWarning("check did not finish");
    return results;
}

} // namespace

void TestHealthCheck::classifiesEveryAnswer()
{
    TestEnvironment env;
    HttpFixture server;
    const QString there = env.Root() + "/there.txt";
    QFile(there).open(QIODevice::WriteOnly);
    const QList<QPair<QString, QString>> table = {
        {server.Url("/ok"), "OK 200 200 Status"},
        {server.Url("/a"), "Moved 200 " + server.Url("/ok")},
        {server.Url("/p"), "Moved 200 " + server.Url("/t")},
        {server.Url("/t"), "OK 200 200 Status"},
        {server.Url("/loop1"), "Dead 301 Redirect loop"},
        {server.Url("/chain10"), "OK 200 200 Status"},
        {server.Url("/chain11"), "Dead 302 Too many redirects"},
        {server.Url("/gone"), "Dead 404 404 Status"},
        {server.Url("/busy"), "Temporary trouble 503 503 Status"},
        {server.Url("/nohead"), "OK 200 200 Status"},
        {server.Url("/slow"), "Temporary trouble 0 Timed out"},
        {QUrl::fromLocalFile(there).toString(), "OK 0 File exists"},
        {QUrl::fromLocalFile(there + "x").toString(), "Dead 0 File not found"},
        {"mailto:me@example.org", "Skipped 0 mailto: is not checked"},
        {"javascript:void(0)", "Skipped 0 javascript: is not checked"},
    };
    LinkChecker checker;
    checker.SetLimits({1500, 16, 4, 10});
    QStringList addresses;
    for (const auto& row : table)
        addresses.append(row.first);
    addresses.append(server.Url("/reset"));
    const QHash<QString, QString> results = Check(checker, addresses);
    for (const auto& row : table)
        QCOMPARE(results.value(row.first), row.second);
    QVERIFY(results.value(server.Url("/reset")).startsWith("Temporary trouble 0 "));
    QVERIFY(server.requests.contains("GET /nohead"));
    QVERIFY(!server.requests.contains("GET /ok"));
}

void TestHealthCheck::keepsToTheHostLimit()
{
    HttpFixture server;
    QStringList addresses;
    for (int i = 0; i < 12; ++i)
        addresses.append(server.Url("/delay?" + QString::number(i)));
    LinkChecker checker;
    QCOMPARE(Check(checker, addresses).size(), 12);
    QCOMPARE(server.maxInFlight, 4);
    // Cancelling drops what is queued and still ends with finished.
    QSignalSpy finished(&checker, &LinkChecker::finished);
    checker.Start(addresses);
    QTRY_COMPARE(server.inFlight, 4);
    checker.Cancel();
    QCOMPARE(finished.size(), 1);
    QVERIFY(!checker.IsRunning());
}

void TestHealthCheck::cacheRemembersAndExpires()
{
    TestEnvironment env;
    qputenv("XDG_CACHE_HOME", (env.Root() + "/cache").toUtf8());
    QCOMPARE(CheckCache::DefaultPath(), env.Root() + "/cache/tavoro/link-status.json");
    const QDateTime checked = QDateTime::currentDateTimeUtc().addDays(-3);
    CheckCache cache;
    cache.Put("http://a/", {State::Moved, 301, "Moved", "http://b/", checked});
    QVERIFY(cache.Save());
    CheckCache again;
    again.Load();
    const std::optional<CheckResult> found = again.Find("http://a/");
    QVERIFY(found && found->Status == State::Moved && found->NewAddress == "http://b/");
    QCOMPARE(found->Checked, checked.addMSecs(-checked.time().msec()));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QVERIFY(again.Fresh("http://a/", now, 4));
    QVERIFY(!again.Fresh("http://a/", now, 3));
    QVERIFY(!again.Fresh("http://a/", now, 0));
    QCOMPARE(again.LastStatusText("http://a/"),
             "Moved: Moved, checked " + HealthText::ShownDate(checked));
}

void TestHealthCheck::rewriteChangesOnlyTheUrlLine()
{
    TestEnvironment env;
    FavoritesBuilder b(env.Favorites());
    const QDateTime old = QDateTime::currentDateTime().addYears(-2);
    b.File("A.url",
           "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\nurl=http://old/\r\nIconIndex=0")
        .Times("A.url", old, old);
    b.File("None.url", "[InternetShortcut]\r\n");
    const QByteArray original = b.Read("A.url");
    FileSystemService fs;
    ScriptedPrompts prompts;
    ChangeHistory history(fs, prompts, nullptr);
    {
        const FsStep step(fs, "Update Address");
        QCOMPARE(ShortcutRewriter::ReplaceUrl(fs, b.Path("A.url"), "http://new.example/long/path"),
                 QString());
    }
    const QByteArray rewritten = "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\n"
                                 "url=http://new.example/long/path\r\nIconIndex=0";
    QCOMPARE(b.Read("A.url"), rewritten);
    QCOMPARE(QFileInfo(b.Path("A.url")).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    // Undo writes back the old bytes; a redo over a file changed since is refused.
    QVERIFY(history.Undo() && b.Read("A.url") == original);
    QCOMPARE(QFileInfo(b.Path("A.url")).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    QVERIFY(history.Redo() && b.Read("A.url") == rewritten && history.Undo());
    QCOMPARE(ShortcutRewriter::ReplaceUrl(fs, b.Path("A.url"), "http://n/"), QString());
    QVERIFY(b.Read("A.url").endsWith("\nurl=http://n/\r\nIconIndex=0"));
    QCOMPARE(ShortcutRewriter::ReplaceUrl(fs, b.Path("None.url"), "http://n/"), "No URL= line");
    b.File("A.url", original + "\n");
    QVERIFY(!history.Redo() && b.Read("A.url") == original + "\n");
}

void TestHealthCheck::windowGroupsUpdatesAndSkipsRecent()
{
    TestEnvironment env;
    qputenv("XDG_CACHE_HOME", (env.Root() + "/cache").toUtf8());
    HttpFixture server;
    FavoritesBuilder b(env.Favorites());
    b.Link("Moved.url", server.Url("/a"))
        .Link("Sub/Gone.url", server.Url("/gone"))
        .Link("Sub/Mail.url", "mailto:x@y")
        .Link("Sub/Ok.url", server.Url("/ok"));
    FileSystemService fs;
    ScriptedPrompts prompts;
    const auto run = [&](int skipDays, const QStringList& items = {}) {
        auto form = std::make_unique<frmCheckLinks>(fs, prompts, env.Favorites(), nullptr);
        form->SetSkipDays(skipDays);
        form->SetItems(items);
        QSignalSpy finished(&form->Checker(), &LinkChecker::finished);
        form->Start();
        finished.wait(10000);
        return form;
    };
    // Chosen links and folders alone, each link once.
    auto form = run(0, {b.Path("Sub/Ok.url"), b.Path("Sub/Mail.url"), b.Path("Sub")});
    QCOMPARE(form->CountsText(),
             "3 of 3 checked. Dead: 1, Moved: 0, Temporary trouble: 0, OK: 1, Skipped: 1");
    form = run(0, {b.Path("Sub/Ok.url")});
    QCOMPARE(form->Group(State::Ok)->child(0)->text(1), "/Sub");
    form = run(0);
    QCOMPARE(form->CountsText(),
             "4 of 4 checked. Dead: 1, Moved: 1, Temporary trouble: 0, OK: 1, Skipped: 1");
    QTreeWidgetItem* moved = form->Group(State::Moved)->child(0);
    form->Tree()->setCurrentItem(moved);
    prompts.answers.enqueue(Prompts::Answer::Yes);
    form->UpdateAddressClick();
    QCOMPARE(prompts.messages.last().text,
             "Change the address of Moved to " + server.Url("/ok") + "?");
    QVERIFY(b.Read("Moved.url").contains("URL=" + server.Url("/ok").toUtf8() + "\r\n"));
    form->Tree()->setCurrentItem(form->Group(State::Dead)->child(0));
    prompts.answers.enqueue(Prompts::Answer::Yes);
    form->DeleteClick();
    QCOMPARE(prompts.messages.last().text, "Are you sure you want to move 'Gone' to the Trash?");
    QCOMPARE(b.Read("Sub/Gone.url"), "<missing>");
    form.reset();
    // Remembered results stand in for a second check within the days given.
    const qsizetype asked = server.requests.size();
    form = run(7);
    QCOMPARE(server.requests.size(), asked);
    QCOMPARE(form->Group(State::Ok)->childCount(), 2);
}

QTEST_MAIN(TestHealthCheck)
#include "test_health_check.moc"
