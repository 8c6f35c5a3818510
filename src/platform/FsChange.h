#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One change the program made on disk, as much as it takes to take it back.
struct FsChange
{
    enum class Kind
    {
        Moved,         // From went to To (a move or a rename)
        Copied,        // To is a new copy of From
        CreatedFolder, // To is a new, empty folder
        CreatedFile,   // To is a new file holding Bytes
        Trashed,       // From went to the Trash, where it is To
        Rewritten,     // To held Before and now holds Bytes
    };
    Kind What = Kind::Moved;
    QString From;
    QString To;
    QByteArray Bytes;
    QByteArray Before;
};

// Takes the changes of one command as one step, named for the menu ("Move").
class FsChangeSink
{
public:
    virtual ~FsChangeSink() = default;
    virtual void Commit(const QString& name, const QList<FsChange>& changes) = 0;
};
