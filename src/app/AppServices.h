#pragma once

#include <QString>

class Clock;
class FileSystemService;
class Help;
class ProgramLauncher;
class Prompts;
class Registry;
class ShellFolders;
class TrayIcon;
class WindowSystem;

// The platform services the program runs on, handed to the main window so tests can
// put temporary folders and scripted prompts in their place.
struct AppServices
{
    Registry& registry;
    const ShellFolders& shellFolders;
    FileSystemService& fileSystem;
    Prompts& prompts;
    const Clock& clock;
    TrayIcon& tray;
    QString programPath;                 // the running executable
    QString commandLine;                 // the arguments as one text
    QString shellFavorites;              // the Favorites root the shell reported at start-up
    WindowSystem* windows = nullptr;     // other programs' windows; none without a display
    ProgramLauncher* programs = nullptr; // none: programs are started with QProcess
    Help* help = nullptr;                // none: the program's own help window
};
