// The browser host: browser and Explorer folder windows that offer other programs the
// browser's contacts. Built twice: as tavoro-browserhost, and as EXPLORER.EXE, which takes
// Explorer's command line.
#include "BrowserHost.h"
#include "ExplorerCommandLine.h"
#include "HostCommandLine.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

struct Options
{
    BrowserFrame::Kind kind = BrowserFrame::Kind::Browser;
    QString address;
    QString selected;
    bool addressBar = true;
    bool newWindow = false;
};

Options parse(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    Options options;
#ifdef TAVORO_EXPLORER
    const ExplorerCommandLine line = ExplorerCommandLine::Parse(arguments);
    options.kind = BrowserFrame::Kind::Folder;
    options.address = line.Root();
    options.selected = line.Select();
#else
    const HostCommandLine line = HostCommandLine::Parse(arguments);
    options.address = line.address;
    options.addressBar = line.addressBar;
    options.newWindow = line.newWindow;
#endif
    return options;
}

// Runs the frames until the last one closes. With idPipe, the first frame's window id goes
// there once the window is on the screen, so that whoever reads it finds the window.
int runFrames(char* argv[], const Options& options, int idPipe)
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    // Only the program's name: an address such as "-reverse" must not reach Qt as an option.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    BrowserHost host;
    const QPointer<BrowserFrame> frame =
        host.OpenFrame(options.kind, options.address, options.addressBar, options.selected);
    QTimer announce;
    if (idPipe >= 0) {
        QObject::connect(&announce, &QTimer::timeout, [&] {
            if (!frame || !frame->windowHandle() || !frame->windowHandle()->isExposed())
                return;
            announce.stop();
            const QByteArray line = QByteArray::number(frame->winId()) + '\n';
            const ssize_t written = ::write(idPipe, line.constData(), line.size());
            ::close(idPipe);
            // Nobody took the id: the caller gave up, so this window must not stay.
            if (written != line.size())
                QCoreApplication::exit(1);
        });
        announce.start(20);
    }
    return QApplication::exec();
}

// Waits up to eight seconds for the id line and passes it on; false when none came.
bool passWindowId(int idPipe)
{
    // Shorter than the caller's ten seconds, so the host gives up first and takes its
    // half-made window with it instead of being killed before it can.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    QByteArray received;
    while (!received.contains('\n')) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{idPipe, POLLIN, 0};
        const int ready =
            left.count() > 0 ? ::poll(&waiting, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        char buffer[64];
        const ssize_t count = ready > 0 ? ::read(idPipe, buffer, sizeof buffer) : 0;
        if (count <= 0)
            return false; // timed out, or the frames ended without a window
        received.append(buffer, count);
    }
    const QByteArray line = received.left(received.indexOf('\n') + 1);
    bool isNumber = false;
    line.trimmed().toULongLong(&isNumber);
    if (!isNumber)
        return false;
    std::fputs(line.constData(), stdout);
    return std::fflush(stdout) == 0;
}

// The caller waits for this process to end and reads the id, while the frame lives on in
// a child of a session of its own. The child lets go of the caller's output, or a caller
// reading to its end would wait for the frame to close.
int runDetached(char* argv[], const Options& options)
{
    int idPipe[2];
    if (::pipe2(idPipe, O_CLOEXEC) != 0)
        return 1;
    const pid_t child = ::fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        ::close(idPipe[0]);
        ::setsid();
        const int nothing = ::open("/dev/null", O_RDWR);
        ::dup2(nothing, STDIN_FILENO);
        ::dup2(nothing, STDOUT_FILENO);
        if (!::isatty(STDERR_FILENO))
            ::dup2(nothing, STDERR_FILENO);
        if (nothing > STDERR_FILENO)
            ::close(nothing);
        return runFrames(argv, options, idPipe[1]);
    }
    ::close(idPipe[1]);
    if (passWindowId(idPipe[0]))
        return 0;
    // A frame turning up after the caller gave up would be one window too many on a retry.
    ::kill(child, SIGTERM);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const Options options = parse(argc, argv);
    // Nothing of Qt may run before the fork: the child starts its own application.
    if (options.newWindow)
        return runDetached(argv, options);
    return runFrames(argv, options, -1);
}
