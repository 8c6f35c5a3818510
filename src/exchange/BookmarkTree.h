#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

// One bookmark or folder as the browsers keep it. Times are seconds since 1970 in UTC,
// 0 when the source does not know them.
struct BookmarkNode
{
    bool IsFolder = false;
    QString Name;
    QString Address;
    std::int64_t Added = 0;
    std::int64_t Modified = 0;
    std::int64_t Visited = 0;
    std::vector<BookmarkNode> Children;

    BookmarkNode& AddFolder(const QString& name)
    {
        Children.push_back({true, name, {}, 0, 0, 0, {}});
        return Children.back();
    }
    BookmarkNode& AddLink(const QString& name, const QString& address)
    {
        Children.push_back({false, name, address, 0, 0, 0, {}});
        return Children.back();
    }
};

// What a reader brings in: the folders and links, and what it left out on purpose.
struct BookmarkTree
{
    // Folders nested deeper than this are flattened into the deepest one kept: no
    // file system takes paths that long, and no walk of the tree may recurse without end.
    static constexpr int MaxDepth = 64;

    BookmarkNode Root{true, {}, {}, 0, 0, 0, {}};
    int Separators = 0;
    int Queries = 0; // "place:" searches, which are no address
    int Flattened = 0;
};

// Shared between a worker and the window watching it.
struct ExchangeProgress
{
    std::atomic<int> Done{0};
    std::atomic<bool> Cancel{false};
};

namespace BookmarkTimes {
// Browsers write seconds, milliseconds or microseconds since 1970 as the mood takes them.
std::int64_t FromEpochGuess(std::int64_t value);
// Chromium's microseconds since 1601-01-01.
std::int64_t FromWebKit(std::int64_t microseconds);
} // namespace BookmarkTimes
