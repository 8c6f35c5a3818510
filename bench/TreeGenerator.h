#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Made-up but plausible Favorites trees for the benchmarks. A plan is worked out from a
// seed alone, so a tree kept from an earlier run can be reused and its folders known
// without reading it back from the disk.
struct PlannedFolder
{
    QString Relative;       // empty for the root, else folder names joined by "/"
    int Depth = 0;          // 0 for the root
    int Parent = -1;        // index into TreePlan::Folders
    int Links = 0;          // Internet Shortcut files directly inside
    std::uint64_t Seed = 0; // names of its links
};

struct TreePlan
{
    std::vector<PlannedFolder> Folders; // parents come before their children
    int Links = 0;

    // The last of the deepest folders.
    const PlannedFolder& Deepest() const;
    // Links plus subfolders directly inside a folder: what listing it shows.
    int Entries(int folder) const;
};

namespace TreeGenerator {

struct Shape
{
    int Links = 1000;
    int MinPerFolder = 10;
    int MaxPerFolder = 100;
    int MaxDepth = 4;
    std::uint64_t Seed = 0x7461766f726fULL;
};

TreePlan Plan(const Shape& shape);
// One folder holding every link.
TreePlan FlatPlan(int links, std::uint64_t seed = 0x666c6174ULL);
// Writes the plan below root, made if missing. Stops the program on any failure, as a
// half-written tree would measure nothing useful.
void Write(const TreePlan& plan, const QString& root);

} // namespace TreeGenerator
