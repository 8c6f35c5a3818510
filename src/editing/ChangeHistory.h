#pragma once

#include "platform/FsChange.h"

#include <QObject>
#include <QUndoStack>

class FileSystemService;
class Prompts;
class QWidget;

// The session's Undo and Redo: every step the file-system service records lands here, and
// Undo / Redo take steps back or make them again on disk. A step that cannot be taken
// back or made again (something stands in its way, an item is gone or was changed) is
// refused with a message and stays where it was.
class ChangeHistory : public QObject, public FsChangeSink
{
    Q_OBJECT

public:
    ChangeHistory(FileSystemService& fileSystem, Prompts& prompts, QWidget* owner);
    ~ChangeHistory() override;

    void Commit(const QString& name, const QList<FsChange>& changes) override;

    bool Undo();
    bool Redo();
    void Clear() { m_stack.clear(); }

    // For the menu entries' texts and states.
    const QUndoStack& Stack() const { return m_stack; }

Q_SIGNALS:
    // A step was taken back or made again: the views are out of date.
    void Applied();

private:
    bool apply(bool back);

    FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QWidget* m_owner;
    QUndoStack m_stack;
};
