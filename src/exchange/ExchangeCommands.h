#pragma once

#include <QString>

class Clock;
class FileSystemService;
class Prompts;
class QWidget;

// File > Import Bookmarks... and File > Export Bookmarks...: the dialogs, the work off
// the interface thread, and the summary at the end.
class ExchangeCommands
{
public:
    struct Context
    {
        const FileSystemService& fileSystem;
        Prompts& prompts;
        const Clock& clock;
        QString favorites; // the Favorites root shown
        QString home;      // where the browsers keep their profiles
    };

    ExchangeCommands(Context context, QWidget* owner);

    // True when anything may have been written, so the views should be read again.
    bool ImportBookmarks();
    void ExportBookmarks(const QString& selectedFolder);

private:
    Context m_context;
    QWidget* m_owner;
};
