#pragma once

#include <QTextBrowser>

// The page area. Pictures and style sheets come only from plain files of a page that is
// itself on this computer, and only up to a size, so no page can make the window read a
// device or a pipe, or reach into local files from the web.
class PageView final : public QTextBrowser
{
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;

    static constexpr qint64 LargestResource = 4 * 1024 * 1024;

    QVariant loadResource(int type, const QUrl& name) override;
};
