#pragma once

#include <QString>
#include <QStringList>

// The command line that hands an address to a browser program, always as one argument of
// its own. What it may add around the address depends on the browser's family.
class BrowserCommandLine
{
public:
    enum class Family
    {
        Firefox,  // --new-tab / --new-window, no end-of-options marker
        Chromium, // the address alone reaches the running instance; "--" ends options
        Marked,   // Epiphany, Falkon: --new-tab / --new-window, "--" ends options
        Other
    };

    struct Result
    {
        QString program;
        QStringList arguments;
        QString refusal; // not empty: nothing may be started, this says why
    };

    // By the program's file name: "/usr/lib/firefox-esr/firefox-esr" is Firefox.
    static Family FamilyOf(const QString& program);

    // command: a desktop file's command (its field codes are dropped and the address is
    // put where the family wants it) or, when userCommand, the user's own command, where
    // %u (or %s) stands for the address and nothing else is added.
    static Result Build(const QStringList& command, bool userCommand, const QString& address,
                        bool newWindow);

private:
    static Result buildUserCommand(const QStringList& command, const QString& address);
};
