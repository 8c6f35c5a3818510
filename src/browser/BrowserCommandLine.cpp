#include "browser/BrowserCommandLine.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString Marker = QStringLiteral("--");

QString refusal(const QString& address)
{
    return QStringLiteral("The address \"%1\" begins with \"-\" and would be taken as an option "
                          "by this browser; it was not opened.")
        .arg(address);
}

bool isFieldCode(const QString& argument)
{
    static const QStringList codes{"%u", "%U", "%f", "%F", "%i", "%c", "%k"};
    return codes.contains(argument);
}

// "%%" stands for "%"; any other field code inside an argument is dropped.
QString expandPercents(const QString& argument, const QString& address)
{
    QString result;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument[i] != u'%' || i + 1 == argument.size()) {
            result += argument[i];
            continue;
        }
        const QChar code = argument[++i];
        if (code == u'%')
            result += u'%';
        else if (code == u'u' || code == u'U' || code == u's')
            result += address;
    }
    return result;
}

} // namespace

BrowserCommandLine::Family BrowserCommandLine::FamilyOf(const QString& program)
{
    const QString name = QFileInfo(program).fileName().toLower();
    for (const char* firefox : {"firefox", "iceweasel", "librewolf", "waterfox"}) {
        if (name.startsWith(QLatin1String(firefox)))
            return Family::Firefox;
    }
    for (const char* chromium :
         {"chromium", "chrome", "google-chrome", "brave", "vivaldi", "microsoft-edge", "opera"}) {
        if (name.startsWith(QLatin1String(chromium)))
            return Family::Chromium;
    }
    if (name.startsWith(QLatin1String("epiphany")) || name.startsWith(QLatin1String("falkon")))
        return Family::Marked;
    return Family::Other;
}

BrowserCommandLine::Result BrowserCommandLine::Build(const QStringList& command, bool userCommand,
                                                     const QString& address, bool newWindow)
{
    QString typed = address;
    typed.remove(u'\r').remove(u'\n');
    if (command.isEmpty())
        return {{}, {}, QStringLiteral("No browser command is set.")};
    if (userCommand)
        return buildUserCommand(command, typed);

    Result result{command.first(), {}, {}};
    for (const QString& argument : command.mid(1)) {
        if (!isFieldCode(argument))
            result.arguments << expandPercents(argument, QString());
    }
    const Family family = FamilyOf(result.program);
    if (newWindow && family != Family::Other)
        result.arguments << QStringLiteral("--new-window");
    else if (!typed.isEmpty() && (family == Family::Firefox || family == Family::Marked))
        result.arguments << QStringLiteral("--new-tab");
    if (typed.isEmpty())
        return result;
    if (family == Family::Chromium || family == Family::Marked)
        result.arguments << Marker;
    else if (typed.startsWith(u'-'))
        return {{}, {}, refusal(typed)};
    result.arguments << typed;
    return result;
}

BrowserCommandLine::Result BrowserCommandLine::buildUserCommand(const QStringList& command,
                                                                const QString& address)
{
    Result result{command.first(), {}, {}};
    bool placed = false;
    for (qsizetype i = 1; i < command.size(); ++i) {
        const QString& argument = command[i];
        const bool alone = argument == QLatin1String("%u") || argument == QLatin1String("%U") ||
                           argument == QLatin1String("%s");
        // Alone, the address is an argument of its own: safe only right after "--".
        if (alone && address.startsWith(u'-') && command[i - 1] != Marker)
            return {{}, {}, refusal(address)};
        placed = placed || argument.contains(QRegularExpression(QStringLiteral("%[uUs]")));
        result.arguments << expandPercents(argument, address);
    }
    if (!placed && !address.isEmpty()) {
        if (address.startsWith(u'-'))
            return {{}, {}, refusal(address)};
        result.arguments << address;
    }
    return result;
}
