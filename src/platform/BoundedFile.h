#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// Reads a whole file that comes from outside the program (settings, themes, links) only
// when it is a plain file of a sane size. Pipes, devices and endless files such as
// /proc's are refused without blocking, whatever size they claim.
namespace BoundedFile {

struct Result
{
    enum class Status { Read, Missing, Refused };
    Status status = Status::Missing;
    QByteArray bytes;
    QString reason;    // why it was refused
    struct stat info {}; // of the file opened; zeroed when none was
};

// limit: the most bytes a file of this kind can sensibly hold.
Result Read(const QString& path, qint64 limit);

} // namespace BoundedFile
