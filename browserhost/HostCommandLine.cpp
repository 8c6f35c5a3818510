#include "HostCommandLine.h"

HostCommandLine HostCommandLine::Parse(const QStringList& arguments)
{
    HostCommandLine line;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == u"--")
            options = false;
        else if (options && argument == u"--new-window")
            line.newWindow = true;
        else if (options && argument == u"--no-address-bar")
            line.addressBar = false;
        else if (line.address.isEmpty())
            line.address = argument;
    }
    return line;
}
