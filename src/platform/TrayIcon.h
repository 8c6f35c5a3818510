#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>

// The program's icon in the desktop's notification area.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // False when the desktop has no notification area to show it in.
    virtual bool Show(const QIcon& icon, const QString& tip) = 0;
    virtual void Hide() = 0;
    // Whether the desktop has a notification area now (a panel may bring one later).
    virtual bool Available() const = 0;

Q_SIGNALS:
    void leftReleased();
    void rightPressed(const QPoint& globalPos);
};
