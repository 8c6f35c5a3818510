#pragma once

#include <QList>
#include <QString>

class Registry;

// The toolbar buttons other programs register for the browser under the current user's
// Extensions key. Only buttons that run a program, and that are not switched off, count.
class ExtensionButtons
{
public:
    struct Button
    {
        QString text;
        QString icon;    // may name no file
        QString program; // started without a shell
    };

    static QList<Button> Read(Registry& registry);
    // A path written in Windows form, made ours: each run of backslashes becomes one "/",
    // and "x.exe" becomes "x" when only the latter exists.
    static QString LocalPath(const QString& windowsPath);
};
