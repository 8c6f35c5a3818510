#pragma once

#include "Page.h"

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

// Turns an address into a page: web pages through the network, files and folders from
// disk, "about:" pages built in. Whatever cannot be shown becomes a readable error page.
class PageLoader : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* HomeAddress = "about:home";

    explicit PageLoader(QNetworkAccessManager& network, QObject* parent = nullptr);
    ~PageLoader() override;

    // Drops any load still running. Pages from disk arrive before this returns; for a
    // folder, selected names the entry to highlight.
    void Load(const QString& address, const QString& selected = {});

Q_SIGNALS:
    void Loaded(const Page& page);

private:
    void cancel();
    void loadLocal(const QString& address, const QString& path, const QString& selected);
    void replyFinished();

    QNetworkAccessManager& m_network;
    QPointer<QNetworkReply> m_reply;
    QString m_address;
};
