#pragma once

#include "health/AddressNormalizer.h"
#include "health/LinkFile.h"

#include <QList>
#include <QString>

#include <atomic>

class FileSystemService;

// A set of links that are copies of one another.
struct DuplicateGroup
{
    QString Key;            // the shared address, or the file name for identical files
    bool Identical = false; // every copy is the same bytes
    QList<LinkFile> Copies; // in walk order
};

// Groups links by their normalised address, and links without an address by their
// bytes. Groups come sorted by key; only groups of two or more are kept. Setting cancel
// (from another thread) stops the work, and nothing is found.
class DuplicateFinder
{
public:
    static QList<DuplicateGroup> Find(const FileSystemService& fileSystem,
                                      const QList<LinkFile>& links,
                                      AddressNormalizer::Options options,
                                      const std::atomic<bool>* cancel = nullptr);
};
