#include "appearance/ThemeFile.h"

#include "appearance/Themes.h"
#include "platform/BoundedFile.h"
#include "platform/Logging.h"
#include "platform/TextCodec.h"
#include "platform/TextFields.h"
#include "platform/VbConvert.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <sys/stat.h>

namespace Themes {

namespace {

const QString kCustom = QStringLiteral("(Custom)");
// A real theme file is a few kilobytes; anything past this is not one.
constexpr qint64 kLargestFile = 32 * 1024 * 1024;

bool isBlank(const QString& line)
{
    for (const QChar c : line) {
        if (c != u' ')
            return false;
    }
    return true;
}

// Six fields from first on: face, size, bold, italic, background, text colour.
void readPart(clsThemeObj& part, const QStringList& fields, int first)
{
    const auto field = [&](int offset) { return fields[first + offset - 1]; };
    part.SetFontName(field(0));
    part.SetFontSize(clsThemeObj::WholeSize(field(1)));
    part.SetFontBold(VbConvert::ToBool(field(2)));
    part.SetFontItalic(VbConvert::ToBool(field(3)));
    part.SetBackColor(ParseColor(field(4)));
    part.SetFontColor(ParseColor(field(5)));
}

// A TAB or line break inside a text would shift every later field of the line.
QString fieldText(QString text)
{
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text;
}

void writePart(QStringList& fields, const clsThemeObj& part)
{
    fields << fieldText(part.FontName()) << QString::number(part.FontSize())
           << VbConvert::FromBool(part.FontBold()) << VbConvert::FromBool(part.FontItalic())
           << QString::number(part.BackColor()) << QString::number(part.FontColor());
}

// The 13 fields of a theme's line.
QStringList lineFields(const clsThemeApp& theme)
{
    QStringList fields{fieldText(theme.Name())};
    writePart(fields, theme.TvwTheme());
    writePart(fields, theme.LvwTheme());
    return fields;
}

} // namespace

clsThemeApps ReadThemes(const QString& path)
{
    clsThemeApps themes;
    const BoundedFile::Result read = BoundedFile::Read(path, kLargestFile);
    if (read.status == BoundedFile::Result::Status::Refused)
        qCInfo(lcSettings).noquote() << path << "not read:" << read.reason;
    const QByteArray& bytes = read.bytes;

    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = TextCodec::Decode(bytes).split(lineEnd);
    clsThemeApp builtIn;
    InitDefaultTheme(builtIn, kCustom);
    for (const QString& line : lines) {
        if (isBlank(line))
            continue;
        QStringList fields = line.split(TextFields::Tab);
        if (themes.Count() == 0 && fields[0] != kCustom)
            themes.Add()->Clone(builtIn);
        // A line cut short takes what it lacks from "(Custom)", never black on black.
        fields += lineFields(themes.Count() > 0 ? *themes.Item(1) : builtIn).mid(fields.size());
        clsThemeApp* theme = themes.Add();
        theme->SetName(fields[0]);
        readPart(theme->TvwTheme(), fields, 2);
        readPart(theme->LvwTheme(), fields, 8);
    }
    // The rest of the program counts on "(Custom)" at position 1.
    if (themes.Count() == 0)
        themes.Add()->Clone(builtIn);
    return themes;
}

bool WriteThemes(const QString& path, const clsThemeApps& themes, QString* error)
{
    QByteArray bytes;
    for (const clsThemeApp& theme : themes) {
        bytes += lineFields(theme).join(TextFields::Tab).toUtf8();
        bytes += "\r\n";
    }
    // A file we could not read whole holds themes we never saw: it is not ours to replace.
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 &&
        (!S_ISREG(info.st_mode) || info.st_size > kLargestFile)) {
        qCInfo(lcSettings).noquote() << path << "not replaced: it was not read whole";
        if (error)
            *error = QStringLiteral("The file \"%1\" is not a themes file this program can "
                                    "read whole, so it was not replaced.")
                         .arg(path);
        return false;
    }
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}

} // namespace Themes
