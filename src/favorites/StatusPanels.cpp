#include "favorites/StatusPanels.h"

#include "favorites/ElidedLabel.h"

#include <QLocale>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar* statusBar)
{
    for (int i = 0; i < 3; ++i) {
        // A long path keeps its start and its end.
        m_panels[i] = new ElidedLabel(i == 0 ? Qt::ElideMiddle : Qt::ElideRight, statusBar);
        m_panels[i]->setObjectName(QStringLiteral("sbrPanel%1").arg(i + 1));
        m_panels[i]->setMinimumWidth(80);
        m_panels[i]->setContentsMargins(4, 0, 4, 0);
    }
    // The path panel takes what room there is, however long its text; count and view
    // keep their size.
    m_panels[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar->addWidget(m_panels[0], 1);
    statusBar->addWidget(m_panels[1]);
    statusBar->addWidget(m_panels[2]);
}

void StatusPanels::SetText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 3)
        m_panels[panel - 1]->setText(text);
}

QString StatusPanels::Text(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_panels[panel - 1]->text() : QString();
}

QString StatusPanels::ItemCountText(int count)
{
    static const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    return grouped.toString(count) +
           (count == 1 ? QStringLiteral(" item found") : QStringLiteral(" items found"));
}
