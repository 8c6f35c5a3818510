#include "platform/QtTrayIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>

QtTrayIcon::QtTrayIcon(QObject* parent) : TrayIcon(parent), m_icon(new QSystemTrayIcon(this))
{
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    Q_EMIT leftReleased();
                else if (reason == QSystemTrayIcon::Context)
                    Q_EMIT rightPressed(QCursor::pos());
            });
}

bool QtTrayIcon::Available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayIcon::Show(const QIcon& icon, const QString& tip)
{
    if (!Available())
        return false;
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    m_icon->show();
    return true;
}

void QtTrayIcon::Hide()
{
    m_icon->hide();
}
