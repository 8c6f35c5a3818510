#include "platform/QtProgramLauncher.h"

#include <QDeadlineTimer>
#include <QProcess>

bool QtProgramLauncher::StartDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

std::optional<QString> QtProgramLauncher::FirstOutputLine(const QString& program,
                                                          const QStringList& arguments,
                                                          int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    const QDeadlineTimer deadline(timeoutMs);
    if (!process.waitForStarted(timeoutMs))
        return std::nullopt;
    while (!process.canReadLine()) {
        if (process.state() == QProcess::NotRunning || deadline.hasExpired()) {
            if (process.canReadLine() || process.bytesAvailable() > 0)
                break;
            return std::nullopt;
        }
        process.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    }
    const QString line = QString::fromUtf8(process.readLine()).trimmed();
    // The program detaches after printing; give it a moment to end on its own.
    process.waitForFinished(static_cast<int>(qMax<qint64>(0, deadline.remainingTime())));
    return line;
}
