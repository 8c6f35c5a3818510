#include "PageView.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

QVariant PageView::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource)
        return {};
    const QUrl base = document()->baseUrl();
    if (!base.isLocalFile())
        return {};
    const QUrl resolved = base.resolved(name);
    if (!resolved.isLocalFile())
        return {};
    const QFileInfo info(resolved.toLocalFile());
    QFile file(info.absoluteFilePath());
    if (!info.isFile() || info.size() > LargestResource || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(LargestResource);
}
