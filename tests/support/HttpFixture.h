#pragma once

#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A tiny HTTP server on 127.0.0.1 for the link checker's tests. Paths: /ok 200; /a 301
// to /b, /b 308 to /ok; /t 302 to /ok; /p 301 to /t; /loop1 and /loop2 301 to each
// other; /chainN 302 to /chain(N-1), /chain0 200; /gone 404; /busy 503; /nohead 405 to
// HEAD and 200 to GET; /delay 200 after delayMs; /slow never answers; /reset drops the
// connection. Every answer closes its connection.
class HttpFixture : public QObject
{
public:
    HttpFixture();
    QString Url(const QString& path) const;

    int delayMs = 100;
    QStringList requests; // "HEAD /ok", in arrival order
    int inFlight = 0;
    int maxInFlight = 0;

private:
    void serve(QTcpSocket* socket, const QByteArray& method, const QByteArray& path);
    void answer(QTcpSocket* socket, int code, const QByteArray& extra = {},
                const QByteArray& body = {});

    QTcpServer m_server;
};
