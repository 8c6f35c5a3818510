#include "support/OpenboxSession.h"

#include "platform/X11WindowSystem.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTest>

namespace {

bool waitFor(const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

OpenboxSession::~OpenboxSession()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool OpenboxSession::Available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty();
}

bool OpenboxSession::Start(const X11WindowSystem& windows)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_DATA_DIRS")); // its themes; a test's has none
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + "/config");
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.path() + "/cache");
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path() + "/data");
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    return m_process.waitForStarted() && waitFor([&] { return windows.WindowManagerRunning(); });
}

bool OpenboxSession::Stop(const X11WindowSystem& windows)
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    m_process.terminate();
    return m_process.waitForFinished(10000) &&
           waitFor([&] { return !windows.WindowManagerRunning(); });
}
