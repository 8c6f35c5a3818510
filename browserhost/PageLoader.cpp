#include "PageLoader.h"

#include "FolderListing.h"
#include "LocalFile.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>

namespace {

// A page bigger than this is a download, not something to read in a window.
constexpr qint64 kLargestPage = 16 * 1024 * 1024;
// A file is read up to this and shown cut there: its size may say 0 and it never end.
constexpr qint64 kLargestFile = 8 * 1024 * 1024;
constexpr int kNetworkTimeoutMs = 30000;

QString document(const QString& title, const QString& body)
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

Page errorPage(const QString& address, const QString& reason)
{
    const QString title = QStringLiteral("The page cannot be displayed");
    return {address, QUrl(),
            document(title, QStringLiteral("<h2>%1</h2><p>%2</p><p>%3</p>")
                                .arg(title.toHtmlEscaped(), address.toHtmlEscaped(),
                                     reason.toHtmlEscaped()))};
}

Page homePage()
{
    return {QString::fromLatin1(PageLoader::HomeAddress), QUrl(),
            document(QStringLiteral("Home"),
                     QStringLiteral("<h2>Home</h2><p>Type an address in the address bar and "
                                    "press Enter.</p>"))};
}

// HTML as it is, text as text, and anything else is not for reading.
Page contentPage(const QString& address, const QUrl& base, const QByteArray& bytes,
                 const QMimeType& type)
{
    if (bytes.isEmpty())
        return {address, base, QString()};
    if (type.inherits(QStringLiteral("text/html"))) {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        return {address, base,
                decoder.isValid() ? QString(decoder.decode(bytes)) : TextCodec::Decode(bytes)};
    }
    if (type.inherits(QStringLiteral("text/plain")))
        return {address, base,
                document(
                    QString(),
                    QStringLiteral("<pre>%1</pre>").arg(TextCodec::Decode(bytes).toHtmlEscaped()))};
    return errorPage(address,
                     QStringLiteral("Pages of the type %1 cannot be shown here.").arg(type.name()));
}

} // namespace

PageLoader::PageLoader(QNetworkAccessManager& network, QObject* parent)
    : QObject(parent), m_network(network)
{
}

PageLoader::~PageLoader()
{
    cancel();
}

void PageLoader::cancel()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
}

void PageLoader::Load(const QString& typed, const QString& selected)
{
    cancel();
    const QString address = typed.trimmed();
    m_address = address;
    if (address.compare(QString::fromLatin1(HomeAddress), Qt::CaseInsensitive) == 0) {
        Q_EMIT Loaded(homePage());
        return;
    }
    if (address.startsWith(QStringLiteral("about:"), Qt::CaseInsensitive)) {
        Q_EMIT Loaded({address, QUrl(), QString()});
        return;
    }
    if (address.startsWith(u'/')) {
        loadLocal(address, address, selected);
        return;
    }
    if (address == QLatin1String("~") || address.startsWith(QLatin1String("~/"))) {
        loadLocal(address, QDir::homePath() + address.mid(1), selected);
        return;
    }
    QUrl url(address);
    if (url.isLocalFile()) {
        loadLocal(address, url.toLocalFile(), selected);
        return;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme != u"http" && scheme != u"https") {
        // "example.com" or "localhost:8080": what a user types for a web address.
        url = QUrl::fromUserInput(address);
        if (url.scheme() != u"http" && url.scheme() != u"https") {
            Q_EMIT Loaded(errorPage(address, QStringLiteral("Addresses of this kind cannot be "
                                                            "opened here.")));
            return;
        }
        m_address = url.toString();
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(kNetworkTimeoutMs);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::finished, this, &PageLoader::replyFinished);
    // The reply keeps everything in memory: a download larger than a page is cut short.
    connect(m_reply, &QNetworkReply::downloadProgress, m_reply, [reply = m_reply](qint64 received) {
        if (received > kLargestPage)
            reply->abort();
    });
}

void PageLoader::loadLocal(const QString& address, const QString& path, const QString& selected)
{
    const QFileInfo info(path);
    if (LocalFile::IsSystemPath(path)) {
        Q_EMIT Loaded(errorPage(address, QStringLiteral("Files of the system under /proc, /sys "
                                                        "and /dev are not shown.")));
        return;
    }
    if (info.isDir()) {
        const QString folder = QDir::cleanPath(info.absoluteFilePath());
        Q_EMIT Loaded(
            {folder, QUrl::fromLocalFile(folder + u'/'), FolderListing::Html(folder, selected)});
        return;
    }
    const LocalFile::Contents contents = LocalFile::Read(path, kLargestFile);
    if (!contents.error.isEmpty()) {
        Q_EMIT Loaded(errorPage(address, contents.error));
        return;
    }
    // The type from the name and the bytes read: the file is not opened again.
    Page page = contentPage(address, QUrl::fromLocalFile(info.absoluteFilePath()), contents.bytes,
                            QMimeDatabase().mimeTypeForFileNameAndData(path, contents.bytes));
    if (contents.cut)
        page.html += QStringLiteral("<hr><p><i>The page was cut short here: only its first %1 MB "
                                    "are shown.</i></p>")
                         .arg(kLargestFile / (1024 * 1024));
    Q_EMIT Loaded(page);
}

void PageLoader::replyFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    // A server's own error page is still a page; no answer at all is ours to explain.
    const QByteArray body = reply->error() == QNetworkReply::NoError || reply->bytesAvailable() > 0
                                ? reply->read(kLargestPage)
                                : QByteArray();
    if (reply->error() == QNetworkReply::OperationCanceledError) {
        Q_EMIT Loaded(errorPage(m_address, QStringLiteral("The page is too large to show.")));
        return;
    }
    if (body.isEmpty() && reply->error() != QNetworkReply::NoError) {
        Q_EMIT Loaded(errorPage(m_address, reply->errorString()));
        return;
    }
    const QString address = reply->url() == QUrl(m_address) ? m_address : reply->url().toString();
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    const QMimeDatabase mimes;
    QMimeType mime = mimes.mimeTypeForName(type.section(u';', 0, 0).trimmed());
    if (!mime.isValid())
        mime = mimes.mimeTypeForData(body);
    Q_EMIT Loaded(contentPage(address, reply->url(), body, mime));
}
