#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Starts other programs, always with an argument list and never through a shell, so an
// address or a path reaches the program exactly as it is.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;

    // False when the program could not be started.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
    // Runs the program and returns the first line it prints, without its line end;
    // none when it cannot start, ends without a line or prints none within timeoutMs.
    virtual std::optional<QString> FirstOutputLine(const QString& program,
                                                   const QStringList& arguments, int timeoutMs) = 0;
};
