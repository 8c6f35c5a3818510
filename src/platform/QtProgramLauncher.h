#pragma once

#include "platform/ProgramLauncher.h"

// ProgramLauncher over QProcess.
class QtProgramLauncher final : public ProgramLauncher
{
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override;
    std::optional<QString> FirstOutputLine(const QString& program, const QStringList& arguments,
                                           int timeoutMs) override;
};
