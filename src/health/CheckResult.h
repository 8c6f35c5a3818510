#pragma once

#include <QDateTime>
#include <QString>

// What a check found out about one address.
struct CheckResult
{
    // In the order the results window lists them.
    enum class State
    {
        Dead,
        Moved,
        Temporary,
        Ok,
        Skipped
    };

    State Status = State::Skipped;
    int Code = 0;       // the last HTTP status, 0 without one
    QString Reason;     // "404 Not Found", "Connection refused", "Redirect loop"...
    QString NewAddress; // Moved: where the address leads now
    QDateTime Checked;  // UTC

    static QString StateName(State state)
    {
        switch (state) {
        case State::Dead:
            return QStringLiteral("Dead");
        case State::Moved:
            return QStringLiteral("Moved");
        case State::Temporary:
            return QStringLiteral("Temporary trouble");
        case State::Ok:
            return QStringLiteral("OK");
        case State::Skipped:
            break;
        }
        return QStringLiteral("Skipped");
    }
};
