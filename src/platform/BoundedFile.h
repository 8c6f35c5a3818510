#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// Reads files that come from outside the program (settings, themes, links, local pages)
// only when they are plain files, and never more than the caller can use. Pipes, devices
// and the kernel's files (which claim a size of 0 and may never end) are refused without
// blocking, whatever size they claim.
namespace BoundedFile {

struct Result
{
    enum class Status
    {
        Read,
        Missing,
        Refused
    };
    Status status = Status::Missing;
    QByteArray bytes;
    bool cut = false; // ReadHead: the file went on past the limit
    int error = 0;    // the system's error number when refused (EISDIR for a folder)
    QString reason;   // why it was refused, in words
    struct stat info
    {
    }; // of the file opened; zeroed when none was
};

// At most limit bytes from the start of a plain file.
Result ReadHead(const QString& path, qint64 limit);
// A file of /proc or /sys, which poses as a plain file.
bool IsKernelFile(int fd);
// The whole of a plain file of at most limit bytes; a longer one is refused.
Result Read(const QString& path, qint64 limit);

} // namespace BoundedFile
