#pragma once

#include <QDateTime>

// Time comes from here, so tests set it instead of waiting for it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const { return QDateTime::currentDateTime(); }
};
