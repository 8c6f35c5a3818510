#pragma once

#include "platform/ProgramLauncher.h"

#include <QList>

#include <functional>

// Records every program started; a test decides what a run prints.
class FakeProgramLauncher final : public ProgramLauncher
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
        bool detached;
    };

    QList<Call> calls;
    // What a run prints first; none by default, as a program that fails to start.
    std::function<std::optional<QString>(const QString&, const QStringList&)> onRun;

    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        calls.append({program, arguments, true});
        return true;
    }

    std::optional<QString> FirstOutputLine(const QString& program, const QStringList& arguments,
                                           int) override
    {
        calls.append({program, arguments, false});
        return onRun ? onRun(program, arguments) : std::nullopt;
    }
};
