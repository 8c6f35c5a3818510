#include "app/AppServices.h"
#include "app/HandOver.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "app/frmFav1.h"
#include "core/AppInfo.h"
#include "exchange/ExchangeCommandLine.h"
#include "platform/Clock.h"
#include "platform/FileSystemService.h"
#include "platform/QtProgramLauncher.h"
#include "platform/QtPrompts.h"
#include "platform/QtTrayIcon.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "platform/X11ControlFilter.h"
#include "platform/X11WindowSystem.h"

#include <QApplication>
#include <QSessionManager>
#include <QTextStream>

namespace {

// Import and export from the command line: no window, no display, no second-instance test.
int RunExchange(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    auto shellFolders = std::make_shared<ShellFolders>();
    Registry registry(Registry::DefaultDirectory(), shellFolders);
    FileSystemService fileSystem;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ExchangeCommandLine::Run(QCoreApplication::arguments().mid(1), fileSystem,
                                    ReadShellFavorites(registry), QDate::currentDate(), out, err);
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (ExchangeCommandLine::Wants(rawArguments))
        return RunExchange(argc, argv);

    // Our own windows that other programs look for must be real X windows nested as the
    // widgets are, without extra native siblings.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::ProductName);
    QApplication::setApplicationVersion(AppInfo::Version);
    // Desktops match the windows to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.tavoro.Tavoro"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.IsFirst()) {
        // Ask the running instance to show itself, and end.
        X11WindowSystem windows;
        if (windows.IsConnected())
            HandOver::SendToPrevInstance(windows, QStringLiteral("A"));
        return 0;
    }

    auto shellFolders = std::make_shared<ShellFolders>();
    Registry registry(Registry::DefaultDirectory(), shellFolders);
    const QString favorites = ReadShellFavorites(registry);

    FileSystemService fileSystem;
    QtPrompts prompts;
    Clock clock;
    QtTrayIcon tray;
    const QStringList arguments = QApplication::arguments().mid(1);
    X11WindowSystem windows;
    QtProgramLauncher programs;
    frmFav1 window(AppServices{registry, *shellFolders, fileSystem, prompts, clock, tray,
                               QApplication::applicationFilePath(), arguments.join(u' '), favorites,
                               windows.IsConnected() ? &windows : nullptr, &programs});
    // exit(), not quit(): quit() would send the window another close request.
    const auto endProcess = [] { QApplication::exit(0); };
    QObject::connect(&window, &frmFav1::processEnded, &app, endProcess, Qt::QueuedConnection);
    // Stopped from outside, the session's settings are saved as Exit would save them. Nobody
    // is there to answer a message box then: a failed save is only logged.
    const auto saveQuietly = [&window, &registry] {
        registry.SetProblemReporter({});
        window.SaveSettings();
    };
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     [saveQuietly, endProcess] {
                         saveQuietly();
                         endProcess();
                     });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [saveQuietly](QSessionManager&) { saveQuietly(); });

    // Placed before anything makes its X11 window: only then does the window manager put the
    // frame, not the client area, where the saved frame was.
    window.Load();
    // Other programs reach our windows over X11 only.
    X11ControlFilter x11Messages;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        new HandOver(window, x11Messages);
    window.show();
    window.activateWindow();
    return app.exec();
}
