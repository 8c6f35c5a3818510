#include "exchange/BookmarkImport.h"
#include "exchange/BrowserProfiles.h"
#include "health/LinkFile.h"
#include "platform/FileSystemService.h"
#include "support/TestEnvironment.h"

#include <QProcess>
#include <QTest>

// The bookmarks file as the real Chromium writes it: a small extension of ours makes the
// bookmarks in a new profile, and the import reads what the browser saved.
class TestChromium : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importsWhatChromiumWrites()
    {
        if (!QFile::exists("/usr/bin/chromium"))
            QSKIP("needs chromium (scripts/deps)");
        TestEnvironment env;
        // Chromium keeps its profiles below XDG_CONFIG_HOME, wherever that is; headless, it
        // makes a throw-away one unless told the usual place.
        const QString config = env.Root() + "/config";
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_CACHE_HOME", (env.Root() + "/cache").toUtf8());
        const QString profile = config + "/chromium/Default";
        const QString extension = QFINDTESTDATA("data/chromium-bookmarks");
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
        QProcess chromium;
        chromium.start("/usr/bin/chromium",
                       {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                        "--no-first-run", "--disable-background-networking",
                        "--disable-component-update", "--disable-sync",
                        "--user-data-dir=" + config + "/chromium", "--load-extension=" + extension,
                        "--disable-extensions-except=" + extension, "about:blank"});
        const auto saved = [&] {
            QFile file(profile + "/Bookmarks");
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("other.html");
        };
        QTRY_VERIFY_WITH_TIMEOUT(saved(), 60000);
        chromium.terminate();
        QVERIFY(chromium.waitForFinished(20000));

        const QList<BrowserProfile> found = BrowserProfiles::Find(env.Home());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].Browser + ' ' + found[0].Path, "Chromium " + profile);
        const QString target = env.Root() + "/imported";
        const FileSystemService files;
        const ImportSummary summary = BookmarkImport::Import(files, found[0].Path, target);
        QVERIFY2(summary.Ok(), qPrintable(summary.Text()));
        QStringList links;
        for (const LinkFile& link : LinkFiles::Collect(files, target)) {
            links << link.Path.mid(target.size() + 1) + ' ' + link.Address;
            QVERIFY(link.Modified >= started && link.Modified <= QDateTime::currentDateTime());
        }
        links.sort();
        QCOMPARE(links, QStringList({
                            "Bookmarks bar/Folder/Bookmarklet.url javascript:alert(1)",
                            "Bookmarks bar/Folder/Nested/a-b.url http://127.0.0.1/a",
                            "Bookmarks bar/Folder/Ünïcode & <b>.url "
                            "https://example.org/%C3%BC?a=1&b=2",
                            "Bookmarks bar/Same (2).url http://127.0.0.1/2",
                            "Bookmarks bar/Same.url http://127.0.0.1/1",
                            "Other bookmarks/Other.url file:///tmp/other.html",
                        }));
    }
};

QTEST_GUILESS_MAIN(TestChromium)
#include "test_chromium.moc"
