#pragma once

#include "app/frmFav1.h"
#include "platform/FileSystemService.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"
#include "support/FakeClock.h"
#include "support/FakeProgramLauncher.h"
#include "support/FakeTrayIcon.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <memory>

// A main window over temporary folders, scripted prompts and a fake tray, started the
// way the program starts it.
struct AppFixture
{
    AppFixture();

    // Loads, shows and runs the first activation.
    std::unique_ptr<frmFav1> Start(const QString& commandLine = QString());
    std::unique_ptr<frmFav1> Make(const QString& commandLine = QString());
    void Store(const QString& name, const QString& value);
    QString Stored(const QString& name);
    QString Favorites() const { return env.Favorites(); }

    TestEnvironment env;
    std::shared_ptr<ShellFolders> shell = std::make_shared<ShellFolders>();
    Registry registry;
    FileSystemService fileSystem;
    ScriptedPrompts prompts;
    FakeClock clock;
    FakeTrayIcon tray;
    FakeWindowSystem windows;
    FakeProgramLauncher programs;
    // What the window is made with; a test under X11 puts real ones in.
    WindowSystem* useWindows = &windows;
    ProgramLauncher* usePrograms = &programs;
    QString programPath;
};
