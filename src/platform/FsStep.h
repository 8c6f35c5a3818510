#pragma once

#include "platform/FileSystemService.h"

// Everything the service changes while this lives is one step for the change sink. A step
// opened inside another adds to the outer one.
class FsStep
{
public:
    FsStep(const FileSystemService& fileSystem, const QString& name) : m_fileSystem(fileSystem)
    {
        m_fileSystem.BeginStep(name);
    }
    ~FsStep() { m_fileSystem.EndStep(); }
    FsStep(const FsStep&) = delete;
    FsStep& operator=(const FsStep&) = delete;

private:
    const FileSystemService& m_fileSystem;
};
