#pragma once

#include "platform/Clock.h"

// Time that moves only when a test moves it.
class FakeClock final : public Clock
{
public:
    QDateTime now = QDateTime(QDate(2024, 1, 1), QTime(12, 0));
    QDateTime Now() const override { return now; }
    void Advance(int milliseconds) { now = now.addMSecs(milliseconds); }
};
