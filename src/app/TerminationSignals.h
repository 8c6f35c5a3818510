#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a quiet end of the event loop, so a session manager or a
// script can stop the program without leaving it half-way through a write.
class TerminationSignals final : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();

private:
    static void handle(int signal);
    static int s_pipe[2];
    QSocketNotifier* m_notifier = nullptr;
};
