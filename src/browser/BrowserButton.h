#pragma once

#include <QString>

class Prompts;
class Registry;
class QWidget;

// The browser toolbar button that starts Tavoro: a key under the browser's Extensions
// key that the browser (host) reads when it starts.
class BrowserButton
{
public:
    static inline const QString ExtensionsKey =
        QStringLiteral("Software\\Microsoft\\Internet Explorer\\Extensions");
    static inline const QString ButtonId = QStringLiteral("{04888576-4F80-49f5-ACC3-D215680BD1AD}");
    static inline const QString RunProgramClsid =
        QStringLiteral("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");

    // programPath: the running executable.
    BrowserButton(Registry& registry, Prompts& prompts, const QString& programPath, QWidget* owner);

    bool IsBrowserButtonInstalled() const;
    void AddBrowserButton();
    void RemoveBrowserButton();

private:
    QString readClsid() const;

    Registry& m_registry;
    Prompts& m_prompts;
    QString m_programFolder;
    QString m_programName;
    QWidget* m_owner;
};
