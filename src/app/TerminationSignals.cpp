#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A stop request, Ctrl+C, and the end of the terminal or session the program ran in.
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
} // namespace

int TerminationSignals::s_pipe[2] = {-1, -1};

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(s_pipe[0], &byte, 1) > 0) {
        }
        Q_EMIT terminationRequested();
    });
    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : kSignals)
        ::signal(signal, SIG_DFL);
    for (int& fd : s_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TerminationSignals::handle(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(s_pipe[1], &byte, 1);
}
