#include "editing/ChangeHistory.h"

#include "core/AppInfo.h"
#include "editing/ChangeStep.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"

namespace {
// The session's last steps; older ones drop off.
constexpr int kStepLimit = 100;
} // namespace

ChangeHistory::ChangeHistory(FileSystemService& fileSystem, Prompts& prompts, QWidget* owner)
    : m_fileSystem(fileSystem), m_prompts(prompts), m_owner(owner)
{
    m_stack.setUndoLimit(kStepLimit);
    m_fileSystem.SetChangeSink(this);
}

ChangeHistory::~ChangeHistory()
{
    m_fileSystem.SetChangeSink(nullptr);
}

void ChangeHistory::Commit(const QString& name, const QList<FsChange>& changes)
{
    // The changes are already on disk; the step's own redo does nothing.
    m_stack.push(new ChangeStep(name, changes));
}

bool ChangeHistory::Undo()
{
    return apply(true);
}

bool ChangeHistory::Redo()
{
    return apply(false);
}

bool ChangeHistory::apply(bool back)
{
    const int index = back ? m_stack.index() - 1 : m_stack.index();
    if (index < 0 || index >= m_stack.count())
        return false;
    // Every command on the stack is a ChangeStep made by Commit.
    auto* step = static_cast<ChangeStep*>(const_cast<QUndoCommand*>(m_stack.command(index)));
    bool applied = false;
    try {
        step->Apply(back, m_fileSystem);
        applied = true;
        back ? m_stack.undo() : m_stack.redo();
    } catch (const FileSystemError& error) {
        m_prompts.Warn(
            m_owner,
            (back ? QStringLiteral("Unable to undo ") : QStringLiteral("Unable to redo ")) +
                step->text() + QStringLiteral(".\n\n") + error.Description() +
                QStringLiteral(": ") + error.Path(),
            AppInfo::ProductName);
    }
    // A half-done step was put back, but the disk may still differ from the views.
    Q_EMIT Applied();
    return applied;
}
