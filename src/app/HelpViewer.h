#pragma once

#include "core/Help.h"

#include <QPointer>
#include <QString>

class HelpWindow;

// The program's help: one help window, made on the first request and brought to the
// front on each one, usable beside its owner even while that owner is a modal dialog.
class HelpViewer final : public Help
{
public:
    // An empty folder means the program's own help pages.
    explicit HelpViewer(QString folder = QString());
    ~HelpViewer() override;
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    void ShowTopic(QWidget* owner, int topic) override;
    // The window while it is open; null before the first request and once closed.
    HelpWindow* Window() const;

private:
    QString m_folder;
    QPointer<HelpWindow> m_window;
};
