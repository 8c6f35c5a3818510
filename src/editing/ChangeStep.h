#pragma once

#include "platform/FsChange.h"

#include <QUndoCommand>

class FileSystemService;

// One command's changes to the Favorites, as the undo history keeps them. The stack only
// counts steps: Apply does the work, so that a step that cannot be taken back stays where
// it is.
class ChangeStep : public QUndoCommand
{
public:
    ChangeStep(const QString& name, const QList<FsChange>& changes);

    // Takes the step back (back) or makes it again. Nothing is ever replaced, and an item
    // made by the step goes only while it is as the step left it. On a failure whatever
    // this call had done is put back and the FileSystemError is thrown on.
    void Apply(bool back, const FileSystemService& fileSystem);

    void undo() override {}
    void redo() override {}

    // What the menu calls a step: "Move of 'News'", "Delete of 3 items".
    static QString Text(const QString& name, const QList<FsChange>& changes);

private:
    void applyOne(qsizetype index, bool back, const FileSystemService& fileSystem);
    void removeMade(qsizetype index, const FileSystemService& fileSystem);

    QList<FsChange> m_changes;
    // Per change, how a made item looked when made; the rest stay empty.
    QList<QByteArray> m_marks;
};
