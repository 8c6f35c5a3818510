#include "appearance/FontFaces.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRegularExpression>

namespace FontFaces {

QString WithoutFoundry(const QString& face)
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    return QString(face).remove(foundry).trimmed();
}

QString Resolve(const QString& face)
{
    const QString wanted = WithoutFoundry(face);
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        const QString name = WithoutFoundry(family);
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    // The general font is often an alias ("Sans Serif"); the face it stands for is real.
    return WithoutFoundry(
        QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
}

} // namespace FontFaces
