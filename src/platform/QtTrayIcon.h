#pragma once

#include "platform/TrayIcon.h"

class QSystemTrayIcon;

// The notification-area icon through Qt's system tray support.
class QtTrayIcon final : public TrayIcon
{
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);

    bool Show(const QIcon& icon, const QString& tip) override;
    void Hide() override;
    bool Available() const override;

private:
    QSystemTrayIcon* m_icon;
};
