#include "exchange/SafeName.h"

#include "platform/PathCodec.h"

namespace {

QString Clean(const QString& title)
{
    QString name;
    name.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        if (c.isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate()) {
            name.append(c).append(title[++i]);
        } else if (c.isSurrogate()) {
            name.append(QChar::ReplacementCharacter);
        } else if (c == u'/') {
            name.append(u'-');
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            name.append(u' ');
        } else {
            name.append(c);
        }
    }
    return name.simplified();
}

// Cuts whole characters off the end until the name and suffix fit.
QString Fit(QString name, qsizetype suffixBytes)
{
    qsizetype bytes = PathCodec::Encode(name).size();
    while (!name.isEmpty() && bytes + suffixBytes > SafeName::MaxBytes) {
        const qsizetype cut = name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1;
        bytes -= PathCodec::Encode(name.right(cut)).size();
        name.chop(cut);
    }
    return name.trimmed();
}

} // namespace

namespace SafeName {

QString Make(const QString& title, const QString& fallback, const QString& suffix)
{
    const qsizetype suffixBytes = suffix.toUtf8().size();
    const auto unusable = [](const QString& name) {
        return name.isEmpty() || name == u"." || name == u"..";
    };
    QString name = Clean(title);
    if (unusable(name))
        name = Clean(fallback);
    if (unusable(name))
        name = QStringLiteral("_");
    // A leading dot would hide the entry from the views.
    if (name.startsWith(u'.'))
        name[0] = u'_';
    return Fit(name, suffixBytes);
}

QString Numbered(const QString& safeName, int number, const QString& extension)
{
    const QString suffix =
        (number > 1 ? QStringLiteral(" (%1)").arg(number) : QString()) + extension;
    return Fit(safeName, suffix.toUtf8().size()) + suffix;
}

} // namespace SafeName
