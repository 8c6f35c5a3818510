#include "favorites/FolderWalk.h"

#include <QThreadPool>

QThreadPool& FolderWalk::ListingThreads()
{
    // Never destroyed: a pool torn down after the application could wait on nothing.
    static QThreadPool* const threads = new QThreadPool;
    return *threads;
}

void FolderWalk::StartListing(std::function<void()> task)
{
    ListingThreads().start(std::move(task));
}
