#include "HealthBench.h"

#include "Measure.h"

#include "favorites/LinkAddressCache.h"
#include "favorites/SearchFolder.h"
#include "health/DuplicateFinder.h"
#include "health/LinkChecker.h"
#include "platform/FileSystemService.h"
#include "support/HttpFixture.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kCheckedLinks = 2000;
constexpr int kServers = 4;
constexpr int kHealthRuns = 3;

// Every entry's stat data, and with read the bytes of every file as well.
double IteratorWalk(const QString& root, bool read)
{
    return Millis([&] {
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        qint64 bytes = 0;
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            bytes += info.size() + info.lastModified().toMSecsSinceEpoch() % 2;
            if (read && info.isFile()) {
                QFile file(info.filePath());
                if (file.open(QIODevice::ReadOnly))
                    bytes += file.readAll().size();
            }
        }
        if (bytes < 0)
            std::printf("?");
    });
}

double Best(const std::function<void()>& work, const std::function<void()>& prepare = {})
{
    return BestOf(kHealthRuns, prepare, work);
}

void Row(const char* name, int links, double ms, double base)
{
    PrintRow(name, links, -1, ms, base);
}

void BenchCheck()
{
    std::vector<std::unique_ptr<HttpFixture>> servers;
    for (int i = 0; i < kServers; ++i) {
        servers.push_back(std::make_unique<HttpFixture>());
        servers.back()->delayMs = 50;
    }
    QStringList addresses;
    for (int i = 0; i < kCheckedLinks; ++i)
        addresses.append(servers[size_t(i % kServers)]->Url(QStringLiteral("/delay?%1").arg(i)));
    LinkChecker checker;
    int checked = 0;
    QObject::connect(&checker, &LinkChecker::checked, &checker,
                     [&checked](const QString&, const CheckResult& r) {
                         checked += r.Status == CheckResult::State::Ok;
                     });
    // The longest the event loop went without running a 1 ms timer.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    QEventLoop loop;
    QObject::connect(&checker, &LinkChecker::finished, &loop, &QEventLoop::quit);
    const double ms = Millis([&] {
        ticker.start(1);
        sinceTick.start();
        checker.Start(addresses);
        loop.exec();
        ticker.stop();
    });
    std::printf("check links, %d servers answering after 50 ms: %d of %d OK in %.0f ms, "
                "%.0f links/s, event loop blocked at most %lld ms\n\n",
                kServers, checked, kCheckedLinks, ms, kCheckedLinks * 1000.0 / ms,
                static_cast<long long>(longestGap));
    std::fflush(stdout);
}

} // namespace

void BenchHealth(const QString& root, int links)
{
    FileSystemService fileSystem;
    std::printf("\nlink health (ratio = time / raw walk; duplicates: / raw walk + read)\n");
    const double walk = Best([&] { IteratorWalk(root, false); });
    const double walkRead = IteratorWalk(root, true);
    Row("raw walk (QDirIterator)", links, walk, walk);
    Row("raw walk + read every file", links, walkRead, walk);
    qsizetype groups = 0;
    Row("find duplicates", links, Millis([&] {
            groups =
                DuplicateFinder::Find(fileSystem, LinkFiles::Collect(fileSystem, root), {}).size();
        }),
        walkRead);
    std::fprintf(stderr, "find duplicates in %d links: %lld groups\n", links,
                 static_cast<long long>(groups));

    SearchParameters parameters;
    parameters.Folder = root;
    parameters.Text = QStringLiteral("news");
    parameters.LookIn = SearchParameters::Addresses;
    auto cache = std::make_unique<LinkAddressCache>();
    QList<clsLink> found;
    const auto search = [&] {
        found.clear();
        SearchFolder(fileSystem, parameters, found, {}, cache.get());
    };
    Row("search by address, cold", links,
        Best(search, [&] { cache = std::make_unique<LinkAddressCache>(); }), walk);
    Row("search by address, warm", links, Best(search), walk);
    std::fprintf(stderr, "search by address in %d links: %lld found\n", links,
                 static_cast<long long>(found.size()));
    std::printf("\n");
    BenchCheck();
}
