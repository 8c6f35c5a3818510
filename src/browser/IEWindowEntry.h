#pragma once

#include "platform/WindowSystem.h"

#include <QString>

// One browser or folder frame as the browser list saw it.
struct IEWindowEntry
{
    WindowSystem::Handle hWnd = 0;
    WindowSystem::Handle hEdit = 0; // the address bar's edit control; 0 without one
    QString Caption;
    QString URL;
    bool realBrowser = false; // a window of the user's own browser, found by its class
};
