#include "ExtensionButtons.h"

#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kExtensionsKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Extensions");
// The class of the buttons that run a program.
const QString kRunProgram = QStringLiteral("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");

QStringList extensionNames(Registry& registry)
{
    HKEY key = 0;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, kExtensionsKey, 0, 0, &key) != 0)
        return {};
    QStringList names;
    registry.RegEnumKeys(key, &names);
    registry.RegCloseKey(key);
    return names;
}

} // namespace

QList<ExtensionButtons::Button> ExtensionButtons::Read(Registry& registry)
{
    QList<Button> buttons;
    for (const QString& name : extensionNames(registry)) {
        const auto value = [&](const QString& valueName) {
            return ReadRegValue(registry, kExtensionsKey, name, valueName, QString()).toString();
        };
        if (value(QStringLiteral("CLSID")).compare(kRunProgram, Qt::CaseInsensitive) != 0 ||
            value(QStringLiteral("Default Visible")).compare(u"No", Qt::CaseInsensitive) == 0)
            continue;
        Button button{value(QStringLiteral("ButtonText")), LocalPath(value(QStringLiteral("Icon"))),
                      LocalPath(value(QStringLiteral("Exec")))};
        if (button.program.isEmpty())
            continue;
        if (button.text.isEmpty())
            button.text = QFileInfo(button.program).fileName();
        buttons.append(button);
    }
    return buttons;
}

QString ExtensionButtons::LocalPath(const QString& windowsPath)
{
    QString path = windowsPath.trimmed();
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    static const QRegularExpression backslashes(QStringLiteral("\\\\+"));
    path.replace(backslashes, QStringLiteral("/"));
    const QString suffix = QStringLiteral(".exe");
    if (path.endsWith(suffix, Qt::CaseInsensitive) && !QFileInfo::exists(path) &&
        QFileInfo::exists(path.chopped(suffix.size())))
        path.chop(suffix.size());
    return path;
}
