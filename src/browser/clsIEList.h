#pragma once

#include "browser/IEWindowEntry.h"

#include <QList>
#include <QString>

class WindowSystem;

// A snapshot of the running browser and folder frames, the top of the stacking order
// first, with the address each shows; and typing an address into one of them.
// Indexes run from 1 to Count(). Without a window system the list stays empty.
class clsIEList
{
public:
    static constexpr int FieldhWnd = 0;
    static constexpr int FieldCaption = 1;
    static constexpr int FieldURL = 2;
    static constexpr int FieldhEdit = 3;

    enum Scope
    {
        AllWindows,    // the host's frames and the user's own browsers' windows
        HostFramesOnly // the frames whose address bar can be typed into
    };

    explicit clsIEList(WindowSystem* windows);

    void NavigateTo(int index, const QString& address);
    WindowSystem::Handle ItemhWnd(int index) const;
    QString ItemCaption(int index) const;
    QString ItemURL(int index) const;
    void Refresh(Scope scope = AllWindows);
    // A window of the user's own browser: no address bar to read or type into.
    bool IsRealBrowser(int index) const;
    // The class of a known browser's top-level windows ("firefox-esr", "Chromium", ...).
    static bool IsRealBrowserClass(const QString& className);
    // The title without the browser's own name at its end.
    static QString StripBrowserSuffix(const QString& title);
    int Count() const;
    // One field of an entry as text; empty for an unknown index or field code.
    QString fGetURLInfo(int index, int field) const;

    WindowSystem* Windows() const { return m_windows; }

    // A window's caption as the dialogs list it and as a link's name: no "www.", no
    // "http://", nothing a file name cannot hold.
    static QString CleanCaption(const QString& caption);

private:
    QString GetWindowClass(WindowSystem::Handle window) const;
    QString GetWindowCaption(WindowSystem::Handle window) const;
    WindowSystem::Handle FindAddressBar(WindowSystem::Handle frame) const;
    WindowSystem::Handle handleField(int index, int field, const char* source) const;

    WindowSystem* m_windows;
    QList<IEWindowEntry> m_entries;
};

// Brings a foreign window to the top of the stacking order (on) or lets it go (off).
void SetTopMost(WindowSystem* windows, WindowSystem::Handle window, bool on);
// The front-bringing pair: above everything for a moment, then not kept there.
void BringToFront(WindowSystem* windows, WindowSystem::Handle window);
