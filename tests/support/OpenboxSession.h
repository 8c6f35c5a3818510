#pragma once

#include <QProcess>
#include <QTemporaryDir>

class X11WindowSystem;

// openbox managing the test display for as long as the object lives, keeping whatever it
// writes in a temporary folder of its own.
class OpenboxSession
{
public:
    ~OpenboxSession();

    static bool Available();
    // Starts it and waits until it manages the display; false when it did not come up.
    bool Start(const X11WindowSystem& windows);
    // Ends it and waits until the display is unmanaged again.
    bool Stop(const X11WindowSystem& windows);

private:
    QTemporaryDir m_home;
    QProcess m_process;
};
