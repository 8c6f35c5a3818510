#include "health/LinkChecker.h"

#include "core/AppInfo.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const char* const kTimedOut = "tavoroTimedOut";

CheckResult Result(CheckResult::State state, const QString& reason, int code = 0)
{
    return {state, code, reason, {}, QDateTime::currentDateTimeUtc()};
}

CheckResult FromNetworkError(QNetworkReply::NetworkError error, const QString& text)
{
    using State = CheckResult::State;
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return Result(State::Dead, QStringLiteral("Name not found"));
    case QNetworkReply::ConnectionRefusedError:
        return Result(State::Dead, QStringLiteral("Connection refused"));
    case QNetworkReply::SslHandshakeFailedError:
        return Result(State::Dead, QStringLiteral("TLS failure"));
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
        return Result(State::Dead, text);
    default:
        // Resets, closed connections, proxies: the site may well answer tomorrow.
        return Result(State::Temporary, text);
    }
}

bool IsRedirect(int code)
{
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

} // namespace

LinkChecker::LinkChecker(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

LinkChecker::~LinkChecker()
{
    Cancel();
}

QByteArray LinkChecker::UserAgent()
{
    return (AppInfo::ProductName + u'/' + AppInfo::Version +
            QStringLiteral(" (link checker; Linux)"))
        .toUtf8();
}

CheckResult LinkChecker::FromStatus(int code, const QString& phrase)
{
    using State = CheckResult::State;
    const QString reason = QString::number(code) + (phrase.isEmpty() ? QString() : u' ' + phrase);
    if (code >= 200 && code < 300)
        return Result(State::Ok, reason, code);
    if (code == 408 || code == 429 || code >= 500)
        return Result(State::Temporary, reason, code);
    // Sites that refuse robots still exist.
    if (code == 401 || code == 403)
        return Result(State::Temporary, reason, code);
    return Result(State::Dead, reason, code);
}

void LinkChecker::Start(const QStringList& addresses)
{
    for (const QString& address : addresses) {
        Job job;
        job.address = address;
        job.current = QUrl(address.trimmed(), QUrl::TolerantMode);
        job.host = job.current.host().toLower() + u':' + QString::number(job.current.port());
        job.seen.insert(job.current);
        m_queue.append(job);
    }
    m_running = true;
    if (!m_pumpQueued) {
        m_pumpQueued = true;
        QTimer::singleShot(0, this, &LinkChecker::pump);
    }
}

void LinkChecker::Cancel()
{
    m_queue.clear();
    const QSet<QNetworkReply*> replies = m_replies;
    m_replies.clear();
    for (QNetworkReply* reply : replies) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_perHost.clear();
    m_active = 0;
    finishIfIdle();
}

void LinkChecker::pump()
{
    m_pumpQueued = false;
    for (qsizetype i = 0; i < m_queue.size() && m_active < m_limits.maxRequests;) {
        const Job& job = m_queue.at(i);
        const QString scheme = job.current.scheme().toLower();
        if (scheme == QLatin1String("file")) {
            const bool exists = QFileInfo::exists(job.current.toLocalFile());
            const Job local = m_queue.takeAt(i);
            done(local, exists
                            ? Result(CheckResult::State::Ok, QStringLiteral("File exists"))
                            : Result(CheckResult::State::Dead, QStringLiteral("File not found")));
            continue;
        }
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
            const Job other = m_queue.takeAt(i);
            done(other, Result(CheckResult::State::Skipped,
                               scheme.isEmpty() ? QStringLiteral("Not an address")
                                                : scheme + QStringLiteral(": is not checked")));
            continue;
        }
        if (job.current.host().isEmpty()) {
            const Job bad = m_queue.takeAt(i);
            done(bad, Result(CheckResult::State::Dead, QStringLiteral("Not an address")));
            continue;
        }
        if (m_perHost.value(job.host) >= m_limits.maxPerHost) {
            ++i;
            continue;
        }
        ++m_active;
        ++m_perHost[job.host];
        Job next = m_queue.takeAt(i);
        next.holdsSlot = true;
        send(std::move(next));
    }
    finishIfIdle();
}

void LinkChecker::send(Job job)
{
    QNetworkRequest request(job.current);
    request.setRawHeader("User-Agent", UserAgent());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = job.useGet ? m_network->get(request) : m_network->head(request);
    m_replies.insert(reply);
    if (job.useGet) {
        // The status line is all we need; the page itself is not worth downloading.
        connect(reply, &QNetworkReply::metaDataChanged, reply, [reply] {
            if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
                reply->abort();
        });
    }
    QTimer::singleShot(m_limits.timeoutMs, reply, [reply] {
        reply->setProperty(kTimedOut, true);
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, job = std::move(job)] { replied(reply, job); });
}

void LinkChecker::replied(QNetworkReply* reply, Job job)
{
    m_replies.remove(reply);
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        done(job, reply->property(kTimedOut).toBool()
                      ? Result(CheckResult::State::Temporary, QStringLiteral("Timed out"))
                      : FromNetworkError(reply->error(), reply->errorString()));
        return;
    }
    const int code = status.toInt();
    if ((code == 405 || code == 501) && !job.useGet) {
        job.useGet = true;
        send(std::move(job));
        return;
    }
    const QUrl location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (IsRedirect(code) && location.isValid()) {
        const QUrl next = job.current.resolved(location);
        if (job.seen.contains(next)) {
            done(job, Result(CheckResult::State::Dead, QStringLiteral("Redirect loop"), code));
            return;
        }
        if (++job.redirects > m_limits.maxRedirects) {
            done(job, Result(CheckResult::State::Dead, QStringLiteral("Too many redirects"), code));
            return;
        }
        job.allPermanent = job.allPermanent && (code == 301 || code == 308);
        if (job.allPermanent)
            job.movedTo = next.toString();
        job.seen.insert(next);
        job.current = next;
        send(std::move(job));
        return;
    }
    CheckResult result =
        FromStatus(code, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    if (result.Status == CheckResult::State::Ok && !job.movedTo.isEmpty()) {
        result.Status = CheckResult::State::Moved;
        result.NewAddress = job.movedTo;
        result.Reason = QStringLiteral("Moved to ") + job.movedTo;
    }
    done(job, result);
}

void LinkChecker::done(const Job& job, CheckResult result)
{
    if (job.holdsSlot) {
        --m_active;
        if (--m_perHost[job.host] <= 0)
            m_perHost.remove(job.host);
    }
    Q_EMIT checked(job.address, result);
    if (!m_pumpQueued && m_running) {
        m_pumpQueued = true;
        QTimer::singleShot(0, this, &LinkChecker::pump);
    }
}

void LinkChecker::finishIfIdle()
{
    if (m_running && m_queue.isEmpty() && m_active == 0) {
        m_running = false;
        Q_EMIT finished();
    }
}
