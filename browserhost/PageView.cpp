#include "PageView.h"

#include "LocalFile.h"

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
    const LocalFile::Contents contents = LocalFile::Read(resolved.toLocalFile(), LargestResource);
    if (!contents.error.isEmpty() || contents.cut)
        return {};
    return contents.bytes;
}
