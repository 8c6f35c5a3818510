#include "exchange/ExchangeCommands.h"

#include "core/AppInfo.h"
#include "exchange/BookmarkImport.h"
#include "exchange/BrowserProfiles.h"
#include "exchange/ExportDialog.h"
#include "exchange/ImportDialog.h"
#include "exchange/ProgressRunner.h"
#include "platform/Clock.h"
#include "platform/FsStep.h"
#include "platform/Prompts.h"

ExchangeCommands::ExchangeCommands(Context context, QWidget* owner)
    : m_context(std::move(context)), m_owner(owner)
{
}

bool ExchangeCommands::ImportBookmarks()
{
    const Context& c = m_context;
    const QDate today = c.clock.Now().date();
    ImportDialog dialog(
        BrowserProfiles::Find(c.home),
        [&c, today](const QString& source, const QString& label) {
            const QString word =
                label.isEmpty()
                    ? BookmarkImport::Label(BookmarkImport::Detect(c.fileSystem, source))
                    : label;
            return BookmarkImport::NewTarget(c.fileSystem, c.favorites, word, today);
        },
        c.prompts, m_owner);
    c.prompts.ShowModal(dialog);
    if (!dialog.IsSaved())
        return false;
    ExchangeProgress progress;
    ImportSummary summary;
    const QString source = dialog.Source();
    const QString target = dialog.Target();
    {
        // The worker records into the step; the step ends back on this thread.
        const FsStep step(c.fileSystem, QStringLiteral("Import"));
        ProgressRunner::Run(m_owner, QStringLiteral("Importing bookmarks..."), progress, [&] {
            summary = BookmarkImport::Import(c.fileSystem, source, target, &progress);
        });
    }
    c.prompts.MsgBox(m_owner, summary.Text(), Prompts::Buttons::Ok,
                     summary.Ok() ? Prompts::Icon::Information : Prompts::Icon::Exclamation,
                     AppInfo::ProductName);
    return summary.Error.isEmpty();
}

void ExchangeCommands::ExportBookmarks(const QString& selectedFolder)
{
    const Context& c = m_context;
    ExportDialog dialog(c.favorites, selectedFolder, c.home + QStringLiteral("/bookmarks.html"),
                        m_owner);
    c.prompts.ShowModal(dialog);
    if (!dialog.IsSaved())
        return;
    ExchangeProgress progress;
    BookmarkExport::Result result;
    const QString folder = dialog.Folder();
    const QString file = dialog.File();
    const BookmarkExport::Format format = dialog.Format();
    ProgressRunner::Run(m_owner, QStringLiteral("Exporting bookmarks..."), progress, [&] {
        result = BookmarkExport::Export(c.fileSystem, folder, file, format, &progress);
    });
    c.prompts.MsgBox(m_owner, result.Text(file), Prompts::Buttons::Ok,
                     result.Error.isEmpty() ? Prompts::Icon::Information
                                            : Prompts::Icon::Exclamation,
                     AppInfo::ProductName);
}
