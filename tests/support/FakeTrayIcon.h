#pragma once

#include "platform/TrayIcon.h"

// A notification area for tests: remembers whether the icon shows and its tip.
class FakeTrayIcon final : public TrayIcon
{
    Q_OBJECT
public:
    bool available = true;
    bool shown = false;
    QString tip;

    bool Show(const QIcon&, const QString& text) override
    {
        if (!available)
            return false;
        shown = true;
        tip = text;
        return true;
    }
    void Hide() override { shown = false; }
    bool Available() const override { return available; }
};
