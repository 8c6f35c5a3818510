#include "ExchangeBench.h"

#include "Measure.h"

#include "TreeGenerator.h"

#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/FolderReader.h"
#include "exchange/NetscapeHtmlWriter.h"
#include "platform/FileSystemService.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cstdio>

namespace {

constexpr int kExchangeRuns = 2;

void Remove(const QString& path)
{
    if (QFileInfo::exists(path))
        FileSystemService().DeleteFolder(path);
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

    std::printf("\nimport and export, best of %d\n", kExchangeRuns);
    PrintHeader();
    const double write = BestOf(
        kExchangeRuns, [&] { Remove(raw); }, [&] { TreeGenerator::Write(plan, raw); });
    PrintRow("raw write (tree generator)", links, -1, write, write);

    // The bookmark file of that same tree, as a browser would export it.
    BookmarkTree tree;
    QString error;
    FolderReader(fileSystem).Read(raw, tree, error);
    QFile file(html);
    if (!file.open(QIODevice::WriteOnly) || file.write(NetscapeHtmlWriter::Write(tree)) < 0)
        qFatal("tavoro_bench: cannot write %s", qPrintable(html));
    file.close();

    ImportSummary summary;
    const double import = BestOf(
        kExchangeRuns, [&] { Remove(imported); },
        [&] { summary = BookmarkImport::Import(fileSystem, html, imported); });
    PrintRow("import bookmarks.html", links, -1, import, write);
    if (!summary.Ok() || summary.Links != links)
        std::fprintf(stderr, "warning: import: %s\n", qPrintable(summary.Text()));

    const double walk = FindWalk(imported, false, kExchangeRuns);
    PrintRow("raw walk (find)", links, -1, walk, walk);
    BookmarkExport::Result result;
    const double exportMs = BestOf(
        kExchangeRuns, [] {},
        [&] {
            result = BookmarkExport::Export(fileSystem, imported, exported,
                                            BookmarkExport::Format::Html);
        });
    PrintRow("export bookmarks.html", links, -1, exportMs, walk);
    if (!result.Error.isEmpty() || result.Links != links || CountLinks(imported) != links)
        std::fprintf(stderr, "warning: export: %s\n", qPrintable(result.Text(exported)));
    // The export's reading alone, with the kernel's batches and as where it gives none.
    for (const auto& [mode, name] :
         {std::pair{BatchHeadReader::Mode::Batched, "read tree, batched"},
          std::pair{BatchHeadReader::Mode::OneByOne, "read tree, one by one"}}) {
        const double read = BestOf(kExchangeRuns, {}, [&] {
            BookmarkTree readTree;
            FolderReader(fileSystem, nullptr, mode).Read(imported, readTree, error);
        });
        PrintRow(name, links, -1, read, walk);
    }
    Remove(raw);
    Remove(imported);
}
