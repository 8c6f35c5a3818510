#pragma once

#include <QString>
#include <QStringList>

// The browser host's command line: "--new-window", "--no-address-bar" and an address.
// After "--" every argument is an address, however much it looks like an option.
struct HostCommandLine
{
    QString address;
    bool newWindow = false;
    bool addressBar = true;

    static HostCommandLine Parse(const QStringList& arguments);
};
