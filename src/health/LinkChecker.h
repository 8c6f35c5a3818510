#pragma once

#include "health/CheckResult.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Checks addresses without blocking: http(s) by HEAD (GET where HEAD is refused),
// following redirects itself so it can tell moved pages and loops; file: by looking for
// the file; every other scheme is skipped. Limits requests at once, in total and per
// host, and gives each request a time limit.
class LinkChecker : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int timeoutMs = 15000;
        int maxRequests = 16;
        int maxPerHost = 4;
        int maxRedirects = 10;
    };

    explicit LinkChecker(QObject* parent = nullptr);
    ~LinkChecker() override;

    void SetLimits(const Limits& limits) { m_limits = limits; }
    // Queues the addresses; each gets one checked signal, then finished comes once.
    void Start(const QStringList& addresses);
    void Cancel();
    bool IsRunning() const { return m_running; }
    int Active() const { return m_active; }

    // The result for an HTTP answer that is not a redirect.
    static CheckResult FromStatus(int code, const QString& phrase);

    static QByteArray UserAgent();

Q_SIGNALS:
    void checked(const QString& address, const CheckResult& result);
    void finished();

private:
    struct Job
    {
        QString address;
        QUrl current;
        QString host;
        QSet<QUrl> seen;
        int redirects = 0;
        bool useGet = false;
        bool holdsSlot = false;
        bool allPermanent = true;
        QString movedTo;
    };

    void pump();
    void send(Job job);
    void replied(QNetworkReply* reply, Job job);
    void done(const Job& job, CheckResult result);
    void finishIfIdle();

    QNetworkAccessManager* m_network;
    Limits m_limits;
    QList<Job> m_queue;
    QHash<QString, int> m_perHost;
    QSet<QNetworkReply*> m_replies;
    int m_active = 0;
    bool m_running = false;
    bool m_pumpQueued = false;
};
