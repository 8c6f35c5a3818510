#include "favorites/FolderWalk.h"

#include <QThreadPool>

void FolderWalk::StartListing(std::function<void()> task)
{
    // Never destroyed: a pool torn down after the application could wait on nothing.
    static QThreadPool* const threads = new QThreadPool;
    threads->start(std::move(task));
}
