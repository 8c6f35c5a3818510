#include "support/HttpFixture.h"

#include <QTcpSocket>
#include <QTimer>

HttpFixture::HttpFixture()
{
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("HttpFixture: cannot listen on 127.0.0.1");
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                const QByteArray buffer =
                    socket->property("buffer").toByteArray() + socket->readAll();
                socket->setProperty("buffer", buffer);
                if (socket->property("served").toBool() || !buffer.contains("\r\n\r\n"))
                    return;
                socket->setProperty("served", true);
                const QList<QByteArray> words = buffer.left(buffer.indexOf("\r\n")).split(' ');
                serve(socket, words.value(0), words.value(1));
            });
        }
    });
}

QString HttpFixture::Url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void HttpFixture::serve(QTcpSocket* socket, const QByteArray& method, const QByteArray& path)
{
    requests.append(QString::fromLatin1(method + ' ' + path));
    maxInFlight = qMax(maxInFlight, ++inFlight);
    static const QHash<QByteArray, QPair<int, QByteArray>> kRedirects = {
        {"/a", {301, "/b"}}, {"/b", {308, "/ok"}},        {"/t", {302, "/ok"}},
        {"/p", {301, "/t"}}, {"/loop1", {301, "/loop2"}}, {"/loop2", {301, "/loop1"}},
    };
    if (kRedirects.contains(path)) {
        answer(socket, kRedirects.value(path).first,
               "Location: " + kRedirects.value(path).second + "\r\n");
    } else if (path.startsWith("/chain") && path != "/chain0") {
        answer(socket, 302,
               "Location: /chain" + QByteArray::number(path.mid(6).toInt() - 1) + "\r\n");
    } else if (path == "/ok" || path == "/chain0") {
        answer(socket, 200);
    } else if (path == "/nohead") {
        answer(socket, method == "HEAD" ? 405 : 200, {},
               QByteArray(method == "HEAD" ? 0 : 100000, 'x'));
    } else if (path.startsWith("/delay")) {
        QTimer::singleShot(delayMs, socket, [this, socket] { answer(socket, 200); });
    } else if (path == "/slow") {
        // Holds the connection open without a word.
    } else if (path == "/reset") {
        --inFlight;
        socket->abort();
    } else if (path == "/busy") {
        answer(socket, 503);
    } else {
        answer(socket, 404);
    }
}

void HttpFixture::answer(QTcpSocket* socket, int code, const QByteArray& extra,
                         const QByteArray& body)
{
    --inFlight;
    socket->write("HTTP/1.1 " + QByteArray::number(code) +
                  " Status\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\nConnection: close\r\n" + extra + "\r\n" + body);
    socket->disconnectFromHost();
}
