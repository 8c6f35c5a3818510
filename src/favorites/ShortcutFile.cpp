#include "favorites/ShortcutFile.h"

#include "core/AppInfo.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"
#include "platform/TextCodec.h"

#include <QByteArray>
#include <QStringView>

namespace {

const QString kAlreadyExists = QStringLiteral("Link already exists in the selected folder.");

bool IsUrlLine(QStringView line)
{
    return line.startsWith(QLatin1String("URL="), Qt::CaseInsensitive);
}

} // namespace

QString ShortcutFile::ReadShortcutURL(const FileSystemService& fileSystem, const QString& path)
{
    if (path.isEmpty())
        return {};
    try {
        return ShortcutURL(fileSystem.ReadHead(path, ReadLimit));
    } catch (const FileSystemError&) {
        return {};
    }
}

QString ShortcutFile::ShortcutURL(QByteArray bytes)
{
    if (bytes.size() > ReadLimit) {
        // The last line was cut: drop it, lest half a UTF-8 sequence spoil the decoding.
        const qsizetype lastBreak =
            qMax(bytes.lastIndexOf('\n', ReadLimit - 1), bytes.lastIndexOf('\r', ReadLimit - 1));
        bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
    }
    const QString text = TextCodec::Decode(bytes);
    // CR LF, LF and a lone CR all end a line; the empty lines this yields never match.
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') &&
               text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        if (IsUrlLine(line))
            return line.mid(4).toString();
        start = end + 1;
    }
    return {};
}

bool ShortcutFile::WriteShortcut(const FileSystemService& fileSystem, Prompts& prompts,
                                 QWidget* owner, const QString& address, const QString& path)
{
    const QString title = AppInfo::ProductName;
    // Whatever is there, even a hidden file or a dangling link, is someone's data.
    if (!path.isEmpty() && fileSystem.FileExists(path, AttributeHidden | AttributeDirectory)) {
        prompts.Warn(owner, kAlreadyExists, title);
        return false;
    }
    QString oneLine = address;
    oneLine.remove(QLatin1Char('\r'));
    oneLine.remove(QLatin1Char('\n'));
    const QByteArray value = oneLine.toUtf8();
    try {
        fileSystem.CreateNewFile(path, "[DEFAULT]\r\nBASEURL=" + value +
                                           "\r\n[InternetShortcut]\r\nURL=" + value + "\r\n");
    } catch (const FileSystemError& error) {
        prompts.Warn(owner, error.Description(), title);
        return false;
    }
    return true;
}
