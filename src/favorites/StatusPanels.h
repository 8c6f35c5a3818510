#pragma once

#include <QString>

class ElidedLabel;
class QStatusBar;

// The status bar's three panels: the shown folder's path (or search progress), the
// item count, and the current view's name.
class StatusPanels
{
public:
    explicit StatusPanels(QStatusBar* statusBar);

    void SetText(int panel, const QString& text);
    QString Text(int panel) const;
    // Panel 2's text for a count: "1,234 items found".
    static QString ItemCountText(int count);

private:
    ElidedLabel* m_panels[3];
};
