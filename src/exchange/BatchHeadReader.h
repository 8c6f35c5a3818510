#pragma once

#include "exchange/QuietFileSystem.h"

#include <memory>
#include <span>

// Reads the heads and details of many files in one folder, as an export needs of every
// link. Where the system grants an io_uring, the stats, opens, reads and closes of a folder's
// files go to the kernel in batches, which here halves what a small file costs; where it
// does not (an old kernel, a sandbox), the files are read one by one. One reader serves
// one thread.
class BatchHeadReader
{
public:
    struct Item
    {
        QByteArray Name; // the file's name in the folder, as the file system spells it
        int Error = 0;   // errno when the file could not be read
        QuietFileSystem::Head Head;
    };
    enum class Mode
    {
        Batched,
        OneByOne
    };

    explicit BatchHeadReader(Mode mode = Mode::Batched);
    ~BatchHeadReader();
    BatchHeadReader(const BatchHeadReader&) = delete;
    BatchHeadReader& operator=(const BatchHeadReader&) = delete;

    // False when the system refused the batches.
    bool Batched() const { return m_ring != nullptr; }
    // Files the batches gave back to be read one by one, as any that fails in them is.
    int Retries() const;
    void Read(int folderFd, std::span<Item> items, qint64 limit);

private:
    class Ring;
    std::unique_ptr<Ring> m_ring;
};
