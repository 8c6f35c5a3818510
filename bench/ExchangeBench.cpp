#include "ExchangeBench.h"

#include "TreeGenerator.h"

#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/FolderReader.h"
#include "exchange/NetscapeHtmlWriter.h"
#include "platform/FileSystemService.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>
#include <functional>
#include <limits>

namespace {

constexpr int kRuns = 2;

// Best of kRuns; prepare runs untimed before each.
double Best(const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void Remove(const QString& path)
{
    if (QFileInfo::exists(path))
        FileSystemService().DeleteFolder(path);
}

void Row(const char* name, int links, double ms, double base)
{
    std::printf("%-34s %8d %10.2f %8.2f\n", name, links, ms, ms / base);
    std::fflush(stdout);
}

int CountLinks(const QString& root)
{
    QProcess find;
    find.start(QStringLiteral("find"), {root, QStringLiteral("-name"), QStringLiteral("*.url")});
    find.waitForFinished(-1);
    return static_cast<int>(find.readAllStandardOutput().count('\n'));
}

} // namespace

void BenchExchange(const QString& folder, int links)
{
    TreeGenerator::Shape shape;
    shape.Links = links;
    const TreePlan plan = TreeGenerator::Plan(shape);
    const QString raw = folder + QStringLiteral("/raw");
    const QString imported = folder + QStringLiteral("/imported");
    const QString html = folder + QStringLiteral("/bookmarks.html");
    const QString exported = folder + QStringLiteral("/exported.html");
    QDir().mkpath(folder);
    FileSystemService fileSystem;

    std::printf("\nimport and export, best of %d\n", kRuns);
    std::printf("%-34s %8s %10s %8s\n", "measurement", "links", "ms", "ratio");
    const double write = Best([&] { Remove(raw); }, [&] { TreeGenerator::Write(plan, raw); });
    Row("raw write (tree generator)", links, write, write);

    // The bookmark file of that same tree, as a browser would export it.
    BookmarkTree tree;
    QString error;
    FolderReader(fileSystem).Read(raw, tree, error);
    QFile file(html);
    if (!file.open(QIODevice::WriteOnly) || file.write(NetscapeHtmlWriter::Write(tree)) < 0)
        qFatal("tavoro_bench: cannot write %s", qPrintable(html));
    file.close();

    ImportSummary summary;
    const double import =
        Best([&] { Remove(imported); },
             [&] { summary = BookmarkImport::Import(fileSystem, html, imported); });
    Row("import bookmarks.html", links, import, write);
    if (!summary.Ok() || summary.Links != links)
        std::fprintf(stderr, "warning: import: %s\n", qPrintable(summary.Text()));

    const QStringList findArguments{imported, QStringLiteral("-printf"),
                                    QStringLiteral("%y %s %T@ %A@ %C@ %p\\n")};
    const double walk = Best([] {},
                             [&] {
                                 QProcess find;
                                 find.setStandardOutputFile(QProcess::nullDevice());
                                 find.start(QStringLiteral("find"), findArguments);
                                 find.waitForFinished(-1);
                             });
    Row("raw walk (find)", links, walk, walk);
    BookmarkExport::Result result;
    const double exportMs = Best([] {},
                                 [&] {
                                     result = BookmarkExport::Export(fileSystem, imported, exported,
                                                                     BookmarkExport::Format::Html);
                                 });
    Row("export bookmarks.html", links, exportMs, walk);
    if (!result.Error.isEmpty() || result.Links != links || CountLinks(imported) != links)
        std::fprintf(stderr, "warning: export: %s\n", qPrintable(result.Text(exported)));
    Remove(raw);
    Remove(imported);
}
